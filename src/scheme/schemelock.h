#pragma once
// Schemes saved for production ("locked"): after the nine lines of the scheme, the job's
// fingerprint, so that a run can refuse files that changed since the job was approved:
//
//   LOCKED
//   FLASH 1A2B3C4D 8192      CRC-32 and size of the flash file's bytes ("FLASH -" : none)
//   EEPROM 5E6F7081 512
//   FUSES 11111111...        the fuse and lock bits as line 2 holds them
//
// A scheme without these lines loads as before; older versions of the program read the
// nine lines and ignore the rest.
#include <QString>
#include <QStringList>

class Session;

// The lock lines for the session's files and fuse bits; false with *error when a named
// file cannot be read.
bool SchemeLockLines(const Session& session, QStringList* lines, QString* error);

// Whether the scheme file is locked. A locked scheme's lines that cannot be read make it
// "locked and broken": CheckSchemeLock then refuses it.
bool IsSchemeLocked(const QString& path);

// For a run of the locked scheme at path, loaded into session: the files are read again
// and must have the CRC-32 and size recorded, the fuse bits must be the recorded ones.
// True for a scheme that is not locked. False with *error naming the file and both CRCs
// ("app.hex 已改变: 方案 1A2B3C4D, 文件 5E6F7081").
bool CheckSchemeLock(const Session& session, const QString& path, QString* error);
