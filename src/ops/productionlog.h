#pragma once
// The record of a production run: one CSV line per chip, language-free, with a header line.
// Several stations may share one file: each line is appended under a lock file, so lines
// never interleave, and a file with other columns is refused rather than mixed.
#include <QString>

struct ChipRecord {
    QString time;      // ISO 8601, local time
    QString signature; // six hex digits as read
    QString serial;    // eight hex digits, "" when none was written
    bool passed = false;
    bool stopped = false; // the run was stopped while this chip was programmed
    QString failedStep;   // the code of the step that failed (stepcode.h), "" when none
    QString error;        // why, when no step is to blame: "no_answer", "link_lost", ""
    QString flashCrc;     // CRC-32 of the images programmed ("" when empty)
    QString eepromCrc;
    QString job;     // the scheme's name
    QString station; // --station, default the host name
    QString port;    // the programmer's port
    // "PASS", "FAIL" or "STOPPED".
    QString result() const;
};

QString csvHeader();
QString csvLine(const ChipRecord& r);

// Makes sure a run can record: creates the file with its header, or checks that an existing
// one has this header. False with *error (the file cannot be created, read or written, or
// it has other columns).
bool prepareCsv(const QString& path, QString* error);
// Appends one line under the lock (and the header, to a new or empty file). The file is
// replaced as a whole, so a failed write leaves the old log as it was. False with *error.
bool appendCsvLine(const QString& path, const QString& line, QString* error);
