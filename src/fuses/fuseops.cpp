#include "fuses/fuseops.h"

#include "chips/chiptable.h"
#include "core/opcontext.h"
#include "fuses/fusetexts.h"
#include "link/answer.h"
#include "link/frames.h"

namespace {

// Disables an operation's own control for as long as the operation runs, also when the
// link fails in the middle of it.
class ControlOff {
  public:
    ControlOff(Ui& ui, const QString& name) : m_ui(ui), m_name(name) {
        m_ui.setControlEnabled(m_name, false);
    }
    ~ControlOff() { m_ui.setControlEnabled(m_name, true); }
    ControlOff(const ControlOff&) = delete;
    ControlOff& operator=(const ControlOff&) = delete;

  private:
    Ui& m_ui;
    QString m_name;
};

bool hasExtendedByte(const OpContext& c) {
    return chipHasExtendedFuseByte(c.session.selectedChipModel);
}

bool isHexDigit(QChar ch) {
    return (ch >= u'0' && ch <= u'9') || (ch >= u'A' && ch <= u'F') || (ch >= u'a' && ch <= u'f');
}

// The 8 characters of the reply to "RS000000#", upper-cased, or "" unless they are exactly 8
// hexadecimal digits: a short reply, or one with a stray character in front, must not become
// fuse bits (the bytes would be shifted into the wrong fuses).
QString fuseDigits(const QString& reply) {
    const QString r = reply;
    if (r.size() != 8)
        return QString();
    for (QChar ch : r)
        if (!isHexDigit(ch))
            return QString();
    return r.toUpper();
}

// Fuse writes need the chip's description file: without it there is no default and no
// knowing which bits the chip lacks, and FF/FF/FF would switch SPIEN off and select an
// external clock.
bool descriptionPresent(OpContext& c) { return CanWriteFuses(c.session); }

// What came, shortened and with control characters made visible, for the log.
QString shownReply(const QString& reply) {
    QString out;
    for (QChar ch : reply.left(40))
        out += ch.isPrint() ? QString(ch)
                            : QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QChar(u'0'));
    return out;
}

// Asks the chip for its fuse bytes: the hexadecimal digits of the reply, "" after logging
// that nothing (or nothing usable) came.
QString requestFuseDigits(OpContext& c) {
    c.link.drainInput();
    c.link.sendCommand(Frames::readFuses());
    // The answer may come in pieces: collect for the whole wait, and end early only when
    // more than its 8 characters came.
    QString raw;
    const QString reply = collectAnswer(c.link, 9, 100, &raw);
    if (raw.isEmpty()) {
        c.log(Texts::noAnswer());
        settleInput(c.link); // an answer that comes after all is no later one's
        return QString();
    }
    const QString r = fuseDigits(reply);
    if (r.isEmpty()) {
        c.log(FuseTexts::badReply(shownReply(raw)));
        settleInput(c.link); // the rest of it must not lead the next answer
    }
    return r;
}

} // namespace

bool CanWriteFuses(Session& session) {
    if (session.fuses.hasDescription())
        return true;
    session.log.logMessage(FuseTexts::noDescription(session.fuses.descriptionFile()));
    return false;
}

bool ReadFuses(OpContext& c) {
    ControlOff off(c.ui, QStringLiteral("ReadFuse"));
    const QString r = requestFuseDigits(c);
    if (r.isEmpty())
        return false;
    if (hasExtendedByte(c))
        c.log(FuseTexts::readLog(r.mid(2, 6), r.left(2)));
    else
        c.log(FuseTexts::readLog(QStringLiteral("..") + r.mid(4, 4), r.left(2)));

    QString bits;
    for (QChar ch : r)
        bits += QString::number(QString(ch).toUInt(nullptr, 16), 2).rightJustified(4, u'0');
    FuseEditor& editor = c.session.fuses;
    const QString& defaults = editor.defaultFuseText();
    for (int i = 0; i < 32 && i < defaults.size(); ++i)
        if (defaults[i] == u'*')
            bits[i] = u'*';
    editor.ApplyFuseText(bits);
    c.link.drainInput();
    return true;
}

bool WriteFuses(OpContext& c) {
    ControlOff off(c.ui, QStringLiteral("WriteFuse"));
    if (!descriptionPresent(c))
        return false;
    const FuseEditor& f = c.session.fuses;
    c.link.sendCommand(Frames::writeFuses(f.frameDigits(2), f.frameDigits(1), f.frameDigits(0)));
    c.link.logReplyAfterDelay(400, QString());
    return true;
}

bool RecoverFuses(OpContext& c) {
    if (!descriptionPresent(c))
        return false;
    FuseEditor& f = c.session.fuses;
    f.ApplyFuseText(f.defaultFuseText());
    const QString ext = hasExtendedByte(c) ? f.frameDigits(2) : QStringLiteral("..");
    const QString expected = ext + f.frameDigits(1) + f.frameDigits(0);
    c.link.sendCommand(Frames::writeFuses(ext, f.frameDigits(1), f.frameDigits(0)));
    c.link.logReplyAfterDelay(800, QString());
    const QString actual = ReadFuseBytes(c);
    const bool ok = actual == expected;
    c.log(ok ? FuseTexts::recoverOk() : FuseTexts::recoverFailed());
    return ok;
}

QString ReadFuseBytes(OpContext& c) {
    const QString r = requestFuseDigits(c);
    if (r.isEmpty())
        return QString();
    return hasExtendedByte(c) ? r.mid(2, 6) : QStringLiteral("..") + r.mid(4, 4);
}

void WriteLock(OpContext& c) {
    c.link.sendCommand(Frames::writeLock(c.session.fuses.frameDigits(3)));
    c.link.logReplyAfterDelay(100, QString());
}
