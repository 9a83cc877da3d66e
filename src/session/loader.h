#pragma once
// Filling the images from files: Intel HEX, ELF and raw binary. What a file is comes from
// its first bytes where they tell: the ELF magic makes an ELF file whatever its name; a name
// ending in .HEX, .BIN or .ELF says the rest; a ".EEP" file, or one of any other name, is
// Intel HEX when it begins with a record (":"); the EEPROM loader takes a ".EEP" file that
// does not as binary.
#include <QString>

class Session;
class Ui;

// No chip of the table holds more than 32 KB; a file that would give an image beyond this
// many bytes is refused before it is read into memory (HEX addresses stop at 64 KB anyway).
constexpr qint64 MaxImageFileBytes = 64 * 1024;

// What a load did. The GUI may ignore it (the path and the messages say it all); the CLI
// turns it into its exit code.
enum class LoadResult { Loaded, NotFound, ReadError, UnknownKind };

// path in: the file; out: the path in upper case, or "NO" when the file was not found.
// Missing file: "FLASH文件没找到!" in the log. A file that is not a regular file, cannot be
// read, or is not strictly valid: the warning "FLASH文件读取错误！" and a log line naming
// the file, the line and the reason. A file of no known kind is logged. Whatever
// fails, the image, its size panel and its file name stay exactly as they were: the file is
// read into a buffer of its own and taken only when all of it was good.
LoadResult LoadFlashFile(Session& session, Ui& ui, QString& path);
// The same for EEPROM ("EEPROM文件没找到!", "EEPROM文件读取错误！"). An Intel HEX file with
// its end record and no data (what avr-objcopy writes for a program without EEPROM data)
// gives an empty image.
LoadResult LoadEepromFile(Session& session, Ui& ui, QString& path);

// The parser alone: reads the file at path (kind "HEX" or "BIN", as a flash file) into image.
// Returns false, with image untouched, when the file is not good.
bool ReadImageFile(const QString& path, const QString& kind, QString& image);
