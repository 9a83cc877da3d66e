// The line as hardware has it: a UART that carries 10 bits a character both ways and a USB
// adapter that holds the answers for its latency timer. Every job passes at every rate the
// settings dialog offers from 9600 up, with and without latency; an answer is exactly what was
// asked or a failure; an acknowledgement that comes late is its own frame's.
#include "firmware/firmwareupdate.h"
#include "link/answer.h"
#include "link/serialport.h"
#include "offline/upload.h"
#include "ops/eepromops.h"
#include "ops/flashops.h"
#include "ops/fuseops.h"
#include "ops/program.h"
#include "ops/readops.h"
#include "ops/singlebyte.h"
#include "support/rig.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// Random bytes with every fourth 16-byte run blank, so that "FFFF" words are skipped too.
QByteArray image(int bytes, quint32 seed) {
    QRandomGenerator g(seed);
    QByteArray b(bytes, '\xFF');
    for (int i = 0; i < bytes; ++i)
        if ((i / 16) % 4 != 3)
            b[i] = char(g.bounded(256));
    return b;
}

QString hexText(const QByteArray& b) {
    return QString::fromLatin1(b.toHex().toUpper());
}

bool controlFree(const QString& text) {
    for (const QString& line : text.split(QStringLiteral("\r\n")))
        for (QChar c : line)
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                return false;
    return true;
}

} // namespace

class TestLine : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void everyJobAtEveryRate_data();
    void everyJobAtEveryRate();
    void noiseBeforeAnAnswerMakesItNoAnswer_data();
    void noiseBeforeAnAnswerMakesItNoAnswer();
    void shortVerifySaysSoAndDrains();
    void lateAcknowledgementIsItsOwnFramesOnly();
    void ptyLineAt38400WithLatency();
};

void TestLine::everyJobAtEveryRate_data() {
    QTest::addColumn<int>("baud");
    QTest::addColumn<double>("latency");
    for (int baud : {9600, 38400, 57600, 115200})
        for (double latency : {0.0, 16.0})
            QTest::addRow("%d baud, %g ms", baud, latency) << baud << latency;
}

void TestLine::everyJobAtEveryRate() {
    QFETCH(int, baud);
    QFETCH(double, latency);
    SimConfig config = simConfig(QStringLiteral("ATMEGA32"), {}, baud);
    config.latencyMs = latency;
    SimRig r(config);
    const QByteArray flash = image(2048, 1);
    const QByteArray eeprom = image(64, 2);
    r.session.FlashBufferText = hexText(flash);
    r.session.EepromBufferText = hexText(eeprom);
    QVERIFY(r.session.setOptionsText(QStringLiteral("1110001011")));

    // The program sequence: erase, flash and EEPROM written and verified, the signature
    // checked. No wait for an acknowledgement runs out, at any rate.
    const double t0 = r.port.nowMs();
    QVERIFY(ProgramChip(r.c).ok());
    const double programMs = r.port.nowMs() - t0;
    QCOMPARE(r.link.unansweredCount(), 0);
    QCOMPARE(r.chip().flash().left(flash.size()), flash);
    QCOMPARE(r.chip().eeprom().left(eeprom.size()), eeprom);
    // Not slower than the line: the characters both ways, the chip's own times, the fixed
    // waits (presence, signature, "WF#", the EEPROM write's end), the quiet that ends the
    // erase and "!#" replies and the reads, and one latency tick per answer waited for, with
    // 5 % to spare.
    const double charMs = 10000.0 / baud;
    const qint64 chars = r.port.sent().size() + 2 * (flash.size() + eeprom.size()) + 200;
    const int pages = flash.size() / 128, answers = pages + eeprom.size() + 10;
    const double floorMs = chars * charMs + pages * 4.5 + eeprom.size() * 9.0 + 9.0 + 4 * 100.0 +
                           100.0 + 10.0 + 4 * ReplyQuietMs + answers * latency;
    QVERIFY2(programMs <= floorMs * 1.05,
             qPrintable(QStringLiteral("%1 ms for a floor of %2 ms").arg(programMs).arg(floorMs)));

    // The reads give back what was written.
    QVERIFY(ReadEeprom(r.c));
    QCOMPARE(r.session.EepromBufferText, hexText(r.chip().eeprom()));
    r.session.FlashBufferText = hexText(flash);

    // The stand-alone upload and the firmware transfer.
    r.session.EepromBufferText = hexText(eeprom);
    QVERIFY(UploadOfflineImages(r.c));
    QCOMPARE(r.model().offlineFlash().left(flash.size()), flash);
    QCOMPARE(r.model().offlineEeprom().left(eeprom.size()), eeprom);
    const QByteArray firmware = image(300, 3);
    FirmwareTransfer t(r.link);
    QVERIFY(t.openData(firmware));
    r.link.delayMs(10); // the upload's last "!" has reached the programmer
    r.port.restartProgrammer();
    QVERIFY(t.waitForLoader());
    QVERIFY(t.proceed());
    r.link.delayMs(50);
    QCOMPARE(r.model().firmware().left(firmware.size()), firmware);
    QCOMPARE(r.link.unansweredCount(), 0);
    // The trace has both directions' times: what the program sent, until it had crossed.
    QVERIFY(r.trace().filter(QStringLiteral("| line until ")).size() > 10);
}

void TestLine::noiseBeforeAnAnswerMakesItNoAnswer_data() {
    QTest::addColumn<QByteArray>("noise");
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"read flash", "read eeprom", "verify flash", "verify eeprom", "fuses",
                             "word", "byte", "signature"}) {
        QTest::addRow("digit, %s", kind) << QByteArray("5") << QString::fromLatin1(kind);
        QTest::addRow("NUL, %s", kind) << QByteArray(1, '\0') << QString::fromLatin1(kind);
    }
}

void TestLine::noiseBeforeAnAnswerMakesItNoAnswer() {
    QFETCH(QByteArray, noise);
    QFETCH(QString, kind);
    SimFaults f;
    f.noise = noise;
    SimRig r(QStringLiteral("ATMEGA8"), f, SessionRig::WithFuses);
    r.chip().flash().fill('\x11', 64);
    const QString flashBefore = QStringLiteral("AB");
    r.session.FlashBufferText = flashBefore;
    r.session.EepromBufferText = QStringLiteral("CD");
    const QString fusesBefore = r.session.fuses.fuseText();
    r.session.single.address = {QStringLiteral("1"), QStringLiteral("1")};
    r.session.single.data = {QStringLiteral("1234"), QStringLiteral("56")};
    bool ok = true;
    if (kind == u"read flash")
        ok = ReadFlash(r.c);
    else if (kind == u"read eeprom")
        ok = ReadEeprom(r.c);
    else if (kind == u"verify flash")
        ok = VerifyFlash(r.c);
    else if (kind == u"verify eeprom")
        ok = VerifyEeprom(r.c);
    else if (kind == u"fuses")
        ok = ReadFuses(r.c);
    else if (kind == u"word")
        ok = ReadSingle(r.c, 0);
    else if (kind == u"byte")
        ok = ReadSingle(r.c, 1);
    else
        ok = ProgramChip(r.c).ok(); // the presence test reads signature byte 0
    QVERIFY(!ok);
    // Nothing held was changed by what was no answer, and the line's characters are shown,
    // never passed to the log as they came.
    QCOMPARE(r.session.FlashBufferText, flashBefore);
    QCOMPARE(r.session.EepromBufferText, QStringLiteral("CD"));
    QCOMPARE(r.session.fuses.fuseText(), fusesBefore);
    QCOMPARE(r.session.single.data[0], QStringLiteral("1234"));
    QCOMPARE(r.session.single.data[1], QStringLiteral("56"));
    QVERIFY2(controlFree(r.log()), qPrintable(r.log()));
    if (kind.startsWith(u"verify"))
        QVERIFY(r.log().contains(QStringLiteral("校验失败, 回答不可用")));
}

void TestLine::shortVerifySaysSoAndDrains() {
    // The answer stops for longer than the read's silence: the verify says what came
    // instead of blaming the chip, and the rest of the answer is not the next command's.
    SimFaults f;
    f.splitChars = 1000;
    f.splitGapMs = 80;
    SimRig r(QStringLiteral("ATMEGA8"), f);
    const QByteArray flash = image(1024, 4);
    r.chip().flash().replace(0, flash.size(), flash);
    r.session.FlashBufferText = hexText(flash);
    QVERIFY(!VerifyFlash(r.c));
    QVERIFY(r.log().contains(QStringLiteral("只收到 1000 个字符 (应为 2048 个)")));
    QVERIFY(!r.log().contains(QStringLiteral("字节不符")));
    QCOMPARE(r.ui.warnings.size(), 1);
    r.port.model().faults() = {};
    r.link.sendCommand(QStringLiteral("RI00#"));
    QCOMPARE(r.link.readAfterDelay(100), QStringLiteral("1E"));
}

void TestLine::lateAcknowledgementIsItsOwnFramesOnly() {
    // The first byte's "!" comes 80 ms after it was sent, past its 50 ms wait; the second's
    // 5 ms after, the third's 30 ms after. Each wait ends on its own frame's "!".
    ScriptedRig r;
    const QList<double> delays{80, 5, 30};
    int k = 0;
    r.port.responder = [&](ScriptedPort& p, const QByteArray&) {
        p.queueInputAfter("!", delays.value(k++, 1));
    };
    QList<double> ends;
    for (int i = 0; i < 3; ++i) {
        r.link.sendCommand(QStringLiteral("WEAA%1#").arg(i, 4, 10, QLatin1Char('0')));
        r.link.waitForMarker(50, QStringLiteral("!"));
        ends << r.port.nowMs();
    }
    QCOMPARE(ends, (QList<double>{50, 80, 110}));
    // A "!" that never comes costs its own wait and the next one's, not every one after.
    ScriptedRig lost;
    int n = 0;
    lost.port.responder = [&](ScriptedPort& p, const QByteArray&) {
        if (n++ != 0)
            p.queueInputAfter("!", 5);
    };
    QList<double> spans;
    for (int i = 0; i < 4; ++i) {
        const double t = lost.port.nowMs();
        lost.link.sendCommand(QStringLiteral("WEAA0000#"));
        lost.link.waitForMarker(50, QStringLiteral("!"));
        spans << lost.port.nowMs() - t;
    }
    QCOMPARE(spans, (QList<double>{50, 50, 5, 5}));
}

void TestLine::ptyLineAt38400WithLatency() {
    // hvpp-sim on a pseudo-terminal, the line at 38400 both ways and the adapter's 16 ms
    // latency timer: the waits count the line's time, so no acknowledgement is missed.
    SimProcess sim(QStringLiteral("ATMEGA32"), 38400,
                   {QStringLiteral("--latency"), QStringLiteral("16")});
    QVERIFY2(!sim.pty().isEmpty(), qPrintable(sim.errors()));
    SerialPort serial(sim.pty());
    QVERIFY(serial.setSettingsText(QStringLiteral("38400,n,8,1")));
    QVERIFY2(serial.open(), qPrintable(serial.errorString()));
    SessionRig r(serial, QStringLiteral("ATMEGA32"));
    // A pty has no latency timer to ask down, and no adapter to hold its answers: nothing is
    // said about it.
    QVERIFY(serial.lineNotice().isEmpty());
    const QByteArray flash = image(1536, 5);
    r.session.FlashBufferText = hexText(flash);
    r.session.EepromBufferText = hexText(image(16, 6));
    QVERIFY(r.session.setOptionsText(QStringLiteral("1110001011")));
    QVERIFY(ProgramChip(r.c).ok());
    QCOMPARE(r.link.unansweredCount(), 0);
    serial.close();
}

QTEST_GUILESS_MAIN(TestLine)
#include "tst_line.moc"
