// The simulated programmer against conversations worked out by hand from the command set,
// run over the Link on the virtual clock.
#include "support/rig.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTest>

namespace {

using Rig = SimRig;

QString hexOf(const QByteArray& bytes) { return QString::fromLatin1(bytes.toHex().toUpper()); }

// The flash-write stream as the program sends it: skip FFFF words, commit every PageWords
// words and after the last one.
void writeFlashStream(Rig& r, const QString& image, int pageWords) {
    r.link.sendCommand(QStringLiteral("WF#"));
    r.link.delayMs(100);
    int page = 0;
    const int words = int(image.size() / 4);
    for (int w = 0; w < words; ++w) {
        const QString word = image.mid(4 * w, 4);
        if (word != u"FFFF") {
            r.link.sendCommand(u'&' + word + hexField(w & 0xFF, 2) + u'#');
            r.link.delayMs(0.5);
        }
        if (++page == pageWords || w == words - 1) {
            page = 0;
            r.link.sendCommand(u'$' + hexField(w / 256, 2) + u'#');
            r.link.waitForMarker(100, QStringLiteral("$"));
        }
    }
    r.link.sendCommand(QStringLiteral("!#"));
    r.link.logReplyAfterDelay(100, QString());
}

QString randomImage(int bytes, quint32 seed) {
    QRandomGenerator rng(seed);
    QByteArray data(bytes, Qt::Uninitialized);
    for (int i = 0; i < bytes; ++i)
        data[i] = char(rng.bounded(256));
    // Some blank words, as real images have.
    for (int i = 0; i + 64 <= bytes; i += 512)
        data.replace(i, 64, QByteArray(64, char(0xFF)));
    return hexOf(data);
}

} // namespace

class TestSim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void connectionCheck();
    void signatureAndCalibration_data();
    void signatureAndCalibration();
    void fullProgramAndVerify();
    void pageCommitUsesLatchedAddress();
    void eepromAndSingleAccess();
    void fusesAndLock_data();
    void fusesAndLock();
    void lockModes();
    void settingsMemory();
    void lineTiming();
    void malformedFramesResynchronise();
    void randomBytesNeverBreakIt();
};

void TestSim::connectionCheck() {
    Rig r;
    r.link.drainInput();
    r.link.sendCommand(QStringLiteral("CC000000#"));
    r.link.delayMs(400);
    const QByteArray raw = r.port.readAll();
    // "连接成功!" in the programmer's code page.
    QCOMPARE(raw, QByteArray::fromHex("C1ACBDD3B3C9B9A621"));
    QCOMPARE(r.ask(QStringLiteral("CC000000#"), 400), QStringLiteral("连接成功!"));
    QVERIFY(!r.ask(QStringLiteral("FM000000#")).isEmpty());
}

void TestSim::signatureAndCalibration_data() {
    QTest::addColumn<QString>("chip");
    QTest::addColumn<QString>("signature");
    QTest::addColumn<int>("calibrationBytes");
    QTest::newRow("ATMEGA8") << "ATMEGA8" << "1E9307" << 4;
    QTest::newRow("ATMEGA16") << "ATMEGA16" << "1E9403" << 4;
    QTest::newRow("ATMEGA32") << "ATMEGA32" << "1E9502" << 4;
    QTest::newRow("ATMEGA8515") << "ATMEGA8515" << "1E9306" << 4;
    QTest::newRow("ATMEGA8535") << "ATMEGA8535" << "1E9308" << 4;
    QTest::newRow("ATTINY26") << "ATTINY26" << "1E9109" << 4;
    QTest::newRow("ATTINY2313") << "ATTINY2313" << "1E910A" << 2;
    QTest::newRow("ATMEGA48") << "ATMEGA48" << "1E9205" << 1;
    QTest::newRow("ATMEGA88") << "ATMEGA88" << "1E930A" << 1;
    QTest::newRow("ATMEGA168") << "ATMEGA168" << "1E9406" << 1;
    QTest::newRow("ATMEGA162") << "ATMEGA162" << "1E9404" << 1;
    QTest::newRow("ATMEGA163") << "ATMEGA163" << "1E9402" << 1;
    QTest::newRow("ATMEGA323") << "ATMEGA323" << "1E9501" << 1;
    QTest::newRow("ATMEGA161") << "ATMEGA161" << "1E9401" << 0;
}

void TestSim::signatureAndCalibration() {
    QFETCH(QString, chip);
    QFETCH(QString, signature);
    QFETCH(int, calibrationBytes);
    Rig r(chip);
    QString sig;
    for (int i = 0; i < 3; ++i)
        sig += r.ask(QStringLiteral("RI0%1#").arg(i));
    QCOMPARE(sig, signature);
    QCOMPARE(r.chip().calibration().size(), calibrationBytes);
    for (int k = 0; k < 4; ++k) {
        const QString answer = r.ask(QStringLiteral("RI8%1#").arg(k));
        QCOMPARE(answer.size(), 2);
        if (k < calibrationBytes)
            QCOMPARE(answer, hexOf(r.chip().calibration().mid(k, 1)));
        else
            QCOMPARE(answer, QStringLiteral("FF"));
    }
}

void TestSim::fullProgramAndVerify() {
    Rig r(QStringLiteral("ATMEGA32"));
    r.chip().flash().fill(char(0x00)); // something to erase
    QElapsedTimer real;
    real.start();
    const double t0 = r.port.nowMs();

    r.link.drainInput();
    r.link.sendCommand(QStringLiteral("EM000000#"));
    r.link.logReplyAfterDelay(100, QString());
    QCOMPARE(r.chip().flash(), QByteArray(32768, char(0xFF)));

    const QString image = randomImage(32768, 7);
    writeFlashStream(r, image, 64);
    const QString back = r.pollRead(QStringLiteral("RF008000#"));
    const double virtualMs = r.port.nowMs() - t0;
    const qint64 realMs = real.elapsed();

    QCOMPARE(hexOf(r.chip().flash()), image);
    QCOMPARE(back.size(), image.size());
    QVERIFY(back == image);
    // 64k characters at 11520 a second alone take over 5.6 s of line time.
    QVERIFY2(virtualMs > 5600 && virtualMs < 60000, qPrintable(QString::number(virtualMs)));
    // Real time is reported, not asserted: it depends on the machine's load.
    qInfo("ATMEGA32 erase, write and verify: %.0f ms virtual, %lld ms real", virtualMs, realMs);
    QVERIFY(r.log().contains(QStringLiteral("FLASH写入完毕!")));
}

void TestSim::pageCommitUsesLatchedAddress() {
    // The word at 0x0123 with the bytes 0C 94 goes as "&0C9423#"; its page is committed with
    // "$01#": the page address is the high byte of "$" and the latched low byte.
    Rig r;
    r.link.sendCommand(QStringLiteral("WF#"));
    r.link.delayMs(1);
    r.link.sendCommand(QStringLiteral("&0C9423#"));
    r.link.sendCommand(QStringLiteral("$01#"));
    QVERIFY(r.link.waitForMarkerResult(100, QStringLiteral("$")));
    r.link.sendCommand(QStringLiteral("!#"));
    r.link.delayMs(100);
    QCOMPARE(quint8(r.chip().flash()[0x246]), quint8(0x0C));
    QCOMPARE(quint8(r.chip().flash()[0x247]), quint8(0x94));
    QCOMPARE(r.chip().flash().count(char(0xFF)), 8192 - 2);
    QCOMPARE(r.ask(QStringLiteral("RW000123#"), 150), QStringLiteral("0C94"));

    // Programming only clears bits: writing 0xF0F0 over 0x0C94 leaves 0x0090.
    r.link.sendCommand(QStringLiteral("WWF0F00123#"));
    QVERIFY(r.link.waitForMarkerResult(100, QStringLiteral("!")));
    QCOMPARE(r.ask(QStringLiteral("RW000123#"), 150), QStringLiteral("0090"));
    // A page of blank words commits nothing.
    r.link.sendCommand(QStringLiteral("WF#"));
    r.link.sendCommand(QStringLiteral("$00#"));
    QVERIFY(r.link.waitForMarkerResult(100, QStringLiteral("$")));
    r.link.sendCommand(QStringLiteral("!#"));
    r.link.delayMs(100);
    QCOMPARE(r.chip().flash().count(char(0xFF)), 8192 - 2);
}

void TestSim::eepromAndSingleAccess() {
    Rig r;
    r.link.sendCommand(QStringLiteral("WEA501FF#"));
    QVERIFY(r.link.waitForMarkerResult(50, QStringLiteral("!")));
    r.link.sendCommand(QStringLiteral("WE5A0010#"));
    QVERIFY(r.link.waitForMarkerResult(100, QStringLiteral("!")));
    QCOMPARE(r.ask(QStringLiteral("RB0001FF#"), 150), QStringLiteral("A5"));
    QCOMPARE(r.ask(QStringLiteral("RB000010#"), 150), QStringLiteral("5A"));
    const QString all = r.pollRead(QStringLiteral("RE000200#"));
    QCOMPARE(all.size(), 1024);
    QCOMPARE(all.mid(0x10 * 2, 2), QStringLiteral("5A"));
    QCOMPARE(all.right(2), QStringLiteral("A5"));
    // An image shorter than the chip is read as far as asked.
    QCOMPARE(r.pollRead(QStringLiteral("RE000011#")).size(), 0x11 * 2);
    // Erase sets EEPROM to FF as well.
    r.ask(QStringLiteral("EM000000#"));
    QCOMPARE(r.ask(QStringLiteral("RB000010#"), 150), QStringLiteral("FF"));
}

void TestSim::fusesAndLock_data() {
    QTest::addColumn<QString>("chip");
    QTest::addColumn<QString>("factory");  // RS answer before any write
    QTest::addColumn<QString>("write");    // WS frame
    QTest::addColumn<QString>("afterWrite");
    QTest::newRow("ATMEGA8 no extended byte") << "ATMEGA8" << "FFFFD9E1" << "WS00D9E1#" << "FFFFD9E1";
    QTest::newRow("ATMEGA8 recover") << "ATMEGA8" << "FFFFD9E1" << "WS..C9E0#" << "FFFFC9E0";
    QTest::newRow("ATMEGA168 extended") << "ATMEGA168" << "FFF9DF62" << "WSF8DF62#" << "FFF8DF62";
    QTest::newRow("ATMEGA168 missing bits read 1") << "ATMEGA168" << "FFF9DF62" << "WS00DF62#" << "FFF8DF62";
    QTest::newRow("ATTINY26 high bits") << "ATTINY26" << "FFFFF7E1" << "WSFF00E1#" << "FFFFE0E1";
    QTest::newRow("ATMEGA161 one fuse byte") << "ATMEGA161" << "FFFFFFEA" << "WSFF0000#" << "FFFFFF88";
}

void TestSim::fusesAndLock() {
    QFETCH(QString, chip);
    QFETCH(QString, factory);
    QFETCH(QString, write);
    QFETCH(QString, afterWrite);
    Rig r(chip);
    // A fresh chip has its factory fuses.
    QCOMPARE(r.ask(QStringLiteral("RS000000#")), factory);
    r.link.sendCommand(write);
    r.link.delayMs(400);
    QVERIFY(!r.link.readText().isEmpty());
    QCOMPARE(r.ask(QStringLiteral("RS000000#")), afterWrite);
    // The lock byte: only the bits the chip has, and only cleared.
    r.link.sendCommand(QStringLiteral("WL3C0000#"));
    r.link.delayMs(100);
    const quint8 lockMask = r.chip().traits().lockMask;
    const quint8 expected = quint8(0x3C | ~lockMask);
    QCOMPARE(r.ask(QStringLiteral("RS000000#")).left(2), hexOf(QByteArray(1, char(expected))));
    r.link.sendCommand(QStringLiteral("WLFF0000#"));
    r.link.delayMs(100);
    QCOMPARE(r.ask(QStringLiteral("RS000000#")).left(2), hexOf(QByteArray(1, char(expected))));
    // Erase clears the lock.
    r.ask(QStringLiteral("EM000000#"));
    QCOMPARE(r.ask(QStringLiteral("RS000000#")).left(2), QStringLiteral("FF"));
}

void TestSim::lockModes() {
    Rig r;
    r.link.sendCommand(QStringLiteral("WW12340000#"));
    r.link.waitForMarker(100, QStringLiteral("!"));
    r.link.sendCommand(QStringLiteral("WE770000#"));
    r.link.waitForMarker(100, QStringLiteral("!"));
    // Mode 2 (LB1 programmed): no more programming, read-back still works.
    r.link.sendCommand(QStringLiteral("WLFE0000#"));
    r.link.delayMs(100);
    r.link.sendCommand(QStringLiteral("WW00000001#"));
    r.link.waitForMarker(100, QStringLiteral("!"));
    r.link.sendCommand(QStringLiteral("WE000001#"));
    r.link.waitForMarker(100, QStringLiteral("!"));
    r.link.sendCommand(QStringLiteral("WS000000#"));
    r.link.delayMs(400);
    QCOMPARE(r.ask(QStringLiteral("RW000000#"), 150), QStringLiteral("1234"));
    QCOMPARE(r.ask(QStringLiteral("RW000001#"), 150), QStringLiteral("FFFF"));
    QCOMPARE(r.ask(QStringLiteral("RB000001#"), 150), QStringLiteral("FF"));
    QCOMPARE(r.ask(QStringLiteral("RS000000#")), QStringLiteral("FEFFD9E1"));
    // Mode 3 (LB1 and LB2): read-back gives FF.
    r.link.sendCommand(QStringLiteral("WLFC0000#"));
    r.link.delayMs(100);
    QCOMPARE(r.ask(QStringLiteral("RW000000#"), 150), QStringLiteral("FFFF"));
    QCOMPARE(r.ask(QStringLiteral("RB000000#"), 150), QStringLiteral("FF"));
    QCOMPARE(r.pollRead(QStringLiteral("RF000004#")), QStringLiteral("FFFFFFFF"));
    QCOMPARE(quint8(r.chip().flash()[0]), quint8(0x12)); // still there, only hidden
    // Erase frees the chip again.
    r.ask(QStringLiteral("EM000000#"));
    r.link.sendCommand(QStringLiteral("WW00110000#"));
    r.link.waitForMarker(100, QStringLiteral("!"));
    QCOMPARE(r.ask(QStringLiteral("RW000000#"), 150), QStringLiteral("0011"));
}

void TestSim::settingsMemory() {
    Rig r;
    r.link.sendCommand(QStringLiteral("ME010001#"));
    QVERIFY(r.link.waitForMarkerResult(100, QStringLiteral("!")));
    r.link.sendCommand(QStringLiteral("ME200008#"));
    QVERIFY(r.link.waitForMarkerResult(100, QStringLiteral("!")));
    QCOMPARE(r.ask(QStringLiteral("RM000001#")), QStringLiteral("01"));
    QCOMPARE(r.ask(QStringLiteral("RM000008#")), QStringLiteral("20"));
    QCOMPARE(r.ask(QStringLiteral("RM000002#")), QStringLiteral("FF"));
    // Unlike the chip, the programmer's own memory takes any value.
    r.link.sendCommand(QStringLiteral("MEFE0001#"));
    r.link.waitForMarker(100, QStringLiteral("!"));
    QCOMPARE(r.ask(QStringLiteral("RM000001#")), QStringLiteral("FE"));
    QCOMPARE(quint8(r.port.model().settingsMemory()[1]), quint8(0xFE));
}

void TestSim::lineTiming() {
    // "RI00#" is 5 characters, its answer 2: 7 characters of 10 bits at 115200 baud.
    Rig r;
    const double t0 = r.port.nowMs();
    r.link.sendCommand(QStringLiteral("RI00#"));
    QVERIFY(r.port.waitForInput(t0 + 100));
    const double first = r.port.nowMs() - t0;
    QVERIFY2(first > 6 * 10000.0 / 115200 && first < 7 * 10000.0 / 115200 + 0.1,
             qPrintable(QString::number(first)));
    // An EEPROM byte write takes its 9 ms before the "!".
    const double t1 = r.port.nowMs();
    r.link.sendCommand(QStringLiteral("WE000000#"));
    QVERIFY(r.link.waitForMarkerResult(50, QStringLiteral("!")));
    QVERIFY(r.port.nowMs() - t1 > 9.0);
    // Unpaced: the answer is there at once.
    Rig fast(simConfig(QStringLiteral("ATMEGA8"), {}, 0));
    fast.link.sendCommand(QStringLiteral("RI01#"));
    const double t2 = fast.port.nowMs();
    QVERIFY(fast.port.waitForInput(t2 + 100));
    QVERIFY(fast.port.nowMs() - t2 < 0.1);
    QCOMPARE(fast.link.readText(), QStringLiteral("93"));
}

void TestSim::malformedFramesResynchronise() {
    Rig r;
    const int before = r.port.model().droppedFrames();
    // Noise, a bare "#", an unknown command, a short frame and stray bulk tokens: each is
    // dropped and the frame after it is answered.
    QCOMPARE(r.ask(QStringLiteral("xyz#RI01#")), QStringLiteral("93"));
    QCOMPARE(r.ask(QStringLiteral("#RI02#")), QStringLiteral("07"));
    QCOMPARE(r.ask(QStringLiteral("QQ000000#RI00#")), QStringLiteral("1E"));
    QCOMPARE(r.ask(QStringLiteral("RI0#")), QString());
    QCOMPARE(r.ask(QStringLiteral("D68>RI00#")), QStringLiteral("1E"));
    QCOMPARE(r.ask(QStringLiteral("RFZZ0010#")), QString());
    // "&" and "$" outside of flash-write mode do nothing.
    r.ask(QStringLiteral("&00000000#$00#"));
    QCOMPARE(r.chip().flash().count(char(0xFF)), 8192);
    QVERIFY(r.port.model().droppedFrames() >= before + 5);
    // A command inside flash-write mode leaves it.
    r.link.sendCommand(QStringLiteral("WF#"));
    QCOMPARE(r.ask(QStringLiteral("RI01#")), QStringLiteral("93"));
    r.ask(QStringLiteral("&00000000#$00#"));
    QCOMPARE(r.chip().flash().count(char(0xFF)), 8192);
}

void TestSim::randomBytesNeverBreakIt() {
    Rig r;
    QRandomGenerator rng(1234);
    for (int round = 0; round < 200; ++round) {
        QByteArray junk(int(rng.bounded(1, 64)), Qt::Uninitialized);
        for (auto& b : junk) {
            // Mostly characters of the protocol, so that the parser's states are reached.
            static const char alphabet[] = "0123456789ABCDEF#&$!>?DBRIWFESLCMTNKabz\xff\x80";
            b = rng.bounded(4) ? alphabet[rng.bounded(int(sizeof(alphabet) - 1))]
                               : char(rng.bounded(256));
        }
        r.link.sendBytes(junk);
        r.link.delayMs(rng.bounded(20));
        if (round % 50 == 0)
            r.port.restartProgrammer();
        r.link.readText();
    }
    // Whatever state the noise left, a restart of the exchange ends in a working programmer.
    r.link.sendCommand(QStringLiteral("!#"));
    r.link.delayMs(3000); // a half-finished bulk transfer gives up
    r.link.sendCommand(QStringLiteral("#"));
    r.link.delayMs(10);
    QCOMPARE(r.ask(QStringLiteral("RI01#")), QStringLiteral("93"));
    QCOMPARE(r.ask(QStringLiteral("CC000000#"), 400), QStringLiteral("连接成功!"));
}

QTEST_GUILESS_MAIN(TestSim)
#include "tst_sim.moc"
