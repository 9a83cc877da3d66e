#pragma once
// An ELF file put into the session.
#include <QByteArray>
#include <QString>

class Session;
class Ui;

// The loaders' ELF branch. eeprom false (the flash loader): the flash image, and from the
// same file the EEPROM image (when the file has one; the EEPROM file-name box then names
// this file) and the fuse and lock bytes (shown on the fuse page, with a log line).
// eeprom true (the EEPROM loader): the EEPROM image only. Nothing changes unless the whole
// file was read; a refusal logs the reason and shows the loader's box (readError).
// originalPath is the name as given, and is the name the EEPROM box takes.
bool LoadElfInto(Session& session, Ui& ui, const QByteArray& bytes, const QString& originalPath,
                 bool eeprom, const QString& readError);
