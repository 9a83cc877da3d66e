#pragma once
// The chip a program file was built for, against the selected chip, and the fuse and lock
// bytes the file brings for the fuse page.
#include "image/chipbytes.h"

struct ChipInfo;
class Session;

// The chip the file names, for messages: its device ("atmega8"), else the chip of the table
// its signature belongs to, else the signature ("1E9007"); "" when it names none.
QString fileChipName(const ChipBytes& file);

// "" when the file names no chip or names chip; otherwise the refusal
// "程序为 attiny13 编译, 所选芯片为 ATMEGA8".
QString chipMismatch(const ChipBytes& file, const ChipInfo& chip);

// Checked before anything is sent to write or verify image (memory 0 flash, 1 EEPROM): ""
// when it may go to the selected chip, otherwise the refusal. What the file said of its chip
// holds for the image the load gave (same length and CRC-32), not for one read from a chip
// or changed since.
QString imageChipRefusal(const Session& session, int memory, const QString& image);

// Puts the file's fuse and lock bytes on the fuse page, with one log line naming them
// (kind: "ELF" or "HEX"). Positions the chip lacks stay "*", bytes the file does not give
// keep what the page showed. A file for another chip changes nothing (and says so).
void TakeFileFuses(Session& session, const ChipBytes& file, const QString& kind);
