#include "sim/simchip.h"

#include "chips/chiptable.h"

SimChip::SimChip(const QString& name) : m_traits(SimChips::byName(name)) {
    if (!m_traits)
        m_traits = SimChips::byName(QStringLiteral("ATMEGA8"));
    m_flash = QByteArray(m_traits->info->FlashSize, char(0xFF));
    m_eeprom = QByteArray(m_traits->info->EepromSize, char(0xFF));
    m_calibration = m_traits->calibration;
    m_ext = m_traits->extDefault;
    m_high = m_traits->highDefault;
    m_low = m_traits->lowDefault;
}

QString SimChip::name() const { return m_traits->info->ChipName; }

int SimChip::pageWords() const { return m_traits->info->PageWords; }

quint8 SimChip::signatureRow(int index) const {
    if (index >= 0 && index < 3)
        return m_traits->signature[index];
    const int k = index - 0x80;
    if (k >= 0 && k < m_calibration.size())
        return quint8(m_calibration[k]);
    return 0xFF;
}

void SimChip::erase() {
    m_flash.fill(char(0xFF));
    m_eeprom.fill(char(0xFF));
    m_lock = 0xFF;
}

bool SimChip::programmingLocked() const { return (lockByte() & 0x03) != 0x03; }

bool SimChip::readLocked() const { return (lockByte() & 0x03) == 0x00; }

void SimChip::programPage(int wordAddress, const QByteArray& pageBytes) {
    if (programmingLocked())
        return;
    const int size = int(m_flash.size());
    const int start = (wordAddress * 2) % size;
    char* mem = m_flash.data();
    for (int i = 0; i < pageBytes.size(); ++i) {
        const int a = (start + i) % size;
        mem[a] = char(quint8(mem[a]) & quint8(pageBytes[i]));
    }
}

void SimChip::programFlashWord(int wordAddress, quint8 low, quint8 high) {
    if (programmingLocked())
        return;
    const int size = int(m_flash.size());
    const int a = (wordAddress * 2) % size;
    m_flash[a] = char(quint8(m_flash[a]) & low);
    m_flash[a + 1] = char(quint8(m_flash[a + 1]) & high);
}

void SimChip::programEeprom(int address, quint8 value) {
    if (programmingLocked())
        return;
    // Unlike flash, an EEPROM byte is erased by the chip itself before it is written
    // (the write cycle includes the erase), so a byte takes the new value whole.
    const int a = address % int(m_eeprom.size());
    m_eeprom[a] = char(value);
}

void SimChip::writeFuses(int ext, int high, int low) {
    if (programmingLocked())
        return;
    if (ext >= 0)
        m_ext = quint8(ext) | quint8(~m_traits->extMask);
    if (high >= 0)
        m_high = quint8(high) | quint8(~m_traits->highMask);
    if (low >= 0)
        m_low = quint8(low) | quint8(~m_traits->lowMask);
}

void SimChip::writeLock(quint8 value) { m_lock = quint8(m_lock & (value | ~m_traits->lockMask)); }

void SimChip::setFuses(quint8 ext, quint8 high, quint8 low) {
    m_ext = ext | quint8(~m_traits->extMask);
    m_high = high | quint8(~m_traits->highMask);
    m_low = low | quint8(~m_traits->lowMask);
}

QByteArray SimChip::readRange(const QByteArray& mem, int address, int count) {
    QByteArray out(count, Qt::Uninitialized);
    const int size = int(mem.size());
    int a = address % size;
    for (int i = 0; i < count; ++i) {
        out[i] = mem[a];
        if (++a == size)
            a = 0;
    }
    return out;
}

quint8 SimChip::readFlash(int address) const {
    return readLocked() ? 0xFF : quint8(m_flash[address % int(m_flash.size())]);
}

quint8 SimChip::readEeprom(int address) const {
    return readLocked() ? 0xFF : quint8(m_eeprom[address % int(m_eeprom.size())]);
}

QByteArray SimChip::readFlash(int address, int count) const {
    if (readLocked())
        return QByteArray(count, char(0xFF));
    return readRange(m_flash, address, count);
}

QByteArray SimChip::readEeprom(int address, int count) const {
    if (readLocked())
        return QByteArray(count, char(0xFF));
    return readRange(m_eeprom, address, count);
}
