// What hvpp-cli prints and where: log lines and results on stdout, failures on stderr
// naming the file or port, -q and -v, the progress line of a terminal and the JSON
// progress events, the line settings, the version, and options that stay one-off.
#include "core/settings.h"
#include "support/clirun.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TestCliOutput : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { m_settings = m_dir.filePath(QStringLiteral("s%1.ini").arg(m_n++)); }
    void stdoutAndStderrApart_data();
    void stdoutAndStderrApart();
    void quietPrintsErrorsAndResultOnly();
    void verboseShowsEveryFrameWithItsTime();
    void progressLineOfAPacedRun();
    void jsonProgressEvents();
    void storedLineSettingQuotedOrNot_data();
    void storedLineSettingQuotedOrNot();
    void lineAndFlowOptions();
    void oneOffOptionsStayOneOff();
    void version();

  private:
    QList<QJsonObject> events(const QString& out);
    QTemporaryDir m_dir;
    QString m_settings;
    int m_n = 0;
};

QList<QJsonObject> TestCliOutput::events(const QString& out) {
    QList<QJsonObject> list;
    for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts)) {
        const QJsonDocument d = QJsonDocument::fromJson(line.toUtf8());
        if (!d.isObject())
            qWarning("not a JSON object: %s", qPrintable(line));
        list << d.object();
    }
    return list;
}

void TestCliOutput::stdoutAndStderrApart_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("errNames"); // empty: stderr stays empty
    const QString missing = m_dir.filePath(QStringLiteral("gone.hex"));
    QTest::newRow("done") << QStringList{QStringLiteral("write-flash"), testData("blink.hex")} << 0
                          << QString();
    QTest::newRow("missing file") << QStringList{QStringLiteral("write-flash"), missing} << 1
                                  << missing;
    QTest::newRow("silent programmer")
        << QStringList{QStringLiteral("--sim-silent"), QStringLiteral("check")} << 3
        << QStringLiteral("sim:");
    QTest::newRow("verify mismatch")
        << QStringList{QStringLiteral("--sim-corrupt-flash"), QStringLiteral("2"),
                       QStringLiteral("verify-flash"), testData("blink.hex")}
        << 1 << QStringLiteral("sim:");
}

void TestCliOutput::stdoutAndStderrApart() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, errNames);
    const CliRun r = runCliCaptured(simArgs(m_settings) + args);
    QCOMPARE(r.code, code);
    QVERIFY(!r.out.isEmpty()); // the log
    QVERIFY2(!r.out.contains(QStringLiteral("hvpp-cli:")), qPrintable(r.out));
    if (errNames.isEmpty()) {
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    } else {
        // Every line of stderr is a message of ours that says what it concerns.
        for (const QString& line : r.err.split(u'\n', Qt::SkipEmptyParts))
            QVERIFY2(line.startsWith(QStringLiteral("hvpp-cli: ")), qPrintable(line));
        QVERIFY2(r.err.contains(errNames), qPrintable(r.err));
    }
}

void TestCliOutput::quietPrintsErrorsAndResultOnly() {
    CliRun r = runCliCaptured(simArgs(m_settings) +
                              QStringList{QStringLiteral("-q"), QStringLiteral("detect")});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QStringLiteral("ATMEGA8\n"));
    QVERIFY(r.err.isEmpty());
    r = runCliCaptured(simArgs(m_settings, {QStringLiteral("--sim-chip"), QStringLiteral("none")}) +
                       QStringList{QStringLiteral("--quiet"), QStringLiteral("erase")});
    QCOMPARE(r.code, 3);
    QVERIFY2(r.out.isEmpty(), qPrintable(r.out));
    QVERIFY(r.err.contains(QStringLiteral("无目标芯片或无连接!")));
}

void TestCliOutput::verboseShowsEveryFrameWithItsTime() {
    const CliRun r = runCliCaptured(
        simArgs(m_settings) + QStringList{QStringLiteral("-v"), QStringLiteral("read-fuses")});
    QCOMPARE(r.code, 0);
    const QRegularExpression frame(QStringLiteral("^\\[ *(\\d+\\.\\d{3}) ms\\] ([<>]) (.*)$"),
                                   QRegularExpression::MultilineOption);
    QStringList sent;
    int received = 0;
    double last = -1;
    for (auto it = frame.globalMatch(r.out); it.hasNext();) {
        const auto m = it.next();
        const double ms = m.captured(1).toDouble();
        QVERIFY(ms >= last); // in the order of the port's clock
        last = ms;
        if (m.captured(2) == u">")
            sent << m.captured(3);
        else
            ++received;
    }
    QCOMPARE(sent.value(0), QStringLiteral("RI00#")); // the presence test first
    QVERIFY2(sent.contains(QStringLiteral("RS000000#")), qPrintable(r.out));
    QVERIFY(received >= 2);
    QVERIFY(last > 0); // the answers came in virtual time
}

void TestCliOutput::progressLineOfAPacedRun() {
    const CliRun r = runCliCaptured(simArgs(m_settings) + QStringList{QStringLiteral("program"),
                                                                      QStringLiteral("--flash"),
                                                                      testData("blink.hex")},
                                    true);
    QCOMPARE(r.code, 0);
    // One line per long step, redrawn in place; each ends with the whole step done.
    const QStringList lines = r.err.split(u'\n', Qt::SkipEmptyParts);
    QStringList phases;
    for (const QString& line : lines) {
        const QString last = line.split(u'\r', Qt::SkipEmptyParts).last();
        phases << last.section(u' ', 0, 0);
        QVERIFY2(last.contains(QStringLiteral("202/202 字节")), qPrintable(last));
        QVERIFY2(last.contains(QStringLiteral("剩余 0.0 s")), qPrintable(last));
        QVERIFY(last.contains(QStringLiteral("[##############################]")));
    }
    QCOMPARE(phases, (QStringList{QStringLiteral("写FLASH"), QStringLiteral("校验FLASH")}));
    QVERIFY2(lines.first().count(u'\r') > 2, qPrintable(lines.first())); // it moved
    // Not on a terminal: no progress line at all.
    QVERIFY(runCliCaptured(simArgs(m_settings) + QStringList{QStringLiteral("program"),
                                                             QStringLiteral("--flash"),
                                                             testData("blink.hex")})
                .err.isEmpty());
}

void TestCliOutput::jsonProgressEvents() {
    const CliRun r = runCliCaptured(
        simArgs(m_settings) + QStringList{QStringLiteral("--json"), QStringLiteral("write-eeprom"),
                                          testData("blink.eep")});
    QCOMPARE(r.code, 0);
    qint64 done = 0;
    qint64 elapsed = -1;
    for (const QJsonObject& e : events(r.out)) {
        if (e.value(QStringLiteral("type")).toString() != u"progress")
            continue;
        QCOMPARE(e.value(QStringLiteral("phase")).toString(), QStringLiteral("write_eeprom"));
        QCOMPARE(e.value(QStringLiteral("total")).toInteger(), 7);
        QCOMPARE(e.value(QStringLiteral("done")).toInteger(), done + 1); // every byte
        QVERIFY(!e.contains(QStringLiteral("bar")));
        done = e.value(QStringLiteral("done")).toInteger();
        QVERIFY(e.value(QStringLiteral("elapsedMs")).toInteger() >= elapsed);
        elapsed = e.value(QStringLiteral("elapsedMs")).toInteger();
    }
    QCOMPARE(done, 7);
    QVERIFY(elapsed >= 6 * 9); // a chip write time per byte, on the simulator's clock
}

void TestCliOutput::storedLineSettingQuotedOrNot_data() {
    QTest::addColumn<bool>("quoted");
    QTest::newRow("quoted") << true;
    QTest::newRow("unquoted") << false;
}

void TestCliOutput::storedLineSettingQuotedOrNot() {
    QFETCH(bool, quoted);
    {
        SettingsStore s(m_settings);
        s.write(SettingsKeys::Serial, QStringLiteral("9600,n,8,1"));
        s.sync();
    }
    QFile f(m_settings);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QByteArray ini = f.readAll();
    f.close();
    QVERIFY(ini.contains("\"9600,n,8,1\""));
    if (!quoted)
        ini.replace("\"9600,n,8,1\"", "9600,n,8,1");
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(ini);
    f.close();
    QCOMPARE(SettingsStore(m_settings).serialSettings(), QStringLiteral("9600,n,8,1"));
    // The line rate reaches the port: a byte takes 12 times as long as at 115200.
    const CliRun r = runCliCaptured(
        simArgs(m_settings) + QStringList{QStringLiteral("--json"), QStringLiteral("read-eeprom"),
                                          m_dir.filePath(QStringLiteral("e.bin"))});
    QCOMPARE(r.code, 0);
    qint64 elapsed = 0;
    for (const QJsonObject& e : events(r.out))
        if (e.value(QStringLiteral("type")).toString() == u"progress")
            elapsed = e.value(QStringLiteral("elapsedMs")).toInteger();
    QVERIFY2(elapsed > 1000, qPrintable(QString::number(elapsed))); // 1024 hex chars at 960/s
}

void TestCliOutput::lineAndFlowOptions() {
    QCOMPARE(runCliCaptured(simArgs(m_settings) +
                            QStringList{QStringLiteral("--line"), QStringLiteral("9600,n,8,1"),
                                        QStringLiteral("--flow"), QStringLiteral("hardware"),
                                        QStringLiteral("check")})
                 .code,
             0);
    for (const QStringList& bad : {QStringList{QStringLiteral("--line"), QStringLiteral("fast")},
                                   QStringList{QStringLiteral("--line=115200,q,8,1")},
                                   QStringList{QStringLiteral("--flow"), QStringLiteral("xon")}}) {
        const CliRun r =
            runCliCaptured(simArgs(m_settings) + bad + QStringList{QStringLiteral("check")});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(bad.first().section(u'=', 0, 0)), qPrintable(r.err));
    }
    // Neither is stored.
    QVERIFY(SettingsStore(m_settings).read(SettingsKeys::Serial).isEmpty());
}

void TestCliOutput::oneOffOptionsStayOneOff() {
    CliRun r = runCliCaptured({QStringLiteral("--settings"), m_settings, QStringLiteral("--chip"),
                               QStringLiteral("ATMEGA32"), QStringLiteral("--json"),
                               QStringLiteral("fuses")});
    QCOMPARE(r.code, 0);
    QCOMPARE(events(r.out).last().value(QStringLiteral("chip")).toString(),
             QStringLiteral("ATMEGA32"));
    r = runCliCaptured(simArgs(m_settings) +
                       QStringList{QStringLiteral("--options"), QStringLiteral("0000001000"),
                                   QStringLiteral("--port"), QStringLiteral("sim"),
                                   QStringLiteral("program")});
    QCOMPARE(r.code, 0);
    r = runCliCaptured({QStringLiteral("--settings"), m_settings, QStringLiteral("--json"),
                        QStringLiteral("fuses")});
    QCOMPARE(events(r.out).last().value(QStringLiteral("chip")).toString(),
             QStringLiteral("ATMEGA8"));
    SettingsStore s(m_settings);
    QVERIFY(s.read(SettingsKeys::ChipModel).isEmpty());
    QVERIFY(s.read(SettingsKeys::PortName).isEmpty());
    QVERIFY(s.read(SettingsKeys::ProgramOptions).isEmpty());
    // offline-write exists to store its values.
    QCOMPARE(runCliCaptured(simArgs(m_settings) + QStringList{QStringLiteral("offline-write"),
                                                              QStringLiteral("--increment"),
                                                              QStringLiteral("7")})
                 .code,
             0);
    QCOMPARE(SettingsStore(m_settings).read(SettingsKeys::OfflineIncrement), QStringLiteral("7"));
}

void TestCliOutput::version() {
    const CliRun r = runCliCaptured({QStringLiteral("--version")});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QStringLiteral("hvpp-cli " HVPP_VERSION "\n"));
}

QTEST_GUILESS_MAIN(TestCliOutput)
#include "tst_cli_output.moc"
