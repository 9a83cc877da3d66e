// The settings store: defaults, the lenient decimal parse, the options text.
#include "core/settings.h"
#include "session/session.h"

#include <QTemporaryDir>
#include <QtTest>

class TestSettings : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void defaultsOfAnEmptyStore();
    void valuesSurviveAReopen();
    void lenientDecimal_data();
    void lenientDecimal();
    void optionsText_data();
    void optionsText();
};

void TestSettings::defaultsOfAnEmptyStore() {
    QTemporaryDir dir;
    SettingsStore s(dir.filePath(QStringLiteral("empty.ini")));
    QCOMPARE(s.serialSettings(), QStringLiteral("115200,n,8,1"));
    QCOMPARE(s.calFlashAddress(), QStringLiteral("8191"));
    QCOMPARE(s.calEepromAddress(), QStringLiteral("511"));
    QCOMPARE(s.calFrequency(), 0);
    QCOMPARE(s.calTarget(), 0);
    QCOMPARE(s.read(SettingsKeys::ChipModel), QString());
    QCOMPARE(s.read(SettingsKeys::FuseBits), QString());
    QCOMPARE(s.read(SettingsKeys::FlashFile), QString());
    // An empty stored serial text also means the default.
    s.write(SettingsKeys::Serial, QString());
    QCOMPARE(s.serialSettings(), QStringLiteral("115200,n,8,1"));
}

void TestSettings::valuesSurviveAReopen() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("s.ini"));
    {
        SettingsStore s(file);
        s.write(SettingsKeys::Serial, QStringLiteral("9600,e,7,2"));
        s.write(SettingsKeys::ChipModel, QStringLiteral("ATMEGA32"));
        s.write(SettingsKeys::FuseBits, QStringLiteral("11111111111111111101100111100001"));
        s.write(SettingsKeys::FlashFile, QStringLiteral("/tmp/固件 1.hex"));
        s.write(SettingsKeys::CalFrequency, QStringLiteral("3"));
        s.sync();
    }
    SettingsStore s(file);
    QCOMPARE(s.serialSettings(), QStringLiteral("9600,e,7,2"));
    QCOMPARE(s.read(SettingsKeys::ChipModel), QStringLiteral("ATMEGA32"));
    QCOMPARE(s.read(SettingsKeys::FuseBits), QStringLiteral("11111111111111111101100111100001"));
    QCOMPARE(s.read(SettingsKeys::FlashFile), QStringLiteral("/tmp/固件 1.hex"));
    QCOMPARE(s.calFrequency(), 3);
}

void TestSettings::lenientDecimal_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("value");
    QTest::newRow("empty") << "" << qint64(0);
    QTest::newRow("plain") << "8191" << qint64(8191);
    QTest::newRow("leading digits") << "12ab" << qint64(12);
    QTest::newRow("blank and digit") << " 2" << qint64(2);
    QTest::newRow("letters") << "abc" << qint64(0);
    QTest::newRow("negative") << "-5" << qint64(-5);
    QTest::newRow("absurdly long does not overflow") << QString(40, u'9') << qint64(-1);
}

void TestSettings::lenientDecimal() {
    QFETCH(QString, text);
    QFETCH(qint64, value);
    if (value < 0 && !text.startsWith(u'-'))
        QVERIFY(::lenientDecimal(text) > 0);
    else
        QCOMPARE(::lenientDecimal(text), value);
}

void TestSettings::optionsText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("applied");
    QTest::addColumn<QString>("after");
    QTest::newRow("all ten") << "1111111111" << true << "1111111111";
    QTest::newRow("mixed") << "1110000011" << true << "1110000011";
    QTest::newRow("too short is ignored") << "111" << false << "0000000000";
    QTest::newRow("too long is ignored") << "11111111111" << false << "0000000000";
    QTest::newRow("odd characters read as unticked") << "1x10000001" << true << "1010000001";
}

void TestSettings::optionsText() {
    QFETCH(QString, text);
    QFETCH(bool, applied);
    QFETCH(QString, after);
    Session s;
    QCOMPARE(s.setOptionsText(text), applied);
    QCOMPARE(s.optionsText(), after);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
