#pragma once
// Options that several commands take, declared once: image files, the program options and
// their switches, the calibration choices.
#include <QCommandLineOption>
#include <QList>

class CliContext;

QCommandLineOption fileOption(const char* name, const QString& help);
// --options DIGITS and one switch per program option (--erase, --write-flash, ...).
QList<QCommandLineOption> programOptions();
// --cal-slot, --cal-target, --cal-address.
QList<QCommandLineOption> calOptions();

// The ten options: --options, else stored ones when asked, else the designed defaults
// (erase, write and verify flash, reload, signature check); then every switch given ticks
// its option. False after a usage message.
bool applyProgramOptions(CliContext& ctx);
// The calibration choices given; false after a usage message.
bool applyCalOptions(CliContext& ctx);
// The designed defaults of the ten options, as text.
QString designedOptions();
