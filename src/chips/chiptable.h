#pragma once
// The fourteen supported chips and the two look-ups over them.
#include <QString>
#include <QStringList>
#include <array>

struct ChipInfo {
    QString ChipName;
    QString SignatureText; // six upper-case hexadecimal digits
    qint32 FlashSize = 0;  // bytes
    qint16 EepromSize = 0; // bytes
    qint16 PageWords = 0;  // flash page in 16-bit words
};

namespace ChipTable {
// In the order chip selection tests the names; the last row is also the fallback.
const std::array<ChipInfo, 14>& rows();
// The row whose name equals name exactly, or the ATMEGA8 row.
const ChipInfo& byName(const QString& name);
// True when name is exactly one of the table's names.
bool contains(const QString& name);
// Names in table order (for menus).
QStringList names();
} // namespace ChipTable

// The chip name whose signature equals signature exactly, or "" (no fallback).
QString ChipNameFromSignature(const QString& signature);

// Chips whose extended fuse byte the fuse operations use.
bool chipHasExtendedFuseByte(const QString& chipName);
