// The simulator's socket and corrupted bytes: several addresses read back wrong, and a
// chip is taken out and put in (from a test through the model, from outside through
// hvpp-sim's SIGUSR2).
#include "core/messagelog.h"
#include "link/link.h"
#include "link/serialport.h"
#include "sim/simoptions.h"
#include "sim/simport.h"
#include "sim/simstate.h"
#include "support/rig.h"

#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <csignal>

class TestSimSocket : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void addressLists_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QList<qint64>>("addresses");
        QTest::newRow("one") << "0x10" << true << QList<qint64>{16};
        QTest::newRow("list and range") << "1,3-5,$20" << true << QList<qint64>{1, 3, 4, 5, 32};
        QTest::newRow("range of one") << "7-7" << true << QList<qint64>{7};
        QTest::newRow("backwards") << "5-3" << false << QList<qint64>{};
        QTest::newRow("not a number") << "1,x" << false << QList<qint64>{};
        QTest::newRow("empty part") << "1,,2" << false << QList<qint64>{};
        QTest::newRow("beyond 64 KB") << "0-0x10000" << false << QList<qint64>{};
        QTest::newRow("three ends") << "1-2-3" << false << QList<qint64>{};
    }
    void addressLists() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(QList<qint64>, addresses);
        QList<qint64> out;
        QCOMPARE(parseSimAddressList(text, out), ok);
        if (ok)
            QCOMPARE(out, addresses);
    }

    // Every listed byte reads back wrong, in the bulk reads and the single reads alike;
    // the list survives the state file.
    void severalCorruptBytes() {
        SimConfig config;
        config.faults.corruptFlashMore = {2, 3, 0x40};
        config.faults.corruptEepromMore = {1};
        SimPort port(config);
        QVERIFY(port.open());
        QByteArray& flash = port.model().chip()->flash();
        for (int i = 0; i < 0x50; ++i)
            flash[i] = char(i);
        MessageLog log;
        Link link(&port, &log);
        link.sendCommand(QStringLiteral("RF000050#"));
        const QByteArray back = QByteArray::fromHex(link.readAfterDelay(100).toLatin1());
        QCOMPARE(back.size(), 0x50);
        for (int i = 0; i < 0x50; ++i) {
            const bool bad = i == 2 || i == 3 || i == 0x40;
            QCOMPARE(quint8(back[i]), quint8(bad ? i ^ 0x01 : i));
        }
        link.sendCommand(QStringLiteral("RW000020#")); // bytes 0x40 and 0x41
        QCOMPARE(link.readAfterDelay(150), QStringLiteral("4141"));
        link.sendCommand(QStringLiteral("RE000003#"));
        QCOMPARE(link.readAfterDelay(100), QStringLiteral("FFFEFF"));
        link.sendCommand(QStringLiteral("RB000001#"));
        QCOMPARE(link.readAfterDelay(150), QStringLiteral("FE"));

        SimFaults again;
        QString error;
        QVERIFY2(simFaultsFromJson(again, simFaultsToJson(config.faults), &error),
                 qPrintable(error));
        QCOMPARE(again.corruptFlashMore, config.faults.corruptFlashMore);
        QCOMPARE(again.corruptEepromMore, config.faults.corruptEepromMore);
    }

    // SIGUSR2 takes the chip out of hvpp-sim's socket and puts a fresh one in.
    void signalTogglesTheSocket() {
#ifndef Q_OS_UNIX
        QSKIP("signals and pseudo-terminals only on POSIX systems");
#else
        SimProcess simProcess(QStringList{QStringLiteral("--chip"), QStringLiteral("ATMEGA16")});
        QProcess& sim = simProcess.process();
        const QString pty = simProcess.pty();
        QVERIFY2(pty.startsWith(u'/'), qPrintable(simProcess.errors()));
        SerialPort port(pty);
        QVERIFY2(port.open(), qPrintable(port.errorString()));
        MessageLog log;
        Link link(&port, &log);
        auto signature = [&] {
            link.drainInput();
            QString sig;
            for (int i = 0; i < 3; ++i) {
                link.sendCommand(QStringLiteral("RI0%1#").arg(i));
                sig += link.readAfterDelay(150);
            }
            return sig;
        };
        auto toggle = [&](const char* said) {
            ::kill(pid_t(sim.processId()), SIGUSR2);
            QByteArray text;
            sim.setReadChannel(QProcess::StandardError);
            while (!text.contains(said) && sim.waitForReadyRead(5000))
                text += sim.readAllStandardError();
            return text.contains(said);
        };
        QCOMPARE(signature(), QStringLiteral("1E9403"));
        QVERIFY(toggle("taken out"));
        QCOMPARE(signature(), QStringLiteral("FFFFFF"));
        QVERIFY(toggle("ATMEGA16 put in"));
        QCOMPARE(signature(), QStringLiteral("1E9403"));
        port.close();
        QVERIFY(simProcess.stop());
        QCOMPARE(sim.exitCode(), 0);
#endif
    }
};

QTEST_GUILESS_MAIN(TestSimSocket)
#include "tst_simsocket.moc"
