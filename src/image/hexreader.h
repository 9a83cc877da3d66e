#pragma once
// Intel HEX, read strictly: every line is either blank or one whole record whose byte count,
// hexadecimal digits and checksum are right. Records may come in any address order; each is
// placed at its address, and no byte may be given twice. Data records and the end record are
// used; extended address records (02, 04) may only say 0 (the chips have no memory beyond
// 64 KB), start address records (03, 05) are ignored.
#include <QByteArray>
#include <QString>

struct HexReadResult {
    bool ok = false;
    QByteArray bytes; // the image from address 0, gaps 0xFF
    bool sawEndRecord = false;
    int line = 0;   // where the fault is (1-based; 0 for the file as a whole)
    QString reason; // what is wrong there
};

// limitBytes: no data byte may lie at or beyond this address (0x8000 for flash, 1024 for
// EEPROM).
HexReadResult ReadIntelHex(const QByteArray& content, int limitBytes);
