#pragma once
// "-" for a file: standard input for the files a command reads, standard output for the
// image it writes. The data has no name to tell its format, so --format says it.
#include <QCommandLineOption>
#include <QString>

class CliContext;

inline bool isStream(const QString& path) {
    return path == u"-";
}
// --format hex|bin|elf, for the commands that take "-".
QCommandLineOption formatOption();
// The file to load for path: path itself, or for "-" a temporary file (kept while the
// command runs) holding standard input, named for --format. "" after an error (printed).
QString streamInput(CliContext& ctx, const QString& path);
// Before anything is printed: with "-" as the output, the log and the results go to
// stderr; --json (whose events are stdout) and a missing --format are usage errors.
// Returns -1 when all is well, else the exit code.
int claimStdout(CliContext& ctx, const QString& path);
// Writes the image to path, or for "-" to standard output in --format (hex or bin).
bool writeImageTo(CliContext& ctx, const QString& path, const QString& image, QString* error);
