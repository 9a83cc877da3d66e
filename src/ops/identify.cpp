#include "ops/identify.h"

#include "chips/chiptable.h"
#include "core/texts.h"
#include "link/answer.h"
#include "link/frames.h"
#include "ops/opstexts.h"
#include "session/opcontext.h"
#include "session/selectchip.h"
#include "session/session.h"

QString ReadSignatureByte(OpContext& c, int index) {
    c.link.sendCommand(Frames::readSignatureByte(index));
    // A late marker of an earlier step, or a byte of noise, is no part of the answer; the
    // wait ends when the two digits are in.
    return collectAnswer(c.link, 2, 100);
}

namespace {

// Signature bytes first..2 read one after the other; a byte whose answer cannot be told
// (late, missing, not two hex digits) reads "--", which no chip has.
QString readSignatureBytes(OpContext& c, int first) {
    AnswerSequence seq(c.link, true);
    QString sig;
    for (int i = first; i < 3; ++i) {
        const QString b = seq.ask(Frames::readSignatureByte(i), 100);
        sig += b.isEmpty() ? QStringLiteral("--") : b;
    }
    return sig;
}

} // namespace

QString ReadSignatureBytes(OpContext& c) {
    c.link.drainInput();
    return readSignatureBytes(c, 0);
}

bool PresenceTest(OpContext& c, const QString& known) {
    QString first = known.left(2);
    if (first.isEmpty()) {
        c.link.drainInput();
        first = ReadSignatureByte(c, 0);
    }
    if (first == u"1E")
        return true;
    c.log(Texts::noTarget());
    return false;
}

namespace {

// What a signature read found. Bytes that did not answer read "--": no byte answered is a
// silent programmer; FF throughout is an empty socket (the programmer reads FF from no chip).
struct Found {
    QString sig;  // as read
    QString name; // the chip of the table, or ""
    bool silent = false;
    bool empty = false;
};

Found judge(const QString& sig, int first) {
    Found f;
    f.sig = sig;
    const QString read = sig.mid(first * 2);
    f.silent = read == QString(read.size(), u'-');
    f.empty = read == QString(read.size(), u'F');
    if (!f.silent && !f.empty)
        f.name = ChipNameFromSignature(sig);
    return f;
}

// The chip labels show what was found: the chip and its signature, or the case in place of
// the chip (and no signature that was never read).
void showFound(Session& s, const Found& f) {
    s.currentChipLabel = f.silent           ? OpsTexts::programmerSilent()
                         : f.empty          ? OpsTexts::socketEmpty()
                         : f.name.isEmpty() ? OpsTexts::unknownChip()
                                            : f.name;
    s.sigLabel = f.silent || f.empty ? QString() : f.sig;
    s.notifyPanels();
}

// The log line (and the box text) for a read that found no chip of the table.
QString whyNoChip(const Found& f, const QString& otherwise) {
    return f.silent ? Texts::noAnswer() : f.empty ? OpsTexts::noChipInSocket() : otherwise;
}

} // namespace

QString ReadSignature(OpContext& c) {
    c.link.drainInput();
    const Found f = judge(QStringLiteral("1E") + readSignatureBytes(c, 1), 1);
    showFound(c.session, f);
    if (f.name.isEmpty()) {
        c.log(whyNoChip(f, Texts::noTarget()));
        return QString();
    }
    c.log(Texts::tr("读标识字:") + f.sig);
    return f.name;
}

bool SignatureCheck(OpContext& c, const QString& known) {
    QString sig = known;
    if (sig.isEmpty()) {
        sig = ReadSignatureBytes(c);
    } else if (sig.size() == 2) { // byte 0 came with the presence test
        c.link.drainInput();
        sig += readSignatureBytes(c, 1);
    }
    c.log(Texts::tr("读标识字:") + sig);
    if (sig == c.session.chip.SignatureText)
        return true;
    c.log(Texts::tr("标识字与所选芯片不符!"));
    // The run is refused: the box says what sits in the socket and what was selected.
    const Found f = judge(sig, 0);
    showFound(c.session, f);
    const QString found = f.name.isEmpty() ? whyNoChip(f, OpsTexts::unknownChip()) : f.name;
    c.ui.warning(Texts::warningTitle(),
                 OpsTexts::wrongChip().arg(found, f.sig, c.session.chip.ChipName,
                                           c.session.chip.SignatureText));
    return false;
}

QString DetectChip(OpContext& c) {
    c.link.drainInput();
    const Found f = judge(QStringLiteral("1E") + readSignatureBytes(c, 1), 1);
    showFound(c.session, f);
    if (f.name.isEmpty()) {
        c.ui.warning(Texts::warningTitle(), whyNoChip(f, Texts::unsupportedChip()));
        return QString();
    }
    const QString name = f.name;
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
