#pragma once
// AVR programs as avr-gcc links them: one ELF file carries the flash image (.text and the
// initial values of .data, at their load addresses), the EEPROM image (.eeprom at
// 0x810000), and, when the program declares them, the fuse bytes (.fuse at 0x820000: low,
// high, extended) and the lock byte (.lock at 0x830000). Read with libelf.
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
    QByteArray fuses; // 0 to 3 bytes: low, high, extended
    bool hasLock = false;
    quint8 lock = 0xFF;
    QStringList sections; // "name@address+size" of the sections taken
};

// Reads an ELF file. False with *error (the reason, for the log) for a file that is not an
// ELF file, is not for AVR, is damaged, or puts flash data beyond 0x7FFF.
bool ReadElfFile(const QString& path, ElfImage& out, QString* error);

// The loaders' ELF branch. eeprom false (the flash loader): the flash image, and from the
// same file the EEPROM image (when the file has one; the EEPROM file-name box then names
// this file) and the fuse and lock bytes (shown on the fuse page, with a log line).
// eeprom true (the EEPROM loader): the EEPROM image only. Nothing changes unless the whole
// file was read; a refusal logs the reason and shows the loader's box (readError).
// originalPath is the name as given (opened), and is the name the EEPROM box takes.
bool LoadElfInto(Session& session, Ui& ui, const QString& originalPath, bool eeprom,
                 const QString& readError);
