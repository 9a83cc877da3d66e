// SIGINT and SIGTERM: the watcher turns them into a Qt signal on the event loop; hvpp-sim
// writes its state file and exits on either; hvpp-cli stops the running command at its next
// step and ends with a failure. Waits are on processes and events, never sleeps.
#include "core/messagelog.h"
#include "core/unixsignals.h"
#include "link/link.h"
#include "link/serialport.h"
#include "support/rig.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#ifdef Q_OS_UNIX
#include <sys/types.h>
#include <unistd.h>
#endif

namespace {
#ifdef Q_OS_UNIX
void* handlerOf(int number) {
    struct sigaction now {};
    sigaction(number, nullptr, &now);
    return reinterpret_cast<void*>(now.sa_handler);
}
#endif
} // namespace

class TestSignals : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void watcherDeliversOnTheEventLoop_data();
    void watcherDeliversOnTheEventLoop();
    void secondOneKillsAndHandlersComeBack();
    void simWritesItsStateAndExits_data();
    void simWritesItsStateAndExits();
    void cliStopsTheRunningCommand();
    void cliQuestionEndsOnAnswerOrSignal_data();
    void cliQuestionEndsOnAnswerOrSignal();
};

void TestSignals::watcherDeliversOnTheEventLoop_data() {
    QTest::addColumn<int>("number");
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGTERM") << int(SIGTERM);
}

void TestSignals::watcherDeliversOnTheEventLoop() {
#ifndef Q_OS_UNIX
    QSKIP("POSIX signals only");
#else
    QFETCH(int, number);
    UnixSignals watch({SIGINT, SIGTERM});
    QVERIFY2(watch.isActive(), qPrintable(watch.errorString()));
    QSignalSpy spy(&watch, &UnixSignals::received);
    ::raise(number);
    // Not in the handler: only when the event loop runs.
    QCOMPARE(spy.count(), 0);
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), number);
    QCOMPARE(watch.lastSignal(), number);
    // Repeated signals are each delivered.
    ::raise(number);
    ::raise(number);
    QTRY_COMPARE(spy.count(), 3);
    // One watcher at a time: the handler has a single pipe.
    UnixSignals second({SIGUSR2});
    QVERIFY(!second.isActive());
#endif
}

void TestSignals::secondOneKillsAndHandlersComeBack() {
#ifndef Q_OS_UNIX
    QSKIP("POSIX signals only");
#else
    void* before = handlerOf(SIGTERM);
    void* beforeInt = handlerOf(SIGINT);
    {
        UnixSignals watch({SIGTERM, SIGINT}, UnixSignals::SecondOneKills);
        QVERIFY(watch.isActive());
        QVERIFY(handlerOf(SIGTERM) != reinterpret_cast<void*>(SIG_DFL));
        QSignalSpy spy(&watch, &UnixSignals::received);
        ::raise(SIGTERM);
        QTRY_COMPARE(spy.count(), 1);
        // The next SIGTERM would end the program at once; SIGINT is still caught once.
        QCOMPARE(handlerOf(SIGTERM), reinterpret_cast<void*>(SIG_DFL));
        QVERIFY(handlerOf(SIGINT) != reinterpret_cast<void*>(SIG_DFL));
    }
    QCOMPARE(handlerOf(SIGTERM), before);
    QCOMPARE(handlerOf(SIGINT), beforeInt);
    // A watcher can be made again after the first has gone.
    UnixSignals again({SIGUSR2});
    QVERIFY(again.isActive());
#endif
}

void TestSignals::simWritesItsStateAndExits_data() {
    QTest::addColumn<int>("number");
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGTERM") << int(SIGTERM);
}

void TestSignals::simWritesItsStateAndExits() {
#ifndef Q_OS_UNIX
    QSKIP("pseudo-terminals only on POSIX systems");
#else
    QFETCH(int, number);
    QTemporaryDir dir;
    const QString state = dir.filePath(QStringLiteral("state.json"));
    SimProcess simProcess(QStringList{QStringLiteral("--chip"), QStringLiteral("ATMEGA16"),
                                      QStringLiteral("--state"), state});
    QProcess& sim = simProcess.process();
    const QString pty = simProcess.pty();
    QVERIFY2(pty.startsWith(u'/'), qPrintable(QString::fromLocal8Bit(sim.readAllStandardError())));

    // One EEPROM byte written through the terminal, and the signal right after it.
    SerialPort port(pty);
    QVERIFY2(port.open(), qPrintable(port.errorString()));
    MessageLog log;
    Link link(&port, &log);
    link.sendCommand(QStringLiteral("WE5A0010#"));
    QVERIFY(link.waitForMarkerResult(500, QStringLiteral("!")));
    port.close();
    ::kill(pid_t(sim.processId()), number);
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.exitCode(), 0);

    QFile f(state);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
    QCOMPARE(o.value(QStringLiteral("chip")).toString(), QStringLiteral("ATMEGA16"));
    const QString eeprom = o.value(QStringLiteral("eeprom")).toString();
    QVERIFY2(eeprom.mid(0x10 * 2, 2).compare(QStringLiteral("5A"), Qt::CaseInsensitive) == 0,
             qPrintable(eeprom.left(64)));
#endif
}

void TestSignals::cliStopsTheRunningCommand() {
#ifndef Q_OS_UNIX
    QSKIP("POSIX signals only");
#else
    // A slow line: reading 8 KB takes about 17 s, the stop must come long before.
    QTemporaryDir dir;
    SimProcess simProcess(QStringList{QStringLiteral("--chip"), QStringLiteral("ATMEGA8"),
                                      QStringLiteral("--baud"), QStringLiteral("9600")});
    QProcess& sim = simProcess.process();
    const QString pty = simProcess.pty();
    QVERIFY(pty.startsWith(u'/'));
    const QString out = dir.filePath(QStringLiteral("flash.bin"));
    QProcess cli;
    cli.setProcessChannelMode(QProcess::MergedChannels);
    cli.start(builtExecutable("hvpp-cli"),
              {QStringLiteral("--settings"), dir.filePath(QStringLiteral("s.ini")),
               QStringLiteral("--port"), pty, QStringLiteral("--chip"), QStringLiteral("ATMEGA8"),
               QStringLiteral("read-flash"), out});
    QVERIFY(cli.waitForStarted(5000));
    // Its first log line says the read has begun.
    QByteArray seen;
    while (seen.isEmpty() && cli.waitForReadyRead(10000))
        seen += cli.readAll();
    QVERIFY(!seen.isEmpty());
    ::kill(pid_t(cli.processId()), SIGINT);
    QVERIFY(cli.waitForFinished(5000));
    seen += cli.readAll();
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QCOMPARE(cli.exitCode(), 128 + SIGINT);
    QVERIFY2(QString::fromUtf8(seen).contains(QStringLiteral("操作已中止。")), seen.constData());
    sim.terminate();
    sim.waitForFinished(3000);
#endif
}

void TestSignals::cliQuestionEndsOnAnswerOrSignal_data() {
    QTest::addColumn<QByteArray>("answer"); // empty: SIGINT instead
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("says");
    QTest::newRow("yes") << QByteArray("y\n") << 0 << QStringLiteral("升级完毕");
    QTest::newRow("no") << QByteArray("n\n") << 1 << QStringLiteral("升级已取消");
    QTest::newRow("Ctrl-C") << QByteArray() << 128 + SIGINT << QStringLiteral("升级已取消");
}

void TestSignals::cliQuestionEndsOnAnswerOrSignal() {
#ifndef Q_OS_UNIX
    QSKIP("POSIX signals only");
#else
    // The firmware update asks before it sends the image: the question waits in the event
    // loop, so an answer ends it as well as Ctrl-C does.
    QFETCH(QByteArray, answer);
    QFETCH(int, code);
    QFETCH(QString, says);
    QTemporaryDir dir;
    const QString image = dir.filePath(QStringLiteral("fw.bin"));
    {
        QFile f(image);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(300, '\x5A'));
    }
    SimProcess simProcess(QStringList{QStringLiteral("--chip"), QStringLiteral("ATMEGA8")});
    QProcess& sim = simProcess.process();
    const QString pty = simProcess.pty();
    QVERIFY(pty.startsWith(u'/'));
    QProcess cli;
    cli.setProcessChannelMode(QProcess::MergedChannels);
    cli.start(builtExecutable("hvpp-cli"),
              {QStringLiteral("--settings"), dir.filePath(QStringLiteral("s.ini")),
               QStringLiteral("--port"), pty, QStringLiteral("firmware-update"), image});
    QByteArray seen;
    auto waitFor = [&](const QString& text) {
        while (!QString::fromUtf8(seen).contains(text) && cli.waitForReadyRead(10000))
            seen += cli.readAll();
        return QString::fromUtf8(seen).contains(text);
    };
    QVERIFY2(waitFor(QStringLiteral("请重启编程器")), seen.constData());
    ::kill(pid_t(sim.processId()), SIGUSR1); // the programmer restarts into its loader
    QVERIFY2(waitFor(QStringLiteral("[y/N]")), seen.constData());
    if (answer.isEmpty())
        ::kill(pid_t(cli.processId()), SIGINT);
    else
        cli.write(answer);
    QVERIFY(cli.waitForFinished(10000));
    seen += cli.readAll();
    QCOMPARE(cli.exitCode(), code);
    QVERIFY2(QString::fromUtf8(seen).contains(says), seen.constData());
    sim.terminate();
    sim.waitForFinished(3000);
#endif
}

QTEST_GUILESS_MAIN(TestSignals)
#include "tst_signals.moc"
