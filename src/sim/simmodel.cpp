// The programmer on its line: the characters both ways with their timing and faults, the
// replies, and the framing of what arrives into the command families (flash-write stream,
// memories, settings and bulk upload, loader) that live in their own files.
#include "sim/simmodel.h"

#include <QStringEncoder>
#include <algorithm>

namespace {

bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

QByteArray gbk(const char* utf8) {
    QStringEncoder encoder("GBK");
    const QString text = QString::fromUtf8(utf8);
    if (!encoder.isValid())
        return text.toUtf8();
    return encoder.encode(text);
}

} // namespace

SimModel::SimModel(const SimConfig& config)
    : m_config(config), m_settings(settingsSize, char(0xFF)) {
    setBaud(config.baud);
    setLatencyMs(config.latencyMs);
    setChip(config.chip);
}

void SimModel::setBaud(int baud) {
    m_config.baud = baud;
    m_charMs = baud > 0 ? 10000.0 / baud : 0.0;
    m_in.setCharMs(m_config.paceInput ? m_charMs : 0.0);
    m_out.setCharMs(m_charMs);
}

void SimModel::setLatencyMs(double ms) {
    m_config.latencyMs = ms;
    m_out.setLatencyMs(ms);
}

bool SimModel::setChip(const QString& name) {
    m_changes++;
    if (SimChips::byName(name)) {
        m_chip = std::make_unique<SimChip>(name);
        return true;
    }
    m_chip.reset();
    return name.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0;
}

void SimModel::setSocketCycle(double inMs, double outMs) {
    m_socketIn = inMs;
    m_socketOut = outMs;
    m_socketChip = m_chip ? m_chip->name() : QStringLiteral("ATMEGA8");
    m_nextToggle = inMs > 0 && outMs > 0 ? m_now + (m_chip ? inMs : outMs) : never;
}

void SimModel::toggleSocket(double t) {
    if (m_chip) {
        m_socketChip = m_chip->name();
        setChip(QStringLiteral("none"));
    } else {
        setChip(m_socketChip);
    }
    m_nextToggle = t + (m_chip ? m_socketIn : m_socketOut);
}

// --- the line ---------------------------------------------------------------------------

double SimModel::receive(const QByteArray& bytes, double atMs) {
    return m_in.send(bytes, std::max(atMs, m_in.freeAt()));
}

void SimModel::advanceTo(double ms) {
    for (;;) {
        const double ti = m_in.nextArrival();
        const double te = m_nextAnnounce;
        const double tt = m_nextToggle;
        if (std::min({ti, te, tt}) > ms)
            break;
        if (tt <= ti && tt <= te) { // the socket changes between two characters
            toggleSocket(tt);
            continue;
        }
        if (te <= ti) {
            announce(te);
            continue;
        }
        char c = 0;
        double at = 0;
        if (!m_in.takeOne(ms, &c, &at))
            break;
        processChar(c, at);
    }
    m_now = std::max(m_now, ms);
}

qint64 SimModel::outputAvailable(double ms) const {
    return m_out.available(ms);
}

QByteArray SimModel::takeOutput(double ms) {
    return m_out.take(ms);
}

double SimModel::nextEventMs() const {
    return std::min(nextActionMs(), nextOutputMs());
}

double SimModel::nextActionMs() const {
    // The socket cycle is an action too: a clock that jumps from action to action must not
    // jump over the chip being taken out.
    double t = std::min({m_in.nextArrival(), m_nextAnnounce, m_nextToggle});
    if (m_deadAt > m_now)
        t = std::min(t, m_deadAt);
    return t;
}

bool SimModel::idle() const {
    return m_in.empty() && m_out.empty() && m_nextAnnounce == never;
}

bool SimModel::countChar(double t) {
    const qint64 limit = m_config.faults.disconnectAfter;
    if (t >= m_deadAt)
        return false;
    if (limit < 0)
        return true;
    if (m_charsCrossed >= limit) {
        m_deadAt = std::min(m_deadAt, t);
        return false;
    }
    if (++m_charsCrossed == limit)
        m_deadAt = t;
    return true;
}

// --- replies ----------------------------------------------------------------------------

double SimModel::start(double t) const {
    return std::max(t, m_busyUntil) + m_config.timing.commandMs;
}

void SimModel::busyFor(double t, double ms, double* readyAt) {
    *readyAt = start(t) + ms;
    m_busyUntil = *readyAt;
}

void SimModel::reply(const QByteArray& bytes, double readyAt) {
    const SimFaults& f = m_config.faults;
    if (f.silent || bytes.isEmpty() || readyAt >= m_deadAt)
        return;
    QByteArray out = bytes;
    bool dies = false;
    if (f.disconnectAfter >= 0) {
        const qint64 room = f.disconnectAfter - m_charsCrossed;
        if (room <= 0)
            return;
        if (out.size() >= room) {
            out.truncate(room);
            dies = true;
        }
        m_charsCrossed += out.size();
    }
    double t = readyAt + f.lateMs;
    double last = t;
    if (f.splitChars > 0 && out.size() > f.splitChars) {
        for (qint64 i = 0; i < out.size(); i += f.splitChars) {
            last = m_out.send(out.mid(i, f.splitChars), t);
            t = last + f.splitGapMs;
        }
    } else {
        last = m_out.send(out, t);
    }
    if (dies)
        m_deadAt = std::min(m_deadAt, last);
}

void SimModel::replyHex(QByteArray hex, double readyAt) {
    const SimFaults& f = m_config.faults;
    reply(f.noise + (f.lowerCaseHex ? hex.toLower() : hex.toUpper()), readyAt);
}

void SimModel::replyData(const QByteArray& bytes, double readyAt) {
    replyHex(bytes.toHex(), readyAt);
}

void SimModel::replyMarker(char marker, double readyAt) {
    ++m_markers;
    const int every = m_config.faults.dropMarkerEvery;
    if (every > 0 && m_markers % every == 0)
        return;
    reply(QByteArray(1, marker), readyAt);
}

void SimModel::replyText(const char* utf8, double readyAt) {
    reply(gbk(utf8), readyAt);
}

// --- the firmware -----------------------------------------------------------------------

void SimModel::processChar(char c, double t) {
    if (!countChar(t) || m_config.faults.silent)
        return;
    const double idleFor = t - m_lastInput;
    m_lastInput = t;
    switch (m_mode) {
    case Mode::Command:
    case Mode::FlashWrite:
        commandChar(c, t);
        return;
    case Mode::BulkWaitD:
    case Mode::BulkSelect:
    case Mode::BulkWaitBlock:
    case Mode::BulkData:
        if (idleFor > m_config.timing.bulkIdleMs) {
            m_mode = Mode::Command;
            commandChar(c, t);
            return;
        }
        bulkChar(c, t);
        return;
    case Mode::LoaderWaitBlock:
    case Mode::LoaderData:
        if (idleFor > m_config.timing.bulkIdleMs) {
            startApplication();
            commandChar(c, t);
            return;
        }
        loaderChar(c, t);
        return;
    case Mode::LoaderAnnounce:
    case Mode::LoaderReady: // waits for the user's go-ahead as long as it takes
        loaderChar(c, t);
        return;
    }
}

void SimModel::commandChar(char c, double t) {
    m_frame.append(c);
    if (c == '#') {
        const QByteArray frame = m_frame;
        m_frame.clear();
        handleFrame(frame, t);
        return;
    }
    // No frame is longer than 11 characters: keep only the tail, so that the next "#"
    // resynchronises on whatever frame it ends.
    if (m_frame.size() > 16)
        m_frame.remove(0, m_frame.size() - 11);
}

void SimModel::handleFrame(const QByteArray& frame, double t) {
    if (tryFrame(frame, t)) {
        ++m_handled;
        return;
    }
    ++m_dropped;
    // Noise before a frame: the frame at the end still counts.
    static const int lengths[] = {11, 9, 8, 5, 4, 3, 2};
    for (int n : lengths) {
        if (n < frame.size() && tryFrame(frame.right(n), t)) {
            ++m_handled;
            return;
        }
    }
}

int SimModel::pageWords() const {
    return m_chip ? m_chip->pageWords() : 64;
}

bool SimModel::tryFrame(const QByteArray& f, double t) {
    const int n = int(f.size());
    const char* p = f.constData();
    if (n == 2 && f == "!#")
        return endFlashWrite(t);
    if (n == 3 && f == "WF#")
        return beginFlashWrite();
    if (n == 4 && p[0] == '$')
        return commitPage(p + 1, t);
    if (n == 8 && p[0] == '&')
        return latchWord(p + 1);
    if (n == 5 && p[0] == 'R' && p[1] == 'I')
        return readSignatureShort(p + 2, t);
    if (n == 11 && p[0] == 'W' && p[1] == 'W')
        return writeFlashWord(p + 2, t);
    if (n == 9 && isUpper(p[0]) && isUpper(p[1]))
        return command(f, t);
    return false;
}

// The nine-character frames: two letters, six argument characters, "#".
bool SimModel::command(const QByteArray& f, double t) {
    const char* a = f.constData() + 2;
    const QByteArray letters = f.left(2);
    if (letters == "CC") {
        m_mode = Mode::Command;
        replyText("连接成功!", start(t));
        return true;
    }
    if (letters == "FM")
        return requestUpdate(t);
    if (letters == "ME" || letters == "RM" || letters == "RT")
        return settingsCommand(letters, a, t);
    return memoryCommand(letters, a, t);
}
