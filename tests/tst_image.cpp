// The images, their hex-view lines, the HEX/BIN/EEP loaders and the saver, on images built
// with avr-gcc and srec_cat (tests/data/make-images.sh) and on broken files.
#include "image/hexview.h"
#include "image/images.h"
#include "image/saver.h"
#include "session/imageslots.h"
#include "session/loader.h"
#include "session/session.h"
#include "support/recordingui.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString dataFile(const char* name) {
    return QStringLiteral(HVPP_TEST_DATA "/") + QString::fromLatin1(name);
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QString hexOf(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex().toUpper());
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestImage : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void hexViewLines_data();
    void hexViewLines();
    void clearEmptiesImageAndPanel();
    void loadsRealImages_data();
    void loadsRealImages();
    void hexRecordsAndGaps_data();
    void hexRecordsAndGaps();
    void brokenHexFilesWarnAndStop_data();
    void brokenHexFilesWarnAndStop();
    void missingAndUnknownFiles();
    void eepSniffing();
    void oversizedFilesAreRefused();
    void saverRoundTrips();
    void saverFailuresKeepTheOldFile();
};

void TestImage::hexViewLines_data() {
    QTest::addColumn<QString>("image");
    QTest::addColumn<QStringList>("lines");
    const QChar sp(0x3000);
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("20 bytes") << QString(40, u'A')
                              << QStringList{QStringLiteral("0000") + sp + QString(32, u'A'),
                                             QStringLiteral("0010") + sp + QString(8, u'A')};
    QString big;
    for (int i = 0; i < 0x1000; ++i)
        big += QStringLiteral("%1").arg(i & 0xFF, 2, 16, QChar(u'0')).toUpper();
    QStringList bigLines;
    for (int l = 0; l < 256; ++l)
        bigLines << QStringLiteral("%1").arg(l * 16, 4, 16, QChar(u'0')).toUpper() + sp +
                        big.mid(l * 32, 32);
    QTest::newRow("4 KB") << big << bigLines;
}

void TestImage::hexViewLines() {
    QFETCH(QString, image);
    QFETCH(QStringList, lines);
    QCOMPARE(::hexViewLines(image), lines);
    QCOMPARE(hexViewLineCount(image), lines.size());
    QCOMPARE(hexViewHeader(), QStringLiteral("　　　　0 1 2 3 4 5 6 7 8 9 A B C D E F 　 "));
}

void TestImage::clearEmptiesImageAndPanel() {
    Session s;
    RecordingUi ui;
    QString path = dataFile("blink.hex");
    LoadFlashFile(s, ui, path);
    QString epath = dataFile("blink.eep");
    LoadEepromFile(s, ui, epath);
    s.fileName = {path, epath};
    QSignalSpy flash(&s, &Session::flashChanged);
    ClearFlash(s);
    QVERIFY(s.FlashBufferText.isEmpty());
    QVERIFY(s.fileName[0].isEmpty());
    QCOMPARE(s.flashSizePanel, QStringLiteral("FLASH:0字节")); // the panel follows the image
    QVERIFY(!s.EepromBufferText.isEmpty());
    QCOMPARE(flash.count(), 1);
    ClearEeprom(s);
    QVERIFY(s.EepromBufferText.isEmpty());
    QVERIFY(s.fileName[1].isEmpty());
    ClearEeprom(s); // clearing an empty image is harmless
    QVERIFY(s.EepromBufferText.isEmpty());
}

void TestImage::loadsRealImages_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("eeprom");
    QTest::addColumn<QString>("reference"); // binary with the expected bytes
    QTest::newRow("avr-gcc hex") << dataFile("blink.hex") << false << dataFile("blink.bin");
    QTest::newRow("avr-gcc bin") << dataFile("blink.bin") << false << dataFile("blink.bin");
    QTest::newRow("srec_cat lower-case hex, 04 record")
        << dataFile("blink_lower.hex") << false << dataFile("blink.bin");
    QTest::newRow("odd hex") << dataFile("odd.hex") << false << dataFile("odd.bin");
    QTest::newRow("eep as hex") << dataFile("blink.eep") << true << dataFile("blink_eeprom.bin");
    QTest::newRow("eeprom loader takes hex")
        << dataFile("blink.hex") << true << dataFile("blink.bin");
    QTest::newRow("1 KB eep") << dataFile("full1k.eep") << true << QString();
}

void TestImage::loadsRealImages() {
    QFETCH(QString, file);
    QFETCH(bool, eeprom);
    QFETCH(QString, reference);
    Session s;
    RecordingUi ui;
    QString path = file;
    const LoadResult r = eeprom ? LoadEepromFile(s, ui, path) : LoadFlashFile(s, ui, path);
    QCOMPARE(r, LoadResult::Loaded);
    QCOMPARE(path, file.toUpper());
    QVERIFY(ui.warnings.isEmpty());
    const QString& image = eeprom ? s.EepromBufferText : s.FlashBufferText;
    if (!reference.isEmpty())
        QCOMPARE(image, hexOf(fileBytes(reference)));
    else
        QCOMPARE(image, QStringLiteral("5AA500FF").repeated(256));
    QCOMPARE(image, image.toUpper());
    const QString panel = eeprom ? s.eepromSizePanel : s.flashSizePanel;
    QCOMPARE(panel, (eeprom ? QStringLiteral("EEPROM:") : QStringLiteral("FLASH:")) +
                        QString::number(image.size() / 2) + QStringLiteral("字节"));
}

void TestImage::hexRecordsAndGaps_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("image");
    const QByteArray d16 = ":10000000000102030405060708090A0B0C0D0E0F78\n";
    const QString h16 = QStringLiteral("000102030405060708090A0B0C0D0E0F");
    QTest::newRow("gap between records")
        << (d16 + ":10002000101112131415161718191A1B1C1D1E1F58\n:00000001FF\n")
        << h16 + QString(32, u'F') + QStringLiteral("101112131415161718191A1B1C1D1E1F");
    QTest::newRow("only record at 0100")
        << QByteArray(":02010000ABCD85\r\n") << QString(512, u'F') + QStringLiteral("ABCD");
    QTest::newRow("extended address of 0 ignored") << (":020000040000FA\n" + d16) << h16;
    QTest::newRow("end record stops reading") << (d16 + ":00000001FF\n:020010001234A8\n") << h16;
    QTest::newRow("start record and blank lines skipped")
        << (QByteArray("\n  \n:0400000300001234B3\n") + d16 + "\n:00000001ff\n") << h16;
    QTest::newRow("adjacent records")
        << QByteArray(":0100000011EE\n:0100010022DC\n") << QStringLiteral("1122");
    QTest::newRow("descending records")
        << QByteArray(":02001000567820\n:020000001234B8\n")
        << QStringLiteral("1234") + QString(28, u'F') + QStringLiteral("5678");
}

void TestImage::hexRecordsAndGaps() {
    QFETCH(QByteArray, content);
    QFETCH(QString, image);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.hex"));
    writeFile(file, content);
    Session s;
    RecordingUi ui;
    QString path = file;
    QCOMPARE(LoadFlashFile(s, ui, path), LoadResult::Loaded);
    QCOMPARE(s.FlashBufferText, image);
    QCOMPARE(s.flashSizePanel, QStringLiteral("FLASH:%1字节").arg(image.size() / 2));
    QVERIFY(ui.warnings.isEmpty());
}

void TestImage::brokenHexFilesWarnAndStop_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("eeprom");
    const QByteArray r0 = ":020000001234B8\n";
    QTest::newRow("record at 8000") << QByteArray(":02800000123438\n") << false;
    QTest::newRow("overlapping record") << (r0 + ":0200010056782F\n") << false;
    QTest::newRow("bad count") << QByteArray(":zz000000123438\n") << false;
    QTest::newRow("bad address") << QByteArray(":0200x000123438\n") << false;
    QTest::newRow("bad data digits") << (r0 + ":0200020012G4B8\n") << false;
    QTest::newRow("wrong checksum") << QByteArray(":0200000012345F\n") << false;
    QTest::newRow("junk line") << (r0 + "; comment\n") << false;
    QTest::newRow("short line") << QByteArray(":100000000102030\n") << false;
    QTest::newRow("endless line") << (r0 + QByteArray(100000, 'A')) << false;
    QTest::newRow("eeprom record at 8000") << QByteArray(":02800000123438\n") << true;
    QTest::newRow("eeprom bad data") << QByteArray(":02000000zz34B8\n") << true;
}

void TestImage::brokenHexFilesWarnAndStop() {
    QFETCH(QByteArray, content);
    QFETCH(bool, eeprom);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("broken.hex"));
    writeFile(file, content);
    Session s;
    s.flashSizePanel = s.eepromSizePanel = QStringLiteral("before");
    s.FlashBufferText = s.EepromBufferText = QStringLiteral("CAFE");
    RecordingUi ui;
    QString path = file;
    const LoadResult r = eeprom ? LoadEepromFile(s, ui, path) : LoadFlashFile(s, ui, path);
    QCOMPARE(r, LoadResult::ReadError);
    QCOMPARE(path, file.toUpper());
    QCOMPARE(ui.warnings, QStringList{eeprom ? QStringLiteral("EEPROM文件读取错误！")
                                             : QStringLiteral("FLASH文件读取错误！")});
    // Nothing of the file is taken: the image and its panel are those of before.
    QCOMPARE(eeprom ? s.EepromBufferText : s.FlashBufferText, QStringLiteral("CAFE"));
    QCOMPARE(eeprom ? s.eepromSizePanel : s.flashSizePanel, QStringLiteral("before"));
    QVERIFY(s.log.text().contains(file));
}

void TestImage::missingAndUnknownFiles() {
    QTemporaryDir dir;
    Session s;
    RecordingUi ui;
    s.FlashBufferText = QStringLiteral("1234");
    QString path = dir.filePath(QStringLiteral("nothing.hex"));
    QCOMPARE(LoadFlashFile(s, ui, path), LoadResult::NotFound);
    QCOMPARE(path, QStringLiteral("NO"));
    QCOMPARE(s.FlashBufferText, QStringLiteral("1234")); // untouched
    QVERIFY(s.log.text().contains(QStringLiteral("FLASH文件没找到!")));
    path.clear();
    QCOMPARE(LoadEepromFile(s, ui, path), LoadResult::NotFound);
    QCOMPARE(path, QStringLiteral("NO"));
    QVERIFY(s.log.text().contains(QStringLiteral("EEPROM文件没找到!")));
    path = dir.path(); // a directory is no image file
    QCOMPARE(LoadFlashFile(s, ui, path), LoadResult::NotFound);

    const QString txt = dir.filePath(QStringLiteral("data.txt"));
    writeFile(txt, "1234");
    path = txt;
    QCOMPARE(LoadFlashFile(s, ui, path), LoadResult::UnknownKind);
    QCOMPARE(s.FlashBufferText, QStringLiteral("1234")); // a failed load changes nothing
    QVERIFY(s.log.text().contains(txt));
    QVERIFY(ui.warnings.isEmpty());

    // An empty binary gives an empty image and FLASH:0字节; a lower-case name is found on a
    // file system that tells case apart, and handed back in upper case.
    const QString empty = dir.filePath(QStringLiteral("empty.bin"));
    writeFile(empty, QByteArray());
    path = empty;
    QCOMPARE(LoadFlashFile(s, ui, path), LoadResult::Loaded);
    QCOMPARE(path, empty.toUpper());
    QCOMPARE(s.flashSizePanel, QStringLiteral("FLASH:0字节"));
}

void TestImage::eepSniffing() {
    QTemporaryDir dir;
    Session s;
    RecordingUi ui;
    const QString binEep = dir.filePath(QStringLiteral("raw.eep"));
    writeFile(binEep, QByteArray("\x3A\x00\x01", 3).mid(1) + ":x"); // does not begin with ':'
    QString path = binEep;
    QCOMPARE(LoadEepromFile(s, ui, path), LoadResult::Loaded);
    QCOMPARE(s.EepromBufferText, QStringLiteral("00013A78"));
    // The flash loader takes a ".EEP" file only when it is Intel HEX.
    path = binEep;
    QCOMPARE(LoadFlashFile(s, ui, path), LoadResult::UnknownKind);
    path = dataFile("blink.eep");
    QCOMPARE(LoadFlashFile(s, ui, path), LoadResult::Loaded);
}

void TestImage::oversizedFilesAreRefused() {
    QTemporaryDir dir;
    Session s;
    RecordingUi ui;
    const QString big = dir.filePath(QStringLiteral("big.bin"));
    writeFile(big, QByteArray(MaxImageFileBytes + 1, '\xFF'));
    QString path = big;
    QCOMPARE(LoadFlashFile(s, ui, path), LoadResult::ReadError);
    QCOMPARE(ui.warnings.last(), QStringLiteral("FLASH文件读取错误！"));
    QVERIFY(s.log.text().contains(QStringLiteral("文件过大")));
    QVERIFY(s.FlashBufferText.isEmpty());
    // Exactly the limit still loads (the write then refuses it for a smaller chip).
    writeFile(big, QByteArray(MaxImageFileBytes, '\x01'));
    path = big;
    QCOMPARE(LoadEepromFile(s, ui, path), LoadResult::Loaded);
    QCOMPARE(s.EepromBufferText.size(), MaxImageFileBytes * 2);
}

void TestImage::saverRoundTrips() {
    QTemporaryDir dir;
    Session s;
    RecordingUi ui;
    // A HEX file with a gap saves as a binary whose gap reads FF.
    QString path = dataFile("gap.hex");
    QCOMPARE(LoadFlashFile(s, ui, path), LoadResult::Loaded);
    const QString out = dir.filePath(QStringLiteral("gap.bin"));
    // Saving over a longer file leaves a file exactly as long as the image.
    writeFile(out, QByteArray(1000, 'x'));
    QString error;
    QVERIFY(WriteImageFile(out, s.FlashBufferText, &error));
    const QByteArray saved = fileBytes(out);
    QCOMPARE(saved.size(), 48);
    QCOMPARE(saved.mid(0x10, 16), QByteArray(16, '\xFF'));
    QCOMPARE(saved.left(16), fileBytes(dataFile("blink.bin")).left(16));
    // Loading the saved file as binary gives the same image and view.
    const QString before = s.FlashBufferText;
    path = out;
    QCOMPARE(LoadFlashFile(s, ui, path), LoadResult::Loaded);
    QCOMPARE(s.FlashBufferText, before);
    // An empty image writes an empty file.
    QVERIFY(WriteImageFile(out, QString(), &error));
    QCOMPARE(fileBytes(out).size(), 0);
}

void TestImage::saverFailuresKeepTheOldFile() {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("keep.bin"));
    writeFile(out, "old");
    QString error;
    QVERIFY(!WriteImageFile(out, QStringLiteral("12G4"), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!WriteImageFile(out, QStringLiteral("123"), &error));
    QCOMPARE(fileBytes(out), QByteArray("old"));
    QVERIFY(!WriteImageFile(dir.filePath(QStringLiteral("no/such/dir/x.bin")), QStringLiteral("12"),
                            &error));
}

QTEST_GUILESS_MAIN(TestImage)
#include "tst_image.moc"
