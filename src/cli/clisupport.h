#pragma once
// What the shell and the preamble share: the global option values read into port and
// simulator settings.
#include <QString>
#include <QStringList>

struct BuiltInSimOptions;
class SettingsStore;

// The --sim-* options (given without their "sim-" prefix): the chip, the state file, the
// clock and the simulator's fault switches. False with *error for a bad value.
bool parseSimArgs(const QStringList& args, BuiltInSimOptions* options, QString* error);
// Names (without the prefix) of the --sim-* options that take a value.
QStringList simValueOptions();
// The help block of the --sim-* options.
QString simOptionsHelp();
// "none" 0, "software" 1, "hardware" 2; -1 for anything else.
int flowMode(const QString& word);
// The stored port: its name as typed, else the platform's first serial device.
QString storedPortName(const SettingsStore& settings);
