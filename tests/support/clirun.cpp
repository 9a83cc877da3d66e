#include "support/clirun.h"

#include "cli/cli.h"
#include "link/link.h"
#include "support/rig.h"

#include <QIODevice>
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

namespace {

// The output of an in-process run, watched line by line as it is flushed.
class WatchedOutput : public QIODevice {
  public:
    WatchedOutput(QString* text, const std::function<bool(const QString&)>& stopWhen)
        : m_text(text), m_stopWhen(stopWhen) {
        open(QIODevice::WriteOnly);
    }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        m_text->append(QString::fromUtf8(data, int(size)));
        if (!m_stopped && m_stopWhen(*m_text)) {
            m_stopped = true;
            Link::requestStopAll();
        }
        return size;
    }

  private:
    QString* m_text;
    std::function<bool(const QString&)> m_stopWhen;
    bool m_stopped = false;
};

} // namespace

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

CliRun cliStoppedWhen(const QStringList& args,
                      const std::function<bool(const QString& out)>& stopWhen) {
    CliRun r;
    WatchedOutput watched(&r.out, stopWhen);
    QTextStream out(&watched);
    QTextStream err(&r.err);
    r.code = runCli(
        QStringList{QStringLiteral("hvpp-cli")} + args, out, err,
        [](const QString&) { return false; }, false);
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
