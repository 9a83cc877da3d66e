#pragma once
// What the simulated target chips are made of beyond the chip table: which fuse and lock
// bits exist, the factory fuse values and the oscillator calibration bytes.
#include <QByteArray>
#include <QString>

struct ChipInfo;

struct SimChipTraits {
    const ChipInfo* info = nullptr;
    quint8 signature[3] = {0x1E, 0, 0};
    // Bits that exist in each byte; the others read as 1.
    quint8 lockMask = 0x03;
    quint8 extMask = 0x00;
    quint8 highMask = 0x00;
    quint8 lowMask = 0xFF;
    // Factory values.
    quint8 extDefault = 0xFF;
    quint8 highDefault = 0xFF;
    quint8 lowDefault = 0xFF;
    // Calibration bytes read with "RI80#" upward (none for ATMEGA161).
    QByteArray calibration;
};

namespace SimChips {
// The traits of a chip of the table; null for any other name.
const SimChipTraits* byName(const QString& name);
} // namespace SimChips
