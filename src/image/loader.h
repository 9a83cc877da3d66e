#pragma once
// Filling the images from files: Intel HEX (data records at their 16-bit offsets) and raw
// binary; the EEPROM loader also sniffs ".EEP" files (":" on the first line means HEX).
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
// Missing file: "FLASH文件没找到!" in the log. Unreadable or malformed file: the warning
// "FLASH文件读取错误！" (the image keeps what was read before the fault, the size panel is
// not updated). A kind other than HEX/BIN leaves the image empty and says nothing.
LoadResult LoadFlashFile(Session& session, Ui& ui, QString& path);
// The same for EEPROM ("EEPROM文件没找到!", "EEPROM文件读取错误！"), plus ".EEP".
LoadResult LoadEepromFile(Session& session, Ui& ui, QString& path);

// The parser alone: reads the file at path (kind "HEX" or "BIN") into image. Returns false
// with image holding the digits read before the fault.
bool ReadImageFile(const QString& path, const QString& kind, QString& image);
