#pragma once
// AVR programs as avr-gcc links them: one ELF file carries the flash image (.text and the
// initial values of .data, at their load addresses), the EEPROM image (.eeprom at
// 0x810000), and, when the program declares them, the fuse bytes (.fuse at 0x820000: low,
// high, extended), the lock byte (.lock at 0x830000) and the signature (.signature at
// 0x840000). .eeprom, .fuse and .lock count with or without the allocate flag (assembler
// files often leave it out). The device note (.note.gnu.avr.deviceinfo) names the chip the
// program was built for. Read with libelf.
#include "image/chipbytes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

struct ElfImage {
    QString flash; // image text, from address 0 (FF in the gaps)
    QByteArray flashUsed;
    QString eeprom;
    QByteArray eepromUsed;
    ChipBytes chip;       // fuse, lock and signature bytes, and the device of the note
    QStringList sections; // "name@address+size" of the sections taken
    QStringList leftOut;  // names of the sections with contents that were not taken
};

// True when bytes begin with the ELF magic.
bool isElf(const QByteArray& bytes);

// Reads an ELF file's bytes. False with *error (the reason, for the log) for a file that is
// not an ELF file, is not for AVR, is not a linked program, is damaged, or puts flash data
// beyond 0x7FFF.
bool ReadElf(const QByteArray& bytes, ElfImage& out, QString* error);
