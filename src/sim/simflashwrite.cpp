// The flash-write stream ("WF#", word latches, page commits, "!#") and the single word
// write ("WW").
#include "sim/simhex.h"
#include "sim/simmodel.h"

bool SimModel::beginFlashWrite() {
    m_mode = Mode::FlashWrite;
    m_page = QByteArray(pageWords() * 2, char(0xFF));
    return true;
}

bool SimModel::endFlashWrite(double t) {
    if (m_mode != Mode::FlashWrite)
        return false;
    m_mode = Mode::Command;
    replyText("FLASH写入完毕!", start(t));
    return true;
}

// "&LLHHAA#": one word into the page buffer; AA is the low byte of its word address.
bool SimModel::latchWord(const char* p) {
    const qint64 low = SimHex::value(p, 2);
    const qint64 high = SimHex::value(p + 2, 2);
    const qint64 address = SimHex::value(p + 4, 2);
    if (low < 0 || high < 0 || address < 0 || m_mode != Mode::FlashWrite)
        return false;
    const int words = pageWords();
    m_latchedLow = int(address);
    if (m_page.size() != words * 2)
        m_page = QByteArray(words * 2, char(0xFF));
    const int slot = int(address) & (words - 1);
    m_page[2 * slot] = char(low);
    m_page[2 * slot + 1] = char(high);
    return true;
}

// "$HH#": the page buffer goes to the page holding word HH:(last latched low byte).
bool SimModel::commitPage(const char* p, double t) {
    const qint64 high = SimHex::value(p, 2);
    if (high < 0 || m_mode != Mode::FlashWrite)
        return false;
    const int words = pageWords();
    double ready = 0;
    busyFor(t, m_config.timing.flashPageMs, &ready);
    if (m_page.size() != words * 2)
        m_page = QByteArray(words * 2, char(0xFF));
    if (chipPresent()) {
        const int word = (int(high << 8) | m_latchedLow) & ~(words - 1);
        m_chip->programPage(word, m_page);
        ++m_changes;
    }
    m_page.fill(char(0xFF));
    replyMarker('$', ready);
    return true;
}

// "WWLLHHAAAA#": one word straight into the flash.
bool SimModel::writeFlashWord(const char* p, double t) {
    const qint64 low = SimHex::value(p, 2);
    const qint64 high = SimHex::value(p + 2, 2);
    const qint64 address = SimHex::value(p + 4, 4);
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
