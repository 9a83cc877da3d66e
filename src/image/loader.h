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
// Missing file: "FLASH文件没找到!" in the log. A file that is not a regular file, cannot be
// read, or is not strictly valid Intel HEX: the warning "FLASH文件读取错误！" and a log line
// naming the file, the line and the reason. A kind other than HEX/BIN is logged. Whatever
// fails, the image, its size panel and its file name stay exactly as they were: the file is
// read into a buffer of its own and taken only when all of it was good.
LoadResult LoadFlashFile(Session& session, Ui& ui, QString& path);
// The same for EEPROM ("EEPROM文件没找到!", "EEPROM文件读取错误！"), plus ".EEP".
LoadResult LoadEepromFile(Session& session, Ui& ui, QString& path);

// The parser alone: reads the file at path (kind "HEX" or "BIN", flash limits) into image.
// Returns false, with image untouched, when the file is not good.
bool ReadImageFile(const QString& path, const QString& kind, QString& image);
