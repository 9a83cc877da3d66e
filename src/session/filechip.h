#pragma once
// A program file's chip against the session's chip: may its image go to the chip, and the
// fuse and lock bytes the file brings for the fuse page.
#include "image/chipbytes.h"

class Session;

// Checked before anything is sent to write or verify image (memory 0 flash, 1 EEPROM): ""
// when it may go to the selected chip, otherwise the refusal. What the file said of its chip
// holds for the image the load gave (same length and CRC-32), not for one read from a chip
// or changed since.
QString imageChipRefusal(const Session& session, int memory, const QString& image);

// Puts the file's fuse and lock bytes on the fuse page, with one log line naming them
// (kind: "ELF" or "HEX"). Positions the chip lacks stay "*", bytes the file does not give
// keep what the page showed. A file for another chip changes nothing (and says so).
void TakeFileFuses(Session& session, const ChipBytes& file, const QString& kind);
