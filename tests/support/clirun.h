#pragma once
// hvpp-cli for tests: run in-process (its commands over the same core, the built-in
// simulated programmer on its virtual clock, so no run costs real time) or as the built
// executable. Brings the command table (cli/cli.h) with it.
#include "cli/cli.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <functional>

struct CliRun {
    int code = -1;
    QString out;
    QString err;
    // The line of type "result" in JSON output, or an empty object.
    QJsonObject result() const;
};

// args without the program name; every question is answered "no". terminal: output as on
// a terminal (progress lines).
CliRun cli(const QStringList& args, bool terminal = false);
// As cli(), and then Ctrl-C (every link told to stop) as soon as stopWhen holds for what
// it has printed on its output so far.
CliRun cliStoppedWhen(const QStringList& args,
                      const std::function<bool(const QString& out)>& stopWhen);
inline CliRun runCliCaptured(const QStringList& args, bool terminal = false) {
    return cli(args, terminal);
}

// The executable; with merged, out holds both of its channels. code is -1 when it crashed
// or did not end within timeoutMs (it is killed then).
CliRun cliProcess(const QStringList& args, bool merged = true, int timeoutMs = 60000);

// The global options of a run against the built-in simulator on its virtual clock.
inline QStringList simArgs(const QString& settingsFile, const QStringList& simOptions = {}) {
    return QStringList{QStringLiteral("--settings"),  settingsFile,
                       QStringLiteral("--port"),      QStringLiteral("sim"),
                       QStringLiteral("--sim-clock"), QStringLiteral("virtual")} +
           simOptions;
}

inline QString testData(const char* name) {
    return QStringLiteral(HVPP_TEST_DATA "/") + QString::fromLatin1(name);
}
