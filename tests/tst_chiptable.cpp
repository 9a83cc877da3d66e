// The chip table, both look-ups and chip selection.
#include "chips/chiptable.h"
#include "core/settings.h"
#include "link/frames.h"
#include "session/selectchip.h"
#include "session/session.h"

#include <QTemporaryDir>
#include <QtTest>

class TestChipTable : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void selection_data();
    void selection();
    void signatureLookUp_data();
    void signatureLookUp();
    void everyRowIsFoundBySignature();
    void frames_data();
    void frames();
};

void TestChipTable::selection_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("chip");
    QTest::addColumn<int>("flash");
    QTest::addColumn<int>("eeprom");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("sig");
    QTest::newRow("ATMEGA8") << "ATMEGA8"
                             << "ATMEGA8" << 8192 << 512 << 32 << "1E9307";
    QTest::newRow("unknown falls back") << "ATXMEGA"
                                        << "ATMEGA8" << 8192 << 512 << 32 << "1E9307";
    QTest::newRow("lower case falls back") << "atmega16"
                                           << "ATMEGA8" << 8192 << 512 << 32 << "1E9307";
    QTest::newRow("ATMEGA16") << "ATMEGA16"
                              << "ATMEGA16" << 16384 << 512 << 64 << "1E9403";
    QTest::newRow("ATMEGA168") << "ATMEGA168"
                               << "ATMEGA168" << 16384 << 512 << 64 << "1E9406";
    QTest::newRow("ATMEGA32") << "ATMEGA32"
                              << "ATMEGA32" << 32768 << 1024 << 64 << "1E9502";
    QTest::newRow("ATTINY26") << "ATTINY26"
                              << "ATTINY26" << 2048 << 128 << 16 << "1E9109";
    QTest::newRow("ATTINY2313") << "ATTINY2313"
                                << "ATTINY2313" << 2048 << 128 << 16 << "1E910A";
    QTest::newRow("ATTINY24 from the test menu") << "ATTINY24"
                                                 << "ATMEGA8" << 8192 << 512 << 32 << "1E9307";
}

void TestChipTable::selection() {
    QFETCH(QString, name);
    QFETCH(QString, chip);
    QFETCH(int, flash);
    QFETCH(int, eeprom);
    QFETCH(int, page);
    QFETCH(QString, sig);
    QTemporaryDir dir;
    SettingsStore settings(dir.filePath(QStringLiteral("s.ini")));
    Session s;
    s.settings = &settings;
    SelectChip(s, name);
    QCOMPARE(s.chip.ChipName, chip);
    QCOMPARE(s.chip.FlashSize, flash);
    QCOMPARE(int(s.chip.EepromSize), eeprom);
    QCOMPARE(int(s.chip.PageWords), page);
    QCOMPARE(s.chip.SignatureText, sig);
    QCOMPARE(s.selChipLabel, chip);
    QCOMPARE(s.mcuTypesPanel, u' ' + chip + QStringLiteral("　FLASH:") + QString::number(flash) +
                                  QStringLiteral("　EEPROM:") + QString::number(eeprom) +
                                  QStringLiteral("　ID:") + sig);
    // The name as passed is stored, not the fallback.
    QCOMPARE(settings.read(SettingsKeys::ChipModel), name);
    QCOMPARE(s.cal.flashAddress, QString::number(flash - 1));
    QCOMPARE(s.cal.eepromAddress, QString::number(eeprom - 1));
    QCOMPARE(s.single.address[0], QString::number(flash / 2 - 1));
    QCOMPARE(s.single.address[1], QString::number(eeprom - 1));
    QCOMPARE(s.single.max[0], flash / 2 - 1);
}

void TestChipTable::signatureLookUp_data() {
    QTest::addColumn<QString>("sig");
    QTest::addColumn<QString>("name");
    QTest::newRow("ATMEGA8") << "1E9307"
                             << "ATMEGA8";
    QTest::newRow("lower case") << "1e9307"
                                << "";
    QTest::newRow("unknown") << "1E9999"
                             << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("no fallback for short") << "1E93"
                                           << "";
    QTest::newRow("ATTINY2313") << "1E910A"
                                << "ATTINY2313";
    QTest::newRow("trailing text") << "1E9307 "
                                   << "";
}

void TestChipTable::signatureLookUp() {
    QFETCH(QString, sig);
    QFETCH(QString, name);
    QCOMPARE(ChipNameFromSignature(sig), name);
}

void TestChipTable::everyRowIsFoundBySignature() {
    QSet<QString> sigs;
    for (const ChipInfo& c : ChipTable::rows()) {
        QCOMPARE(ChipNameFromSignature(c.SignatureText), c.ChipName);
        QVERIFY(c.SignatureText.startsWith(QStringLiteral("1E")));
        sigs.insert(c.SignatureText);
    }
    QCOMPARE(sigs.size(), 14);
    QCOMPARE(ChipTable::rows().back().ChipName, QStringLiteral("ATMEGA8"));
}

void TestChipTable::frames_data() {
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("expected");
    QTest::newRow("signature index 1") << Frames::readSignatureByte(1) << "RI01#";
    QTest::newRow("calibration index") << Frames::readSignatureByte(0x83) << "RI83#";
    QTest::newRow("read 8192 flash bytes") << Frames::readFlash(8192) << "RF002000#";
    QTest::newRow("read 32768 flash bytes") << Frames::readFlash(32768) << "RF008000#";
    QTest::newRow("read 512 EEPROM bytes") << Frames::readEeprom(512) << "RE000200#";
    QTest::newRow("EEPROM byte A5 at 01FF")
        << Frames::writeEepromByte(QStringLiteral("A5"), 0x1FF) << "WEA501FF#";
    QTest::newRow("EEPROM 5A at 16")
        << Frames::writeEepromByte(QStringLiteral("5A"), 16) << "WE5A0010#";
    QTest::newRow("flash word at 0x0123")
        << Frames::flashWord(QStringLiteral("0C94"), 0x123) << "&0C9423#";
    QTest::newRow("page commit") << Frames::flashPageCommit(0x123) << "$01#";
    QTest::newRow("first page commit") << Frames::flashPageCommit(31) << "$00#";
    QTest::newRow("word write") << Frames::writeFlashWord(QStringLiteral("0C94"), 0x10)
                                << "WW0C940010#";
    QTest::newRow("calibration word")
        << Frames::writeFlashWord(QStringLiteral("A5FF"), 8190 / 2) << "WWA5FF0FFF#";
    QTest::newRow("read word") << Frames::readFlashWord(0x10) << "RW000010#";
    QTest::newRow("read byte") << Frames::readEepromByte(0x10) << "RB000010#";
    QTest::newRow("fuses") << Frames::writeFuses(QStringLiteral("FF"), QStringLiteral("D9"),
                                                 QStringLiteral("E1"))
                           << "WSFFD9E1#";
    QTest::newRow("recover without extended")
        << Frames::writeFuses(QStringLiteral(".."), QStringLiteral("D9"), QStringLiteral("E1"))
        << "WS..D9E1#";
    QTest::newRow("lock") << Frames::writeLock(QStringLiteral("3C")) << "WL3C0000#";
    QTest::newRow("settings byte") << Frames::writeSettingsByte(1, 1) << "ME010001#";
    QTest::newRow("fuse table first") << Frames::writeSettingsByte(0x93, 0x40) << "ME930040#";
    QTest::newRow("read settings byte") << Frames::readSettingsByte(1) << "RM000001#";
    QTest::newRow("connection") << Frames::connectionCheck() << "CC000000#";
    QTest::newRow("erase") << Frames::chipErase() << "EM000000#";
    QTest::newRow("read fuses") << Frames::readFuses() << "RS000000#";
    QTest::newRow("firmware mode") << Frames::firmwareMode() << "FM000000#";
    QTest::newRow("upload") << Frames::bulkUploadStart() << "RT000000#";
    QTest::newRow("write mode") << Frames::flashWriteMode() << "WF#";
    QTest::newRow("end write mode") << Frames::flashWriteEnd() << "!#";
}

void TestChipTable::frames() {
    QFETCH(QString, frame);
    QFETCH(QString, expected);
    QCOMPARE(frame, expected);
}

QTEST_GUILESS_MAIN(TestChipTable)
#include "tst_chiptable.moc"
