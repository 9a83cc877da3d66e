#pragma once
// Scheme files (".SET"): one whole job, nine lines in GBK, each ended by CR LF: chip name,
// the 32 fuse bits, the ten program options, the flash and EEPROM file paths, the
// calibration frequency and target (" 2": a blank and the digit), the two calibration
// addresses. Settings only; the images are reloaded from their files.
#include <QString>
#include <QStringList>

class Session;
class Ui;

// The nine lines as SaveSet writes them (without line ends).
QStringList SchemeLines(const Session& session);

// Writes the scheme of the session to path. The old file is replaced only once the new one
// is complete. Returns false with *error set when the file cannot be written (or a value
// cannot be written in GBK); the old file is then left as it was.
// locked: the scheme is saved for production, with the CRC-32 and size of both files and
// the fuse bits after the nine lines (schemelock.h); a file named but unreadable then
// refuses the save.
bool SaveSet(const Session& session, const QString& path, QString* error = nullptr,
             bool locked = false);

// Applies the file line by line; the first line that is missing or cannot be applied ends
// the load silently, what was applied before stays. With "文件重载" ticked (by the file)
// the images are reloaded from the file names (LoadFlashFile / LoadEepromFile); otherwise
// the images stay as they were. Returns the number of lines applied (9: the whole file; 0
// also when the file cannot be opened).
int LoadSet(Session& session, Ui& ui, const QString& path);
