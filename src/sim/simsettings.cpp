// The programmer's own settings memory ("ME", "RM") and the bulk upload of the offline
// images ("RT000000#", then "D68"/"D60" and 128-byte blocks between "?" and ">").
#include "sim/simhex.h"
#include "sim/simmodel.h"

bool SimModel::settingsCommand(const QByteArray& letters, const char* a, double t) {
    const SimTiming& tm = m_config.timing;
    double ready = 0;
    if (letters == "ME") {
        const qint64 data = SimHex::value(a, 2);
        const qint64 address = SimHex::value(a + 2, 4);
        if (data < 0 || address < 0)
            return false;
        m_mode = Mode::Command;
        busyFor(t, tm.settingsByteMs, &ready);
        m_settings[int(address % settingsSize)] = char(data);
        ++m_changes;
        replyMarker('!', ready);
    } else if (letters == "RM") {
        const qint64 address = SimHex::value(a, 6);
        if (address < 0)
            return false;
        m_mode = Mode::Command;
        replyData(QByteArray(1, m_settings[int(address % settingsSize)]), start(t));
    } else if (letters == "RT") {
        m_mode = Mode::Command;
        busyFor(t, tm.bulkStartMs, &ready);
        m_mode = Mode::BulkWaitD;
        replyMarker('B', ready);
    } else {
        return false;
    }
    return true;
}

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
        if (SimHex::digit(c) >= 0) {
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
