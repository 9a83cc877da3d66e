#pragma once
// Runs hvpp-cli in-process, its settings in a file of the test's folder; the built-in
// simulated programmer on its virtual clock, so that no run costs real time.
#include "cli/cli.h"

#include <QStringList>
#include <QTextStream>

struct CliRun {
    int code = -1;
    QString out;
    QString err;
};

inline CliRun runCliCaptured(const QStringList& args, bool terminal = false) {
    CliRun r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = runCli(
        QStringList{QStringLiteral("hvpp-cli")} + args, out, err,
        [](const QString&) { return false; }, terminal);
    out.flush();
    err.flush();
    return r;
}

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
