// program --repeat end to end: hvpp-sim takes its chip out and puts a fresh one in by
// itself (--socket-cycle), hvpp-cli programs each one and stops at Ctrl-C with a summary.
// Waits are on the processes, never sleeps.
#include "support/rig.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class TestCliRepeat : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void repeatUntilCtrlC() {
#ifndef Q_OS_UNIX
        QSKIP("signals and pseudo-terminals only on POSIX systems");
#else
        QTemporaryDir dir;
        SimProcess sim(QStringList{QStringLiteral("--chip"), QStringLiteral("ATMEGA8"),
                                   QStringLiteral("--socket-cycle"), QStringLiteral("2500:300")});
        const QString pty = sim.pty();
        QVERIFY2(pty.startsWith(u'/'), qPrintable(sim.errors()));

        const QString csv = dir.filePath(QStringLiteral("run.csv"));
        QProcess cli;
        cli.start(builtExecutable("hvpp-cli"),
                  {QStringLiteral("--settings"), dir.filePath(QStringLiteral("s.ini")),
                   QStringLiteral("--port"), pty, QStringLiteral("--chip"),
                   QStringLiteral("ATMEGA8"), QStringLiteral("program"), QStringLiteral("--repeat"),
                   QStringLiteral("--flash"), QStringLiteral(HVPP_TEST_DATA "/blink.hex"),
                   QStringLiteral("--options"), QStringLiteral("1100000010"),
                   QStringLiteral("--csv"), csv});
        QVERIFY(cli.waitForStarted(5000));
        QString out;
        auto chipLines = [&out] {
            int n = 0;
            for (const QString& l : out.split(u'\n'))
                n +=
                    l.contains(QStringLiteral("片: 通过")) || l.contains(QStringLiteral("片: 失败"))
                        ? 1
                        : 0;
            return n;
        };
        while (chipLines() < 2 && cli.state() == QProcess::Running && cli.waitForReadyRead(10000))
            out += QString::fromUtf8(cli.readAllStandardOutput());
        QVERIFY2(chipLines() >= 2, qPrintable(out + QString::fromUtf8(cli.readAllStandardError())));
        ::kill(pid_t(cli.processId()), SIGINT);
        QVERIFY(cli.waitForFinished(10000));
        out += QString::fromUtf8(cli.readAllStandardOutput());
        QVERIFY(sim.stop());

        const int chips = chipLines();
        QVERIFY2(out.contains(QStringLiteral("连续编程结束")), qPrintable(out));
        // Once per wait, not per poll.
        QVERIFY(out.count(QStringLiteral("等待放入芯片")) <= chips + 1);
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().trimmed().split('\n');
        QCOMPARE(lines.size(), chips + 1); // the header and one line per chip, none twice
        QVERIFY(lines[0].startsWith("time,signature,serial,result"));
        for (int i = 1; i < lines.size(); ++i)
            QVERIFY2(lines[i].contains(",1E9307,"), lines[i].constData());
        // A chip taken out while it is programmed fails; the socket holds each one long
        // enough for a good run.
        QVERIFY(csv.size() > 0 && f.fileName() == csv);
        int passed = 0;
        for (int i = 1; i < lines.size(); ++i)
            passed += lines[i].contains(",PASS,") ? 1 : 0;
        QVERIFY2(passed >= 1, qPrintable(out));
        QVERIFY(out.contains(QStringLiteral("连续编程结束: 通过 %1 片").arg(passed)));
#endif
    }
};

QTEST_GUILESS_MAIN(TestCliRepeat)
#include "tst_cli_repeat.moc"
