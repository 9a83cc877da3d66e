// program --repeat end to end, in-process on the simulated programmer's virtual clock: its
// socket takes the chip out and puts a fresh one in by itself (--sim-socket-cycle),
// hvpp-cli programs each one and stops at Ctrl-C with a summary.
#include "support/clirun.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestCliRepeat : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void repeatUntilCtrlC() {
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("run.csv"));
        auto chipLines = [](const QString& out) {
            int n = 0;
            for (const QString& l : out.split(u'\n'))
                n +=
                    l.contains(QStringLiteral("片: 通过")) || l.contains(QStringLiteral("片: 失败"))
                        ? 1
                        : 0;
            return n;
        };
        // Ctrl-C once two chips are done. The socket stays empty longer than the poll
        // period, so every removal is seen.
        const CliRun r = cliStoppedWhen(
            simArgs(dir.filePath(QStringLiteral("s.ini")),
                    {QStringLiteral("--sim-socket-cycle"), QStringLiteral("2500:500")}) +
                QStringList{QStringLiteral("--chip"), QStringLiteral("ATMEGA8"),
                            QStringLiteral("program"), QStringLiteral("--repeat"),
                            QStringLiteral("--flash"), testData("blink.hex"),
                            QStringLiteral("--options"), QStringLiteral("1100000010"),
                            QStringLiteral("--csv"), csv},
            [&](const QString& out) { return chipLines(out) >= 2; });
        const QString& out = r.out;
        QVERIFY2(chipLines(out) >= 2, qPrintable(out + r.err));

        const int chips = chipLines(out);
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
        int passed = 0;
        for (int i = 1; i < lines.size(); ++i)
            passed += lines[i].contains(",PASS,") ? 1 : 0;
        QVERIFY2(passed >= 1, qPrintable(out));
        QVERIFY(out.contains(QStringLiteral("连续编程结束: 通过 %1 片").arg(passed)));
    }
};

QTEST_GUILESS_MAIN(TestCliRepeat)
#include "tst_cli_repeat.moc"
