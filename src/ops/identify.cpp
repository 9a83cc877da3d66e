#include "ops/identify.h"

#include "chips/chiptable.h"
#include "chips/selectchip.h"
#include "core/opcontext.h"
#include "core/texts.h"
#include "link/frames.h"

QString ReadSignatureByte(OpContext& c, int index) {
    c.link.sendCommand(Frames::readSignatureByte(index));
    return c.link.readAfterDelay(100);
}

bool PresenceTest(OpContext& c) {
    c.link.drainInput();
    if (ReadSignatureByte(c, 0) == u"1E")
        return true;
    c.log(Texts::noTarget());
    return false;
}

QString ReadSignature(OpContext& c) {
    c.link.drainInput();
    QString sig = QStringLiteral("1E");
    sig += ReadSignatureByte(c, 1);
    sig += ReadSignatureByte(c, 2);
    const QString name = ChipNameFromSignature(sig);
    if (name.isEmpty()) {
        c.log(Texts::noTarget());
        return QString();
    }
    c.session.currentChipLabel = name;
    c.session.sigLabel = sig;
    c.session.notifyPanels();
    c.log(Texts::tr("读标识字:") + sig);
    return name;
}

bool SignatureCheck(OpContext& c) {
    QString sig;
    for (int i = 0; i < 3; ++i)
        sig += ReadSignatureByte(c, i);
    c.log(Texts::tr("读标识字:") + sig);
    if (sig != c.session.chip.SignatureText) {
        c.log(Texts::tr("标识字与所选芯片不符!"));
        return false;
    }
    return true;
}

QString DetectChip(OpContext& c) {
    c.link.drainInput();
    QString sig = QStringLiteral("1E");
    sig += ReadSignatureByte(c, 1);
    sig += ReadSignatureByte(c, 2);
    c.session.sigLabel = sig;
    const QString name = ChipNameFromSignature(sig);
    if (name.isEmpty()) {
        c.session.notifyPanels();
        c.ui.warning(Texts::warningTitle(), Texts::unsupportedChip());
        return QString();
    }
    c.session.currentChipLabel = name;
    SelectChip(c.session, name);
    c.session.fuses.LoadFuseDescription(name + QStringLiteral(".FUS"), &c.session.log);
    c.session.fuses.ApplyFuseText(c.session.fuses.defaultFuseText());
    return name;
}
