#include "fuses/fuseops.h"

#include "chips/chiptable.h"
#include "core/opcontext.h"
#include "fuses/fusetexts.h"
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

// The first 8 characters of the reply to "RS000000#", upper-cased, or "" when they are not
// all hexadecimal digits: a reply of anything else must not become fuse bits. A shorter
// reply may end in a line break.
QString fuseDigits(const QString& reply) {
    QString r = reply.left(8);
    while (!r.isEmpty() && r.back().isSpace())
        r.chop(1);
    if (r.isEmpty())
        return QString();
    for (QChar ch : r)
        if (!isHexDigit(ch))
            return QString();
    return r.toUpper();
}

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
    c.link.delayMs(100);
    if (c.link.bytesAvailable() == 0) {
        c.link.logReplyAfterDelay(0, QString());
        return QString();
    }
    const QString reply = c.link.readText();
    const QString r = fuseDigits(reply);
    if (r.isEmpty())
        c.log(FuseTexts::badReply(shownReply(reply)));
    return r;
}

} // namespace

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
    bits = bits.rightJustified(32, u'1');
    FuseEditor& editor = c.session.fuses;
    const QString& defaults = editor.defaultFuseText();
    for (int i = 0; i < 32 && i < defaults.size(); ++i)
        if (defaults[i] == u'*')
            bits[i] = u'*';
    editor.ApplyFuseText(bits);
    c.link.drainInput();
    return true;
}

void WriteFuses(OpContext& c) {
    ControlOff off(c.ui, QStringLiteral("WriteFuse"));
    const FuseEditor& f = c.session.fuses;
    c.link.sendCommand(Frames::writeFuses(f.frameDigits(2), f.frameDigits(1), f.frameDigits(0)));
    c.link.logReplyAfterDelay(400, QString());
}

bool RecoverFuses(OpContext& c) {
    const FuseEditor& f = c.session.fuses;
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
    QString r = requestFuseDigits(c);
    if (r.isEmpty())
        return QString();
    // Missing leading bytes read as FF, as on the fuse page.
    r = r.rightJustified(8, u'F');
    return hasExtendedByte(c) ? r.mid(2, 6) : QStringLiteral("..") + r.mid(4, 4);
}

void WriteLock(OpContext& c) {
    c.link.sendCommand(Frames::writeLock(c.session.fuses.frameDigits(3)));
    c.link.logReplyAfterDelay(100, QString());
}
