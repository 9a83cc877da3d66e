#pragma once
// Runs hvpp-cli for tests: in-process (its commands over the same core, every question
// answered "no") or as the built executable.
#include "cli/cli.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTextStream>

struct CliRun {
    int code = -1;
    QString out;
    QString err;
    // The line of type "result" in JSON output, or an empty object.
    QJsonObject result() const {
        for (const QString& line : out.split(u'\n')) {
            const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
            if (o.value(QStringLiteral("type")).toString() == u"result")
                return o;
        }
        return {};
    }
};

// args without the program name.
inline CliRun runCliCaptured(const QStringList& args) {
    CliRun r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = runCli(QStringList{QStringLiteral("hvpp-cli")} + args, out, err,
                    [](const QString&) { return false; });
    out.flush();
    err.flush();
    return r;
}

// The executable; with merged, out holds both of its channels. code is -1 when it crashed
// or did not end within timeoutMs (it is killed then).
inline CliRun runCliProcess(const QStringList& args, bool merged = true, int timeoutMs = 60000) {
    QProcess p;
    if (merged)
        p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(HVPP_BIN_DIR "/hvpp-cli"), args);
    CliRun r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
