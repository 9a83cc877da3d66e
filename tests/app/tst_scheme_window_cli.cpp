// The window and hvpp-cli save the same scheme, byte for byte, from the same settings.
#include "core/settings.h"
#include "scheme/scheme.h"
#include "support/clirun.h"
#include "support/scriptedport.h"
#include "windowfixture.h"

#include <QApplication>
#include <QFile>
#include <QtTest>

namespace {
QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestSchemeWindowCli : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void sameSchemeFromSameSettings_data();
    void sameSchemeFromSameSettings();
};

void TestSchemeWindowCli::sameSchemeFromSameSettings_data() {
    QTest::addColumn<QStringList>("stored"); // key pairs: section/key=value
    QTest::newRow("fresh settings") << QStringList{};
    QTest::newRow("stored job") << QStringList{QStringLiteral("chip=ATMEGA32"),
                                               QStringLiteral("options=0110010110"),
                                               QStringLiteral("flash=/jobs/app.hex"),
                                               QStringLiteral("eeprom=/jobs/data.eep"),
                                               QStringLiteral("hz=2"),
                                               QStringLiteral("fe=1"),
                                               QStringLiteral("flashAddress=99999")};
    QTest::newRow("no reload, odd values")
        << QStringList{QStringLiteral("chip=ATTINY2313"), QStringLiteral("options=1000000000"),
                       QStringLiteral("flash=/jobs/app.hex"), QStringLiteral("hz=7")};
}

void TestSchemeWindowCli::sameSchemeFromSameSettings() {
    QFETCH(QStringList, stored);
    WindowFixture f;
    {
        SettingsStore s(f.ini());
        for (const QString& pair : stored) {
            const QString key = pair.section(u'=', 0, 0);
            const QString value = pair.section(u'=', 1);
            if (key == u"chip")
                s.write(SettingsKeys::ChipModel, value);
            else if (key == u"options")
                s.write(SettingsKeys::ProgramOptions, value);
            else if (key == u"flash")
                s.write(SettingsKeys::FlashFile, value);
            else if (key == u"eeprom")
                s.write(SettingsKeys::EepromFile, value);
            else if (key == u"hz")
                s.write(SettingsKeys::CalFrequency, value);
            else if (key == u"fe")
                s.write(SettingsKeys::CalTarget, value);
            else if (key == u"flashAddress")
                s.write(SettingsKeys::CalFlashAddress, value);
        }
        s.sync();
    }
    const QString fromCli = f.file(QStringLiteral("cli.SET"));
    const CliRun r = runCliCaptured(
        {QStringLiteral("--settings"), f.ini(), QStringLiteral("scheme-save"), fromCli});
    QVERIFY2(r.code == 0, qPrintable(r.err));

    auto w = f.make(std::make_unique<ScriptedPort>());
    const QString fromWindow = f.file(QStringLiteral("window.SET"));
    QVERIFY(SaveSet(w->session(), fromWindow));
    QCOMPARE(bytesOf(fromCli), bytesOf(fromWindow));
    if (stored.isEmpty())
        QVERIFY(bytesOf(fromCli).contains("\r\n1100011010\r\n\r\n\r\n"));
}

QTEST_MAIN(TestSchemeWindowCli)
#include "tst_scheme_window_cli.moc"
