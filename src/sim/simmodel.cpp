#include "sim/simmodel.h"

#include <QStringEncoder>
#include <algorithm>

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The value of n hexadecimal digits at p, or -1 when one of them is not a digit.
qint64 hexValue(const char* p, int n) {
    qint64 v = 0;
    for (int i = 0; i < n; ++i) {
        const int d = hexDigit(p[i]);
        if (d < 0)
            return -1;
        v = v * 16 + d;
    }
    return v;
}

bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }

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
    setChip(config.chip);
}

void SimModel::setBaud(int baud) {
    m_config.baud = baud;
    m_charMs = baud > 0 ? 10000.0 / baud : 0.0;
    m_in.setCharMs(m_config.paceInput ? m_charMs : 0.0);
    m_out.setCharMs(m_charMs);
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

// --- the line ---------------------------------------------------------------------------

void SimModel::receive(const QByteArray& bytes, double atMs) {
    m_in.send(bytes, std::max(atMs, m_in.freeAt()));
}

void SimModel::advanceTo(double ms) {
    for (;;) {
        const double ti = m_in.nextArrival();
        const double te = m_nextAnnounce;
        if (std::min(ti, te) > ms)
            break;
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

qint64 SimModel::outputAvailable(double ms) const { return m_out.available(ms); }

QByteArray SimModel::takeOutput(double ms) { return m_out.take(ms); }

double SimModel::nextEventMs() const { return std::min(nextActionMs(), nextOutputMs()); }

double SimModel::nextActionMs() const {
    double t = std::min(m_in.nextArrival(), m_nextAnnounce);
    if (m_deadAt > m_now)
        t = std::min(t, m_deadAt);
    return t;
}

bool SimModel::idle() const { return m_in.empty() && m_out.empty() && m_nextAnnounce == never; }

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
    reply(m_config.faults.lowerCaseHex ? hex.toLower() : hex.toUpper(), readyAt);
}

void SimModel::replyData(const QByteArray& bytes, double readyAt) { replyHex(bytes.toHex(), readyAt); }

void SimModel::replyMarker(char marker, double readyAt) {
    ++m_markers;
    const int every = m_config.faults.dropMarkerEvery;
    if (every > 0 && m_markers % every == 0)
        return;
    reply(QByteArray(1, marker), readyAt);
}

void SimModel::replyText(const char* utf8, double readyAt) { reply(gbk(utf8), readyAt); }

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

bool SimModel::tryFrame(const QByteArray& f, double t) {
    const int n = int(f.size());
    const char* p = f.constData();
    const int pageWords = m_chip ? m_chip->pageWords() : 64;
    if (n == 2 && f == "!#") {
        if (m_mode != Mode::FlashWrite)
            return false;
        m_mode = Mode::Command;
        replyText("FLASH写入完毕!", start(t));
        return true;
    }
    if (n == 3 && f == "WF#") {
        m_mode = Mode::FlashWrite;
        m_page = QByteArray(pageWords * 2, char(0xFF));
        return true;
    }
    if (n == 4 && p[0] == '$') {
        const qint64 high = hexValue(p + 1, 2);
        if (high < 0 || m_mode != Mode::FlashWrite)
            return false;
        double ready = 0;
        busyFor(t, m_config.timing.flashPageMs, &ready);
        if (m_page.size() != pageWords * 2)
            m_page = QByteArray(pageWords * 2, char(0xFF));
        if (chipPresent()) {
            const int word = (int(high << 8) | m_latchedLow) & ~(pageWords - 1);
            m_chip->programPage(word, m_page);
            ++m_changes;
        }
        m_page.fill(char(0xFF));
        replyMarker('$', ready);
        return true;
    }
    if (n == 8 && p[0] == '&') {
        const qint64 low = hexValue(p + 1, 2);
        const qint64 high = hexValue(p + 3, 2);
        const qint64 address = hexValue(p + 5, 2);
        if (low < 0 || high < 0 || address < 0 || m_mode != Mode::FlashWrite)
            return false;
        m_latchedLow = int(address);
        if (m_page.size() != pageWords * 2)
            m_page = QByteArray(pageWords * 2, char(0xFF));
        const int slot = int(address) & (pageWords - 1);
        m_page[2 * slot] = char(low);
        m_page[2 * slot + 1] = char(high);
        return true;
    }
    if (n == 5 && p[0] == 'R' && p[1] == 'I') {
        const qint64 index = hexValue(p + 2, 2);
        if (index < 0)
            return false;
        m_mode = Mode::Command;
        replyData(QByteArray(1, char(signatureByte(int(index)))), start(t));
        return true;
    }
    if (n == 11 && p[0] == 'W' && p[1] == 'W') {
        const qint64 low = hexValue(p + 2, 2);
        const qint64 high = hexValue(p + 4, 2);
        const qint64 address = hexValue(p + 6, 4);
        if (low < 0 || high < 0 || address < 0)
            return false;
        m_mode = Mode::Command;
        double ready = 0;
        busyFor(t, m_config.timing.flashPageMs, &ready);
        if (chipPresent()) {
            m_chip->programFlashWord(int(address), quint8(low), quint8(high));
            ++m_changes;
        }
        replyMarker('!', ready);
        return true;
    }
    if (n == 9 && isUpper(p[0]) && isUpper(p[1]))
        return command(f, t);
    return false;
}

bool SimModel::command(const QByteArray& f, double t) {
    const char* a = f.constData() + 2; // the six argument characters
    const QByteArray letters = f.left(2);
    const SimTiming& tm = m_config.timing;
    const bool present = chipPresent();
    double ready = 0;
    auto leaveWriteMode = [this] { m_mode = Mode::Command; };

    if (letters == "CC") {
        leaveWriteMode();
        replyText("连接成功!", start(t));
    } else if (letters == "FM") {
        leaveWriteMode();
        replyText("固件升级模式:请重启编程器!", start(t));
        // The firmware hands over to its loader, which announces itself until answered.
        m_updateRequested = true;
        m_mode = Mode::LoaderAnnounce;
        m_announcements = 0;
        m_nextAnnounce = std::max(m_out.freeAt(), start(t)) + tm.loaderBootMs;
    } else if (letters == "RI") {
        const qint64 index = hexValue(a, 6);
        if (index < 0)
            return false;
        leaveWriteMode();
        replyData(QByteArray(1, char(signatureByte(int(index & 0xFF)))), start(t));
    } else if (letters == "EM") {
        leaveWriteMode();
        busyFor(t, tm.chipEraseMs, &ready);
        if (present) {
            m_chip->erase();
            ++m_changes;
        }
        replyText("芯片擦除完毕!", ready);
    } else if (letters == "RS") {
        leaveWriteMode();
        QByteArray bytes(4, char(0xFF));
        if (present) {
            bytes[0] = char(m_chip->lockByte());
            bytes[1] = char(m_chip->extFuse());
            bytes[2] = char(m_chip->highFuse());
            bytes[3] = char(m_chip->lowFuse());
        }
        replyData(bytes, start(t));
    } else if (letters == "WS") {
        // A field that is not hexadecimal ("..": the chip has no such byte) is not written.
        const int ext = int(hexValue(a, 2));
        const int high = int(hexValue(a + 2, 2));
        const int low = int(hexValue(a + 4, 2));
        leaveWriteMode();
        const int count = (ext >= 0) + (high >= 0) + (low >= 0);
        busyFor(t, tm.fuseByteMs * count, &ready);
        if (present) {
            m_chip->writeFuses(ext, high, low);
            ++m_changes;
        }
        replyText("熔丝位写入完毕!", ready);
    } else if (letters == "WL") {
        const qint64 lock = hexValue(a, 2);
        if (lock < 0)
            return false;
        leaveWriteMode();
        busyFor(t, tm.fuseByteMs, &ready);
        if (present) {
            m_chip->writeLock(quint8(lock));
            ++m_changes;
        }
        replyText("锁定位写入完毕!", ready);
    } else if (letters == "RF" || letters == "RE") {
        const qint64 count = hexValue(a, 6);
        if (count < 0)
            return false;
        leaveWriteMode();
        replyData(readMemory(letters == "RF", int(std::min<qint64>(count, 0x10000))), start(t));
    } else if (letters == "WE") {
        const qint64 data = hexValue(a, 2);
        const qint64 address = hexValue(a + 2, 4);
        if (data < 0 || address < 0)
            return false;
        leaveWriteMode();
        busyFor(t, tm.eepromByteMs, &ready);
        if (present) {
            m_chip->programEeprom(int(address), quint8(data));
            ++m_changes;
        }
        replyMarker('!', ready);
    } else if (letters == "RW") {
        const qint64 address = hexValue(a, 6);
        if (address < 0)
            return false;
        leaveWriteMode();
        QByteArray word(2, char(0xFF));
        if (present) {
            const int byteAddress = int((address * 2) % m_chip->flashSize());
            word[0] = char(m_chip->readFlash(byteAddress));
            word[1] = char(m_chip->readFlash(byteAddress + 1));
            for (int i = 0; i < 2; ++i)
                if (m_config.faults.corruptFlashAddress == byteAddress + i)
                    word[i] = char(word[i] ^ 0x01);
        }
        replyData(word, start(t));
    } else if (letters == "RB") {
        const qint64 address = hexValue(a, 6);
        if (address < 0)
            return false;
        leaveWriteMode();
        QByteArray byte(1, char(0xFF));
        if (present) {
            const int at = int(address % m_chip->eepromSize());
            byte[0] = char(m_chip->readEeprom(at));
            if (m_config.faults.corruptEepromAddress == at)
                byte[0] = char(byte[0] ^ 0x01);
        }
        replyData(byte, start(t));
    } else if (letters == "ME") {
        const qint64 data = hexValue(a, 2);
        const qint64 address = hexValue(a + 2, 4);
        if (data < 0 || address < 0)
            return false;
        leaveWriteMode();
        busyFor(t, tm.settingsByteMs, &ready);
        m_settings[int(address % settingsSize)] = char(data);
        ++m_changes;
        replyMarker('!', ready);
    } else if (letters == "RM") {
        const qint64 address = hexValue(a, 6);
        if (address < 0)
            return false;
        leaveWriteMode();
        replyData(QByteArray(1, m_settings[int(address % settingsSize)]), start(t));
    } else if (letters == "RT") {
        leaveWriteMode();
        busyFor(t, tm.bulkStartMs, &ready);
        m_mode = Mode::BulkWaitD;
        replyMarker('B', ready);
    } else {
        return false;
    }
    return true;
}

quint8 SimModel::signatureByte(int index) const {
    if (!chipPresent())
        return 0xFF;
    const QByteArray& sig = m_config.faults.signature.toLatin1();
    if (index >= 0 && index < 3 && sig.size() == 6) {
        const qint64 v = hexValue(sig.constData() + 2 * index, 2);
        if (v >= 0)
            return quint8(v);
    }
    return m_chip->signatureRow(index);
}

QByteArray SimModel::readMemory(bool flash, int count) const {
    if (!chipPresent())
        return QByteArray(count, char(0xFF));
    QByteArray bytes = flash ? m_chip->readFlash(0, count) : m_chip->readEeprom(0, count);
    const qint64 corrupt = flash ? m_config.faults.corruptFlashAddress
                                 : m_config.faults.corruptEepromAddress;
    if (corrupt >= 0 && corrupt < count)
        bytes[int(corrupt)] = char(bytes[int(corrupt)] ^ 0x01);
    return bytes;
}

// --- bulk upload ------------------------------------------------------------------------

void SimModel::bulkChar(char c, double t) {
    switch (m_mode) {
    case Mode::BulkWaitD:
        if (c == 'D') {
            m_mode = Mode::BulkSelect;
            m_token.clear();
            return;
        }
        break;
    case Mode::BulkSelect:
        m_token.append(c);
        if (m_token.size() < 2)
            return;
        if (m_token == "68" || m_token == "60") {
            m_bulkFlash = m_token == "68";
            (m_bulkFlash ? m_offlineFlash : m_offlineEeprom).clear();
            ++m_changes;
            m_mode = Mode::BulkWaitBlock;
            replyMarker('?', start(t));
            return;
        } else {
            // Not an upload after all: what came is the start of a frame.
            const QByteArray token = m_token;
            m_mode = Mode::Command;
            for (char k : token)
                commandChar(k, t);
            return;
        }
    case Mode::BulkWaitBlock:
        if (c == '>') {
            m_mode = Mode::BulkData;
            m_block.clear();
            return;
        }
        if (c == '!') {
            m_mode = Mode::Command;
            return;
        }
        break;
    case Mode::BulkData:
        if (hexDigit(c) >= 0) {
            m_block.append(c);
            if (m_block.size() < 256)
                return;
            QByteArray& image = m_bulkFlash ? m_offlineFlash : m_offlineEeprom;
            const int limit = m_bulkFlash ? offlineFlashLimit : offlineEepromLimit;
            if (image.size() < limit)
                image.append(QByteArray::fromHex(m_block).left(limit - image.size()));
            ++m_changes;
            double ready = 0;
            busyFor(t, m_config.timing.bulkBlockMs, &ready);
            m_mode = Mode::BulkWaitBlock;
            replyMarker('?', ready);
            return;
        }
        if (c == '!') { // ends the upload; a partial block is not stored
            m_mode = Mode::Command;
            return;
        }
        break;
    default:
        break;
    }
    // Anything unexpected ends the upload; the character belongs to the next frame.
    m_mode = Mode::Command;
    commandChar(c, t);
}

// --- the loader -------------------------------------------------------------------------

void SimModel::restartProgrammer(double atMs) {
    advanceTo(atMs);
    m_out.cutAfter(atMs);
    m_frame.clear();
    m_token.clear();
    m_mode = Mode::LoaderAnnounce;
    m_announcements = 0;
    m_busyUntil = atMs;
    m_nextAnnounce = atMs + m_config.timing.loaderBootMs;
}

bool SimModel::inLoader() const {
    return m_mode == Mode::LoaderAnnounce || m_mode == Mode::LoaderReady ||
           m_mode == Mode::LoaderWaitBlock || m_mode == Mode::LoaderData;
}

void SimModel::announce(double t) {
    const int limit = m_updateRequested ? 30 : 3;
    if (m_announcements >= limit) {
        startApplication();
        return;
    }
    ++m_announcements;
    m_nextAnnounce = t + m_config.timing.loaderAnnounceMs;
    if (t < m_deadAt)
        replyMarker('B', t);
}

void SimModel::startApplication() {
    m_mode = Mode::Command;
    m_frame.clear();
    m_token.clear();
    m_nextAnnounce = never;
    m_updateRequested = false;
}

void SimModel::loaderChar(char c, double t) {
    switch (m_mode) {
    case Mode::LoaderAnnounce:
        if (c == 'B') {
            m_mode = Mode::LoaderReady;
            m_nextAnnounce = never;
            m_token.clear();
            return;
        }
        // Not the update program: the loader starts the firmware, which takes the character.
        startApplication();
        commandChar(c, t);
        return;
    case Mode::LoaderReady:
        if (c == '#') {
            startApplication();
            return;
        }
        m_token.append(c);
        if (m_token.size() > 2)
            m_token.remove(0, m_token.size() - 2);
        if (m_token == "00") {
            m_newFirmware.clear();
            m_mode = Mode::LoaderWaitBlock;
            double ready = 0;
            busyFor(t, m_config.timing.loaderEraseMs, &ready);
            replyMarker('?', ready);
        }
        return;
    case Mode::LoaderWaitBlock:
    case Mode::LoaderData:
        if (c == '#') {
            startApplication();
            return;
        }
        if (c == '!') {
            m_firmware = m_newFirmware;
            ++m_changes;
            startApplication();
            return;
        }
        if (m_mode == Mode::LoaderWaitBlock) {
            if (c == '>') {
                m_mode = Mode::LoaderData;
                m_block.clear();
            }
            return;
        }
        if (hexDigit(c) < 0)
            return;
        m_block.append(c);
        if (m_block.size() < 256)
            return;
        if (m_newFirmware.size() < firmwareLimit)
            m_newFirmware.append(QByteArray::fromHex(m_block));
        m_mode = Mode::LoaderWaitBlock;
        {
            double ready = 0;
            busyFor(t, m_config.timing.loaderBlockMs, &ready);
            replyMarker('?', ready);
        }
        return;
    default:
        return;
    }
}
