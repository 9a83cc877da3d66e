#pragma once
// hvpp-cli: the headless front end. One table of commands; each command declares its own
// options and arguments and runs the same core operations as the window, through the
// shared preamble of CliContext (port, chip, target check, exit code).
#include "core/ui.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>
#include <QTextStream>
#include <functional>
#include <memory>
#include <vector>

class Session;
class SettingsStore;
class CliOutput;
class CliUi;
struct OpContext;

namespace Exit {
enum : int { Done = 0, Failed = 1, Usage = 2, NoAnswer = 3 };
}

// What the body of a command's operation found; the preamble turns it into the exit code.
enum class Step {
    Ok,
    Failed,   // a step failed: a verify, a load, a refused image, a write without data
    NoAnswer, // the programmer or the target did not answer as needed
};

// What an operation needs before its body runs: the programmer alone, or a chip that
// answers the presence test. Loader: the firmware loader, whose waits poll for its marker;
// the body judges the answers itself.
// ProgrammerJudged: the programmer, and the body judges missing answers itself (a production
// run fails the chip, not the command).
enum class Need { Programmer, Target, Loader, ProgrammerJudged };

// The options that every command takes (port, chip, output, simulator).
struct CliGlobals {
    QString settingsFile;
    QString port; // empty: the stored port
    QString chip; // empty: the stored chip
    QString line; // --line, empty: the stored serial setting
    QString flow; // --flow, empty: the stored flow control
    bool json = false;
    bool quiet = false;
    bool verbose = false;
    QStringList simArgs; // the --sim-* options, without their "sim-" prefix
};

class CliContext {
  public:
    CliContext(const QCommandLineParser& parser, QStringList args, const CliGlobals& globals,
               Session& session, SettingsStore& settings, CliOutput& out, CliUi& ui);
    ~CliContext();

    const QCommandLineParser& parser;
    const QStringList args; // positional arguments after the command name
    const CliGlobals& globals;
    Session& session;
    SettingsStore& settings;
    CliOutput& out;
    CliUi& ui;
    std::vector<std::unique_ptr<QTemporaryFile>> temporaries; // standard input, as files

    bool isSet(const char* option) const;
    QString value(const char* option) const;

    // Opens the programmer port (--port, else the stored one) with the line settings; null
    // after an error naming the port.
    OpContext* link();
    // Runs body as one operation: opens the link, checks the target when asked, and maps
    // the outcome to the exit code (the link lost or an answer missing: 3; a failed step:
    // 1; otherwise 0).
    int run(OpId id, Need need, const std::function<Step(OpContext&)>& body);
    // Loads path into the flash or EEPROM image as the open buttons do; false after an
    // error naming the file (also when the file holds no data, unless emptyIsData).
    bool loadImage(bool eeprom, const QString& path, bool emptyIsData = false);
    // False after an error naming both chips when the loaded image comes from a file built
    // for another chip than the selected one (checked before anything is sent).
    bool imageForChip(bool eeprom);
    // False after a usage error when --sim-* options were given for a port that is not the
    // built-in simulator.
    bool simArgsFitPort();
    // Prints a usage error and returns Exit::Usage.
    int usage(const QString& text);
    // Prints an error about the port (its name is the subject) and returns code.
    int portError(const char* errorCode, const QString& text, int code);
    // Name of the port the command talks to, for messages.
    QString portName() const;
    // The run was asked to stop (Ctrl-C, SIGTERM).
    bool stopRequested() const;

  private:
    struct Wire;
    std::unique_ptr<Wire> m_wire;
};

struct CliCommand {
    QString name;
    QString args; // the positional arguments in the synopsis ("FILE", "flash|eeprom ADDR")
    int minArgs = 0;
    int maxArgs = 0;
    QString summary; // one line for the command list
    QString details; // further lines for COMMAND --help
    QString example; // one example command line
    QList<QCommandLineOption> options;
    std::function<int(CliContext&)> run;
};

using CliTable = QList<CliCommand>;

// Each family's commands.
void addConnectionCommands(CliTable& t);
void addMemoryCommands(CliTable& t);
void addByteCommands(CliTable& t);
void addProgramCommands(CliTable& t);
void addFuseCommands(CliTable& t);
void addOfflineCommands(CliTable& t);
void addProgrammerCommands(CliTable& t);
void addSchemeCommands(CliTable& t);
void addFeatureCommands(CliTable& t); // info, compare

// The whole table, in the order of the command list.
CliTable cliCommands();
// The options every command takes.
QList<QCommandLineOption> cliGlobalOptions();

struct CliExitCode {
    int code;
    QString meaning;
};
// What each exit code means, for --help and the manual page.
QList<CliExitCode> cliExitCodes();
// Where the description of the --json events is installed.
QString jsonContractPath();
// The manual page (roff), in the language of the run: a section per command with its
// synopsis, options and example, EXIT STATUS, SIGNALS, FILES.
QString cliManPage();

// The signal that asked the running command to stop (main's handler tells it): the run
// then ends with 128 + its number, as a shell reports a program the signal ended.
void setCliStopSignal(int signalNumber);

// Runs hvpp-cli with argv (argv[0] the program name); returns the exit code. terminal:
// progress lines are drawn on err (a terminal); ask answers yes/no questions.
int runCli(const QStringList& argv, QTextStream& out, QTextStream& err,
           std::function<bool(const QString&)> ask = {}, bool terminal = false);
