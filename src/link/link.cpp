#include "link/link.h"

#include "core/messagelog.h"
#include "core/texts.h"
#include "link/answer.h"
#include "link/linkerror.h"
#include "link/port.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// The links of the process, for a stop request that comes from outside (a signal).
std::vector<Link*>& liveLinks() {
    static std::vector<Link*> links;
    return links;
}
} // namespace

Link::Link(Port* port, MessageLog* log, QObject* parent) : QObject(parent), m_log(log) {
    setPort(port);
    liveLinks().push_back(this);
}

Link::~Link() {
    auto& links = liveLinks();
    links.erase(std::remove(links.begin(), links.end(), this), links.end());
}

void Link::requestStopAll() {
    for (Link* link : liveLinks())
        link->requestStop();
}

Link::Claim::Claim(Link& link) : m_link(link) {
    if (m_link.m_claimed)
        return;
    m_link.m_claimed = true;
    m_held = true;
    Q_EMIT m_link.busyChanged(true);
}

Link::Claim::~Claim() {
    if (!m_held)
        return;
    m_link.m_claimed = false;
    Q_EMIT m_link.busyChanged(false);
}

void Link::setPort(Port* port) {
    if (m_readyConn)
        disconnect(m_readyConn);
    m_port = port;
    m_lineFreeAt = 0;
    m_owedPage = m_owedBang = 0;
    if (m_port)
        m_readyConn = connect(m_port, &Port::readyRead, this, &Link::onReadyRead);
    // Said once a process: the same adapter gives the same answer every time it opens.
    static bool noticeLogged = false;
    if (m_port && m_log && !noticeLogged && !m_port->lineNotice().isEmpty()) {
        noticeLogged = true;
        m_log->logMessage(m_port->lineNotice());
    }
}

bool Link::isOpen() const {
    return m_port && m_port->isOpen();
}

void Link::requireOpen() const {
    if (m_stop)
        throw LinkStopped(Texts::stopped());
    if (!m_port)
        throw LinkError(Texts::tr("串口未打开!"));
    if (m_port->isLost())
        throw LinkError(Texts::tr("与编程器的连接已断开(串口设备已移除)!"));
    if (!m_port->isOpen())
        throw LinkError(Texts::tr("串口未打开!"));
}

void Link::sendCommand(const QString& text) {
    sendBytes(text.toLatin1());
}

void Link::sendBytes(const QByteArray& bytes) {
    requireOpen();
    m_lineFreeAt = lineClearMs() + lineMs(bytes.size());
    m_port->write(bytes);
}

double Link::lineClearMs() const {
    return m_port ? std::max(m_port->nowMs(), m_lineFreeAt) : 0.0;
}

double Link::lineMs(qint64 chars) const {
    return m_port ? double(chars) * m_port->charMs() : 0.0;
}

void Link::pauseUntil(double atMs) {
    requireOpen();
    Busy busy(*this);
    m_port->waitUntil(atMs);
    requireOpen();
}

qsizetype Link::takeLateMarkers(const QString& text, QChar marker) {
    qsizetype left = 0;
    for (QChar m : {QChar(u'$'), QChar(u'!')}) {
        qsizetype n = text.count(m);
        if (n > 0 && owed(m) > 0) {
            owed(m) = 0;
            --n;
        }
        if (m == marker)
            left = n;
    }
    if (marker != u'$' && marker != u'!')
        left = text.count(marker);
    return left;
}

QString Link::readText() {
    const QString text = readInput();
    takeLateMarkers(text);
    return text;
}

QString Link::readInput() {
    requireOpen();
    QByteArray bytes = m_port->readAll();
    if (bytes.isEmpty())
        return {};
    // A character split across two reads is joined again, but only with a byte that can
    // continue it: a lone lead byte before ASCII was noise, and is shown as such.
    QString text;
    if (!m_pendingLead.isEmpty()) {
        if (uchar(bytes[0]) >= 0x80)
            bytes.prepend(m_pendingLead);
        else
            text += QChar(QChar::ReplacementCharacter);
        m_pendingLead.clear();
    }
    qsizetype run = 0; // high bytes at the end of this read
    while (run < bytes.size() && uchar(bytes[bytes.size() - 1 - run]) >= 0x80)
        ++run;
    if (run % 2 == 1) {
        m_pendingLead = bytes.right(1);
        bytes.chop(1);
    }
    return text + decodeInput(bytes);
}

QString Link::decodeInput(const QByteArray& bytes) {
    // The programmer talks ASCII. Only a run of bytes above 0x7F is decoded as GBK, and each
    // run on its own: a stray byte of line noise is never kept waiting for a second half,
    // nor glued to the ASCII answer that follows it.
    QString text;
    text.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        if (uchar(bytes[i]) < 0x80) {
            text += QLatin1Char(bytes[i++]);
            continue;
        }
        qsizetype end = i;
        while (end < bytes.size() && uchar(bytes[end]) >= 0x80)
            ++end;
        QStringDecoder gbk("GBK", QStringDecoder::Flag::Stateless);
        text += gbk.decode(bytes.mid(i, end - i));
        i = end;
    }
    return text;
}

qint64 Link::bytesAvailable() {
    requireOpen();
    return m_port->bytesAvailable();
}

double Link::nowMs() const {
    return m_port ? m_port->nowMs() : 0.0;
}

void Link::drainInput() {
    m_discarded = readText();
    m_pendingLead.clear(); // half a character is never glued to the next answer
}

void Link::delayMs(double ms) {
    requireOpen();
    Busy busy(*this); // what arrives during a wait belongs to the waiting operation
    if (ms <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    m_port->waitUntil(lineClearMs() + ms);
    requireOpen();
}

QString Link::readAfterDelay(double ms) {
    delayMs(ms);
    return readText();
}

void Link::logReplyAfterDelay(double ms, const QString& prefix) {
    delayMs(ms);
    if (bytesAvailable() != 0) {
        m_log->logMessage(prefix + explainAnswer(printableText(readText())));
    } else {
        ++m_unanswered;
        m_log->logMessage(Texts::noAnswer());
    }
}

void Link::logReplyAfterQuiet(double ms, double quietMs, const QString& prefix) {
    requireOpen();
    QString reply;
    {
        Busy busy(*this);
        const double deadline = lineClearMs() + ms;
        for (;;) {
            const QString in = readText();
            reply += in;
            const double now = m_port->nowMs();
            if (now >= deadline)
                break;
            // The programmer's texts end with "!": after it, a quiet of a few characters' time
            // is enough to see whether anything follows.
            const double quiet =
                reply.endsWith(u'!') ? replyEndQuietMs() : quietMs;
            const double until = reply.isEmpty() ? deadline : std::min(deadline, now + quiet);
            if (!m_port->waitForInput(until) && !reply.isEmpty())
                break;
            requireOpen();
        }
    }
    if (reply.isEmpty()) {
        ++m_unanswered;
        m_log->logMessage(Texts::noAnswer());
    } else {
        m_log->logMessage(prefix + explainAnswer(printableText(reply)));
    }
}

void Link::waitForMarker(int ms, const QString& marker) {
    waitForMarkerResult(ms, marker);
}

bool Link::waitForMarkerResult(int ms, const QString& marker) {
    requireOpen();
    Busy busy(*this);
    const double deadline = lineClearMs() + ms;
    const bool single = marker.size() == 1;
    const bool counted = single && (marker[0] == u'$' || marker[0] == u'!');
    bool sawAny = false;
    QString collected;
    for (;;) {
        const QString in = readInput();
        if (single) {
            const qsizetype before = counted ? owed(marker[0]) : 0;
            const qsizetype own = takeLateMarkers(in, marker[0]);
            sawAny = sawAny || own > 0 || (counted && owed(marker[0]) < before);
            if (own > 0) {
                if (counted)
                    owed(marker[0]) = 0;
                return true;
            }
        } else {
            takeLateMarkers(in);
            collected += in;
            if (collected.contains(marker))
                return true;
        }
        if (m_port->nowMs() >= deadline) {
            ++m_unanswered;
            // This frame's acknowledgement may still come; it must not be taken for the
            // next frame's. One owed at most: a marker that was lost for good costs one
            // more wait, not every wait after it.
            if (counted)
                owed(marker[0]) = sawAny ? 0 : 1;
            return false;
        }
        m_port->waitForInput(deadline);
        requireOpen();
    }
}

void Link::onReadyRead() {
    // Input that arrives during an operation is that operation's: it stays in the buffer
    // for the operation's own reads.
    if (operationRunning() || !m_port || !m_port->isOpen())
        return;
    const QByteArray bytes = m_port->readAll();
    if (bytes.isEmpty() || !m_log)
        return;
    // A programmer in its loader announces itself with "B" every second: the log says so
    // once, not once a second, until something else arrives or an operation runs.
    const QString text = decodeInput(bytes);
    const QString& last = m_lastIdleText;
    const bool repeat = !last.isEmpty() && text.size() % last.size() == 0 &&
                        text == last.repeated(text.size() / last.size());
    if (repeat)
        return;
    m_lastIdleText = text;
    m_log->logMessage(explainAnswer(printableText(text)));
}
