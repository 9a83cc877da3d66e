#pragma once
// What a program file says beside its flash and EEPROM images. avr-gcc gives the memories
// beside flash addresses of their own, in its ELF files and in the HEX files made from them:
// EEPROM at 0x810000, the fuse bytes at 0x820000 (low, high, extended), the lock byte at
// 0x830000 and the chip's signature at 0x840000 (its last byte first). Its ELF files also
// name the device they were built for.
#include <QString>
#include <array>

struct ChipInfo;

namespace AvrSpace {
constexpr quint32 Memory = 0x10000; // below: the memory the file is for
constexpr quint32 Data = 0x800000;  // RAM (.data's run-time address)
constexpr quint32 Eeprom = 0x810000;
constexpr quint32 Fuse = 0x820000;
constexpr quint32 Lock = 0x830000;
constexpr quint32 Signature = 0x840000;
constexpr quint32 Size = 0x10000; // of each space
constexpr int FuseBytes = 3;
constexpr int LockBytes = 1;
constexpr int SignatureBytes = 3;
} // namespace AvrSpace

struct ChipBytes {
    std::array<int, 3> fuse{{-1, -1, -1}}; // low, high, extended; -1 where the file has none
    int lock = -1;                         // -1: no lock byte
    QString signature;                     // six digits, first byte first ("1E9307"); "" when none
    QString device;                        // the device an ELF file names ("atmega8"); "" when none

    bool hasFuseOrLock() const { return lock >= 0 || fuse[0] >= 0 || fuse[1] >= 0 || fuse[2] >= 0; }
    bool saysChip() const { return !device.isEmpty() || !signature.isEmpty(); }
};

// The chip the file names, for messages: its device ("atmega8"), else the chip of the table
// its signature belongs to, else the signature ("1E9007"); "" when it names none.
QString fileChipName(const ChipBytes& file);

// "" when the file names no chip or names chip; otherwise the refusal
// "程序为 attiny13 编译, 所选芯片为 ATMEGA8".
QString chipMismatch(const ChipBytes& file, const ChipInfo& chip);
