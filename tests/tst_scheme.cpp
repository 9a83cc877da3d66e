// Scheme files: the nine lines as written, the round trip, the silent end at the first bad
// line, the reload rule and the safe replacement of an old file.
#include "scheme/scheme.h"
#include "session/loader.h"
#include "session/selectchip.h"
#include "session/session.h"
#include "support/recordingui.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Rig {
    Session session;
    RecordingUi ui;
    QTemporaryDir dir;
    Rig() {
        session.log.setClock([] { return QStringLiteral("t"); });
        session.fuses.setSetFolder(QStringLiteral(HVPP_SET_DIR));
        select(QStringLiteral("ATMEGA8"));
    }
    void select(const QString& chip) {
        SelectChip(session, chip);
        session.fuses.LoadFuseDescription(chip + QStringLiteral(".FUS"));
        session.fuses.ApplyFuseText(session.fuses.defaultFuseText());
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path(name);
    }
};

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// A job on an ATMEGA16 as the window would hold it.
void fillJob(Rig& r, const QString& flashFile, const QString& eepromFile) {
    r.select(QStringLiteral("ATMEGA16"));
    r.session.fuses.ApplyFuseText(QStringLiteral("11111100") + QStringLiteral("11111111") +
                                  QStringLiteral("10011001") + QStringLiteral("11100100"));
    r.session.setOptionsText(QStringLiteral("1110011011"));
    r.session.fileName = {flashFile, eepromFile};
    r.session.cal.pickedSlot = 2;
    r.session.cal.target = 1;
    r.session.cal.flashAddress = QStringLiteral("16000");
    r.session.cal.eepromAddress = QStringLiteral("500");
}

} // namespace

class TestScheme : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void savedLines();
    void roundTrip();
    void withoutReloadTheImagesStay();
    void badLineEndsTheLoadSilently_data();
    void badLineEndsTheLoadSilently();
    void saveKeepsTheOldFileOnFailure();
};

void TestScheme::savedLines() {
    Rig r;
    const QString mainHex = r.path(QStringLiteral("工程/main.hex"));
    const QString dataEep = r.path(QStringLiteral("工程/data.eep"));
    fillJob(r, mainHex, dataEep);
    const QString file = r.path(QStringLiteral("job.SET"));
    QVERIFY(SaveSet(r.session, file));
    const QByteArray bytes = fileBytes(file);
    QByteArray expected =
        "ATMEGA16\r\n" + r.session.fuses.fuseText().toLatin1() + "\r\n1110011011\r\n";
    QStringEncoder gbk("GBK");
    expected += QByteArray(gbk.encode(mainHex)) + "\r\n";
    expected += QByteArray(gbk.encode(dataEep)) + "\r\n";
    expected += " 2\r\n 1\r\n16000\r\n500\r\n";
    QCOMPARE(bytes, expected);
    QCOMPARE(SchemeLines(r.session).at(5), QStringLiteral(" 2"));

    // A path that GBK cannot hold is not written as question marks.
    r.session.fileName[0] = QStringLiteral("C:\\\U0001F600.hex");
    QString error;
    QVERIFY(!SaveSet(r.session, r.path(QStringLiteral("bad.SET")), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(r.path(QStringLiteral("bad.SET"))));
}

void TestScheme::roundTrip() {
    Rig r;
    const QString hex =
        r.write(QStringLiteral("main.hex"), ":0400000001020304F2\r\n:00000001FF\r\n");
    const QString eep = r.write(QStringLiteral("data.bin"), QByteArray("\xAA\x55", 2));
    fillJob(r, hex, eep);
    const QString fuses = r.session.fuses.fuseText();
    const QString file = r.path(QStringLiteral("job.SET"));
    QVERIFY(SaveSet(r.session, file));

    Rig back;
    QCOMPARE(LoadSet(back.session, back.ui, file), 9);
    const Session& s = back.session;
    QCOMPARE(s.chip.ChipName, QStringLiteral("ATMEGA16"));
    QCOMPARE(s.fuses.fuseText(), fuses);
    QCOMPARE(s.optionsText(), QStringLiteral("1110011011"));
    QCOMPARE(s.fileName[0], hex);
    QCOMPARE(s.fileName[1], eep);
    QCOMPARE(s.cal.pickedSlot, 2);
    QCOMPARE(s.cal.target, 1);
    QCOMPARE(s.cal.flashAddress, QStringLiteral("16000"));
    QCOMPARE(s.cal.eepromAddress, QStringLiteral("500"));
    // "文件重载" is ticked in this job: both images were loaded from their files.
    QVERIFY(s.FlashBufferText.startsWith(QStringLiteral("01020304")));
    QCOMPARE(s.EepromBufferText, QStringLiteral("AA55"));
}

void TestScheme::withoutReloadTheImagesStay() {
    Rig r;
    fillJob(r, r.write(QStringLiteral("a.bin"), "\x01"), r.write(QStringLiteral("b.bin"), "\x02"));
    r.session.options[OptReloadFiles] = false;
    const QString file = r.path(QStringLiteral("job.SET"));
    QVERIFY(SaveSet(r.session, file));
    Rig back;
    back.session.FlashBufferText = QStringLiteral("C0DE");
    back.session.EepromBufferText = QStringLiteral("EE");
    QCOMPARE(LoadSet(back.session, back.ui, file), 9);
    QCOMPARE(back.session.fileName[0], r.session.fileName[0]);
    QCOMPARE(back.session.FlashBufferText, QStringLiteral("C0DE"));
    QCOMPARE(back.session.EepromBufferText, QStringLiteral("EE"));
}

void TestScheme::badLineEndsTheLoadSilently_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("applied");
    const QByteArray fuses = "11111111111111111101100111100001";
    const QByteArray head = "ATMEGA16\r\n" + fuses + "\r\n0000000000\r\nf.hex\r\ne.eep\r\n";
    QTest::newRow("unknown chip") << QByteArray("ATMEGA99\r\n") + fuses << 0;
    QTest::newRow("empty file") << QByteArray() << 0;
    QTest::newRow("short fuse line") << QByteArray("ATMEGA16\r\n1111\r\n") << 1;
    QTest::newRow("options with a 2") << QByteArray("ATMEGA16\r\n") + fuses + "\r\n0000020000\r\n"
                                      << 2;
    QTest::newRow("ends after the paths") << head << 5;
    QTest::newRow("frequency 4") << head + " 4\r\n 0\r\n100\r\n10\r\n" << 5;
    QTest::newRow("target 2") << head + " 1\r\n 2\r\n100\r\n10\r\n" << 6;
    QTest::newRow("flash address beyond the chip") << head + " 1\r\n 0\r\n16384\r\n10\r\n" << 7;
    QTest::newRow("eeprom address not a number") << head + " 1\r\n 0\r\n100\r\nabc\r\n" << 8;
    QTest::newRow("line feeds only") << head + " 1\n 0\n100\n10\n" << 9;
    QTest::newRow("no line end at the end") << head + " 1\r\n 0\r\n100\r\n10" << 9;
}

void TestScheme::badLineEndsTheLoadSilently() {
    QFETCH(QByteArray, text);
    QFETCH(int, applied);
    Rig r;
    r.session.setOptionsText(QStringLiteral("1111111111"));
    r.session.options[OptReloadFiles] = false;
    r.session.cal.pickedSlot = 3;
    const QString before = r.session.fuses.fuseText();
    QCOMPARE(LoadSet(r.session, r.ui, r.write(QStringLiteral("x.SET"), text)), applied);
    QVERIFY(r.ui.warnings.isEmpty());
    QCOMPARE(r.session.chip.ChipName,
             applied >= 1 ? QStringLiteral("ATMEGA16") : QStringLiteral("ATMEGA8"));
    if (applied == 0)
        QCOMPARE(r.session.fuses.fuseText(), before);
    QCOMPARE(r.session.optionsText(),
             applied >= 3 ? QStringLiteral("0000000000") : QStringLiteral("1111101111"));
    // A relative name is relative to the scheme's folder.
    QCOMPARE(r.session.fileName[0], applied >= 4 ? r.path(QStringLiteral("f.hex")) : QString());
    QCOMPARE(r.session.cal.pickedSlot, applied >= 6 ? 1 : 3);
    if (applied == 9) {
        QCOMPARE(r.session.cal.flashAddress, QStringLiteral("100"));
        QCOMPARE(r.session.cal.eepromAddress, QStringLiteral("10"));
    }
}

void TestScheme::saveKeepsTheOldFileOnFailure() {
    Rig r;
    const QString file = r.write(QStringLiteral("old.SET"), "old scheme\r\n");
    r.session.fileName[0] = QStringLiteral("a\nb");
    QVERIFY(!SaveSet(r.session, file));
    QCOMPARE(fileBytes(file), QByteArray("old scheme\r\n"));
    r.session.fileName[0] = QStringLiteral("main.hex");
    QVERIFY(SaveSet(r.session, file));
    QVERIFY(fileBytes(file).startsWith("ATMEGA8\r\n"));
    QString error;
    QVERIFY(!SaveSet(r.session, r.path(QStringLiteral("no/such/dir/x.SET")), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestScheme)
#include "tst_scheme.moc"
