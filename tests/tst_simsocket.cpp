// The simulator's socket and corrupted bytes: several addresses read back wrong, and a
// chip is taken out and put in (from a test through the model, from outside through
// hvpp-sim's SIGUSR2). Every switch of the simulator's table reaches its field and survives
// the state file.
#include "core/messagelog.h"
#include "link/link.h"
#include "link/serialport.h"
#include "sim/simoptions.h"
#include "sim/simport.h"
#include "sim/simstate.h"
#include "sim/simswitches.h"
#include "support/rig.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <array>

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

    // Each switch as given on the command line, and the "faults" member of the state file it
    // makes (empty for a switch that does not stick): the keys stored files already use.
    void switches_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("json");
        const QList<std::array<const char*, 3>> rows = {
            {"socket-cycle", "10:20", "{}"},
            {"silent", "", R"({"silent":true})"},
            {"no-chip", "", R"({"noChip":true})"},
            {"signature", "1e9587", R"({"signature":"1E9587"})"},
            {"lower-case", "", R"({"lowerCaseHex":true})"},
            {"split", "4:10", R"({"splitChars":4,"splitGapMs":10})"},
            {"late", "5", R"({"lateMs":5})"},
            {"drop-marker", "3", R"({"dropMarkerEvery":3})"},
            {"corrupt-flash", "0x10-0x11", R"({"corruptFlashMore":[16,17]})"},
            {"corrupt-eeprom", "7", R"({"corruptEepromMore":[7]})"},
            {"drop-fuse-write", "", R"({"dropFuseWrite":true})"},
            {"disconnect-after", "100", R"({"disconnectAfter":100})"},
            {"noise", "A\\x0D", R"({"noise":"410d"})"},
            {"latency", "16", "{}"},
        };
        QCOMPARE(rows.size(), simSwitches().size()); // a new switch needs a row here
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString::fromLatin1(r[1]) << QString::fromLatin1(r[2]);
    }
    void switches() {
        QFETCH(QString, value);
        QFETCH(QString, json);
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        QCommandLineParser parser;
        parser.addOptions(simSwitchOptions());
        QStringList args{QStringLiteral("hvpp-sim"), QStringLiteral("--") + name};
        if (!value.isEmpty())
            args << value;
        QVERIFY2(parser.parse(args), qPrintable(parser.errorText()));
        SimConfig config;
        QString error;
        QVERIFY2(applySimSwitches(parser, config, &error), qPrintable(error));
        const QJsonObject saved = simFaultsToJson(config.faults);
        QCOMPARE(QJsonDocument(saved).toJson(QJsonDocument::Compact), json.toLatin1());
        SimFaults back;
        QVERIFY2(simFaultsFromJson(back, saved, &error), qPrintable(error));
        QCOMPARE(simFaultsToJson(back), saved);
        if (saved.isEmpty()) // not a fault: it sets the line or the socket
            QVERIFY(config.latencyMs > 0 || config.socketInMs > 0);
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
