// Short answers taken strictly: calibration bytes (a late answer shifts no slot), fuse bytes
// (an answer in pieces, a short one), the stand-alone record read with late answers; and no
// invented fuse defaults for a chip without a valid description file.
#include "offline/offlinerecord.h"
#include "ops/calibration.h"
#include "ops/fuseops.h"
#include "ops/program.h"
#include "session/opcontext.h"
#include "session/selectchip.h"
#include "session/session.h"
#include "sim/simport.h"
#include "support/recordingui.h"
#include "support/scriptedport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

// A session, a link and a Ui over any port; the fuse descriptions from Set/.
struct Ops {
    Session session;
    std::unique_ptr<Link> link;
    RecordingUi ui;
    std::unique_ptr<OpContext> c;
    Ops(Port* port, const QString& chip, const QString& setFolder = QStringLiteral(HVPP_SET_DIR)) {
        link = std::make_unique<Link>(port, &session.log);
        c = std::make_unique<OpContext>(OpContext{session, *link, ui});
        SelectChip(session, chip);
        session.fuses.setSetFolder(setFolder);
        session.fuses.LoadFuseDescription(chip + QStringLiteral(".FUS"));
        session.fuses.ApplyFuseText(session.fuses.defaultFuseText());
    }
    bool logged(const QString& text) const { return session.log.text().contains(text); }
};

struct SimOps {
    std::unique_ptr<SimPort> sim;
    std::unique_ptr<Ops> ops;
    explicit SimOps(const QString& chip, const SimFaults& faults = {},
                    const QString& setFolder = QStringLiteral(HVPP_SET_DIR)) {
        SimConfig config;
        config.chip = chip;
        config.faults = faults;
        sim = std::make_unique<SimPort>(config);
        sim->open();
        ops = std::make_unique<Ops>(sim.get(), chip, setFolder);
    }
    OpContext& c() { return *ops->c; }
    Session& s() { return ops->session; }
};

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestTrustAnswers : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void calibrationTakesOnlyItsOwnAnswers_data();
    void calibrationTakesOnlyItsOwnAnswers();
    void fuseReadTakesEightHexDigitsOrNothing_data();
    void fuseReadTakesEightHexDigitsOrNothing();
    void noFuseDefaultsWithoutADescription();
    void refusedDescriptionClearsThePreviousChips();
    void recordReadTakesAllOrNothing();
    void atmega323KeepsEesaveAtBit3();
};

void TestTrustAnswers::calibrationTakesOnlyItsOwnAnswers_data() {
    QTest::addColumn<QString>("chip");
    QTest::addColumn<QList<double>>("delays"); // answer delay of RI80#, RI81#, ...
    QTest::addColumn<QString>("logged");
    QTest::addColumn<QStringList>("slots"); // per slot: the byte shown, "" hidden
    QTest::addColumn<int>("picked");
    const QStringList bytes{QStringLiteral("A5"), QStringLiteral("A8"), QStringLiteral("AC"),
                            QStringLiteral("B0")};
    QTest::newRow("all in time") << QStringLiteral("ATMEGA8") << QList<double>{1, 1, 1, 1}
                                 << QStringLiteral("A5-A8-AC-B0") << bytes << -1;
    // The second answer comes 150 ms late, together with the third: neither is taken, and
    // the fourth, once all earlier answers are in, is.
    QTest::newRow("one late answer")
        << QStringLiteral("ATMEGA8") << QList<double>{1, 150, 1, 1} << QStringLiteral("A5--ACA8-B0")
        << QStringList{QStringLiteral("A5"), QString(), QString(), QStringLiteral("B0")} << -1;
    // Every answer late: each lands in the next byte's wait. None may be taken.
    QTest::newRow("all late") << QStringLiteral("ATMEGA8") << QList<double>{150, 150, 150, 150}
                              << QStringLiteral("-A5-A8-AC")
                              << QStringList{QString(), QString(), QString(), QString()} << -1;
    QTest::newRow("ATMEGA48 one byte")
        << QStringLiteral("ATMEGA48") << QList<double>{1} << QStringLiteral("A5")
        << QStringList{QString(), QString(), QString(), QStringLiteral("A5")} << 3;
    QTest::newRow("ATMEGA48 late") << QStringLiteral("ATMEGA48") << QList<double>{150}
                                   << QStringLiteral("") << QStringList{{}, {}, {}, {}} << -1;
}

void TestTrustAnswers::calibrationTakesOnlyItsOwnAnswers() {
    QFETCH(QString, chip);
    QFETCH(QList<double>, delays);
    QFETCH(QString, logged);
    QFETCH(QStringList, slots);
    QFETCH(int, picked);
    ScriptedPort port;
    const QByteArray bytes[] = {"A5", "A8", "AC", "B0"};
    for (int i = 0; i < delays.size(); ++i)
        port.answer("RI8" + QByteArray::number(i) + "#", bytes[i], delays[i]);
    Ops o(&port, chip);
    o.session.cal.pickedSlot = -1;
    const bool complete = ReadOA(*o.c);
    QVERIFY2(o.logged(QStringLiteral("校准字节:") + logged + u'\n') ||
                 o.session.log.text().contains(QStringLiteral("校准字节:") + logged),
             qPrintable(o.session.log.text()));
    const CalibrationPanel& cal = o.session.cal;
    bool all = true;
    for (int k = 0; k < 4; ++k) {
        QCOMPARE(cal.slotVisible[k], !slots[k].isEmpty());
        QCOMPARE(cal.slotEnabled[k], !slots[k].isEmpty());
        if (!slots[k].isEmpty())
            QCOMPARE(cal.slotText[k], slots[k]);
        all = all && (!slots[k].isEmpty() || (chip == u"ATMEGA48" && k < 3));
    }
    QCOMPARE(complete, all);
    QCOMPARE(cal.pickedSlot, picked);
    QCOMPARE(cal.writeEnabled, slots.join(QString()).size() > 0);
    // A slot that was not answered cannot be written.
    o.session.cal.pickedSlot = 1;
    port.clearWrites();
    const bool written = WriteOA(*o.c);
    QCOMPARE(written, !slots[1].isEmpty());
    if (!written)
        QVERIFY(port.writes.isEmpty());
}

void TestTrustAnswers::fuseReadTakesEightHexDigitsOrNothing_data() {
    QTest::addColumn<int>("pieceChars");
    QTest::addColumn<double>("gapMs");
    QTest::addColumn<bool>("taken");
    QTest::newRow("whole") << 0 << 0.0 << true;
    // Pieces of three characters 30 ms apart: all eight are in within the wait.
    QTest::newRow("pieces, 30 ms") << 3 << 30.0 << true;
    // 60 ms apart: only six by the end of the wait. Shifted bytes must not reach the page.
    QTest::newRow("pieces, 60 ms") << 3 << 60.0 << false;
    QTest::newRow("two characters only") << 2 << 200.0 << false;
}

void TestTrustAnswers::fuseReadTakesEightHexDigitsOrNothing() {
    QFETCH(int, pieceChars);
    QFETCH(double, gapMs);
    QFETCH(bool, taken);
    SimFaults faults;
    faults.splitChars = pieceChars;
    faults.splitGapMs = gapMs;
    SimOps r(QStringLiteral("ATMEGA168"), faults);
    r.sim->model().chip()->setFuses(0xF9, 0xD7, 0xE2);
    // The page shows something the chip does not hold.
    const QString before = r.s().fuses.fuseText();
    QCOMPARE(ReadFuses(r.c()), taken);
    if (taken) {
        QCOMPARE(r.s().fuses.frameDigits(2), QStringLiteral("F9"));
        QCOMPARE(r.s().fuses.frameDigits(1), QStringLiteral("D7"));
        QCOMPARE(r.s().fuses.frameDigits(0), QStringLiteral("E2"));
        QCOMPARE(ReadFuseBytes(r.c()), QStringLiteral("F9D7E2"));
    } else {
        QCOMPARE(r.s().fuses.fuseText(), before);
        QCOMPARE(ReadFuseBytes(r.c()), QString());
    }
    // Text that is not eight hex digits, however long, is no fuse answer.
    ScriptedPort port;
    Ops o(&port, QStringLiteral("ATMEGA8"));
    const QString page = o.session.fuses.fuseText();
    for (const QByteArray& reply :
         {QByteArray("FFFFD9E"), QByteArray("FFFFD9XE1"), QByteArray("FF FFD9E1"),
          QByteArray("FFFFD9E1\r\n"), QByteArray("5FFFFD9E1")}) {
        port.answer("RS", reply, 5, false);
        QVERIFY(!ReadFuses(*o.c));
        QCOMPARE(o.session.fuses.fuseText(), page);
    }
    port.answer("RS", "$FFFFD9E1", 5, false); // a late "$" in front
    QVERIFY(ReadFuses(*o.c));
    QCOMPARE(o.session.fuses.frameDigits(0), QStringLiteral("E1"));
}

void TestTrustAnswers::noFuseDefaultsWithoutADescription() {
    QTemporaryDir empty;
    SimOps r(QStringLiteral("ATMEGA8"), {}, empty.path());
    QVERIFY(!r.s().fuses.hasDescription());
    const QString page = r.s().fuses.fuseText();
    r.sim->clearSent();
    QVERIFY(!r.s().fuses.ApplyDefault(&r.s().log));
    QVERIFY(!RecoverFuses(r.c()));
    QVERIFY(!WriteFuses(r.c()));
    QCOMPARE(r.s().fuses.fuseText(), page);
    QVERIFY(!r.s().log.text().contains(QStringLiteral("恢复成功！")));
    QCOMPARE(r.s().log.text().count(QStringLiteral("ATMEGA8.FUS")), 3);
    // The program sequence's fuse step refuses the whole job before anything is sent.
    r.s().options.fill(false);
    r.s().options[OptWriteFuses] = true;
    r.s().options[OptErase] = true;
    const ProgramOutcome o = ProgramChip(r.c());
    QVERIFY(o.refused);
    QVERIFY(!o.ok());
    QVERIFY(!r.sim->sent().contains("EM000000#"));
    QVERIFY(!r.sim->sent().contains("WS"));
    QCOMPARE(r.sim->model().chip()->highFuse(), quint8(0xD9)); // the factory bytes stay
}

void TestTrustAnswers::refusedDescriptionClearsThePreviousChips() {
    QTemporaryDir dir;
    QFile::copy(QStringLiteral(HVPP_SET_DIR "/ATMEGA8.FUS"),
                dir.filePath(QStringLiteral("ATMEGA8.FUS")));
    QFile good(dir.filePath(QStringLiteral("ATMEGA8.FUS")));
    QVERIFY(good.open(QIODevice::ReadOnly));
    const QByteArray text = good.readAll();
    const QByteArray first = text.left(text.indexOf('\r'));
    const QByteArray rest = text.mid(text.indexOf('\r'));
    writeFile(dir.filePath(QStringLiteral("BAD.FUS")), "hello" + rest);
    writeFile(dir.filePath(QStringLiteral("BLANKS.FUS")), first + " \t " + rest);
    FuseEditor f;
    f.setSetFolder(dir.path());
    QVERIFY(f.LoadFuseDescription(QStringLiteral("ATMEGA8.FUS")));
    QVERIFY(f.hasDescription());
    QVERIFY(!f.bitName(0).isEmpty());
    QVERIFY(f.defaultFuseText() != QString(32, u'1'));
    // A refused file and a missing one: nothing of ATMEGA8's stays.
    for (const QString& name : {QStringLiteral("BAD.FUS"), QStringLiteral("NONE.FUS")}) {
        QVERIFY(f.LoadFuseDescription(QStringLiteral("ATMEGA8.FUS")));
        QVERIFY(!f.LoadFuseDescription(name));
        QVERIFY(!f.hasDescription());
        QCOMPARE(f.defaultFuseText(), QString(32, u'1'));
        for (int p = 0; p < 32; ++p)
            QVERIFY(f.bitName(p).isEmpty());
        QVERIFY(f.options().isEmpty());
    }
    // Blanks after the first line's 32 characters are no fault.
    QVERIFY(f.LoadFuseDescription(QStringLiteral("BLANKS.FUS")));
    QVERIFY(f.hasDescription());
    QCOMPARE(f.defaultFuseText(), QString::fromLatin1(first));
}

void TestTrustAnswers::recordReadTakesAllOrNothing() {
    // A record written in full, then read back by a programmer that answers in time, and by
    // one whose answers come 150 ms late (each would land in the next item's wait).
    SimOps r(QStringLiteral("ATMEGA16"));
    OfflinePanel& p = r.s().offline;
    p.steps = {true, false, true, false, true, false, true, true};
    p.calToFlash = false;
    p.calSlot = 2;
    p.calEepromAddress = QStringLiteral("01FF");
    p.serialToFlash = true;
    p.serialFlashAddress = QStringLiteral("3F00");
    p.increment = 7;
    p.initialHex = QStringLiteral("12345678");
    QVERIFY(WriteOfflineSettings(r.c()));

    Session& s = r.s();
    s.offline = OfflinePanel();
    SelectChip(s, QStringLiteral("ATMEGA8"));
    QVERIFY(ReadOfflineSettings(r.c()));
    QCOMPARE(s.offline.steps, p.steps);
    QCOMPARE(s.offline.calSlot, 2);
    QCOMPARE(s.offline.calEepromAddress, QStringLiteral("01FF"));
    QCOMPARE(s.offline.serialFlashAddress, QStringLiteral("3F00"));
    QCOMPARE(s.offline.increment, 7);
    QCOMPARE(s.offline.initialHex, QStringLiteral("12345678"));
    QCOMPARE(s.chip.ChipName, QStringLiteral("ATMEGA16"));

    r.sim->model().faults().lateMs = 150;
    const OfflinePanel before;
    s.offline = before;
    s.offline.initialHex = QStringLiteral("99");
    s.offline.increment = 3;
    SelectChip(s, QStringLiteral("ATMEGA8"));
    s.fuses.LoadFuseDescription(QStringLiteral("ATMEGA8.FUS"));
    s.fuses.ApplyFuseText(s.fuses.defaultFuseText());
    const QString fuses = s.fuses.fuseText();
    QVERIFY(!ReadOfflineSettings(r.c()));
    QCOMPARE(s.offline.initialHex, QStringLiteral("99"));
    QCOMPARE(s.offline.increment, 3);
    QCOMPARE(s.offline.steps, before.steps);
    QCOMPARE(s.offline.calEepromAddress, before.calEepromAddress);
    QCOMPARE(s.chip.ChipName, QStringLiteral("ATMEGA8"));
    QCOMPARE(s.fuses.fuseText(), fuses);
    QVERIFY(r.ops->logged(QStringLiteral("0001")));
}

void TestTrustAnswers::atmega323KeepsEesaveAtBit3() {
    SimOps r(QStringLiteral("ATMEGA323"));
    QVERIFY(r.s().fuses.hasDescription());
    // EESAVE (high fuse bit 3) programmed; bit 4 does not exist and reads as 1.
    QString bits = r.s().fuses.defaultFuseText();
    bits[16 + 4] = u'0';
    r.s().fuses.ApplyFuseText(bits);
    QCOMPARE(r.s().fuses.frameDigits(1), QStringLiteral("97"));
    QVERIFY(WriteFuses(r.c()));
    QCOMPARE(r.sim->model().chip()->highFuse(), quint8(0x97));
    QCOMPARE(ReadFuseBytes(r.c()), QStringLiteral("..97F2"));
}

QTEST_GUILESS_MAIN(TestTrustAnswers)
#include "tst_trust_answers.moc"
