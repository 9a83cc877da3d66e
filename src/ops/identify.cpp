#include "ops/identify.h"

#include "chips/chiptable.h"
#include "chips/selectchip.h"
#include "core/opcontext.h"
#include "core/session.h"
#include "core/texts.h"
#include "link/answer.h"
#include "link/frames.h"

QString ReadSignatureByte(OpContext& c, int index) {
    c.link.sendCommand(Frames::readSignatureByte(index));
    // A late marker of an earlier step, or a byte of noise, is no part of the answer.
    return withoutStrayLead(c.link.readAfterDelay(100));
}

namespace {

// Signature bytes first..2 read one after the other; a byte whose answer cannot be told
// (late, missing, not two hex digits) reads "--", which no chip has.
QString readSignatureBytes(OpContext& c, int first) {
    AnswerSequence seq(c.link);
    QString sig;
    for (int i = first; i < 3; ++i) {
        const QString b = seq.ask(Frames::readSignatureByte(i), 100);
        sig += b.isEmpty() ? QStringLiteral("--") : b;
    }
    return sig;
}

} // namespace

bool PresenceTest(OpContext& c) {
    c.link.drainInput();
    if (ReadSignatureByte(c, 0) == u"1E")
        return true;
    c.log(Texts::noTarget());
    return false;
}

QString ReadSignature(OpContext& c) {
    c.link.drainInput();
    const QString sig = QStringLiteral("1E") + readSignatureBytes(c, 1);
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
    c.link.drainInput();
    const QString sig = readSignatureBytes(c, 0);
    c.log(Texts::tr("读标识字:") + sig);
    if (sig != c.session.chip.SignatureText) {
        c.log(Texts::tr("标识字与所选芯片不符!"));
        return false;
    }
    return true;
}

QString DetectChip(OpContext& c) {
    c.link.drainInput();
    const QString sig = QStringLiteral("1E") + readSignatureBytes(c, 1);
    c.session.sigLabel = sig;
    const QString name = ChipNameFromSignature(sig);
    if (name.isEmpty()) {
        c.session.notifyPanels();
        c.ui.warning(Texts::warningTitle(), Texts::unsupportedChip());
        return QString();
    }
    c.session.currentChipLabel = name;
    Session& s = c.session;
    // Fuse bytes an ELF file brought for this very chip are what the user asked for.
    if (!s.elfFuseChip.isEmpty() && s.elfFuseChip == name && s.selectedChipModel == name) {
        s.notifyPanels();
        c.log(Texts::tr("座上芯片 %1 与ELF文件相同, 熔丝页保留ELF文件的熔丝值。").arg(name));
        return name;
    }
    SelectChip(s, name);
    s.fuses.LoadFuseDescription(name + QStringLiteral(".FUS"), &s.log);
    s.fuses.ApplyFuseText(s.fuses.defaultFuseText());
    s.elfFuseChip.clear();
    c.log(Texts::tr("熔丝页已重置为 %1 的出厂默认值。").arg(name));
    return name;
}
