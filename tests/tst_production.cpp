// Verify reports, compare and production runs against the simulated programmer on its
// virtual clock: chips are put in and taken out by the test as the run polls.
#include "image/crc32.h"
#include "ops/compare.h"
#include "ops/eepromops.h"
#include "ops/flashops.h"
#include "ops/production.h"
#include "ops/program.h"
#include "session/selectchip.h"
#include "support/rig.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Rig : SimRig {
    QTemporaryDir dir;
    QStringList log; // every message logged, one entry each
    Rig() {
        QObject::connect(&session.log, &MessageLog::messageLogged, &session.log,
                         [this](const QString& t) { log << t; });
        QByteArray flash(300, '\0');
        for (int i = 0; i < flash.size(); ++i)
            flash[i] = char(i * 7 + 1);
        session.FlashBufferText = QString::fromLatin1(flash.toHex().toUpper());
        session.EepromBufferText = QStringLiteral("A1B2C3D4E5");
    }
    int count(const QString& part) const {
        int n = 0;
        for (const QString& l : log)
            n += l.contains(part) ? 1 : 0;
        return n;
    }
    QStringList sentKinds() const {
        QStringList out;
        for (const QByteArray& w : port.writes())
            out << QString::fromLatin1(w.left(2));
        return out;
    }
};

QStringList csvLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

class TestProduction : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Every differing byte is counted and its ranges logged; the box still names the first.
    void verifyReportsEveryDifference_data() {
        QTest::addColumn<bool>("eeprom");
        QTest::addColumn<QList<int>>("corrupt");
        QTest::addColumn<QString>("ranges");
        QTest::newRow("flash, three runs") << false << QList<int>{5, 6, 7, 0x40, 0x12B}
                                           << QStringLiteral("3 段: 0005–0007, 0040, 012B");
        QTest::newRow("flash, last byte")
            << false << QList<int>{0x12B} << QStringLiteral("1 段: 012B");
        QTest::newRow("eeprom, two")
            << true << QList<int>{0, 4} << QStringLiteral("2 段: 0000, 0004");
    }
    void verifyReportsEveryDifference() {
        QFETCH(bool, eeprom);
        QFETCH(QList<int>, corrupt);
        QFETCH(QString, ranges);
        Rig r;
        bool written = false;
        QVERIFY(runOperation(r.c, OpId::None,
                             [&] { written = eeprom ? WriteEeprom(r.c) : WriteFlash(r.c); }));
        QVERIFY(written);
        QByteArray& mem = eeprom ? r.model().chip()->eeprom() : r.model().chip()->flash();
        for (int a : corrupt)
            mem[a] = char(mem[a] ^ 0x10);
        bool same = true;
        int reported = -1;
        QObject::connect(&r.session, &Session::verifyReported, &r.session,
                         [&](int memory) { reported = memory; });
        QVERIFY(runOperation(r.c, OpId::None,
                             [&] { same = eeprom ? VerifyEeprom(r.c) : VerifyFlash(r.c); }));
        QVERIFY(!same);
        const QString memory = eeprom ? QStringLiteral("EEPROM") : QStringLiteral("FLASH");
        QCOMPARE(
            r.ui.warnings,
            QStringList{memory + QStringLiteral("地址") +
                        QStringLiteral("%1").arg(corrupt.first(), 4, 16, QChar(u'0')).toUpper() +
                        QStringLiteral("数据校验失败！")});
        QCOMPARE(r.count(QStringLiteral("%1 字节不符").arg(corrupt.size())), 1);
        QCOMPARE(r.count(ranges), 1);
        QCOMPARE(reported, eeprom ? 1 : 0);
        const ImageDiff& d = r.session.lastVerify[eeprom ? 1 : 0];
        QCOMPARE(d.differing, corrupt.size());
        for (int a : corrupt)
            QVERIFY(rangesContain(d.ranges, a));
        // A good verify clears the list.
        for (int a : corrupt)
            mem[a] = char(mem[a] ^ 0x10);
        QVERIFY(runOperation(r.c, OpId::None,
                             [&] { same = eeprom ? VerifyEeprom(r.c) : VerifyFlash(r.c); }));
        QVERIFY(same);
        QCOMPARE(r.session.lastVerify[eeprom ? 1 : 0].differing, 0);
    }

    // Compare reads and reports, and writes nothing.
    void compareWritesNothing() {
        Rig r;
        r.model().chip()->flash().replace(0, 4, QByteArray("\x01\x08\x0F\x00", 4));
        CompareOutcome o;
        QVERIFY(runOperation(r.c, OpId::None, [&] { o = CompareChip(r.c, true, true); }));
        QVERIFY(o.present);
        QVERIFY(!o.flashSame);
        QVERIFY(!o.eepromSame);
        QCOMPARE(r.ui.warnings.size(), 2);
        QVERIFY(r.ui.warnings[0].startsWith(QStringLiteral("FLASH地址0003")));
        // 300 bytes against an erased chip: all but the three put in and the one that is FF.
        QCOMPARE(r.count(QStringLiteral(
                     "FLASH校验: 296 字节不符 (共 300 字节), 2 段: 0003–0091, 0093–012B")),
                 1);
        for (const QString& k : r.sentKinds())
            QVERIFY2(k == u"RI" || k == u"RF" || k == u"RE", qPrintable(k));
        r.model().setChip(QStringLiteral("none"));
        QVERIFY(runOperation(r.c, OpId::None, [&] { o = CompareChip(r.c, true, true); }));
        QVERIFY(!o.present);
    }

    // Four chips, the second fails its flash verify: one CSV line each, the serial number
    // goes on only after good chips, the counts and beeps tell the two apart, the waits
    // are logged once each and polled every 300-500 ms.
    void productionRun() {
        Rig r;
        QVERIFY(r.session.setOptionsText(QStringLiteral("1110001011")));
        r.model().setChip(QStringLiteral("none"));
        ProductionSettings ps;
        ps.csvPath = r.dir.filePath(QStringLiteral("run.csv"));
        ps.serial.enabled = true;
        ps.serial.toFlash = false;
        ps.serial.address = 0x100;
        ps.serial.increment = 2;
        ps.serial.next = 0x1000;
        ProductionRun run(r.c, ps);

        int inserted = 0;
        int emptyPolls = 0;
        int fullPolls = 0;
        bool inSocket = false;
        QList<double> pollTimes;
        QList<bool> pollAfterChip; // a chip was programmed since the poll before
        QList<double> waitPollTimes;
        QStringList serialsInChips;
        bool programmed = false;
        QObject::connect(&run, &ProductionRun::polled, &run, [&](bool present) {
            pollTimes << r.port.nowMs();
            pollAfterChip << programmed;
            programmed = false;
            if (!inSocket) {
                waitPollTimes << r.port.nowMs();
                if (++emptyPolls < 3)
                    return;
                emptyPolls = 0;
                if (inserted == 4) {
                    run.stop();
                    return;
                }
                r.model().setChip(QStringLiteral("ATMEGA8"));
                r.model().faults().corruptFlashAddress = inserted == 1 ? 0x21 : -1;
                ++inserted;
                inSocket = true;
            } else if (present && ++fullPolls >= 2) {
                // The operator takes the chip out on the second look.
                fullPolls = 0;
                serialsInChips << QString::fromLatin1(
                    r.model().chip()->eeprom().mid(0x100, 4).toHex().toUpper());
                r.model().setChip(QStringLiteral("none"));
                inSocket = false;
            }
        });
        QList<ChipRecord> records;
        QObject::connect(&run, &ProductionRun::chipDone, &run, [&](const ChipRecord& rec) {
            records << rec;
            programmed = true;
        });
        QVERIFY(runOperation(r.c, OpId::Program, [&] { run.run(); }));

        QCOMPARE(run.passed(), 3);
        QCOMPARE(run.failed(), 1);
        QCOMPARE(records.size(), 4);
        // One signature read per chip: the record and the sequence's checks share it.
        QCOMPARE(r.port.writes().count(QByteArray("RI02#")), 4);
        QCOMPARE(r.ui.beeps, 3 * 1 + 1 * 3);
        QVERIFY(r.ui.warnings.isEmpty()); // the verify box went to the log
        QCOMPARE(r.count(QStringLiteral("FLASH地址0021数据校验失败！")), 1);
        QCOMPARE(r.count(QStringLiteral("等待放入芯片")), 5);
        QCOMPARE(r.count(QStringLiteral("请取出芯片")), 4);
        QCOMPARE(r.count(QStringLiteral("连续编程结束: 通过 3 片, 失败 1 片。")), 1);
        QVERIFY(waitPollTimes.size() > 10);
        for (int i = 1; i < pollTimes.size(); ++i) {
            const double gap = pollTimes[i] - pollTimes[i - 1];
            if (!pollAfterChip[i]) // a chip's programming is no gap between two tests
                QVERIFY2(gap >= 300 && gap <= 500, qPrintable(QString::number(gap)));
        }

        const QStringList csv = csvLines(ps.csvPath);
        QCOMPARE(csv.size(), 5);
        QCOMPARE(csv[0], csvHeader());
        const QString flashCrc = imageCrcText(r.session.FlashBufferText);
        const QString eepromCrc = imageCrcText(r.session.EepromBufferText);
        const QStringList serials{QStringLiteral("00001000"), QString(), QStringLiteral("00001002"),
                                  QStringLiteral("00001004")};
        for (int i = 0; i < 4; ++i) {
            const QStringList f = csv[i + 1].split(u',');
            QCOMPARE(f.size(), 11);
            QCOMPARE(f[1], QStringLiteral("1E9307"));
            QCOMPARE(f[2], serials[i]);
            QCOMPARE(f[3], i == 1 ? QStringLiteral("FAIL") : QStringLiteral("PASS"));
            QCOMPARE(f[4], i == 1 ? QStringLiteral("verify_flash") : QString());
            QCOMPARE(f[5], flashCrc);
            QCOMPARE(f[6], eepromCrc);
        }
        // What the chips hold: the passed ones their number, the failed one none.
        QCOMPARE(serialsInChips,
                 (QStringList{QStringLiteral("00001000"), QStringLiteral("FFFFFFFF"),
                              QStringLiteral("00001002"), QStringLiteral("00001004")}));
        QCOMPARE(run.serial().next, 0x1006u);
        QCOMPARE(r.session.offline.initialHex, QStringLiteral("1006"));

        // A second run appends to the same log without a second header.
        ProductionRun again(r.c, ps);
        QObject::connect(&again, &ProductionRun::waitingForChip, &again, [&] { again.stop(); });
        QVERIFY(runOperation(r.c, OpId::None, [&] { again.run(); }));
        QCOMPARE(csvLines(ps.csvPath).size(), 5);
    }

    // A serial number stamped into flash: whole words, the neighbours left as FF, and a
    // stamp whose read-back differs fails the chip without using up the number.
    void serialIntoFlash() {
        Rig r;
        QVERIFY(r.session.setOptionsText(QStringLiteral("0000000000")));
        ProductionSettings ps;
        ps.serial.enabled = true;
        ps.serial.toFlash = true;
        ps.serial.address = 0x1001; // odd: three words
        ps.serial.next = 0xA1B2C3D4;
        ProductionRun run(r.c, ps);
        QList<ChipRecord> records;
        QObject::connect(&run, &ProductionRun::chipDone, &run,
                         [&](const ChipRecord& rec) { records << rec; });
        QObject::connect(&run, &ProductionRun::waitingForRemoval, &run, [&] {
            if (records.size() != 1) {
                run.stop();
                return;
            }
            QCOMPARE(r.model().chip()->flash().mid(0x1000, 6),
                     QByteArray("\xFF\xA1\xB2\xC3\xD4\xFF", 6));
            r.model().setChip(QStringLiteral("none"));
            r.model().faults().corruptFlashAddress = 0x1003;
        });
        QObject::connect(&run, &ProductionRun::waitingForChip, &run,
                         [&] { r.model().setChip(QStringLiteral("ATMEGA8")); });
        QVERIFY(runOperation(r.c, OpId::None, [&] { run.run(); }));
        QCOMPARE(records.size(), 2);
        QVERIFY(records[0].passed);
        QCOMPARE(records[0].serial, QStringLiteral("A1B2C3D4"));
        QVERIFY(!records[1].passed);
        QCOMPARE(records[1].failedStep, QStringLiteral("serial"));
        QCOMPARE(run.serial().next, 0xA1B2C3D5u);
    }

    // The line dies in the middle of a chip: the chip is recorded once, as failed, and the
    // run ends with the failure.
    void linkFailureEndsTheRun() {
        Rig r;
        QVERIFY(r.session.setOptionsText(QStringLiteral("0100000010")));
        ProductionSettings ps;
        ps.csvPath = r.dir.filePath(QStringLiteral("fail.csv"));
        ProductionRun run(r.c, ps);
        r.model().faults().disconnectAfter = 200;
        int done = 0;
        QObject::connect(&run, &ProductionRun::chipDone, &run, [&](const ChipRecord&) { ++done; });
        QVERIFY(!runOperation(r.c, OpId::None, [&] { run.run(); }));
        QCOMPARE(done, 1);
        QCOMPARE(run.failed(), 1);
        const QStringList csv = csvLines(ps.csvPath);
        QCOMPARE(csv.size(), 2);
        QVERIFY(csv[1].contains(QStringLiteral(",FAIL,")) &&
                csv[1].contains(QStringLiteral(",link_lost,")));
        QCOMPARE(r.ui.warnings.size(), 1); // the failure's own box, from the entry point
        QCOMPARE(r.count(QStringLiteral("连续编程结束: 通过 0 片, 失败 1 片。")), 1);
    }

    void serialFields_data() {
        QTest::addColumn<bool>("toFlash");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<int>("increment");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("wantAddress");
        QTest::addColumn<uint>("wantNext");
        QTest::newRow("eeprom") << false << "1F0"
                                << "1234" << 1 << true << 0x1F0 << 0x1234u;
        QTest::newRow("flash, top") << true << "1FFC"
                                    << "FFFFFFFF" << 5 << true << 0x1FFC << 0xFFFFFFFFu;
        QTest::newRow("empty initial is 0") << false << "0"
                                            << "" << 1 << true << 0 << 0u;
        QTest::newRow("beyond the EEPROM") << false << "1FD"
                                           << "1" << 1 << false << 0 << 0u;
        QTest::newRow("not hex") << true << "12G"
                                 << "1" << 1 << false << 0 << 0u;
        QTest::newRow("nine digits") << true << "10"
                                     << "123456789" << 1 << false << 0 << 0u;
        QTest::newRow("no address") << true << ""
                                    << "1" << 1 << false << 0 << 0u;
        QTest::newRow("zero increment") << true << "10"
                                        << "1" << 0 << false << 0 << 0u;
    }
    void serialFields() {
        QFETCH(bool, toFlash);
        QFETCH(QString, address);
        QFETCH(QString, initial);
        QFETCH(int, increment);
        QFETCH(bool, ok);
        QFETCH(int, wantAddress);
        QFETCH(uint, wantNext);
        OfflinePanel p;
        p.serialToFlash = toFlash;
        (toFlash ? p.serialFlashAddress : p.serialEepromAddress) = address;
        p.initialHex = initial;
        p.increment = increment;
        SerialStamp s;
        QString error;
        QCOMPARE(serialFromPanel(p, 8192, 512, s, &error), ok);
        QCOMPARE(error.isEmpty(), ok);
        if (ok) {
            QCOMPARE(s.address, wantAddress);
            QCOMPARE(s.next, quint32(wantNext));
            QCOMPARE(s.toFlash, toFlash);
        }
    }

    void csvQuoting() {
        ChipRecord rec;
        rec.time = QStringLiteral("2026-01-01T00:00:00");
        rec.failedStep = QStringLiteral("a,\"b\"");
        QCOMPARE(csvLine(rec), QStringLiteral("2026-01-01T00:00:00,,,FAIL,\"a,\"\"b\"\"\",,,,,,"));
    }
};

QTEST_GUILESS_MAIN(TestProduction)
#include "tst_production.moc"
