#pragma once
// Intel HEX, read strictly: every line is either blank or one whole record whose byte count,
// hexadecimal digits and checksum are right. Records may come in any address order; each is
// placed at its address, and no byte may be given twice. Data records and the end record are
// used, extended address records (02, 04) set the base of the records after them, start
// address records (03, 05) are ignored. A byte-order mark before the first record is
// skipped; lines end in LF or CR LF.
//
// Addresses follow avr-gcc's spaces (image/chipbytes.h). Below 64 KB lies the memory the
// file is for. A flash file may carry the fuse, lock and signature bytes; an EEPROM file may
// put its data at 0x810000 instead of 0 (avr-objcopy without --change-section-lma). Anything
// else is refused with a reason that names the address.
#include "image/chipbytes.h"

#include <QByteArray>
#include <QString>

struct HexReadResult {
    bool ok = false;
    QByteArray bytes; // the image from address 0, gaps 0xFF
    QByteArray used;  // one byte per image address: 1 where a record gave it
    ChipBytes chip;   // fuse, lock and signature bytes (flash files)
    bool sawEndRecord = false;
    int line = 0;   // where the fault is (1-based; 0 for the file as a whole)
    QString reason; // what is wrong there
};

// limitBytes: no data byte may lie at or beyond this address (0x8000 for flash, 1024 for
// EEPROM). A flash file must hold flash data; an EEPROM file may hold none at all when it
// has its end record (avr-objcopy writes that for a program without EEPROM data).
HexReadResult ReadIntelHex(const QByteArray& content, bool eepromFile, int limitBytes);
