// The chip's memories through the programmer: signature and calibration bytes, erase,
// fuses and lock, flash and EEPROM reads, single EEPROM bytes and single read-backs.
#include "sim/simhex.h"
#include "sim/simmodel.h"

#include <algorithm>

// "RInn#": the short form of the signature-row read.
bool SimModel::readSignatureShort(const char* p, double t) {
    const qint64 index = SimHex::value(p, 2);
    if (index < 0)
        return false;
    m_mode = Mode::Command;
    replyData(QByteArray(1, char(signatureByte(int(index)))), start(t));
    return true;
}

bool SimModel::memoryCommand(const QByteArray& letters, const char* a, double t) {
    if (letters == "RS" || letters == "WS" || letters == "WL")
        return fuseCommand(letters, a, t);
    if (letters == "RI" || letters == "RF" || letters == "RE" || letters == "RW" || letters == "RB")
        return readCommand(letters, a, t);
    if (letters == "EM" || letters == "WE")
        return writeCommand(letters, a, t);
    return false;
}

// "RS" reads lock and fuses, "WS" writes the fuses, "WL" the lock byte.
bool SimModel::fuseCommand(const QByteArray& letters, const char* a, double t) {
    const bool present = chipPresent();
    double ready = 0;
    if (letters == "RS") {
        m_mode = Mode::Command;
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
        const int ext = int(SimHex::value(a, 2));
        const int high = int(SimHex::value(a + 2, 2));
        const int low = int(SimHex::value(a + 4, 2));
        m_mode = Mode::Command;
        const int count = (ext >= 0) + (high >= 0) + (low >= 0);
        busyFor(t, m_config.timing.fuseByteMs * count, &ready);
        if (present && !m_config.faults.dropFuseWrite) {
            m_chip->writeFuses(ext, high, low);
            ++m_changes;
        }
        replyText("熔丝位写入完毕!", ready);
    } else {
        const qint64 lock = SimHex::value(a, 2);
        if (lock < 0)
            return false;
        m_mode = Mode::Command;
        busyFor(t, m_config.timing.fuseByteMs, &ready);
        if (present) {
            m_chip->writeLock(quint8(lock));
            ++m_changes;
        }
        replyText("锁定位写入完毕!", ready);
    }
    return true;
}

// "RI" a signature-row byte, "RF"/"RE" the start of flash or EEPROM, "RW" one flash word,
// "RB" one EEPROM byte.
bool SimModel::readCommand(const QByteArray& letters, const char* a, double t) {
    const qint64 n = SimHex::value(a, 6);
    if (n < 0)
        return false;
    m_mode = Mode::Command;
    const bool present = chipPresent();
    QByteArray bytes;
    if (letters == "RI") {
        bytes = QByteArray(1, char(signatureByte(int(n & 0xFF))));
    } else if (letters == "RF" || letters == "RE") {
        bytes = readMemory(letters == "RF", int(std::min<qint64>(n, 0x10000)));
    } else if (letters == "RW") {
        bytes = QByteArray(2, char(0xFF));
        if (present) {
            const int byteAddress = int((n * 2) % m_chip->flashSize());
            bytes[0] = char(m_chip->readFlash(byteAddress));
            bytes[1] = char(m_chip->readFlash(byteAddress + 1));
            for (int i = 0; i < 2; ++i)
                if (m_config.faults.corruptsFlash(byteAddress + i))
                    bytes[i] = char(bytes[i] ^ 0x01);
        }
    } else {
        bytes = QByteArray(1, char(0xFF));
        if (present) {
            const int at = int(n % m_chip->eepromSize());
            bytes[0] = char(m_chip->readEeprom(at));
            if (m_config.faults.corruptsEeprom(at))
                bytes[0] = char(bytes[0] ^ 0x01);
        }
    }
    replyData(bytes, start(t));
    return true;
}

// "EM" erases the chip, "WE" writes one EEPROM byte.
bool SimModel::writeCommand(const QByteArray& letters, const char* a, double t) {
    const bool present = chipPresent();
    double ready = 0;
    if (letters == "EM") {
        m_mode = Mode::Command;
        busyFor(t, m_config.timing.chipEraseMs, &ready);
        if (present) {
            m_chip->erase();
            ++m_changes;
        }
        replyText("芯片擦除完毕!", ready);
        return true;
    }
    const qint64 data = SimHex::value(a, 2);
    const qint64 address = SimHex::value(a + 2, 4);
    if (data < 0 || address < 0)
        return false;
    m_mode = Mode::Command;
    busyFor(t, m_config.timing.eepromByteMs, &ready);
    if (present) {
        m_chip->programEeprom(int(address), quint8(data));
        ++m_changes;
    }
    replyMarker('!', ready);
    return true;
}

quint8 SimModel::signatureByte(int index) const {
    if (!chipPresent())
        return 0xFF;
    const QByteArray& sig = m_config.faults.signature.toLatin1();
    if (index >= 0 && index < 3 && sig.size() == 6) {
        const qint64 v = SimHex::value(sig.constData() + 2 * index, 2);
        if (v >= 0)
            return quint8(v);
    }
    return m_chip->signatureRow(index);
}

QByteArray SimModel::readMemory(bool flash, int count) const {
    if (!chipPresent())
        return QByteArray(count, char(0xFF));
    QByteArray bytes = flash ? m_chip->readFlash(0, count) : m_chip->readEeprom(0, count);
    const SimFaults& f = m_config.faults;
    QList<qint64> corrupt = flash ? f.corruptFlashMore : f.corruptEepromMore;
    corrupt << (flash ? f.corruptFlashAddress : f.corruptEepromAddress);
    std::sort(corrupt.begin(), corrupt.end());
    corrupt.erase(std::unique(corrupt.begin(), corrupt.end()), corrupt.end());
    for (qint64 a : corrupt)
        if (a >= 0 && a < count)
            bytes[int(a)] = char(bytes[int(a)] ^ 0x01);
    return bytes;
}
