// What scripts read from hvpp-cli: every event of every command in the table, in Chinese and
// in English, has a shape that docs/json-events.md documents; the codes are the same in both
// languages; -q keeps the results; "-" is a stream. The commands run their own examples
// against the built-in simulator on its virtual clock.
#include "cli/cli.h"
#include "support/clirun.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {

// The documented names of one "## type" section: table rows by their first cell's names,
// each with the names in its other cells.
struct Section {
    QList<QPair<QStringList, QStringList>> rows;
    QStringList names() const {
        QStringList n;
        for (const auto& r : rows)
            n += r.first;
        return n;
    }
};

QStringList ticked(const QString& cell) {
    QStringList names;
    static const QRegularExpression re(QStringLiteral("`([^`]+)`"));
    for (auto it = re.globalMatch(cell); it.hasNext();)
        names << it.next().captured(1);
    return names;
}

QMap<QString, Section> readContract() {
    QFile f(QStringLiteral(HVPP_SOURCE_DIR "/docs/json-events.md"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QMap<QString, Section> doc;
    QString at;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n')) {
        if (line.startsWith(QStringLiteral("## ")))
            at = line.mid(3).trimmed();
        else if (line.startsWith(u'|') && !line.startsWith(QStringLiteral("|---")) &&
                 !at.isEmpty()) {
            const QStringList cells = line.split(u'|').mid(1);
            const QStringList first = ticked(cells.value(0));
            if (!first.isEmpty())
                doc[at].rows.append({first, ticked(cells.mid(1).join(u'|'))});
        }
    }
    return doc;
}

// What may not change with the language: the types and codes of the events, in order.
QString codesOf(const QJsonObject& o) {
    QStringList c;
    for (const char* key : {"type", "phase", "code", "failedStep", "error", "result", "end", "exit",
                            "ok", "stopped", "schema", "command"})
        if (o.contains(QLatin1String(key)))
            c << QLatin1String(key) + u'=' + o.value(QLatin1String(key)).toVariant().toString();
    return c.join(u' ');
}

} // namespace

class TestCliContract : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase();
    void everyEventIsDocumented_data();
    void everyEventIsDocumented();
    void quietKeepsResults_data();
    void quietKeepsResults();
    void streams();

  private:
    CliRun runIn(const QString& lang, const QStringList& args);
    QStringList exampleArgs(const CliCommand& c) const;
    QString check(const CliRun& r, const QString& command);
    QTemporaryDir m_dir;
    QMap<QString, Section> m_doc;
    int m_n = 0;
};

void TestCliContract::initTestCase() {
    m_doc = readContract();
    QVERIFY(m_doc.contains(QStringLiteral("result")) && m_doc.contains(QStringLiteral("error")));
    QDir::setCurrent(m_dir.path());
    for (const char* name : {"blink.hex", "blink.bin", "blink.eep", "blink_eeprom.bin"})
        QVERIFY(QFile::copy(testData(name), QString::fromLatin1(name)));
    QVERIFY(QFile::copy(testData("blink.hex"), QStringLiteral("app.hex")));
    QVERIFY(QFile::copy(testData("blink.eep"), QStringLiteral("data.eep")));
    QVERIFY(QFile::copy(testData("blink.bin"), QStringLiteral("new.bin")));
    QVERIFY(QFile::copy(testData("blink_eeprom.bin"), QStringLiteral("data.bin")));
}

CliRun TestCliContract::runIn(const QString& lang, const QStringList& args) {
    QTranslator english;
    if (lang == u"en") {
        if (!english.load(QStringLiteral("hvpp_en"), QStringLiteral(HVPP_BIN_DIR "/translations")))
            return {};
        QCoreApplication::installTranslator(&english);
    }
    // Each run its own settings and simulator state: the runs of the two languages start
    // from the same place.
    const QString settings = m_dir.filePath(QStringLiteral("s%1.ini").arg(m_n++));
    CliRun r =
        runCliCaptured(QStringList{QStringLiteral("--settings"), settings,
                                   QStringLiteral("--sim-clock"), QStringLiteral("virtual")} +
                       args);
    QCoreApplication::removeTranslator(&english);
    return r;
}

QStringList TestCliContract::exampleArgs(const CliCommand& c) const {
    QStringList args = c.example.split(u' ', Qt::SkipEmptyParts).mid(1);
    const int port = args.indexOf(QStringLiteral("--port"));
    if (port >= 0)
        args[port + 1] = QStringLiteral("sim");
    return args;
}

// Every line is an event of a documented type with documented fields; "start" first,
// "result" last and once, with the exit code. Returns the codes of the run, or "" after a
// failed check.
QString TestCliContract::check(const CliRun& r, const QString& command) {
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    const QString where = command + u'\n' + r.out.left(3000) + r.err;
    if (lines.size() < 2 || !r.err.isEmpty())
        return QTest::qFail(qPrintable(where), __FILE__, __LINE__), QString();
    QStringList codes;
    for (int i = 0; i < lines.size(); ++i) {
        QJsonParseError pe;
        const QJsonObject o = QJsonDocument::fromJson(lines[i].toUtf8(), &pe).object();
        const QString type = o.value(QStringLiteral("type")).toString();
        const bool last = i == lines.size() - 1;
        bool ok = pe.error == QJsonParseError::NoError && m_doc.contains(type) &&
                  (i == 0) == (type == u"start") && last == (type == u"result");
        QStringList allowed = m_doc.value(type).names() << QStringLiteral("type");
        if (type == u"result") {
            for (const auto& row : m_doc.value(type).rows)
                for (const QString& name : row.first)
                    if (name == command || name == command + QStringLiteral(" --repeat"))
                        allowed += row.second;
            ok = ok && o.value(QStringLiteral("exit")).toInt() == r.code &&
                 o.value(QStringLiteral("ok")).toBool() == (r.code == 0) &&
                 o.value(QStringLiteral("stopped")).isBool();
        }
        if (type == u"start")
            ok = ok && o.value(QStringLiteral("schema")).toInt() == 1 &&
                 o.value(QStringLiteral("command")).toString() == command;
        if (type == u"error")
            ok = ok && allowed.contains(o.value(QStringLiteral("code")).toString());
        if (type == u"progress")
            ok = ok && m_doc.value(type).rows.value(0).second.contains(
                           o.value(QStringLiteral("phase")).toString());
        for (auto it = o.begin(); ok && it != o.end(); ++it)
            ok = allowed.contains(it.key());
        if (!ok)
            return QTest::qFail(qPrintable(lines[i] + u'\n' + where), __FILE__, __LINE__),
                   QString();
        codes << codesOf(o);
    }
    return codes.join(u'\n');
}

// Each command's example, as it is and with the link cut after 40 characters.
void TestCliContract::everyEventIsDocumented_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("args");
    for (const CliCommand& c : cliCommands()) {
        const QStringList args = exampleArgs(c);
        QTest::addRow("%s", qPrintable(c.name)) << c.name << args;
        QTest::addRow("%s, link cut", qPrintable(c.name))
            << c.name
            << QStringList{QStringLiteral("--sim-disconnect-after"), QStringLiteral("40")} + args;
    }
    const QStringList repeat{QStringLiteral("--port"),   QStringLiteral("sim"),
                             QStringLiteral("program"),  QStringLiteral("--repeat"),
                             QStringLiteral("--count"),  QStringLiteral("1"),
                             QStringLiteral("--flash"),  QStringLiteral("app.hex"),
                             QStringLiteral("--serial"), QStringLiteral("eeprom:10")};
    QTest::addRow("program --repeat") << QStringLiteral("program") << repeat;
    QTest::addRow("program --repeat, verify fails")
        << QStringLiteral("program")
        << QStringList{QStringLiteral("--sim-corrupt-flash"), QStringLiteral("4")} + repeat;
    QTest::addRow("program --repeat, silent")
        << QStringLiteral("program") << QStringList{QStringLiteral("--sim-silent")} + repeat;
    QTest::addRow("usage") << QString() << QStringList{QStringLiteral("no-such-command")};
    QTest::addRow("damaged file") << QStringLiteral("info")
                                  << QStringList{QStringLiteral("info"),
                                                 testData("hex/damaged/checksum.hex")};
}

void TestCliContract::everyEventIsDocumented() {
    QFETCH(QString, command);
    QFETCH(QStringList, args);
    const QStringList json = QStringList{QStringLiteral("--json")} + args;
    const CliRun zh = runIn(QStringLiteral("zh"), json);
    const CliRun en = runIn(QStringLiteral("en"), json);
    const QString zhCodes = check(zh, command);
    const QString enCodes = check(en, command);
    QVERIFY(!zhCodes.isEmpty() && !enCodes.isEmpty());
    QCOMPARE(enCodes, zhCodes);
    QCOMPARE(en.code, zh.code);
}

// -q: errors and the command's result, nothing else; the cause of a refused file on stderr.
void TestCliContract::quietKeepsResults_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    const QString sim = QStringLiteral("sim");
    QTest::newRow("info") << QStringList{QStringLiteral("info"), QStringLiteral("app.hex")} << 0
                          << QStringLiteral("CRC-32 B0AF6D65") << QString();
    QTest::newRow("signature") << QStringList{QStringLiteral("--port"), sim,
                                              QStringLiteral("signature")}
                               << 0 << QStringLiteral("1E9307") << QString();
    QTest::newRow("check") << QStringList{QStringLiteral("--port"), sim, QStringLiteral("check")}
                           << 0 << QStringLiteral("连接成功") << QString();
    QTest::newRow("convert") << QStringList{QStringLiteral("convert"), QStringLiteral("app.hex"),
                                            QStringLiteral("q.bin")}
                             << 0 << QStringLiteral("q.bin") << QString();
    QTest::newRow("production run")
        << QStringList{QStringLiteral("--port"),  sim,
                       QStringLiteral("program"), QStringLiteral("--repeat"),
                       QStringLiteral("--count"), QStringLiteral("1"),
                       QStringLiteral("--flash"), QStringLiteral("app.hex")}
        << 0 << QStringLiteral("1 片, 失败 0 片") << QString();
    // A production run ends honestly: totals first, then the cause and its exit code.
    const QStringList repeat{QStringLiteral("--port"),  sim,
                             QStringLiteral("program"), QStringLiteral("--repeat"),
                             QStringLiteral("--flash"), QStringLiteral("app.hex")};
    QTest::newRow("production run, link cut")
        << QStringList{QStringLiteral("--sim-disconnect-after"), QStringLiteral("300")} + repeat
        << 3 << QStringLiteral("通过 0 片, 失败 1 片") << QStringLiteral("sim");
    QTest::newRow("production run, silent programmer")
        << QStringList{QStringLiteral("--sim-silent")} + repeat << 3
        << QStringLiteral("通过 0 片, 失败 0 片") << QStringLiteral("sim");
    QTest::newRow("production run, CSV cannot be written")
        << repeat + QStringList{QStringLiteral("--csv"), QStringLiteral("missing/run.csv")} << 1
        << QString() << QStringLiteral("missing/run.csv");
    QTest::newRow("damaged file") << QStringList{QStringLiteral("info"),
                                                 testData("hex/damaged/checksum.hex")}
                                  << 1 << QString() << QStringLiteral("第 2 行");
}

void TestCliContract::quietKeepsResults() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const CliRun r = runIn(QStringLiteral("zh"), QStringList{QStringLiteral("-q")} + args);
    QCOMPARE(r.code, code);
    QVERIFY2(out.isEmpty() ? r.out.isEmpty() : r.out.contains(out), qPrintable(r.out));
    QVERIFY2(err.isEmpty() ? r.err.isEmpty() : r.err.contains(err), qPrintable(r.err));
    QVERIFY2(r.out.count(u'\n') <= 2, qPrintable(r.out)); // no log lines
}

// "-" is standard output (the log moves to stderr); without --format it is refused, and
// with --json too (the events own standard output).
void TestCliContract::streams() {
    const CliRun hex =
        runIn(QStringLiteral("zh"),
              {QStringLiteral("convert"), QStringLiteral("app.hex"), QStringLiteral("-"),
               QStringLiteral("--format"), QStringLiteral("hex")});
    QCOMPARE(hex.code, 0);
    QVERIFY2(hex.out.startsWith(QStringLiteral(":10000000")) &&
                 hex.out.trimmed().endsWith(QStringLiteral(":00000001FF")),
             qPrintable(hex.out));
    QVERIFY(hex.err.contains(QStringLiteral("FLASH"))); // the log
    QVERIFY(!QFile::exists(QStringLiteral("-")));
    QCOMPARE(runIn(QStringLiteral("zh"),
                   {QStringLiteral("convert"), QStringLiteral("app.hex"), QStringLiteral("-")})
                 .code,
             2);
    QCOMPARE(runIn(QStringLiteral("zh"),
                   {QStringLiteral("--json"), QStringLiteral("convert"), QStringLiteral("app.hex"),
                    QStringLiteral("-"), QStringLiteral("--format"), QStringLiteral("bin")})
                 .code,
             2);
    // Standard input, through the executable.
    QProcess p;
    p.start(QStringLiteral(HVPP_BIN_DIR "/hvpp-cli"),
            {QStringLiteral("-q"), QStringLiteral("info"), QStringLiteral("-"),
             QStringLiteral("--format"), QStringLiteral("hex")});
    QFile hexFile(QStringLiteral("app.hex"));
    QVERIFY(hexFile.open(QIODevice::ReadOnly));
    p.write(hexFile.readAll());
    p.closeWriteChannel();
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(QString::fromUtf8(p.readAllStandardOutput()).contains(QStringLiteral("B0AF6D65")));
}

QTEST_GUILESS_MAIN(TestCliContract)
#include "tst_cli_contract.moc"
