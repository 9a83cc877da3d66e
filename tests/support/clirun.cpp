#include "support/clirun.h"

#include "cli/cli.h"
#include "support/rig.h"

#include <QJsonDocument>
#include <QProcess>
#include <QTextStream>

QJsonObject CliRun::result() const {
    for (const QString& line : out.split(u'\n')) {
        const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
        if (o.value(QStringLiteral("type")).toString() == u"result")
            return o;
    }
    return {};
}

CliRun cli(const QStringList& args, bool terminal) {
    CliRun r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = runCli(QStringList{QStringLiteral("hvpp-cli")} + args, out, err,
                    [](const QString&) { return false; }, terminal);
    out.flush();
    err.flush();
    return r;
}

CliRun cliProcess(const QStringList& args, bool merged, int timeoutMs) {
    QProcess p;
    if (merged)
        p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(builtExecutable("hvpp-cli"), args);
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
