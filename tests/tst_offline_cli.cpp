// hvpp-cli's offline, programmer and scheme commands: refused input, stored values, and
// the firmware file the loader cannot take.
#include "cli/cli.h"
#include "core/settings.h"
#include "support/clirun.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
using Run = CliRun;
} // namespace

class TestOfflineCli : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { m_settings = m_dir.filePath(QStringLiteral("s%1.ini").arg(m_n++)); }
    void refusedValues_data();
    void refusedValues();
    void storedValuesAreTheDefaults();
    void oversizeFirmwareIsRefusedBeforeAnythingIsSent();
    void schemeSaveFromStoredSettings();
    void helpNamesTheCommands();

  private:
    QTemporaryDir m_dir;
    QString m_settings;
    int m_n = 0;
};

void TestOfflineCli::refusedValues_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("says");
    const QString w = QStringLiteral("offline-write");
    QTest::newRow("increment 256")
        << QStringList{w, QStringLiteral("--increment"), QStringLiteral("256")}
        << QStringLiteral("--increment");
    QTest::newRow("address of five digits")
        << QStringList{w, QStringLiteral("--oa-address"), QStringLiteral("12345")}
        << QStringLiteral("--oa-address");
    QTest::newRow("serial address not hex")
        << QStringList{w, QStringLiteral("--serial-address"), QStringLiteral("xyz")}
        << QStringLiteral("--serial-address");
    QTest::newRow("initial beyond FFFFFFFF")
        << QStringList{w, QStringLiteral("--initial-decimal"), QStringLiteral("4294967296")}
        << QStringLiteral("4294967295");
    QTest::newRow("initial of nine hex digits")
        << QStringList{w, QStringLiteral("--initial-hex"), QStringLiteral("100000000")}
        << QStringLiteral("FFFFFFFF");
    QTest::newRow("both initial boxes")
        << QStringList{w, QStringLiteral("--initial-hex"), QStringLiteral("1"),
                       QStringLiteral("--initial-decimal"), QStringLiteral("1")}
        << QStringLiteral("--initial-decimal");
    QTest::newRow("unknown step") << QStringList{w, QStringLiteral("--steps"),
                                                 QStringLiteral("flash,wash")}
                                  << QStringLiteral("wash");
    QTest::newRow("slot 5") << QStringList{w, QStringLiteral("--oa-slot"), QStringLiteral("5")}
                            << QStringLiteral("--oa-slot");
    QTest::newRow("short fuse bits")
        << QStringList{w, QStringLiteral("--fuse-bits"), QStringLiteral("0101")}
        << QStringLiteral("--fuse-bits");
    QTest::newRow("scheme address beyond the chip")
        << QStringList{QStringLiteral("--chip"),        QStringLiteral("ATTINY26"),
                       QStringLiteral("scheme-save"),   QStringLiteral("x.SET"),
                       QStringLiteral("--cal-address"), QStringLiteral("2048")}
        << QStringLiteral("2047");
    QTest::newRow("scheme with --options")
        << QStringList{QStringLiteral("program"), QStringLiteral("--scheme"),
                       QStringLiteral("x.SET"), QStringLiteral("--options"),
                       QStringLiteral("1111111111")}
        << QStringLiteral("--options");
    QTest::newRow("firmware without file")
        << QStringList{QStringLiteral("firmware-update")} << QStringLiteral("firmware-update");
}

void TestOfflineCli::refusedValues() {
    QFETCH(QStringList, args);
    QFETCH(QString, says);
    // The port is never opened: a refused value ends the command before it.
    const Run r = cli(QStringList{QStringLiteral("--settings"), m_settings,
                                  QStringLiteral("--port"), QStringLiteral("/nonexistent/port")} +
                      args);
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(says), qPrintable(r.err));
}

void TestOfflineCli::storedValuesAreTheDefaults() {
    {
        SettingsStore store(m_settings);
        store.write(SettingsKeys::OfflineInitial, QStringLiteral("123456789")); // too long: ignored
        store.write(SettingsKeys::OfflineIncrement, QStringLiteral("9"));
        store.write(SettingsKeys::OfflineSteps, QStringLiteral("10000001"));
        store.sync();
    }
    const Run r = cli({QStringLiteral("--settings"), m_settings, QStringLiteral("--port"),
                       QStringLiteral("sim"), QStringLiteral("--sim-clock"),
                       QStringLiteral("virtual"), QStringLiteral("offline-write"),
                       QStringLiteral("--oa-address"), QStringLiteral("1f")});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains(QStringLiteral("flash,enable")), qPrintable(r.out));
    QVERIFY(r.out.contains(QStringLiteral("自动增量 9")));
    SettingsStore store(m_settings);
    QCOMPARE(store.read(SettingsKeys::OfflineCalFlashAddress), QStringLiteral("1F"));
    QCOMPARE(store.read(SettingsKeys::OfflineInitial), QString());
}

void TestOfflineCli::oversizeFirmwareIsRefusedBeforeAnythingIsSent() {
    const QString file = m_dir.filePath(QStringLiteral("big.bin"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(32768, 'U'));
    f.close();
    const Run r =
        cli({QStringLiteral("--settings"), m_settings, QStringLiteral("--port"),
             QStringLiteral("sim"), QStringLiteral("--sim-clock"), QStringLiteral("virtual"),
             QStringLiteral("--yes"), QStringLiteral("firmware-update"), file});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("32768")), qPrintable(r.err));
    QVERIFY(!r.err.contains(QStringLiteral("请重启编程器")));
}

void TestOfflineCli::schemeSaveFromStoredSettings() {
    {
        SettingsStore store(m_settings);
        store.write(SettingsKeys::ChipModel, QStringLiteral("ATMEGA32"));
        // With "文件重载" ticked the stored file names come back, as in the window.
        store.write(SettingsKeys::ProgramOptions, QStringLiteral("0100010010"));
        store.write(SettingsKeys::FlashFile, QStringLiteral("/jobs/app.hex"));
        store.write(SettingsKeys::CalFrequency, QStringLiteral("3"));
        store.write(SettingsKeys::CalFlashAddress,
                    QStringLiteral("99999")); // beyond ATMEGA32: its last byte
        store.sync();
    }
    const QString file = m_dir.filePath(QStringLiteral("stored.SET"));
    const Run r = cli({QStringLiteral("--settings"), m_settings, QStringLiteral("scheme-save"),
                       file, QStringLiteral("--verify-eeprom")});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines[0], QByteArray("ATMEGA32\r"));
    QCOMPARE(lines[2], QByteArray("0100010011\r"));
    QCOMPARE(lines[3], QByteArray("/jobs/app.hex\r"));
    QCOMPARE(lines[5], QByteArray(" 3\r"));
    QCOMPARE(lines[7], QByteArray("32767\r"));
}

void TestOfflineCli::helpNamesTheCommands() {
    const Run r = cli({QStringLiteral("--help")});
    for (const char* word : {"offline-write", "offline-read", "offline-upload", "store-fuse-table",
                             "firmware-mode", "firmware-update", "programmer-eeprom", "scheme-save"})
        QVERIFY2(r.out.contains(QLatin1String(word)), word);
    const Run w = cli({QStringLiteral("offline-write"), QStringLiteral("--help")});
    for (const char* word :
         {"--initial-decimal", "--oa-address", "--serial-address", "--increment", "--steps"})
        QVERIFY2(w.out.contains(QLatin1String(word)), word);
    QVERIFY(cli({QStringLiteral("program"), QStringLiteral("--help")})
                .out.contains(QStringLiteral("--scheme")));
}

QTEST_GUILESS_MAIN(TestOfflineCli)
#include "tst_offline_cli.moc"
