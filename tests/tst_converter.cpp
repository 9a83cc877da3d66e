// The number converter: the pure helpers and the key rules of the offline page's boxes.
#include "offline/numberconverter.h"
#include "session/session.h"

#include <QSignalSpy>
#include <QtTest>

using Box = NumberConverter::Box;

namespace {
// Types text into a box key by key, the way the window's boxes report it: key down, the
// changed text, key up. Returns the texts shown afterwards.
void type(NumberConverter& m, Box box, const QString& keys) {
    for (QChar k : keys) {
        const QString before = m.text(box);
        const int caret = int(before.size());
        m.keyDown(box, caret);
        m.edit(box, before + k, caret + 1);
        m.keyUp(box, m.caret(box));
    }
}
void backspaceAll(NumberConverter& m, Box box) {
    while (!m.text(box).isEmpty()) {
        const QString before = m.text(box);
        m.keyDown(box, int(before.size()));
        m.edit(box, before.left(before.size() - 1), int(before.size()) - 1);
        m.keyUp(box, m.caret(box));
    }
}
} // namespace

class TestConverter : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void helpers();
    void decimalToBinaryRefusesFractions();
    void typing_data();
    void typing();
    void undoRestoresTextAndCaret();
    void emptyingTheHexBoxShowsZero();
    void pasteWithoutKeyDownIsUndone();
};

void TestConverter::helpers() {
    QVERIFY(IsHexText(QString()));
    QVERIFY(IsHexText(QStringLiteral("09afAF")));
    QVERIFY(!IsHexText(QStringLiteral("0x1")));
    QVERIFY(!IsHexText(QStringLiteral("g")));
    QVERIFY(IsDecimalText(QString()));
    QVERIFY(IsDecimalText(QStringLiteral("0123456789")));
    QVERIFY(!IsDecimalText(QStringLiteral("1.5")));
    QVERIFY(!IsDecimalText(QStringLiteral("-1")));

    QCOMPARE(HexToBinary(QStringLiteral("0F")), QStringLiteral("00001111"));
    QCOMPARE(HexToBinary(QStringLiteral("a")), QStringLiteral("1010"));
    QCOMPARE(HexToBinary(QString()), QString());
    QCOMPARE(BinaryToDecimal(QStringLiteral("11111111")), quint64(255));
    QCOMPARE(BinaryToDecimal(QString(32, u'1')), quint64(4294967295u));
    QCOMPARE(BinaryToDecimal(QString()), quint64(0));
    bool ok = true;
    BinaryToDecimal(QString(65, u'1'), &ok);
    QVERIFY(!ok);
    QCOMPARE(BinaryToDecimal(QStringLiteral("0000") + QString(64, u'1'), &ok), ~quint64(0));
    QVERIFY(ok);
    BinaryToDecimal(QStringLiteral("102"), &ok);
    QVERIFY(!ok);

    QCOMPARE(DecimalToBinary(quint64(0)), QStringLiteral("0"));
    QCOMPARE(DecimalToBinary(quint64(10)), QStringLiteral("1010"));
    QCOMPARE(BinaryToHex(QStringLiteral("1010")), QStringLiteral("A"));
    QCOMPARE(BinaryToHex(QStringLiteral("100000000")), QStringLiteral("100"));
    QCOMPARE(BinaryToHex(DecimalToBinary(4294967295.0)), QStringLiteral("FFFFFFFF"));
    QCOMPARE(BinaryToHex(QString()), QString());
}

void TestConverter::decimalToBinaryRefusesFractions() {
    bool refused = false;
    QCOMPARE(DecimalToBinary(2.5, &refused), QString());
    QVERIFY(refused);
    QCOMPARE(DecimalToBinary(-1.0, &refused), QString());
    QVERIFY(refused);
    QCOMPARE(DecimalToBinary(7.0, &refused), QStringLiteral("111"));
    QVERIFY(!refused);
}

void TestConverter::typing_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QString>("decimal");
    QTest::newRow("ff") << int(Box::Hex) << QStringLiteral("ff") << QStringLiteral("FF")
                        << QStringLiteral("255");
    QTest::newRow("g refused") << int(Box::Hex) << QStringLiteral("1g") << QStringLiteral("1")
                               << QStringLiteral("1");
    QTest::newRow("decimal max") << int(Box::Decimal) << QStringLiteral("4294967295")
                                 << QStringLiteral("FFFFFFFF") << QStringLiteral("4294967295");
    // The initial number must fit the record's eight hex digits, in either box.
    QTest::newRow("decimal beyond FFFFFFFF")
        << int(Box::Decimal) << QStringLiteral("4294967296") << QStringLiteral("19999999")
        << QStringLiteral("429496729");
    QTest::newRow("eleven decimal digits") << int(Box::Decimal) << QStringLiteral("00000000001")
                                           << QStringLiteral("0") << QStringLiteral("0000000000");
    QTest::newRow("nine hex digits") << int(Box::Hex) << QStringLiteral("123456789")
                                     << QStringLiteral("12345678") << QStringLiteral("305419896");
    QTest::newRow("decimal letter") << int(Box::Decimal) << QStringLiteral("12a")
                                    << QStringLiteral("C") << QStringLiteral("12");
}

void TestConverter::typing() {
    QFETCH(int, box);
    QFETCH(QString, keys);
    QFETCH(QString, hex);
    QFETCH(QString, decimal);
    OfflinePanel panel;
    NumberConverter m(panel);
    type(m, Box(box), keys);
    QCOMPARE(panel.initialHex, hex);
    QCOMPARE(panel.initialDecimal, decimal);
    QCOMPARE(m.text(Box::Hex), hex);
}

void TestConverter::undoRestoresTextAndCaret() {
    OfflinePanel panel;
    NumberConverter m(panel);
    QSignalSpy shown(&m, &NumberConverter::boxChanged);
    // Address boxes: hex only, at most four digits, upper case on key up, no conversion.
    type(m, Box::CalFlash, QStringLiteral("1ff"));
    QCOMPARE(panel.calFlashAddress, QStringLiteral("1FF"));
    m.keyDown(Box::CalFlash, 1);
    QVERIFY(!m.edit(Box::CalFlash, QStringLiteral("1x1FF"), 2));
    QCOMPARE(panel.calFlashAddress, QStringLiteral("1FF"));
    QCOMPARE(m.caret(Box::CalFlash), 1);
    QCOMPARE(shown.last().at(1).toString(), QStringLiteral("1FF"));
    QCOMPARE(shown.last().at(2).toInt(), 1);
    type(m, Box::CalFlash, QStringLiteral("ab"));
    QCOMPARE(panel.calFlashAddress, QStringLiteral("1FFA"));
    for (Box b : {Box::SerialFlash, Box::SerialEeprom, Box::CalEeprom}) {
        type(m, b, QStringLiteral("12345"));
        QCOMPARE(m.text(b), QStringLiteral("1234"));
    }
    QCOMPARE(panel.initialHex, QString()); // no conversion from the address boxes
}

void TestConverter::emptyingTheHexBoxShowsZero() {
    OfflinePanel panel;
    NumberConverter m(panel);
    type(m, Box::Hex, QStringLiteral("1a"));
    QCOMPARE(panel.initialDecimal, QStringLiteral("26"));
    backspaceAll(m, Box::Hex);
    QCOMPARE(panel.initialDecimal, QStringLiteral("0"));
    type(m, Box::Decimal, QStringLiteral("5"));
    QCOMPARE(panel.initialHex, QStringLiteral("5"));
    backspaceAll(m, Box::Decimal);
    QCOMPARE(panel.initialHex, QString());
}

void TestConverter::pasteWithoutKeyDownIsUndone() {
    OfflinePanel panel;
    NumberConverter m(panel);
    m.setHex(QStringLiteral("abc"));
    QCOMPARE(panel.initialDecimal, QStringLiteral("2748"));
    QVERIFY(!m.edit(Box::Hex, QStringLiteral("ABCZZ"), 5));
    QCOMPARE(panel.initialHex, QStringLiteral("ABC"));
    QVERIFY(!m.edit(Box::Decimal, QStringLiteral("99999999999"), 11));
    QCOMPARE(panel.initialDecimal, QStringLiteral("2748"));
    m.setHex(QStringLiteral("123456789")); // refused as a whole: the box is emptied
    QCOMPARE(panel.initialHex, QString());
}

QTEST_GUILESS_MAIN(TestConverter)
#include "tst_converter.moc"
