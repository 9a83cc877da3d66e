#include "ops/fuseops.h"

#include "chips/chiptable.h"
#include "fuses/fusetexts.h"
#include "link/answer.h"
#include "link/frames.h"
#include "ops/job.h"
#include "session/opcontext.h"

#include <functional>

namespace {

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

// Fuse and lock writes need the chip's description file: without it there is no default and no
// knowing which bits the chip lacks, and FF/FF/FF would switch SPIEN off and select an
// external clock.
bool descriptionPresent(OpContext& c) {
    return CanWriteFuses(c.session);
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

// The bits the chip has in byte b (0 low, 1 high, 2 extended, 3 lock): the positions its
// default does not mark "*". The bits it lacks read as 1, whatever was written.
quint8 implementedBits(const QString& defaults, int b) {
    quint8 mask = 0;
    for (int i = 0; i < 8; ++i) {
        const int at = (3 - b) * 8 + i;
        if (at < defaults.size() && defaults[at] != u'*')
            mask |= quint8(0x80 >> i);
    }
    return mask;
}

// The chip's byte b from the 8 digits of "RS000000#" (lock, extended, high, low).
QString readByte(const QString& r, int b) {
    static const int at[4] = {6, 4, 2, 0};
    return r.mid(at[b], 2);
}

// Bytes (0..3) written as written: equal at every bit the chip has.
bool tookBytes(const JobFuses& f, const QString& r, const QList<int>& bytes) {
    for (int b : bytes) {
        const quint8 mask = implementedBits(f.defaultText, b);
        const uint want = f.digits[b].toUInt(nullptr, 16);
        const uint got = readByte(r, b).toUInt(nullptr, 16);
        if (((want ^ got) & mask) != 0)
            return false;
    }
    return true;
}

QString bytesText(const QList<int>& bytes, const std::function<QString(int)>& digits) {
    QStringList parts;
    for (int b : bytes)
        parts << FuseTexts::byteName(b) + u' ' + digits(b);
    return parts.join(QStringLiteral(", "));
}

// The programmer's answer to a write, held until the read-back says whether it is true;
// "" after the log said that none came.
QString writeAnswer(OpContext& c, double ms) {
    c.link.delayMs(ms);
    if (c.link.bytesAvailable() == 0) {
        c.link.logReplyAfterDelay(0, QString()); // "编程器无反应!", counted as unanswered
        return QString();
    }
    return c.link.readText();
}

// Reads the bytes back after a write and says in one line whether the write took.
bool checkWrite(OpContext& c, const JobFuses& f, const QList<int>& bytes, const QString& answer,
                const QString& failedPrefix) {
    const QString r = requestFuseDigits(c);
    if (r.isEmpty()) {
        c.log(failedPrefix + FuseTexts::notReadBack());
        return false;
    }
    auto written = [&f](int b) { return f.digits[b]; };
    auto read = [&r](int b) { return readByte(r, b); };
    if (!tookBytes(f, r, bytes)) {
        const bool locked = (readByte(r, 3).toUInt(nullptr, 16) & 0x03) != 0x03;
        c.log(failedPrefix + FuseTexts::didNotTake(bytesText(bytes, written),
                                                   bytesText(bytes, read),
                                                   locked ? readByte(r, 3) : QString()));
        return false;
    }
    if (!answer.isEmpty())
        c.log(answer);
    c.log(FuseTexts::readBackOk(bytesText(bytes, read)));
    return true;
}

} // namespace

bool CanWriteFuses(Session& session) {
    if (session.fuses.hasDescription())
        return true;
    session.log.logMessage(FuseTexts::noDescription(session.fuses.descriptionFile()));
    return false;
}

bool ReadFuses(OpContext& c) {
    OperationScope scope(c.ui, OpId::ReadFuses);
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
    c.session.chipFuseText = bits;
    c.session.chipFuseModel = c.session.selectedChipModel;
    c.link.drainInput();
    return true;
}

bool WriteFuseBytes(OpContext& c, const JobFuses& f) {
    c.link.sendCommand(Frames::writeFuses(f.digits[2], f.digits[1], f.digits[0]));
    const QString answer = writeAnswer(c, 400);
    return checkWrite(c, f, {0, 1, 2}, answer, QString());
}

bool WriteLockByte(OpContext& c, const JobFuses& f) {
    c.link.sendCommand(Frames::writeLock(f.digits[3]));
    const QString answer = writeAnswer(c, 100);
    return checkWrite(c, f, {3}, answer, QString());
}

bool WriteFuses(OpContext& c) {
    OperationScope scope(c.ui, OpId::WriteFuses);
    if (!descriptionPresent(c))
        return false;
    return WriteFuseBytes(c, fusesFromSession(c.session));
}

bool RecoverFuses(OpContext& c) {
    if (!descriptionPresent(c))
        return false;
    FuseEditor& f = c.session.fuses;
    f.ApplyFuseText(f.defaultFuseText());
    const bool ext = hasExtendedByte(c);
    const JobFuses want = fusesFromSession(c.session);
    c.link.sendCommand(Frames::writeFuses(ext ? want.digits[2] : QStringLiteral(".."),
                                          want.digits[1], want.digits[0]));
    // The programmer's "written" is no proof: only the read-back says whether it took, and
    // the log says it once.
    writeAnswer(c, 800);
    const QList<int> bytes = ext ? QList<int>{0, 1, 2} : QList<int>{0, 1};
    if (checkWrite(c, want, bytes, QString(), FuseTexts::recoverFailed() + u' ')) {
        c.log(FuseTexts::recoverOk());
        return true;
    }
    return false;
}

QString ReadFuseBytes(OpContext& c) {
    const QString r = requestFuseDigits(c);
    if (r.isEmpty())
        return QString();
    return hasExtendedByte(c) ? r.mid(2, 6) : QStringLiteral("..") + r.mid(4, 4);
}

bool WriteLock(OpContext& c) {
    if (!descriptionPresent(c))
        return false;
    return WriteLockByte(c, fusesFromSession(c.session));
}
