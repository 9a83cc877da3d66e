#include "link/answer.h"

#include "link/link.h"
#include "link/port.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

bool isHexDigit(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F') || (u >= u'a' && u <= u'f');
}

bool isStray(QChar c) {
    const char16_t u = c.unicode();
    return u == u'!' || u == u'$' || u == u'?';
}

// Short enough that a pause ends the read within a few milliseconds of its silence limit.
constexpr double StreamBatchMs = 8;

qint64 hexDigits(const QString& text) {
    qint64 n = 0;
    for (QChar c : text)
        n += isHexDigit(c) ? 1 : 0;
    return n;
}

// What the programmer's firmware says. The translation of each is its meaning; in Chinese
// the translation is the answer itself and nothing is added.
const char* const kAnswers[] = {
    QT_TRANSLATE_NOOP("ProgrammerAnswer", "连接成功!"),
    QT_TRANSLATE_NOOP("ProgrammerAnswer", "芯片擦除完毕!"),
    QT_TRANSLATE_NOOP("ProgrammerAnswer", "FLASH写入完毕!"),
    QT_TRANSLATE_NOOP("ProgrammerAnswer", "熔丝位写入完毕!"),
    QT_TRANSLATE_NOOP("ProgrammerAnswer", "锁定位写入完毕!"),
    QT_TRANSLATE_NOOP("ProgrammerAnswer", "固件升级模式:请重启编程器!"),
};

} // namespace

QString explainAnswer(const QString& text) {
    QString out = text;
    for (const char* answer : kAnswers) {
        const QString said = QString::fromUtf8(answer);
        const QString meaning = QCoreApplication::translate("ProgrammerAnswer", answer);
        if (meaning == said || !out.contains(said))
            continue;
        out.replace(said, said + QStringLiteral(" (") + meaning + u')');
    }
    return out;
}

QString withoutStrayLead(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && isStray(text[i]))
        ++i;
    return text.mid(i);
}

HexAnswer checkHexAnswer(const QString& text, qsizetype chars) {
    HexAnswer a;
    a.got = text.size();
    for (qsizetype i = 0; i < text.size() && i < chars; ++i) {
        if (!isHexDigit(text[i])) {
            a.fault = HexAnswer::NotHex;
            a.at = i;
            return a;
        }
    }
    if (text.isEmpty())
        a.fault = HexAnswer::Nothing;
    else if (text.size() < chars)
        a.fault = HexAnswer::Short;
    else if (text.size() > chars)
        a.fault = HexAnswer::TooLong;
    return a;
}

QString printableText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0))
            out += QStringLiteral("\\x%1").arg(uint(u), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString collectAnswer(Link& link, int chars, double ms, QString* raw) {
    Port* port = link.port();
    const double deadline = link.lineClearMs() + ms;
    QString all;
    QString got;
    for (;;) {
        all += link.readText();
        got = withoutStrayLead(all);
        if (got.size() >= chars || link.nowMs() >= deadline) {
            if (raw)
                *raw = all;
            return got;
        }
        Link::Busy busy(link);
        port->waitForInput(deadline);
    }
}

QString collectStream(Link& link, int chars, double silenceMs,
                      const std::function<void(int)>& progress) {
    Port* port = link.port();
    QString got;
    bool started = false;
    // The silence counts from the last look that found input; before the first, from when
    // the line has carried the command (the programmer cannot answer before that).
    double quietFrom = std::max(link.lineClearMs(), link.nowMs());
    for (;;) {
        const double lookedAt = link.nowMs();
        QString in = link.readText();
        if (!started) {
            in = withoutStrayLead(in);
            started = !in.isEmpty();
        }
        got += in;
        if (!in.isEmpty() && progress)
            progress(int(got.size()));
        Link::Busy busy(link);
        if (got.size() >= chars) {
            // A character more than asked comes right behind the last one, in the same
            // transfer of the adapter; what comes later is left unread.
            if (got.size() == chars &&
                port->waitForInput(link.nowMs() + link.replyEndQuietMs()))
                got += link.readText();
            return got;
        }
        if (in.isEmpty()) {
            if (!port->waitForInput(quietFrom + silenceMs) && link.bytesAvailable() == 0)
                return got;
            continue;
        }
        quietFrom = lookedAt;
        // The stream flows: let it run a while before it is read again, for fewer wake-ups
        // and larger reads (at 115200 baud some 90 characters), but not past the moment the
        // line can have carried the rest, so that the end is seen when it comes.
        port->waitUntil(link.nowMs() +
                        std::min(StreamBatchMs, link.lineMs(chars - got.size()) + 0.1));
    }
}

void settleInput(Link& link, double silenceMs, double maxMs) {
    Port* port = link.port();
    const double end = link.lineClearMs() + maxMs;
    Link::Busy busy(link);
    for (;;) {
        link.readText();
        const double quiet = qMin(std::max(link.nowMs(), link.lineClearMs()) + silenceMs, end);
        if (!port->waitForInput(quiet) || link.nowMs() >= end) {
            link.readText();
            return;
        }
    }
}

QString AnswerSequence::ask(const QString& command, double ms) {
    // What waits now came after the previous wait: late answers, counted as such.
    const QString late = withoutStrayLead(m_link.readText());
    m_digits += hexDigits(late);
    const qint64 before = m_digits;
    m_link.sendCommand(command);
    // Ended when the two digits are in, a character more comes after them and makes the
    // next answer's count wrong, so it is not taken for data either.
    m_last =
        m_endWhenIn ? collectAnswer(m_link, 2, ms) : withoutStrayLead(m_link.readAfterDelay(ms));
    m_digits += hexDigits(m_last);
    const int index = m_asked++;
    const bool inStep = before == qint64(index) * 2;
    if (!inStep || m_last.size() != 2 || !isHexDigit(m_last[0]) || !isHexDigit(m_last[1]))
        return QString();
    return m_last.toUpper();
}
