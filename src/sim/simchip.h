#pragma once
// The target chip in the programmer's socket: its memories, fuses and lock byte, with the
// rules of the real part. Erase sets flash and EEPROM to FF and clears the lock byte;
// flash programming only clears bits (new = old AND data), an EEPROM byte write erases the
// byte first; fuse and lock bits the chip lacks read
// as 1; once LB1 or LB2 is programmed flash, EEPROM and fuses take no more writes, and with
// both programmed (lock mode 3) flash and EEPROM read back as FF.
#include "sim/simchips.h"

#include <QByteArray>
#include <QString>

class SimChip {
public:
    // name must be one of the chip table's names (SimChips::byName not null).
    explicit SimChip(const QString& name);

    QString name() const;
    const SimChipTraits& traits() const { return *m_traits; }
    int flashSize() const { return int(m_flash.size()); }
    int eepromSize() const { return int(m_eeprom.size()); }
    int pageWords() const;

    // Signature row: index 0..2 signature, 0x80 + k calibration byte k; FF where none.
    quint8 signatureRow(int index) const;
    void setCalibration(const QByteArray& bytes) { m_calibration = bytes; }
    const QByteArray& calibration() const { return m_calibration; }

    void erase();
    bool programmingLocked() const; // lock mode 2 or 3
    bool readLocked() const;        // lock mode 3

    // Programming (ignored while locked). Addresses wrap at the memory's size.
    void programPage(int wordAddress, const QByteArray& pageBytes);
    void programFlashWord(int wordAddress, quint8 low, quint8 high);
    void programEeprom(int address, quint8 value);
    void writeFuses(int ext, int high, int low); // -1 leaves a byte as it is
    void writeLock(quint8 value);

    // Reading as the programmer sees it (FF under lock mode 3).
    quint8 readFlash(int address) const;
    quint8 readEeprom(int address) const;
    QByteArray readFlash(int address, int count) const;
    QByteArray readEeprom(int address, int count) const;
    quint8 lockByte() const { return m_lock | quint8(~m_traits->lockMask); }
    quint8 extFuse() const { return m_ext | quint8(~m_traits->extMask); }
    quint8 highFuse() const { return m_high | quint8(~m_traits->highMask); }
    quint8 lowFuse() const { return m_low | quint8(~m_traits->lowMask); }

    // Raw access for tests and the saved state (no lock rules, sizes are kept).
    QByteArray& flash() { return m_flash; }
    QByteArray& eeprom() { return m_eeprom; }
    const QByteArray& flash() const { return m_flash; }
    const QByteArray& eeprom() const { return m_eeprom; }
    void setFuses(quint8 ext, quint8 high, quint8 low);
    void setLock(quint8 lock) { m_lock = lock; }

private:
    static QByteArray readRange(const QByteArray& mem, int address, int count);
    const SimChipTraits* m_traits;
    QByteArray m_flash;
    QByteArray m_eeprom;
    QByteArray m_calibration;
    quint8 m_ext, m_high, m_low;
    quint8 m_lock = 0xFF;
};
