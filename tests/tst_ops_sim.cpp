// The device operations against the simulated programmer (virtual clock): every chip type
// end to end, and the faults of the line that matter to them.
#include "chips/chiptable.h"
#include "ops/calibration.h"
#include "ops/eepromops.h"
#include "ops/flashops.h"
#include "ops/program.h"
#include "ops/readops.h"
#include "ops/singlebyte.h"
#include "session/selectchip.h"
#include "support/rig.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

using Rig = SimRig;

QByteArray randomBytes(int n, quint32 seed) {
    QRandomGenerator g(seed);
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i)
        b[i] = char(g.bounded(256));
    // A few blank words and a blank page, so that skipping FFFF is exercised too.
    for (int i = 0; i < qMin(n, 256); ++i)
        b[n / 2 + i - qMin(n, 256) / 2] = '\xFF';
    return b;
}

QString hexOf(const QByteArray& b) {
    return QString::fromLatin1(b.toHex().toUpper());
}

} // namespace

class TestOpsSim : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void everyChipProgramsVerifiesAndReadsBack_data();
    void everyChipProgramsVerifiesAndReadsBack();
    void oddImageReachesTheChip();
    void corruptedByteIsFound();
    void lateReplies();
    void splitReplies();
    void lowerCaseProgrammer();
    void calibrationAndSingleBytes();
    void disconnectEndsTheOperation();
};

void TestOpsSim::everyChipProgramsVerifiesAndReadsBack_data() {
    QTest::addColumn<QString>("chip");
    for (const ChipInfo& row : ChipTable::rows())
        QTest::newRow(qPrintable(row.ChipName)) << row.ChipName;
}

void TestOpsSim::everyChipProgramsVerifiesAndReadsBack() {
    QFETCH(QString, chip);
    Rig r(chip);
    const ChipInfo& info = ChipTable::byName(chip);
    const QByteArray flash = randomBytes(info.FlashSize, 1);
    const QByteArray eeprom = randomBytes(info.EepromSize, 2);
    r.chip().flash().fill('\0'); // the erase must clear it
    r.session.FlashBufferText = hexOf(flash);
    r.session.EepromBufferText = hexOf(eeprom);
    r.session.setOptionsText(QStringLiteral("1110001011"));
    const ProgramOutcome o = ProgramChip(r.c);
    QVERIFY2(o.ok(), qPrintable(r.session.log.text() + r.ui.warnings.join(u'\n')));
    QCOMPARE(r.chip().flash(), flash);
    QCOMPARE(r.chip().eeprom(), eeprom);
    QVERIFY(r.logged(QStringLiteral("校验FLASH通过。")));
    QVERIFY(r.logged(QStringLiteral("校验EEPROM通过。")));

    r.session.FlashBufferText.clear();
    r.session.EepromBufferText.clear();
    QVERIFY(ReadFlash(r.c));
    QVERIFY(ReadEeprom(r.c));
    QCOMPARE(r.session.FlashBufferText, hexOf(flash));
    QCOMPARE(r.session.EepromBufferText, hexOf(eeprom));
    QCOMPARE(r.session.flashSizePanel, QStringLiteral("FLASH:%1").arg(info.FlashSize));
    QVERIFY(r.ui.warnings.isEmpty());
}

void TestOpsSim::oddImageReachesTheChip() {
    Rig r(QStringLiteral("ATMEGA8"));
    r.session.FlashBufferText =
        QStringLiteral("0C9412"); // three bytes: last word completed with FF
    QVERIFY(WriteFlash(r.c));
    QCOMPARE(r.chip().flash().left(4), QByteArray::fromHex("0C9412FF"));
    QVERIFY(VerifyFlash(r.c));
    // Lower-case image digits are written and verify against the chip's upper-case answer.
    r.session.FlashBufferText = QStringLiteral("0c9412ff");
    EraseChip(r.c);
    QVERIFY(WriteFlash(r.c));
    QCOMPARE(r.chip().flash().left(4), QByteArray::fromHex("0C9412FF"));
}

void TestOpsSim::corruptedByteIsFound() {
    SimFaults f;
    f.corruptFlashAddress = 0x123;
    f.corruptEepromAddress = 5;
    Rig r(QStringLiteral("ATMEGA16"), f);
    r.session.FlashBufferText = hexOf(randomBytes(4096, 3));
    r.session.EepromBufferText = hexOf(randomBytes(64, 4));
    QVERIFY(WriteFlash(r.c));
    QVERIFY(WriteEeprom(r.c));
    QVERIFY(!VerifyFlash(r.c));
    QVERIFY(!VerifyEeprom(r.c));
    QCOMPARE(r.ui.warnings, (QStringList{QStringLiteral("FLASH地址0123数据校验失败！"),
                                         QStringLiteral("EEPROM地址0005数据校验失败！")}));
}

void TestOpsSim::lateReplies() {
    // 30 ms late: every "$" and "!" still comes within its wait, the flash read-back within
    // its first 50 ms, and the EEPROM reads wait up to 50 ms for their first character.
    SimFaults f;
    f.lateMs = 30;
    Rig r(QStringLiteral("ATMEGA8"), f);
    const QByteArray flash = randomBytes(1024, 5);
    r.session.FlashBufferText = hexOf(flash);
    r.session.EepromBufferText = QStringLiteral("A55A");
    QVERIFY(WriteFlash(r.c));
    QVERIFY(WriteEeprom(r.c));
    QCOMPARE(r.chip().flash().left(1024), flash);
    QCOMPARE(r.chip().eeprom().left(2), QByteArray::fromHex("A55A"));
    QVERIFY(VerifyFlash(r.c));
    QVERIFY(VerifyEeprom(r.c));
    QVERIFY(ReadEeprom(r.c));
    QCOMPARE(r.session.EepromBufferText.left(4), QStringLiteral("A55A"));
    QVERIFY(r.ui.warnings.isEmpty());
    // 80 ms late: the EEPROM verify has given up before the answer begins, and says so.
    f.lateMs = 80;
    Rig later(QStringLiteral("ATMEGA8"), f);
    later.chip().eeprom()[0] = char(0xA5);
    later.session.EepromBufferText = QStringLiteral("A5");
    QVERIFY(!VerifyEeprom(later.c));
    QCOMPARE(later.ui.warnings,
             QStringList{QStringLiteral("EEPROM校验失败, 回答不可用: 编程器无反应!")});
}

void TestOpsSim::splitReplies() {
    // Pieces of 16 characters 70 ms apart: a pause longer than 50 ms ends both read-backs
    // (an answer cut short, never a pass); gaps of 0.5 ms pass both.
    SimFaults f;
    f.splitChars = 16;
    f.splitGapMs = 70;
    Rig r(QStringLiteral("ATMEGA8"), f);
    r.session.FlashBufferText = hexOf(randomBytes(256, 6));
    r.session.EepromBufferText = hexOf(randomBytes(64, 7));
    QVERIFY(WriteFlash(r.c));
    QVERIFY(WriteEeprom(r.c));
    QVERIFY(!VerifyFlash(r.c));
    QVERIFY(!VerifyEeprom(r.c));
    QCOMPARE(r.ui.warnings,
             (QStringList{
                 QStringLiteral("FLASH校验失败, 回答不可用: 只收到 16 个字符 (应为 512 个)"),
                 QStringLiteral("EEPROM校验失败, 回答不可用: 只收到 16 个字符 (应为 128 个)")}));
    f.splitGapMs = 0.5;
    Rig quick(QStringLiteral("ATMEGA8"), f);
    quick.session.EepromBufferText = r.session.EepromBufferText;
    QVERIFY(WriteEeprom(quick.c));
    QVERIFY(VerifyEeprom(quick.c));
    QVERIFY(ReadEeprom(quick.c));
    QCOMPARE(quick.session.EepromBufferText.left(128), r.session.EepromBufferText);
}

void TestOpsSim::lowerCaseProgrammer() {
    SimFaults f;
    f.lowerCaseHex = true;
    Rig r(QStringLiteral("ATMEGA8"), f);
    r.session.FlashBufferText = QStringLiteral("ABCD");
    QVERIFY(WriteFlash(r.c));
    QVERIFY(!VerifyFlash(r.c)); // "abcd" is not the image's "ABCD"
    QVERIFY(!ReadFlash(r.c));   // "1e" fails the presence test
    QVERIFY(r.logged(QStringLiteral("无目标芯片或无连接!")));
    QCOMPARE(r.session.FlashBufferText, QStringLiteral("ABCD"));
}

void TestOpsSim::calibrationAndSingleBytes() {
    Rig r(QStringLiteral("ATMEGA48"));
    r.chip().setCalibration(QByteArray::fromHex("9C"));
    QVERIFY(ReadOA(r.c));
    QCOMPARE(r.session.cal.slotText[3], QStringLiteral("9C"));
    QCOMPARE(r.session.cal.pickedSlot, 3);
    QVERIFY(WriteOA(r.c)); // flash, byte 4095 (odd: high byte of word 2047)
    QCOMPARE(r.chip().flash().right(2), QByteArray::fromHex("FF9C"));
    r.session.cal.target = 1;
    QVERIFY(WriteOA(r.c));
    QCOMPARE(r.chip().eeprom().right(1), QByteArray::fromHex("9C"));

    r.session.single.address = {QStringLiteral("16"), QStringLiteral("16")};
    r.session.single.data = {QStringLiteral("0c94"), QStringLiteral("5a")};
    QVERIFY(WriteSingle(r.c, 0));
    QVERIFY(WriteSingle(r.c, 1));
    QCOMPARE(r.chip().flash().mid(32, 2), QByteArray::fromHex("0C94"));
    QCOMPARE(r.chip().eeprom().mid(16, 1), QByteArray::fromHex("5A"));
    r.session.single.data = {QString(), QString()};
    QVERIFY(ReadSingle(r.c, 0));
    QVERIFY(ReadSingle(r.c, 1));
    QCOMPARE(r.session.single.data[0], QStringLiteral("0C94"));
    QCOMPARE(r.session.single.data[1], QStringLiteral("5A"));
}

void TestOpsSim::disconnectEndsTheOperation() {
    SimFaults f;
    f.disconnectAfter = 2000;
    Rig r(QStringLiteral("ATMEGA8"), f);
    r.session.FlashBufferText = hexOf(randomBytes(8192, 8));
    const bool ok = runOperation(r.c, OpId::Program, [&] { WriteFlash(r.c); });
    QVERIFY(!ok);
    QCOMPARE(r.ui.warnings.size(), 1);
    QCOMPARE(r.ui.opEvents.last(), RecordingUi::OpEvent(OpId::Program, false));
}

QTEST_GUILESS_MAIN(TestOpsSim)
#include "tst_ops_sim.moc"
