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

class Session;
class Ui;

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

// The loaders' ELF branch. eeprom false (the flash loader): the flash image, and from the
// same file the EEPROM image (when the file has one; the EEPROM file-name box then names
// this file) and the fuse and lock bytes (shown on the fuse page, with a log line).
// eeprom true (the EEPROM loader): the EEPROM image only. Nothing changes unless the whole
// file was read; a refusal logs the reason and shows the loader's box (readError).
// originalPath is the name as given, and is the name the EEPROM box takes.
bool LoadElfInto(Session& session, Ui& ui, const QByteArray& bytes, const QString& originalPath,
                 bool eeprom, const QString& readError);
