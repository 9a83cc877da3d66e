#pragma once
// program --repeat: a production run from the command line.
#include <QCommandLineOption>
#include <QList>

class CliContext;
struct ProgramJob;

// --repeat, --csv, --serial, --serial-initial, --serial-increment.
QList<QCommandLineOption> repeatOptions();
// Usage errors in the repeat options are reported before anything runs: -1 when all is
// well (or --repeat is not given), else the exit code.
int checkRepeatOptions(CliContext& ctx);
// Runs until Ctrl-C (or a failure of the link): one line per chip, a summary at the end.
// Exit 0 when no chip failed.
// job: taken and checked when the run starts, the same for every chip.
int runRepeat(CliContext& ctx, const ProgramJob& job);
