// Reading the chip into the images, the calibration panel and the single-byte panel,
// against a scripted programmer on a virtual clock.
#include "ops/calibration.h"
#include "ops/readops.h"
#include "ops/singlebyte.h"
#include "session/selectchip.h"
#include "support/rig.h"

#include <QTest>

namespace {

struct Rig : ScriptedRig {
    using ScriptedRig::ScriptedRig;
    void present() { port.answer("RI00#", "1E", 5); }
};

void streamAnswer(ScriptedPort& port, const QByteArray& text) {
    for (int i = 0; i < text.size(); i += 8)
        port.queueInputAfter(text.mid(i, 8), 1 + (i + 8) / 11.52);
}

} // namespace

class TestOpsPanels : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void readMemory_data();
    void readMemory();
    void readWithoutTarget();
    void readOA_data();
    void readOA();
    void writeOA_data();
    void writeOA();
    void calibrationAddressBoxes();
    void singleWrite_data();
    void singleWrite();
    void singleRead();
    void singleAddressBoxes();
};

void TestOpsPanels::readMemory_data() {
    QTest::addColumn<bool>("eeprom");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("image"); // "" when the read is refused (the image stays)
    QTest::addColumn<bool>("cut");
    const QByteArray flash = QByteArray("0C94").repeated(4096);
    QTest::newRow("whole ATMEGA8 flash") << false << flash << QString::fromLatin1(flash) << false;
    const QByteArray ee = QByteArray("A5").repeated(512);
    QTest::newRow("whole EEPROM") << true << ee << QString::fromLatin1(ee) << false;
    QTest::newRow("noise cuts the read")
        << false << QByteArray("0C94AB\r\n12") + flash << QString() << true;
    QTest::newRow("noise inside a byte") << true << QByteArray("A5B?77") + ee << QString() << true;
    QTest::newRow("lower case kept as upper") << true << QByteArray("a5b6").repeated(256)
                                              << QStringLiteral("A5B6").repeated(256) << false;
    QTest::newRow("short") << true << QByteArray("A5B") << QString() << false;
    QTest::newRow("more than the chip holds: no image")
        << true << ee + "FFFF" << QString() << false;
    QTest::newRow("no answer") << false << QByteArray() << QString() << false;
}

void TestOpsPanels::readMemory() {
    QFETCH(bool, eeprom);
    QFETCH(QByteArray, answer);
    QFETCH(QString, image);
    QFETCH(bool, cut);
    Rig r;
    r.present();
    const QString before = QStringLiteral("1234");
    r.session.FlashBufferText = r.session.EepromBufferText = before; // replaced by a whole read
    r.session.flashSizePanel = r.session.eepromSizePanel = QStringLiteral("panel");
    r.port.responder = [&](ScriptedPort& p, const QByteArray& w) {
        if (w.startsWith("RF") || w.startsWith("RE"))
            streamAnswer(p, answer);
    };
    QCOMPARE(eeprom ? ReadEeprom(r.c) : ReadFlash(r.c), !image.isEmpty());
    QCOMPARE(r.frames(),
             (QStringList{QStringLiteral("RI00#"),
                          eeprom ? QStringLiteral("RE000200#") : QStringLiteral("RF002000#")}));
    QVERIFY(
        r.logged(eeprom ? QStringLiteral("读取芯片EEPROM!") : QStringLiteral("读取芯片FLASH!")));
    QCOMPARE(eeprom ? r.session.EepromBufferText : r.session.FlashBufferText,
             image.isEmpty() ? before : image);
    QCOMPARE(eeprom ? r.session.eepromSizePanel : r.session.flashSizePanel,
             image.isEmpty() ? QStringLiteral("panel")
                             : (eeprom ? QStringLiteral("EEPROM:") : QStringLiteral("FLASH:")) +
                                   QString::number(image.size() / 2));
    QCOMPARE(r.logged(QStringLiteral("非十六进制")), cut);
    QCOMPARE(r.logged(QStringLiteral("缓冲区未改变")), image.isEmpty());
}

void TestOpsPanels::readWithoutTarget() {
    Rig r;
    r.port.answer("RI00#", "1e", 5); // lower case is no answer
    r.session.FlashBufferText = QStringLiteral("1234");
    QVERIFY(!ReadFlash(r.c));
    QVERIFY(!ReadEeprom(r.c));
    QCOMPARE(r.frames(), (QStringList{QStringLiteral("RI00#"), QStringLiteral("RI00#")}));
    QVERIFY(r.logged(QStringLiteral("无目标芯片或无连接!")));
    QCOMPARE(r.session.FlashBufferText, QStringLiteral("1234"));
}

void TestOpsPanels::readOA_data() {
    QTest::addColumn<QString>("chip");
    QTest::addColumn<QStringList>("answers");    // for RI80#, RI81#, ...
    QTest::addColumn<QStringList>("slotsShown"); // text per slot, "" hidden
    QTest::addColumn<int>("picked");
    QTest::addColumn<bool>("filled");
    const QStringList four{QStringLiteral("A1"), QStringLiteral("B2"), QStringLiteral("C3"),
                           QStringLiteral("D4")};
    QTest::newRow("ATMEGA8 four, none picked")
        << QStringLiteral("ATMEGA8") << four << four << -1 << true;
    QTest::newRow("ATTINY2313 two")
        << QStringLiteral("ATTINY2313") << QStringList{QStringLiteral("6A"), QStringLiteral("5B")}
        << QStringList{QString(), QString(), QStringLiteral("5B"), QStringLiteral("6A")} << 2
        << true;
    QTest::newRow("ATMEGA48 one") << QStringLiteral("ATMEGA48") << QStringList{QStringLiteral("9C")}
                                  << QStringList{QString(), QString(), QString(),
                                                 QStringLiteral("9C")}
                                  << 3 << true;
    QTest::newRow("ATMEGA323 one")
        << QStringLiteral("ATMEGA323") << QStringList{QStringLiteral("9C")}
        << QStringList{QStringLiteral("9C"), QString(), QString(), QString()} << 0 << true;
    // A slot without a two-digit answer stays hidden; the others are taken.
    QTest::newRow("ATMEGA8 short answers")
        << QStringLiteral("ATMEGA8")
        << QStringList{QStringLiteral("A1"), QString(), QString(), QString()}
        << QStringList{QStringLiteral("A1"), QString(), QString(), QString()} << -1 << false;
    QTest::newRow("ATMEGA8 noise of the right length")
        << QStringLiteral("ATMEGA8")
        << QStringList{QStringLiteral("A1"), QStringLiteral("B2"), QStringLiteral("C3"),
                       QStringLiteral("x\r")}
        << QStringList{QStringLiteral("A1"), QStringLiteral("B2"), QStringLiteral("C3"), QString()}
        << -1 << false;
    QTest::newRow("ATMEGA161 has none")
        << QStringLiteral("ATMEGA161") << QStringList() << QStringList(4) << -1 << false;
}

void TestOpsPanels::readOA() {
    QFETCH(QString, chip);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, slotsShown);
    QFETCH(int, picked);
    QFETCH(bool, filled);
    Rig r(chip);
    for (int i = 0; i < answers.size(); ++i)
        if (!answers[i].isEmpty())
            r.port.answer(QByteArray("RI8") + QByteArray::number(i) + '#', answers[i].toLatin1(),
                          3);
    r.session.cal.slotVisible.fill(true); // hidden first
    QCOMPARE(ReadOA(r.c), filled);
    QStringList expectFrames;
    for (int i = 0; i < answers.size(); ++i)
        expectFrames << QStringLiteral("RI8%1#").arg(i);
    QCOMPARE(r.frames(), expectFrames);
    for (int k = 0; k < 4; ++k) {
        QCOMPARE(r.session.cal.slotVisible[k], !slotsShown[k].isEmpty());
        if (!slotsShown[k].isEmpty())
            QCOMPARE(r.session.cal.slotText[k], slotsShown[k]);
    }
    QCOMPARE(r.session.cal.pickedSlot, picked);
    QCOMPARE(r.session.cal.writeEnabled, !slotsShown.join(QString()).isEmpty());
    if (!answers.isEmpty())
        QVERIFY(r.logged(QStringLiteral("校准字节:") + answers.join(u'-')));
}

void TestOpsPanels::writeOA_data() {
    QTest::addColumn<QString>("chip");
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("address"); // empty: the chip's default
    QTest::addColumn<QString>("frame");   // empty: refused
    QTest::addColumn<QString>("warning");
    QTest::newRow("ATMEGA48 flash, odd default 4095")
        << QStringLiteral("ATMEGA48") << 0 << QString() << QStringLiteral("WWFF9C07FF#")
        << QString();
    QTest::newRow("ATMEGA8 flash, 8190") << QStringLiteral("ATMEGA8") << 0 << QStringLiteral("8190")
                                         << QStringLiteral("WW9CFF0FFF#") << QString();
    QTest::newRow("ATMEGA8 EEPROM 511")
        << QStringLiteral("ATMEGA8") << 1 << QString() << QStringLiteral("WE9C01FF#") << QString();
    QTest::newRow("letters") << QStringLiteral("ATMEGA8") << 0 << QStringLiteral("12a") << QString()
                             << QStringLiteral("地址框数据格式错误!");
    QTest::newRow("empty box") << QStringLiteral("ATMEGA8") << 1 << QStringLiteral(" ") << QString()
                               << QStringLiteral("地址框数据格式错误!");
    QTest::newRow("beyond the memory") << QStringLiteral("ATMEGA8") << 1 << QStringLiteral("512")
                                       << QString() << QStringLiteral("地址框数据格式错误!");
}

void TestOpsPanels::writeOA() {
    QFETCH(QString, chip);
    QFETCH(int, target);
    QFETCH(QString, address);
    QFETCH(QString, frame);
    QFETCH(QString, warning);
    Rig r(chip);
    CalibrationPanel& cal = r.session.cal;
    cal.slotText = {QStringLiteral("9C"), QStringLiteral("9C"), QStringLiteral("9C"),
                    QStringLiteral("9C")};
    cal.slotVisible.fill(true);
    cal.pickedSlot = 3;
    cal.target = target;
    if (!address.isEmpty())
        (target == 0 ? cal.flashAddress : cal.eepromAddress) = address.trimmed();
    r.port.answer("W", "!", 2);
    QCOMPARE(WriteOA(r.c), frame.isEmpty() ? false : true);
    QCOMPARE(r.frames(), frame.isEmpty() ? QStringList() : QStringList{frame});
    QCOMPARE(r.ui.warnings, warning.isEmpty() ? QStringList() : QStringList{warning});
    QCOMPARE(r.logged(QStringLiteral("写校准字节结束!")), !frame.isEmpty());

    // No slot picked, or a picked slot that the last read left hidden: refused.
    Rig none(chip);
    none.session.cal.pickedSlot = -1;
    QVERIFY(!WriteOA(none.c));
    none.session.cal.pickedSlot = 2;
    none.session.cal.slotVisible.fill(false);
    QVERIFY(!WriteOA(none.c));
    QVERIFY(none.frames().isEmpty());
    QCOMPARE(none.ui.warnings.size(), 2);
}

void TestOpsPanels::calibrationAddressBoxes() {
    Session s;
    SelectChip(s, QStringLiteral("ATMEGA48"));
    QCOMPARE(s.cal.flashAddress, QStringLiteral("4095"));
    QCOMPARE(calibrationScrollMinimum(s, 0), -4095);
    s.cal.flashAddress = QStringLiteral("99999");
    QCOMPARE(calibrationAddressChanged(s, 0), -4095);
    QCOMPARE(s.cal.flashAddress, QStringLiteral("4095"));
    s.cal.eepromAddress = QStringLiteral("17");
    QCOMPARE(calibrationAddressChanged(s, 1), -17);
    s.cal.eepromAddress = QStringLiteral("abc");
    QCOMPARE(calibrationAddressChanged(s, 1), 0);
    QCOMPARE(s.cal.eepromAddress, QStringLiteral("abc")); // the write refuses it
    calibrationScrollChanged(s, 1, -200);
    QCOMPARE(s.cal.eepromAddress, QStringLiteral("200"));
    calibrationScrollChanged(s, 1, -9999);
    QCOMPARE(s.cal.eepromAddress, QStringLiteral("255"));
}

void TestOpsPanels::singleWrite_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("frame"); // empty: refused
    QTest::newRow("eeprom 5A at 16")
        << 1 << QStringLiteral("16") << QStringLiteral("5A") << QStringLiteral("WE5A0010#");
    QTest::newRow("eeprom A padded")
        << 1 << QStringLiteral("16") << QStringLiteral("A") << QStringLiteral("WE0A0010#");
    QTest::newRow("flash word") << 0 << QStringLiteral("16") << QStringLiteral("0c94")
                                << QStringLiteral("WW0C940010#");
    QTest::newRow("flash top word")
        << 0 << QStringLiteral("4095") << QStringLiteral("1") << QStringLiteral("WW00010FFF#");
    QTest::newRow("address not a number")
        << 1 << QStringLiteral("1x") << QStringLiteral("5A") << QString();
    QTest::newRow("empty address") << 0 << QString() << QStringLiteral("5A") << QString();
    QTest::newRow("address beyond the memory")
        << 1 << QStringLiteral("512") << QStringLiteral("5A") << QString();
    QTest::newRow("data too long")
        << 1 << QStringLiteral("1") << QStringLiteral("123") << QString();
    QTest::newRow("data not hex") << 0 << QStringLiteral("1") << QStringLiteral("12G4")
                                  << QString();
    QTest::newRow("no data") << 0 << QStringLiteral("1") << QString() << QString();
}

void TestOpsPanels::singleWrite() {
    QFETCH(int, row);
    QFETCH(QString, address);
    QFETCH(QString, data);
    QFETCH(QString, frame);
    Rig r;
    r.session.single.address[row] = address;
    r.session.single.data[row] = data;
    r.port.answer("W", "!", 7);
    QCOMPARE(WriteSingle(r.c, row), !frame.isEmpty());
    QCOMPARE(r.frames(), frame.isEmpty() ? QStringList() : QStringList{frame});
    QCOMPARE(r.logged(QStringLiteral("写入字节完毕!")), !frame.isEmpty());
    QCOMPARE(r.ui.warnings.size(), frame.isEmpty() ? 1 : 0);
    if (!frame.isEmpty())
        QCOMPARE(r.port.nowMs(), 7.0);
}

void TestOpsPanels::singleRead() {
    Rig r;
    r.port.queueInput("stale", 0);
    r.port.answer("RW", "0C94", 20);
    r.port.answer("RB", "!5A", 20); // a late marker in front is no part of it
    r.session.single.address = {QStringLiteral("16"), QStringLiteral("511")};
    QVERIFY(ReadSingle(r.c, 0));
    QVERIFY(ReadSingle(r.c, 1));
    QCOMPARE(r.frames(), (QStringList{QStringLiteral("RW000010#"), QStringLiteral("RB0001FF#")}));
    QCOMPARE(r.session.single.data[0], QStringLiteral("0C94"));
    QCOMPARE(r.session.single.data[1], QStringLiteral("5A"));
    QCOMPARE(r.port.nowMs(), 300.0);
    Rig bad;
    bad.session.single.address[0] = QStringLiteral("1O");
    QVERIFY(!ReadSingle(bad.c, 0));
    QCOMPARE(bad.ui.warnings, QStringList{QStringLiteral("地址框数据格式错误!")});
    QVERIFY(bad.frames().isEmpty());
    Rig silent;
    silent.session.single.address[1] = QStringLiteral("3");
    silent.session.single.data[1] = QStringLiteral("77");
    QVERIFY(!ReadSingle(silent.c, 1)); // no answer is a failed read; the box keeps its value
    QCOMPARE(silent.session.single.data[1], QStringLiteral("77"));
    QVERIFY(silent.logged(QStringLiteral("读取字节失败: 编程器无反应!")));
    Rig longer;
    longer.port.answer("RB", "5A5", 20);
    longer.session.single.address[1] = QStringLiteral("3");
    QVERIFY(!ReadSingle(longer.c, 1));
    QVERIFY(longer.logged(QStringLiteral("读取字节失败: 收到 3 个字符, 多于所请求的 2 个")));
}

void TestOpsPanels::singleAddressBoxes() {
    Session s;
    SelectChip(s, QStringLiteral("ATMEGA8"));
    QCOMPARE(s.single.address[0], QStringLiteral("4095"));
    s.single.address[0] = QStringLiteral("5000");
    QCOMPARE(singleAddressChanged(s, 0), 4095);
    QCOMPARE(s.single.address[0], QStringLiteral("4095"));
    s.single.address[1] = QStringLiteral("200");
    QCOMPARE(singleAddressChanged(s, 1), 200);
    singleScrollChanged(s, 1, 42);
    QCOMPARE(s.single.address[1], QStringLiteral("42"));
}

QTEST_GUILESS_MAIN(TestOpsPanels)
#include "tst_ops_panels.moc"
