// hvpp-sim on a real pseudo-terminal: the program's own serial port talks to it, and
// hvpp-cli finds the chip through it. Waits are on the processes and the port, never sleeps.
#include "core/messagelog.h"
#include "link/link.h"
#include "link/serialport.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString binary(const char* name) { return QStringLiteral(HVPP_BIN_DIR "/") + QLatin1String(name); }

// Starts hvpp-sim and returns the terminal path it prints first.
QString startSim(QProcess& sim, const QStringList& args) {
    sim.setProgram(binary("hvpp-sim"));
    sim.setArguments(args);
    sim.start();
    if (!sim.waitForStarted(5000))
        return {};
    QByteArray line;
    while (!line.contains('\n') && sim.waitForReadyRead(5000))
        line += sim.readAllStandardOutput();
    return QString::fromLocal8Bit(line.left(line.indexOf('\n'))).trimmed();
}

QString runCli(const QStringList& args, int* code) {
    QProcess cli;
    cli.start(binary("hvpp-cli"), args);
    cli.waitForFinished(20000);
    *code = cli.exitCode();
    return QString::fromUtf8(cli.readAllStandardOutput()).trimmed();
}

} // namespace

class TestSimPty : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTripThroughSerialPort();
    void cliDetectsTheChip();
    void rejectsBadArguments();
};

void TestSimPty::roundTripThroughSerialPort() {
#ifndef Q_OS_UNIX
    QSKIP("pseudo-terminals only on POSIX systems");
#endif
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("sim-port"));
    const QString state = dir.filePath(QStringLiteral("state.json"));
    const QString trace = dir.filePath(QStringLiteral("trace.txt"));
    QProcess sim;
    const QString pty = startSim(sim, {QStringLiteral("--chip"), QStringLiteral("ATMEGA8"),
                                       QStringLiteral("--link"), link, QStringLiteral("--state"),
                                       state, QStringLiteral("--trace"), trace});
    QVERIFY2(pty.startsWith(u'/'), qPrintable(pty + QString::fromLocal8Bit(sim.readAllStandardError())));
    QCOMPARE(QFileInfo(link).symLinkTarget(), pty);

    SerialPort port(link);
    QVERIFY2(port.open(), qPrintable(port.errorString()));
    MessageLog log;
    Link l(&port, &log);
    l.drainInput();
    l.sendCommand(QStringLiteral("CC000000#"));
    l.logReplyAfterDelay(400, QString());
    QVERIFY2(log.text().contains(QStringLiteral("连接成功!")), qPrintable(log.text()));
    QString sig;
    for (int i = 0; i < 3; ++i) {
        l.sendCommand(QStringLiteral("RI0") + QString::number(i) + u'#');
        sig += l.readAfterDelay(100);
    }
    QCOMPARE(sig, QStringLiteral("1E9307"));
    l.sendCommand(QStringLiteral("WE5A0010#"));
    QVERIFY(l.waitForMarkerResult(100, QStringLiteral("!")));
    port.close();

    sim.terminate();
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.exitCode(), 0);
    QVERIFY(!QFileInfo::exists(link) && !QFileInfo(link).isSymLink());

    QFile stateFile(state);
    QVERIFY(stateFile.open(QIODevice::ReadOnly));
    const QJsonObject o = QJsonDocument::fromJson(stateFile.readAll()).object();
    QCOMPARE(o.value(QStringLiteral("chip")).toString(), QStringLiteral("ATMEGA8"));
    QCOMPARE(o.value(QStringLiteral("eeprom")).toString().mid(0x10 * 2, 2), QStringLiteral("5A"));

    QFile traceFile(trace);
    QVERIFY(traceFile.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(traceFile.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(lines.size() >= 8);
    QVERIFY2(lines[0].endsWith(QStringLiteral(" < CC000000#")), qPrintable(lines[0]));
    QVERIFY2(lines[1].endsWith(QStringLiteral(" > 连接成功!")), qPrintable(lines[1]));
    QVERIFY(lines[3].endsWith(QStringLiteral(" > 1E")));
    // Times in milliseconds, growing.
    QVERIFY(lines[0].section(u' ', 0, 0).toDouble() <= lines[1].section(u' ', 0, 0).toDouble());
}

void TestSimPty::cliDetectsTheChip() {
#ifndef Q_OS_UNIX
    QSKIP("pseudo-terminals only on POSIX systems");
#endif
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("sim-port"));
    QProcess sim;
    QVERIFY(!startSim(sim, {QStringLiteral("--chip"), QStringLiteral("ATMEGA8"),
                            QStringLiteral("--link"), link})
                 .isEmpty());
    const QString settings = dir.filePath(QStringLiteral("settings.ini"));
    int code = -1;
    QCOMPARE(runCli({QStringLiteral("--settings"), settings, QStringLiteral("--port"), link,
                     QStringLiteral("detect")},
                    &code),
             QStringLiteral("ATMEGA8"));
    QCOMPARE(code, 0);
    sim.terminate();
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitCode(), 0);
    // The built-in demo programmer.
    QCOMPARE(runCli({QStringLiteral("--settings"), settings, QStringLiteral("--port"),
                     QStringLiteral("sim"), QStringLiteral("--sim-chip"), QStringLiteral("ATMEGA32"),
                     QStringLiteral("detect")},
                    &code),
             QStringLiteral("ATMEGA32"));
    QCOMPARE(code, 0);
}

void TestSimPty::rejectsBadArguments() {
    const QList<QStringList> bad = {
        {QStringLiteral("--chip"), QStringLiteral("ATMEGA99")},
        {QStringLiteral("--baud"), QStringLiteral("fast")},
        {QStringLiteral("--split"), QStringLiteral("0")},
        {QStringLiteral("--signature"), QStringLiteral("1E93")},
        {QStringLiteral("--corrupt-flash"), QStringLiteral("-4")},
        {QStringLiteral("extra")},
    };
    for (const QStringList& args : bad) {
        QProcess sim;
        sim.start(binary("hvpp-sim"), args);
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitCode(), 2);
        QVERIFY(!sim.readAllStandardError().isEmpty());
        QVERIFY(sim.readAllStandardOutput().isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestSimPty)
#include "tst_simpty.moc"
