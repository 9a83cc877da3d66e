#pragma once
// hvpp-cli: the headless front end. Each subsystem adds its commands to the table; the
// commands call the same core operations as the window.
#include "core/ui.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <memory>

class Session;
class Link;
class Port;
class SettingsStore;
struct OpContext;

namespace Exit {
enum : int { Done = 0, Failed = 1, Usage = 2, NoAnswer = 3 };
}

// Where the CLI writes: plain lines, or one JSON object per line with --json.
class CliOutput {
public:
    CliOutput(QTextStream& out, QTextStream& err, bool json, bool terminal);
    void logLine(const QString& text);
    void progress(const QString& bar, int percent);
    void warning(const QString& title, const QString& text);
    // A result of the command: printed as "text" in plain mode, {"type":"result",...} in JSON.
    void result(const QString& text, const QJsonObject& fields = {});
    void error(const QString& text); // usage and set-up errors, on stderr
    void prompt(const QString& text); // a question or instruction for the user
    bool json() const { return m_json; }
    QTextStream& out() { return m_out; }

private:
    void emitJson(const QJsonObject& o);
    void endProgressLine();
    QTextStream& m_out;
    QTextStream& m_err;
    bool m_json;
    bool m_terminal;
    QString m_barShown;
};

class CliUi : public Ui {
public:
    CliUi(CliOutput& out, std::function<bool(const QString&)> ask) : m_out(out), m_ask(std::move(ask)) {}
    void progress(const QString& bar, int percent) override { m_out.progress(bar, percent); }
    void warning(const QString& title, const QString& text) override;
    void beep() override {}
    void setControlEnabled(const QString&, bool) override {}
    bool confirm(const QString& title, const QString& text) override;
    int warnings = 0;
    QStringList warningTexts;

private:
    CliOutput& m_out;
    std::function<bool(const QString&)> m_ask;
};

struct CliContext {
    QCommandLineParser& parser;
    QStringList args; // positional arguments after the command name
    Session& session;
    SettingsStore& settings;
    CliOutput& out;
    CliUi& ui;
    // Opens the programmer port (named by --port or the stored port); null after printing
    // the reason. Commands that need no programmer never call it.
    std::function<OpContext*()> openLink;
    bool yes = false; // --yes
};

struct CliCommand {
    QString name;
    QString synopsis; // "write-flash FILE"
    QString help;     // one or more lines
    std::function<int(CliContext&)> run;
};

struct CliRegistry {
    QList<CliCommand> commands;
    QList<QCommandLineOption> options; // command-specific options, shown under each group
    QStringList optionGroupHelp;       // extra help text blocks
};

// Each subsystem's commands.
void addFoundationCommands(CliRegistry& r);
void addImageCommands(CliRegistry& r);
void addFuseCommands(CliRegistry& r);
void addOfflineCommands(CliRegistry& r);

// Runs hvpp-cli with argv (argv[0] the program name); returns the exit code.
int runCli(const QStringList& argv, QTextStream& out, QTextStream& err,
           std::function<bool(const QString&)> ask = {});
