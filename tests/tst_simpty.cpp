// hvpp-sim on a real pseudo-terminal: the program's own serial port talks to it, and
// hvpp-cli finds the chip through it. Waits are on the processes and the port, never sleeps.
#include "link/serialport.h"
#include "support/clirun.h"
#include "support/rig.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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
    SimProcess sim(QStringList{QStringLiteral("--chip"), QStringLiteral("ATMEGA8"),
                               QStringLiteral("--link"), link, QStringLiteral("--state"), state,
                               QStringLiteral("--trace"), trace});
    const QString pty = sim.pty();
    QVERIFY2(pty.startsWith(u'/'), qPrintable(pty + sim.errors()));
    QCOMPARE(QFileInfo(link).symLinkTarget(), pty);

    SerialPort port(link);
    QVERIFY2(port.open(), qPrintable(port.errorString()));
    SessionRig r(port);
    Link& l = r.link;
    l.drainInput();
    l.sendCommand(QStringLiteral("CC000000#"));
    l.logReplyAfterDelay(400, QString());
    QVERIFY2(r.logged(QStringLiteral("连接成功!")), qPrintable(r.log()));
    QString sig;
    for (int i = 0; i < 3; ++i) {
        l.sendCommand(QStringLiteral("RI0") + QString::number(i) + u'#');
        sig += l.readAfterDelay(100);
    }
    QCOMPARE(sig, QStringLiteral("1E9307"));
    l.sendCommand(QStringLiteral("WE5A0010#"));
    QVERIFY(l.waitForMarkerResult(100, QStringLiteral("!")));
    port.close();

    QVERIFY(sim.stop());
    QCOMPARE(sim.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.process().exitCode(), 0);
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
    // What the program sent, and when its last character reached the programmer.
    QVERIFY2(lines[0].contains(QStringLiteral(" < CC000000# | line until ")), qPrintable(lines[0]));
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
    SimProcess sim(QStringList{QStringLiteral("--chip"), QStringLiteral("ATMEGA8"),
                               QStringLiteral("--link"), link});
    QVERIFY(!sim.pty().isEmpty());
    const QString settings = dir.filePath(QStringLiteral("settings.ini"));
    CliRun run = cliProcess({QStringLiteral("--settings"), settings, QStringLiteral("--port"), link,
                             QStringLiteral("detect")},
                            false, 20000);
    // The result is the last line (the log says first that the fuse page was reset).
    QCOMPARE(run.out.trimmed().split(u'\n').last(), QStringLiteral("ATMEGA8"));
    QCOMPARE(run.code, 0);
    QVERIFY(sim.stop());
    QCOMPARE(sim.process().exitCode(), 0);
    // The built-in demo programmer.
    run = cliProcess({QStringLiteral("--settings"), settings, QStringLiteral("--port"),
                      QStringLiteral("sim"), QStringLiteral("--sim-chip"),
                      QStringLiteral("ATMEGA32"), QStringLiteral("detect")},
                     false, 20000);
    QCOMPARE(run.out.trimmed().split(u'\n').last(), QStringLiteral("ATMEGA32"));
    QCOMPARE(run.code, 0);
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
        sim.start(builtExecutable("hvpp-sim"), args);
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitCode(), 2);
        QVERIFY(!sim.readAllStandardError().isEmpty());
        QVERIFY(sim.readAllStandardOutput().isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestSimPty)
#include "tst_simpty.moc"
