// Memory operations that must not report success when they failed, nor fail a correct chip:
// the verify against a copy of the image, images larger than the chip, read-backs with
// pauses, a failed read, late markers and line noise, and the flash-word pace on a coarse
// clock. Against the simulated programmer on its virtual clock.
#include "image/images.h"
#include "image/saver.h"
#include "ops/eepromops.h"
#include "ops/flashops.h"
#include "ops/identify.h"
#include "ops/program.h"
#include "ops/readops.h"
#include "session/imageslots.h"
#include "session/opcontext.h"
#include "session/selectchip.h"
#include "session/session.h"
#include "sim/simport.h"
#include "support/recordingui.h"
#include "support/scriptedport.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <functional>
#include <memory>

namespace {

QByteArray randomBytes(int n, quint32 seed) {
    QRandomGenerator g(seed);
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i)
        b[i] = char(g.bounded(255)); // never FF: every flash word is sent
    return b;
}

QString hexOf(const QByteArray& b) {
    return QString::fromLatin1(b.toHex().toUpper());
}

// A Ui that can act while an operation waits (a user's click between two reads).
class HookUi : public RecordingUi {
  public:
    std::function<void()> onProgress;
    void progress(Progress bar, int percent) override {
        RecordingUi::progress(bar, percent);
        if (onProgress)
            onProgress();
    }
};

// A port whose sleeps all last a whole number of 15.6 ms ticks, as on a platform with a
// coarse system timer. Input still wakes a wait for input at once.
class CoarsePort : public Port {
  public:
    static constexpr double Tick = 15.6;
    explicit CoarsePort(Port& inner) : m_inner(inner) {}
    bool open() override { return m_inner.open(); }
    void close() override { m_inner.close(); }
    bool isOpen() const override { return m_inner.isOpen(); }
    QString errorString() const override { return m_inner.errorString(); }
    QString portName() const override { return m_inner.portName(); }
    void write(const QByteArray& bytes) override { m_inner.write(bytes); }
    QByteArray readAll() override { return m_inner.readAll(); }
    qint64 bytesAvailable() override { return m_inner.bytesAvailable(); }
    double nowMs() const override { return m_inner.nowMs(); }
    bool waitForInput(double deadlineMs) override {
        return m_inner.waitForInput(rounded(deadlineMs));
    }
    void waitUntil(double deadlineMs) override {
        ++sleeps;
        m_inner.waitUntil(rounded(deadlineMs));
    }
    int sleeps = 0;

  private:
    double rounded(double deadline) const {
        const double now = m_inner.nowMs();
        if (deadline <= now)
            return deadline;
        return now + std::ceil((deadline - now) / Tick) * Tick;
    }
    Port& m_inner;
};

struct Rig {
    Session session;
    std::unique_ptr<SimPort> sim;
    std::unique_ptr<CoarsePort> coarse;
    std::unique_ptr<Link> link;
    HookUi ui;
    std::unique_ptr<OpContext> c;
    explicit Rig(const QString& chip, const SimFaults& faults = {}, int baud = 115200,
                 bool coarseClock = false) {
        SimConfig config;
        config.chip = chip;
        config.faults = faults;
        config.baud = baud;
        sim = std::make_unique<SimPort>(config);
        sim->open();
        Port* port = sim.get();
        if (coarseClock) {
            coarse = std::make_unique<CoarsePort>(*sim);
            port = coarse.get();
        }
        link = std::make_unique<Link>(port, &session.log);
        c = std::make_unique<OpContext>(OpContext{session, *link, ui});
        SelectChip(session, chip);
    }
    SimChip& chip() { return *sim->model().chip(); }
    bool logged(const QString& text) const { return session.log.text().contains(text); }
};

} // namespace

class TestTrustOps : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void verifyComparesWithTheImageAsItWasAtTheStart_data();
    void verifyComparesWithTheImageAsItWasAtTheStart();
    void imagesLargerThanTheChipAreRefused_data();
    void imagesLargerThanTheChipAreRefused();
    void readBacksSurvivePausesInTheAnswer_data();
    void readBacksSurvivePausesInTheAnswer();
    void failedReadChangesNothing();
    void lateMarkersAreNoData();
    void noiseByteDoesNotCorruptTheNextAnswer();
    void flashPaceHoldsOnACoarseClock();
};

void TestTrustOps::verifyComparesWithTheImageAsItWasAtTheStart_data() {
    QTest::addColumn<bool>("eeprom");
    QTest::addColumn<bool>("chipWritten");
    QTest::addColumn<bool>("passes");
    // Cleared during the verify of a blank chip: today's image says the chip is wrong.
    QTest::newRow("flash, blank chip") << false << false << false;
    QTest::newRow("eeprom, blank chip") << true << false << false;
    // Replaced during the verify of a written chip: the chip matches what was meant.
    QTest::newRow("flash, written chip") << false << true << true;
    QTest::newRow("eeprom, written chip") << true << true << true;
}

void TestTrustOps::verifyComparesWithTheImageAsItWasAtTheStart() {
    QFETCH(bool, eeprom);
    QFETCH(bool, chipWritten);
    QFETCH(bool, passes);
    Rig r(QStringLiteral("ATMEGA8"));
    const QString image = hexOf(randomBytes(eeprom ? 512 : 4096, 7));
    (eeprom ? r.session.EepromBufferText : r.session.FlashBufferText) = image;
    if (chipWritten)
        QVERIFY(eeprom ? WriteEeprom(*r.c) : WriteFlash(*r.c));
    // The user clears (blank chip) or replaces (written chip) the image while the answer
    // comes in.
    int calls = 0;
    r.ui.onProgress = [&] {
        if (++calls != 2)
            return;
        QString& held = eeprom ? r.session.EepromBufferText : r.session.FlashBufferText;
        if (chipWritten)
            held = hexOf(randomBytes(eeprom ? 512 : 4096, 8));
        else
            eeprom ? ClearEeprom(r.session) : ClearFlash(r.session);
    };
    const bool ok = eeprom ? VerifyEeprom(*r.c) : VerifyFlash(*r.c);
    QVERIFY(calls >= 2);
    QCOMPARE(ok, passes);
    const QString passed =
        eeprom ? QStringLiteral("校验EEPROM通过。") : QStringLiteral("校验FLASH通过。");
    QCOMPARE(r.logged(passed), passes);
    if (!passes)
        QCOMPARE(r.ui.warnings.size(), 1);
}

void TestTrustOps::imagesLargerThanTheChipAreRefused_data() {
    QTest::addColumn<bool>("eeprom");
    QTest::addColumn<int>("bytes");
    QTest::newRow("64 KB flash image") << false << 65536;
    QTest::newRow("flash one byte over") << false << 8193;
    QTest::newRow("eeprom one byte over") << true << 513;
    QTest::newRow("1 KB eeprom image") << true << 1024;
}

void TestTrustOps::imagesLargerThanTheChipAreRefused() {
    QFETCH(bool, eeprom);
    QFETCH(int, bytes);
    Rig r(QStringLiteral("ATMEGA8"));
    (eeprom ? r.session.EepromBufferText : r.session.FlashBufferText) =
        hexOf(randomBytes(bytes, 3));
    QVERIFY(!(eeprom ? VerifyEeprom(*r.c) : VerifyFlash(*r.c)));
    QVERIFY(!(eeprom ? WriteEeprom(*r.c) : WriteFlash(*r.c)));
    QCOMPARE(r.ui.warnings.size(), 2);
    QVERIFY(r.ui.warnings[0].contains(QStringLiteral("未校验")));
    QVERIFY(r.ui.warnings[1].contains(QStringLiteral("未写入")));
    QVERIFY(r.ui.warnings[0].contains(QString::number(bytes)));
    QCOMPARE(r.sim->sent(), QByteArray()); // not a single frame, let alone "RF0010000#"
}

void TestTrustOps::readBacksSurvivePausesInTheAnswer_data() {
    QTest::addColumn<bool>("eeprom");
    QTest::addColumn<double>("gapMs");
    QTest::addColumn<bool>("passes");
    // A USB adapter's latency timer holds the tail of an answer for 16 ms, a busy host more.
    QTest::newRow("eeprom, 16 ms") << true << 16.0 << true;
    QTest::newRow("eeprom, 40 ms") << true << 40.0 << true;
    QTest::newRow("flash, 40 ms") << false << 40.0 << true;
    // A pause longer than 50 ms ends the read: a mismatch, never a pass.
    QTest::newRow("eeprom, 60 ms") << true << 60.0 << false;
    QTest::newRow("flash, 60 ms") << false << 60.0 << false;
}

void TestTrustOps::readBacksSurvivePausesInTheAnswer() {
    QFETCH(bool, eeprom);
    QFETCH(double, gapMs);
    QFETCH(bool, passes);
    Rig r(QStringLiteral("ATMEGA8"));
    const QString image = hexOf(randomBytes(eeprom ? 512 : 2048, 11));
    (eeprom ? r.session.EepromBufferText : r.session.FlashBufferText) = image;
    QVERIFY(eeprom ? WriteEeprom(*r.c) : WriteFlash(*r.c));
    r.sim->model().faults().splitChars = 300;
    r.sim->model().faults().splitGapMs = gapMs;
    QCOMPARE(eeprom ? VerifyEeprom(*r.c) : VerifyFlash(*r.c), passes);
    QCOMPARE(r.ui.warnings.isEmpty(), passes);
    // The read buttons take the same answers: whole, or not at all.
    const QString before = QStringLiteral("ABCD");
    (eeprom ? r.session.EepromBufferText : r.session.FlashBufferText) = before;
    QCOMPARE(eeprom ? ReadEeprom(*r.c) : ReadFlash(*r.c), passes);
    const QString& held = eeprom ? r.session.EepromBufferText : r.session.FlashBufferText;
    if (passes)
        QCOMPARE(held.left(image.size()), image);
    else
        QCOMPARE(held, before);
}

void TestTrustOps::failedReadChangesNothing() {
    // A backup file and an image in the buffer; the chip's answer stops after some 600
    // characters. Neither the image nor the file may take the part that came.
    Rig r(QStringLiteral("ATMEGA8"));
    QTemporaryDir dir;
    const QString backup = dir.filePath(QStringLiteral("backup.bin"));
    const QByteArray old = randomBytes(8192, 5);
    QVERIFY(WriteImageFile(backup, hexOf(old)));
    r.session.FlashBufferText = hexOf(old);
    r.session.flashSizePanel = QStringLiteral("FLASH:8192");
    r.sim->model().faults().splitChars = 600;
    r.sim->model().faults().splitGapMs = 200;
    QVERIFY(!ReadFlash(*r.c));
    QVERIFY(r.logged(QStringLiteral("只收到 300 字节")));
    QCOMPARE(r.session.FlashBufferText, hexOf(old));
    QCOMPARE(r.session.flashSizePanel, QStringLiteral("FLASH:8192"));
    // The save that would follow a read is made only after a true.
    QFile f(backup);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), old);
    // Noise in the answer is no image either.
    r.sim->model().faults().splitChars = 0;
    r.sim->model().faults().corruptEepromAddress = 3;
    r.session.EepromBufferText = QStringLiteral("12");
    const bool eepromRead = ReadEeprom(*r.c);
    // A corrupted byte may still be hex (then it is the chip's data as read); if not, refused.
    if (!eepromRead)
        QCOMPARE(r.session.EepromBufferText, QStringLiteral("12"));
    else
        QCOMPARE(r.session.EepromBufferText.size(), 1024);
}

void TestTrustOps::lateMarkersAreNoData() {
    // Every answer 45 ms late: an EEPROM byte's "!" comes after its 50 ms wait (the chip
    // takes 9 ms more), so the last one arrives while the next step begins.
    SimFaults late;
    late.lateMs = 45;
    Rig r(QStringLiteral("ATMEGA8"), late);
    r.session.FlashBufferText = hexOf(randomBytes(1024, 21));
    r.session.EepromBufferText = hexOf(randomBytes(64, 22));
    r.session.options.fill(false);
    r.session.options[OptWriteFlash] = r.session.options[OptWriteEeprom] = true;
    r.session.options[OptVerifyFlash] = r.session.options[OptVerifyEeprom] = true;
    const ProgramOutcome o = ProgramChip(*r.c);
    QVERIFY2(o.ok(), qPrintable(r.session.log.text() + r.ui.warnings.join(u'\n')));
    QVERIFY(r.logged(QStringLiteral("校验FLASH通过。")));

    // A marker that stands in front of an answer is dropped, also in a presence test.
    ScriptedPort port;
    Session s;
    Link link(&port, &s.log);
    RecordingUi ui;
    OpContext c{s, link, ui};
    port.answer("RI00#", "$1E", 5);
    QVERIFY(PresenceTest(c));
    port.answer("RI01#", "!93", 5);
    QCOMPARE(ReadSignatureByte(c, 1), QStringLiteral("93"));
}

void TestTrustOps::noiseByteDoesNotCorruptTheNextAnswer() {
    ScriptedPort port;
    Session s;
    Link link(&port, &s.log);
    RecordingUi ui;
    OpContext c{s, link, ui};
    port.answer("RI00#", "1E", 5);
    for (char noise : {'\x81', '\xA5', '\xFE'}) {
        // Alone before the test (taken by the drain), and in front of the answer itself.
        port.queueInputAfter(QByteArray(1, noise), 1);
        port.advance(2);
        QVERIFY(PresenceTest(c));
        port.answer("RI01#", QByteArray(1, noise) + "93", 5, false);
        QCOMPARE(ReadSignatureByte(c, 1), QStringLiteral("93"));
        // A lead byte followed by hex digits that are a valid GBK trail ('A'...) too.
        port.answer("RI02#", QByteArray(1, noise) + "A5", 5, false);
        QCOMPARE(ReadSignatureByte(c, 2), QStringLiteral("A5"));
    }
    // Chinese text from the programmer outside operations is still shown as such.
    QCOMPARE(Link::decodeInput(QByteArray("OK\xD5\xFD\xB3\xA3")), QStringLiteral("OK正常"));
}

void TestTrustOps::flashPaceHoldsOnACoarseClock() {
    // An unpaced line, so that the half millisecond per word is the only pace there is.
    const QString image = hexOf(randomBytes(8192, 31));
    auto run = [&](bool coarse, int* sleeps) {
        Rig r(QStringLiteral("ATMEGA8"), {}, 0, coarse);
        r.session.FlashBufferText = image;
        const double t0 = r.link->nowMs();
        r.sim->clearSent();
        if (!WriteFlash(*r.c))
            return -1.0;
        const double took = r.link->nowMs() - t0;
        if (r.chip().flash() != QByteArray::fromHex(image.toLatin1()))
            return -2.0;
        if (sleeps)
            *sleeps = r.coarse ? r.coarse->sleeps : 0;
        return took;
    };
    const double exact = run(false, nullptr);
    int sleeps = 0;
    const double coarse = run(true, &sleeps);
    QVERIFY(exact > 0 && coarse > 0);
    const double words = 4096;
    // The pace is kept: never faster than half a millisecond per word ...
    QVERIFY2(exact >= words * 0.5, qPrintable(QString::number(exact)));
    QVERIFY2(coarse >= words * 0.5, qPrintable(QString::number(coarse)));
    // ... and a coarse timer costs no more than its ticks around the fixed waits (a sleep
    // per word would take 4096 x 15.6 ms = 64 s).
    QVERIFY2(coarse < exact * 1.1 + 3 * CoarsePort::Tick,
             qPrintable(QStringLiteral("exact %1 ms, coarse %2 ms").arg(exact).arg(coarse)));
    // The host wakes about once per tick, not once per word.
    QVERIFY2(sleeps < words / 20, qPrintable(QString::number(sleeps)));
}

QTEST_GUILESS_MAIN(TestTrustOps)
#include "tst_trust_ops.moc"
