#pragma once
// "存熔丝数据": the programmer's own chip and fuse table (13 records of five bytes at
// settings memory 0x0040..0x0080), and "试验", which only adds a name to the chip menu.
#include <QString>
#include <array>

struct OpContext;

struct ProgrammerFuseRecord {
    const char* chip;
    quint8 signature1;
    quint8 signature2;
    quint8 extended;
    quint8 high;
    quint8 low;
};

constexpr int FuseTableFirstAddress = 0x0040;
const std::array<ProgrammerFuseRecord, 13>& programmerFuseTable();

// Writes the 65 bytes in address order ("ME930040#" first, "MEE10080#" last), each
// followed by the wait for "!", then beeps and logs what became of it. False when the
// programmer did not confirm every byte.
bool StoreFuseTable(OpContext& c);

// The entry "试验" adds to the toolbar's chip menu; it selects the ATMEGA8 row.
inline QString testChipMenuEntry() {
    return QStringLiteral("ATTINY24");
}
