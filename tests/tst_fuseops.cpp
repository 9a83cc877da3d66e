// The fuse and lock operations against a scripted programmer and the simulated one, the
// fuse commands of hvpp-cli, and a write-then-read through hvpp-sim on a pty.
#include "cli/cli.h"
#include "ops/fuseops.h"
#include "session/selectchip.h"
#include "sim/simchip.h"
#include "support/clirun.h"
#include "support/rig.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The chip selected with its fuse description at the defaults; log lines stamped "[t]".
constexpr int setup = SessionRig::FixedClock | SessionRig::WithFuses;

struct Scripted : ScriptedRig {
    explicit Scripted(const QString& chip) : ScriptedRig(chip, setup) {}
};

} // namespace

class TestFuseOps : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void writeFusesSendsTheFrames();
    void readFusesShowsTheChip();
    void readReplies_data();
    void readReplies();
    void recover();
    void recoverWithoutProgrammer();
    void writeLock();
    void unpluggedReadEnablesTheButtonAgain();
    void writeThenReadOnTheSimulatedProgrammer_data();
    void writeThenReadOnTheSimulatedProgrammer();
    void cliShowsTheEditorForEveryChip();
    void cliRefusesBadInput_data();
    void cliRefusesBadInput();
    void writeThenReadThroughTheCli();
};

void TestFuseOps::writeFusesSendsTheFrames() {
    Scripted r(QStringLiteral("ATMEGA8"));
    r.port.answer("WS", "OK", 50);
    r.port.answer("RS000000#", "FFFFD9E1", 5);
    QVERIFY(WriteFuses(r.c));
    // The write, then the read-back that proves it.
    QCOMPARE(r.port.writtenTexts(),
             (QStringList{QStringLiteral("WSFFD9E1#"), QStringLiteral("RS000000#")}));
    QCOMPARE(r.logLines(),
             (QStringList{QStringLiteral("OK"),
                          QStringLiteral("读回核对一致: 低字节 E1, 高字节 D9, 扩展字节 FF")}));
    QCOMPARE(r.ui.opEvents, (QList<RecordingUi::OpEvent>{{OpId::WriteFuses, true}, {OpId::WriteFuses, false}}));
    QCOMPARE(r.port.nowMs(), 500.0); // the read-back takes its whole 100 ms

    Scripted m(QStringLiteral("ATMEGA168"));
    QVERIFY(!WriteFuses(m.c));
    QCOMPARE(m.port.writtenTexts(),
             (QStringList{QStringLiteral("WSF9DF62#"), QStringLiteral("RS000000#")}));
    QCOMPARE(m.logLines(),
             (QStringList{QStringLiteral("编程器无反应!"), QStringLiteral("编程器无反应!"),
                          QStringLiteral("写入后无法读回核对, 不能确认写入。")}));
}

void TestFuseOps::readFusesShowsTheChip() {
    Scripted r(QStringLiteral("ATMEGA168"));
    r.port.answer("RS000000#", "FFF9DFE2", 5);
    QVERIFY(ReadFuses(r.c));
    QCOMPARE(r.port.writtenTexts(), QStringList{QStringLiteral("RS000000#")});
    QCOMPARE(r.logLines(), QStringList{QStringLiteral("读熔丝位:F9DFE2 锁定位:FF")});
    // Lock FF, extended F9, high DF, low E2, "*" where the chip has no bit.
    QCOMPARE(r.session.fuses.fuseText(), QStringLiteral("**111111*****0011101111111100010"));
    QCOMPARE(r.session.fuses.frameDigits(0), QStringLiteral("E2"));
    QCOMPARE(r.ui.opEvents, (QList<RecordingUi::OpEvent>{{OpId::ReadFuses, true}, {OpId::ReadFuses, false}}));

    Scripted m8(QStringLiteral("ATMEGA8"));
    m8.port.answer("RS000000#", "FC00DFE4", 5);
    QVERIFY(ReadFuses(m8.c));
    QCOMPARE(m8.logLines(), QStringList{QStringLiteral("读熔丝位:..DFE4 锁定位:FC")});
    QCOMPARE(m8.session.fuses.fuseText(), QStringLiteral("**111100********1101111111100100"));
}

void TestFuseOps::readReplies_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("applied");
    QTest::addColumn<QString>("bits"); // what the page shows afterwards
    const QString unchanged = QStringLiteral("**111111*****0011101111101100010"); // the default
    QTest::newRow("eight digits and more: no answer")
        << QByteArray("FFF9DFE2\r\nxyz") << false << unchanged;
    QTest::newRow("lower case") << QByteArray("fff9dfe2") << true
                                << QStringLiteral("**111111*****0011101111111100010");
    QTest::newRow("short: no guessing of the missing bytes")
        << QByteArray("5F62\r\n") << false << unchanged;
    QTest::newRow("not hexadecimal") << QByteArray("ERROR!#") << false << unchanged;
    QTest::newRow("one bad digit") << QByteArray("FFF9DFEG") << false << unchanged;
    QTest::newRow("Chinese text") << QByteArray("\xb1\xe0\xb3\xcc") << false << unchanged;
    QTest::newRow("line break only") << QByteArray("\r\n") << false << unchanged;
    QTest::newRow("silent") << QByteArray() << false << unchanged;
}

void TestFuseOps::readReplies() {
    QFETCH(QByteArray, reply);
    QFETCH(bool, applied);
    QFETCH(QString, bits);
    Scripted r(QStringLiteral("ATMEGA168"));
    r.port.answer("RS000000#", reply, 5);
    QSignalSpy changed(&r.session.fuses, &FuseEditor::changed);
    QCOMPARE(ReadFuses(r.c), applied);
    QCOMPARE(r.session.fuses.fuseText(), bits);
    QCOMPARE(changed.count() > 0, applied);
    QCOMPARE(r.logLines().size(), 1);
    if (reply.isEmpty())
        QCOMPARE(r.logLines()[0], QStringLiteral("编程器无反应!"));
    else if (!applied)
        QVERIFY(r.logLines()[0].startsWith(QStringLiteral("读熔丝位: ")));
    QCOMPARE(r.ui.opEvents.last(), RecordingUi::OpEvent(OpId::ReadFuses, false));
}

void TestFuseOps::recover() {
    Scripted r(QStringLiteral("ATMEGA8"));
    r.port.answer("WS", "done", 10);
    r.port.answer("RS000000#", "FFFFD9E1", 5);
    QVERIFY(RecoverFuses(r.c));
    QCOMPARE(r.port.writtenTexts(),
             (QStringList{QStringLiteral("WS..D9E1#"), QStringLiteral("RS000000#")}));
    QCOMPARE(r.logLines(), (QStringList{QStringLiteral("读回核对一致: 低字节 E1, 高字节 D9"),
                                        QStringLiteral("恢复成功！")}));

    Scripted bad(QStringLiteral("ATMEGA8"));
    bad.port.answer("RS000000#", "FFFFD9E0", 5);
    QVERIFY(!RecoverFuses(bad.c));
    QCOMPARE(bad.logLines().last(),
             QStringLiteral(
                 "恢复失败！ 写入未生效: 写入 低字节 E1, 高字节 D9, 读回 低字节 E0, 高字节 D9。"));

    Scripted m(QStringLiteral("ATMEGA88"));
    m.port.answer("RS000000#", "fff9df62", 5);
    QVERIFY(RecoverFuses(m.c));
    QCOMPARE(m.port.writtenTexts().first(), QStringLiteral("WSF9DF62#"));
    QCOMPARE(ReadFuseBytes(m.c), QStringLiteral("F9DF62"));
}

void TestFuseOps::recoverWithoutProgrammer() {
    Scripted r(QStringLiteral("ATMEGA8"));
    QVERIFY(!RecoverFuses(r.c));
    QCOMPARE(r.logLines(),
             (QStringList{QStringLiteral("编程器无反应!"), QStringLiteral("编程器无反应!"),
                          QStringLiteral("恢复失败！ 写入后无法读回核对, 不能确认写入。")}));
    QCOMPARE(ReadFuseBytes(r.c), QString());
}

void TestFuseOps::writeLock() {
    // A page without a description file: which lock bits the chip has is not known, so a
    // read-back could not tell a write that took: refused, nothing sent.
    ScriptedRig plain(QString(), SessionRig::Plain);
    plain.session.fuses.ApplyFuseText(QStringLiteral("00111100") + QString(24, u'1'));
    QCOMPARE(plain.session.fuses.frameCaption(3), QStringLiteral("锁定位[3C]"));
    QVERIFY(!WriteLock(plain.c));
    QCOMPARE(plain.frames(), QStringList());

    // On the ATmega8 lock bits 7 and 6 are "*" and go out as 1.
    Scripted r(QStringLiteral("ATMEGA8"));
    r.session.fuses.ApplyFuseText(QStringLiteral("00111100") + QString(24, u'1'));
    r.port.answer("RS000000#", "FCFFD9E1", 5);
    QVERIFY(WriteLock(r.c));
    QCOMPARE(r.port.writtenTexts(),
             (QStringList{QStringLiteral("WLFC0000#"), QStringLiteral("RS000000#")}));
}

void TestFuseOps::unpluggedReadEnablesTheButtonAgain() {
    Scripted r(QStringLiteral("ATMEGA8"));
    r.port.responder = [](ScriptedPort& p, const QByteArray&) { p.unplug(); };
    const QString before = r.session.fuses.fuseText();
    QVERIFY(!runOperation(r.c, OpId::ReadFuses, [&] { ReadFuses(r.c); }));
    QCOMPARE(r.ui.opEvents.last(), RecordingUi::OpEvent(OpId::ReadFuses, false));
    QCOMPARE(r.ui.warnings.size(), 1);
    QCOMPARE(r.session.fuses.fuseText(), before);
}

void TestFuseOps::writeThenReadOnTheSimulatedProgrammer_data() {
    QTest::addColumn<QString>("chip");
    QTest::addColumn<QString>("bits");  // written, lock bits 7 first
    QTest::addColumn<QString>("shown"); // read back
    QTest::newRow("ATMEGA8") << QStringLiteral("ATMEGA8")
                             << QStringLiteral("**111111********1100100111111111")
                             << QStringLiteral("**111111********1100100111111111");
    QTest::newRow("ATMEGA168") << QStringLiteral("ATMEGA168")
                               << QStringLiteral("**111111*****1101101010111100001")
                               << QStringLiteral("**111111*****1101101010111100001");
    QTest::newRow("ATMEGA162 (extended byte not in the rule)")
        << QStringLiteral("ATMEGA162") << QStringLiteral("**111111***1011*1001100111100010")
        << QStringLiteral("**111111***1011*1001100111100010");
    QTest::newRow("ATMEGA161 (one fuse byte)")
        << QStringLiteral("ATMEGA161") << QStringLiteral("**111111*****************011*100")
        << QStringLiteral("**111111*****************011*100");
}

void TestFuseOps::writeThenReadOnTheSimulatedProgrammer() {
    QFETCH(QString, chip);
    QFETCH(QString, bits);
    QFETCH(QString, shown);
    SimRig r(chip, {}, setup);
    QVERIFY(r.port.isOpen());
    r.session.fuses.ApplyFuseText(bits);
    WriteFuses(r.c);
    r.session.fuses.ApplyFuseText(r.session.fuses.defaultFuseText());
    QVERIFY(ReadFuses(r.c));
    QCOMPARE(r.session.fuses.fuseText(), shown);
    QVERIFY(r.ui.warnings.isEmpty());
    // Recover puts the factory bytes back and checks them.
    r.session.fuses.ApplyFuseText(r.session.fuses.defaultFuseText());
    QVERIFY(RecoverFuses(r.c));
    QCOMPARE(r.logLines().last(), QStringLiteral("恢复成功！"));
}

void TestFuseOps::cliShowsTheEditorForEveryChip() {
    for (const QString& chip : ChipTable::names()) {
        const CliRun run = cli({QStringLiteral("--chip"), chip, QStringLiteral("fuses")});
        QVERIFY2(run.code == Exit::Done, qPrintable(chip + run.err));
        QVERIFY(run.out.contains(QStringLiteral("熔丝低字节[")));
        QVERIFY(run.out.contains(QStringLiteral("锁定位[FF]")));
        QVERIFY(run.out.contains(QStringLiteral("SPIEN")));
        QVERIFY(run.out.contains(QStringLiteral("[x]")));
        const CliRun json = cli(
            {QStringLiteral("--json"), QStringLiteral("--chip"), chip, QStringLiteral("fuses")});
        const QJsonObject o = json.result();
        QCOMPARE(o.value(QStringLiteral("bitList")).toArray().size(), 32);
        QVERIFY(o.value(QStringLiteral("options")).toArray().size() > 10);
        QCOMPARE(o.value(QStringLiteral("bits")).toString(),
                 o.value(QStringLiteral("default")).toString());
    }
    // A text given: ATmega8 with the external crystal choice and reset disabled.
    const CliRun run =
        cli({QStringLiteral("--json"), QStringLiteral("--chip"), QStringLiteral("ATMEGA8"),
             QStringLiteral("fuses"), QStringLiteral("--bits"),
             QStringLiteral("**111111********0101100111111111")});
    const QJsonObject o = run.result();
    QCOMPARE(o.value(QStringLiteral("high")).toString(), QStringLiteral("59"));
    QCOMPARE(o.value(QStringLiteral("low")).toString(), QStringLiteral("FF"));
    QStringList checked;
    for (const QJsonValue& v : o.value(QStringLiteral("options")).toArray())
        if (v.toObject().value(QStringLiteral("checked")).toBool())
            checked << v.toObject().value(QStringLiteral("key")).toString();
    QVERIFY(checked.contains(QStringLiteral("FSB157FFF/0000"))); // RSTDISBL
    QVERIFY(checked.contains(QStringLiteral("FDB57FFC0/003F"))); // crystal, 16K CK + 65 ms
}

void TestFuseOps::cliRefusesBadInput_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::newRow("fuses, short text")
        << QStringList{QStringLiteral("fuses"), QStringLiteral("--bits"), QStringLiteral("0101")}
        << int(Exit::Usage);
    QTest::newRow("write-fuses without a source")
        << QStringList{QStringLiteral("write-fuses")} << int(Exit::Usage);
    QTest::newRow("write-fuses two sources")
        << QStringList{QStringLiteral("write-fuses"), QStringLiteral("--default"),
                       QStringLiteral("--low"), QStringLiteral("FF")}
        << int(Exit::Usage);
    QTest::newRow("write-fuses low only")
        << QStringList{QStringLiteral("write-fuses"), QStringLiteral("--low"), QStringLiteral("E1")}
        << int(Exit::Usage);
    QTest::newRow("write-fuses bad hex")
        << QStringList{QStringLiteral("write-fuses"), QStringLiteral("--low"), QStringLiteral("G1"),
                       QStringLiteral("--high"), QStringLiteral("D9")}
        << int(Exit::Usage);
    QTest::newRow("write-lock missing")
        << QStringList{QStringLiteral("write-lock")} << int(Exit::Usage);
    QTest::newRow("write-lock three digits")
        << QStringList{QStringLiteral("write-lock"), QStringLiteral("1FF")} << int(Exit::Usage);
}

void TestFuseOps::cliRefusesBadInput() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    const CliRun run =
        cli(QStringList{QStringLiteral("--port"), QStringLiteral("/nonexistent")} + args);
    QCOMPARE(run.code, code);
    QVERIFY(!run.err.isEmpty());
}

void TestFuseOps::writeThenReadThroughTheCli() {
    // One command after the other, the chip kept in the simulated programmer's state file.
    QTemporaryDir dir;
    const QStringList common =
        simArgs(dir.filePath(QStringLiteral("s.ini")),
                {QStringLiteral("--sim-chip"), QStringLiteral("ATMEGA88"),
                 QStringLiteral("--sim-state"), dir.filePath(QStringLiteral("state.json"))}) +
        QStringList{QStringLiteral("--json"), QStringLiteral("--chip"), QStringLiteral("ATMEGA88")};

    CliRun write = cli(common + QStringList{QStringLiteral("write-fuses"), QStringLiteral("--low"),
                                            QStringLiteral("FF"), QStringLiteral("--high"),
                                            QStringLiteral("D7"), QStringLiteral("--ext"),
                                            QStringLiteral("F8"), QStringLiteral("--force")});
    QVERIFY2(write.code == Exit::Done, qPrintable(write.err + write.out));
    CliRun lock = cli(common + QStringList{QStringLiteral("write-lock"), QStringLiteral("CF"),
                                           QStringLiteral("--force")});
    QVERIFY2(lock.code == Exit::Done, qPrintable(lock.err + lock.out));
    CliRun read = cli(common + QStringList{QStringLiteral("read-fuses")});
    QVERIFY2(read.code == Exit::Done, qPrintable(read.err + read.out));
    const QJsonObject r = read.result();
    QCOMPARE(r.value(QStringLiteral("low")).toString(), QStringLiteral("FF"));
    QCOMPARE(r.value(QStringLiteral("high")).toString(), QStringLiteral("D7"));
    QCOMPARE(r.value(QStringLiteral("ext")).toString(), QStringLiteral("F8"));
    QCOMPARE(r.value(QStringLiteral("lock")).toString(),
             QStringLiteral("CF")); // boot section locked only
    QCOMPARE(r.value(QStringLiteral("bits")).toString(),
             QStringLiteral("**001111*****0001101011111111111"));
    QVERIFY(read.out.contains(QStringLiteral("读熔丝位:F8D7FF 锁定位:CF")));

    CliRun recover = cli(common + QStringList{QStringLiteral("recover-fuses")});
    QVERIFY2(recover.code == Exit::Done, qPrintable(recover.err + recover.out));
    QVERIFY(recover.out.contains(QStringLiteral("恢复成功！")));
    // Lock mode 2 (further programming disabled) keeps the fuses as they are.
    CliRun lock2 = cli(common + QStringList{QStringLiteral("write-lock"), QStringLiteral("FE"),
                                            QStringLiteral("--force")});
    // The boot lock bits programmed before stay programmed: the chip holds CE, not FE.
    QCOMPARE(lock2.code, int(Exit::Failed));
    CliRun locked =
        cli(common + QStringList{QStringLiteral("write-fuses"), QStringLiteral("--bits"),
                                 QStringLiteral("**111110*****0001101011111111111"),
                                 QStringLiteral("--force")});
    QCOMPARE(locked.code, int(Exit::Failed)); // the read-back says the write did not take
    QVERIFY(locked.out.contains(QStringLiteral("芯片已加密")));
    CliRun again = cli(common + QStringList{QStringLiteral("read-fuses")});
    QCOMPARE(again.code, int(Exit::Done));
    QCOMPARE(again.result().value(QStringLiteral("bits")).toString(),
             QStringLiteral("**001110*****0011101111101100010")); // lock bits only clear
}

QTEST_GUILESS_MAIN(TestFuseOps)
#include "tst_fuseops.moc"
