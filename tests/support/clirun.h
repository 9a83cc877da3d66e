#pragma once
// hvpp-cli for tests: run in-process (its commands over the same core) or as the built
// executable.
#include <QJsonObject>
#include <QString>
#include <QStringList>

struct CliRun {
    int code = -1;
    QString out;
    QString err;
    // The line of type "result" in JSON output, or an empty object.
    QJsonObject result() const;
};

// args without the program name; every question is answered "no".
CliRun cli(const QStringList& args);

// The executable; with merged, out holds both of its channels. code is -1 when it crashed
// or did not end within timeoutMs (it is killed then).
CliRun cliProcess(const QStringList& args, bool merged = true, int timeoutMs = 60000);
