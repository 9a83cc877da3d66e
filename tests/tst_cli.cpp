// hvpp-cli's shell: help, usage errors, exit codes and the JSON event stream.
#include "cli/cli.h"
#include "support/clirun.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {
using Run = CliRun;
Run cli(const QStringList& args, const QString& settingsFile) {
    return ::cli(QStringList{QStringLiteral("--settings"), settingsFile} + args);
}
} // namespace

class TestCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { m_settings = m_dir.filePath(QStringLiteral("s%1.ini").arg(m_n++)); }
    void helpDocumentsEveryCommandAndOption();
    void usageErrors_data();
    void usageErrors();
    void missingPortSaysSoAndExitsThree();
    void jsonEventsAreOneObjectPerLine();
    void builtInProgrammer_data();
    void builtInProgrammer();

private:
    QTemporaryDir m_dir;
    QString m_settings;
    int m_n = 0;
};

void TestCli::helpDocumentsEveryCommandAndOption() {
    const Run r = cli({QStringLiteral("--help")}, m_settings);
    QCOMPARE(r.code, 0);
    for (const char* word : {"check", "detect", "signature", "--port", "--chip", "--settings", "--json",
                             "--sim-chip", "--sim-state", "sim"})
        QVERIFY2(r.out.contains(QLatin1String(word)), word);
}

void TestCli::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("says");
    QTest::newRow("no command") << QStringList{} << QStringLiteral("--help");
    QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")} << QStringLiteral("frobnicate");
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--frob"), QStringLiteral("check")}
                                    << QStringLiteral("frob");
    QTest::newRow("unknown chip") << QStringList{QStringLiteral("--chip"), QStringLiteral("ATMEGA9"),
                                                 QStringLiteral("detect")}
                                  << QStringLiteral("ATMEGA9");
    QTest::newRow("unknown simulated chip") << QStringList{QStringLiteral("--port"), QStringLiteral("sim"),
                                                           QStringLiteral("--sim-chip"), QStringLiteral("AT90S"),
                                                           QStringLiteral("detect")}
                                            << QStringLiteral("AT90S");
}

void TestCli::usageErrors() {
    QFETCH(QStringList, args);
    QFETCH(QString, says);
    const Run r = cli(args, m_settings);
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(says), qPrintable(r.err));
}

void TestCli::missingPortSaysSoAndExitsThree() {
    const Run r = cli({QStringLiteral("--port"), QStringLiteral("/dev/hvpp-missing"), QStringLiteral("check")},
                      m_settings);
    QCOMPARE(r.code, 3);
    QVERIFY(r.err.contains(QStringLiteral("/dev/hvpp-missing")));
}

void TestCli::jsonEventsAreOneObjectPerLine() {
    const Run r = cli({QStringLiteral("--json"), QStringLiteral("--port"), QStringLiteral("/dev/hvpp-missing"),
                       QStringLiteral("detect")},
                      m_settings);
    QCOMPARE(r.code, 3);
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(!lines.isEmpty());
    for (const QString& line : lines) {
        QJsonParseError e;
        const QJsonDocument d = QJsonDocument::fromJson(line.toUtf8(), &e);
        QVERIFY2(d.isObject(), qPrintable(line));
        QVERIFY(d.object().contains(QStringLiteral("type")));
    }
    // The error, then the one result that ends every run.
    QCOMPARE(QJsonDocument::fromJson(lines.value(lines.size() - 2).toUtf8()).object().value(QStringLiteral("type")).toString(),
             QStringLiteral("error"));
    QCOMPARE(QJsonDocument::fromJson(lines.last().toUtf8()).object().value(QStringLiteral("type")).toString(),
             QStringLiteral("result"));
}

void TestCli::builtInProgrammer_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("prints");
    const QString sim = QStringLiteral("sim");
    QTest::newRow("check") << QStringList{QStringLiteral("check")} << 0
                           << QStringLiteral("连接成功!");
    QTest::newRow("detect ATMEGA32")
        << QStringList{QStringLiteral("--sim-chip"), QStringLiteral("ATMEGA32"),
                       QStringLiteral("detect")}
        << 0 << QStringLiteral("ATMEGA32");
    QTest::newRow("signature ATTINY2313")
        << QStringList{QStringLiteral("--sim-chip"), QStringLiteral("ATTINY2313"),
                       QStringLiteral("signature")}
        << 0 << QStringLiteral("读标识字:1E910A");
    QTest::newRow("empty socket") << QStringList{QStringLiteral("--sim-chip"),
                                                 QStringLiteral("none"), QStringLiteral("detect")}
                                  << 3 << QStringLiteral("无目标芯片: 座上无芯片");
}

void TestCli::builtInProgrammer() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, prints);
    const Run r = cli(QStringList{QStringLiteral("--port"), QStringLiteral("sim"),
                                  QStringLiteral("--sim-clock"), QStringLiteral("virtual")} +
                          args,
                      m_settings);
    QCOMPARE(r.code, code);
    QVERIFY2((r.out + r.err).contains(prints), qPrintable(r.out + r.err));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
