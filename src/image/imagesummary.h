#pragma once
// What a loaded image holds: the address ranges the file set, the bytes used of the
// selected chip's memory, its CRC-32, and whether it fits the chip.
#include "image/byteranges.h"
#include "image/chipbytes.h"

#include <QString>
#include <QStringList>

struct ImageSummary {
    QVector<ByteRange> ranges; // the bytes the file set (not guessed from FF)
    int usedBytes = 0;         // bytes inside those ranges
    int imageBytes = 0;        // length of the image (highest address + 1)
    int chipBytes = 0;         // the selected chip's memory
    QString crc;               // CRC-32 of the image bytes, eight digits ("" when empty)
    ChipBytes fileChip;        // what the file said of its chip (device, signature)
    bool fits() const { return imageBytes <= chipBytes; }
};

// used: one byte per image address, non-zero where the file set the byte (shorter or
// longer than the image is allowed: it is cut or taken as far as it goes).
ImageSummary summarizeImage(const QString& image, const QByteArray& used, int chipBytes);

// The log lines of a summary: memory "FLASH" or "EEPROM", chipName the selected chip.
// Line 1: ranges, used/chip bytes, CRC and the device the file names; line 2 only when the
// image does not fit.
QStringList summaryLines(const ImageSummary& s, const QString& memory, const QString& chipName);
