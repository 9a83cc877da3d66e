// hvpp-cli's command table: each command takes only its own options, has its own help, and
// never reports success when the programmer or the chip did not answer or a step failed.
// Data-driven over the whole table, against the built-in simulator and its fault switches.
#include "cli/cli.h"
#include "fuses/fuseeditor.h"
#include "support/clirun.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// What a command needs to run: nothing but files, the programmer, or a chip in the socket.
enum Kind { Offline, Programmer, Target };

struct Case {
    QString name;
    QStringList args;
    Kind kind;
};

} // namespace

class TestCliTable : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { m_settings = m_dir.filePath(QStringLiteral("s%1.ini").arg(m_n++)); }
    void everyCommandHasACase();
    void refusesAnotherCommandsOption_data();
    void refusesAnotherCommandsOption();
    void helpOfEachCommand();
    void everyExampleRuns();
    void fileOptionsTakeBothForms();
    void faults_data();
    void faults();
    void failingSteps_data();
    void failingSteps();
    void dangerousFusesNeedForce_data();
    void dangerousFusesNeedForce();
    void nothingIsDestroyedByDefault_data();
    void nothingIsDestroyedByDefault();

  private:
    QList<Case> cases() const;
    QTemporaryDir m_dir;
    QString m_settings;
    int m_n = 0;
};

QList<Case> TestCliTable::cases() const {
    const QString hex = testData("blink.hex");
    const QString eep = testData("blink.eep");
    const QString out = m_dir.filePath(QStringLiteral("out.bin"));
    const QString s = QStringLiteral("--");
    return {
        {QStringLiteral("check"), {}, Programmer},
        {QStringLiteral("detect"), {}, Target},
        {QStringLiteral("signature"), {}, Target},
        {QStringLiteral("erase"), {}, Target},
        {QStringLiteral("write-flash"), {hex}, Target},
        {QStringLiteral("verify-flash"), {hex}, Target},
        {QStringLiteral("write-eeprom"), {eep}, Target},
        {QStringLiteral("verify-eeprom"), {eep}, Target},
        {QStringLiteral("read-flash"), {out}, Target},
        {QStringLiteral("read-eeprom"), {out}, Target},
        {QStringLiteral("convert"), {QStringLiteral("--flash"), hex, out}, Offline},
        {QStringLiteral("info"), {hex}, Offline},
        {QStringLiteral("compare"), {QStringLiteral("--flash"), hex}, Target},
        {QStringLiteral("read-cal"), {}, Target},
        {QStringLiteral("write-cal"), {}, Target},
        {QStringLiteral("read-byte"), {QStringLiteral("eeprom"), QStringLiteral("3")}, Target},
        {QStringLiteral("write-byte"),
         {QStringLiteral("eeprom"), QStringLiteral("3"), QStringLiteral("A5")},
         Target},
        {QStringLiteral("program"), {QStringLiteral("--flash"), hex}, Target},
        {QStringLiteral("read-fuses"), {}, Target},
        {QStringLiteral("write-fuses"), {QStringLiteral("--default")}, Target},
        {QStringLiteral("recover-fuses"), {}, Target},
        {QStringLiteral("write-lock"), {QStringLiteral("FF")}, Target},
        {QStringLiteral("fuses"), {}, Offline},
        {QStringLiteral("offline-write"),
         {QStringLiteral("--steps"), QStringLiteral("flash")},
         Programmer},
        {QStringLiteral("offline-read"), {}, Programmer},
        {QStringLiteral("offline-upload"), {QStringLiteral("--flash"), hex}, Programmer},
        {QStringLiteral("store-fuse-table"), {}, Programmer},
        {QStringLiteral("firmware-mode"), {}, Programmer},
        {QStringLiteral("firmware-update"),
         {testData("blink.bin"), QStringLiteral("--yes")},
         Programmer},
        {QStringLiteral("programmer-eeprom"), {testData("blink_eeprom.bin")}, Programmer},
        {QStringLiteral("scheme-save"), {m_dir.filePath(QStringLiteral("job.SET"))}, Offline},
    };
}

void TestCliTable::everyCommandHasACase() {
    QSet<QString> covered;
    for (const Case& c : cases())
        covered << c.name;
    for (const CliCommand& c : cliCommands())
        QVERIFY2(covered.contains(c.name), qPrintable(c.name + QStringLiteral(" has no case")));
}

void TestCliTable::refusesAnotherCommandsOption_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("option");
    const CliTable table = cliCommands();
    QStringList all;
    for (const CliCommand& c : table)
        for (const QCommandLineOption& o : c.options)
            all << o.names().first();
    all.removeDuplicates();
    for (const Case& k : cases()) {
        const CliCommand* command = nullptr;
        for (const CliCommand& c : table)
            if (c.name == k.name)
                command = &c;
        QVERIFY(command);
        QStringList own;
        for (const QCommandLineOption& o : command->options)
            own << o.names();
        for (const QString& other : all) {
            if (own.contains(other))
                continue;
            QTest::addRow("%s --%s", qPrintable(k.name), qPrintable(other))
                << QStringList{k.name} + k.args + QStringList{QStringLiteral("--") + other}
                << QStringLiteral("--") + other;
            break; // one refused option per command
        }
    }
    QTest::newRow("detect --low 12")
        << QStringList{QStringLiteral("detect"), QStringLiteral("--low"), QStringLiteral("12")}
        << QStringLiteral("--low");
    QTest::newRow("write-flash --erase --verify-flash")
        << QStringList{QStringLiteral("write-flash"), testData("blink.hex"),
                       QStringLiteral("--erase"), QStringLiteral("--verify-flash")}
        << QStringLiteral("--erase");
}

void TestCliTable::refusesAnotherCommandsOption() {
    QFETCH(QStringList, args);
    QFETCH(QString, option);
    const CliRun r = runCliCaptured(simArgs(m_settings) + args);
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(option), qPrintable(r.err));
    QVERIFY2(r.out.isEmpty(), qPrintable(r.out)); // nothing was done
}

void TestCliTable::helpOfEachCommand() {
    const CliRun all = runCliCaptured({QStringLiteral("--help")});
    QCOMPARE(all.code, 0);
    for (const CliCommand& c : cliCommands()) {
        // One line each in the list ...
        const QRegularExpression line(
            QStringLiteral("^  %1 +\\S[^\\n]*$").arg(QRegularExpression::escape(c.name)),
            QRegularExpression::MultilineOption);
        QVERIFY2(line.match(all.out).hasMatch(), qPrintable(c.name));
        // ... and a help of its own: synopsis, every option, one example of itself.
        const CliRun h = runCliCaptured({c.name, QStringLiteral("--help")});
        QCOMPARE(h.code, 0);
        QVERIFY2(h.out.contains(QStringLiteral("hvpp-cli [")) && h.out.contains(c.name),
                 qPrintable(h.out));
        for (const QCommandLineOption& o : c.options)
            QVERIFY2(h.out.contains(QStringLiteral("--") + o.names().first()), qPrintable(c.name));
        QVERIFY2(c.example.startsWith(QStringLiteral("hvpp-cli ")) && c.example.contains(c.name),
                 qPrintable(c.example));
        QVERIFY(h.out.contains(c.example));
    }
}

// Each command's example, with the built-in simulator for the serial port and the test's
// images for the user's files, is a command line that runs (no usage error, no crash).
void TestCliTable::everyExampleRuns() {
    const QString before = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    QFile::remove(QStringLiteral("app.hex"));
    QFile::remove(QStringLiteral("data.eep"));
    QFile::remove(QStringLiteral("new.bin"));
    QFile::remove(QStringLiteral("data.bin"));
    QVERIFY(QFile::copy(testData("blink.hex"), QStringLiteral("app.hex")));
    QVERIFY(QFile::copy(testData("blink.eep"), QStringLiteral("data.eep")));
    QVERIFY(QFile::copy(testData("blink.bin"), QStringLiteral("new.bin")));
    QVERIFY(QFile::copy(testData("blink_eeprom.bin"), QStringLiteral("data.bin")));
    for (const CliCommand& c : cliCommands()) {
        QStringList args = c.example.split(u' ', Qt::SkipEmptyParts).mid(1);
        const int port = args.indexOf(QStringLiteral("--port"));
        if (port >= 0)
            args[port + 1] = QStringLiteral("sim");
        const CliRun r = runCliCaptured(
            QStringList{QStringLiteral("--settings"), m_settings, QStringLiteral("--sim-clock"),
                        QStringLiteral("virtual"), QStringLiteral("--sim-state"),
                        m_dir.filePath(QStringLiteral("examples.json"))} +
            args);
        QVERIFY2(r.code != Exit::Usage, qPrintable(c.example + u'\n' + r.err));
    }
    QDir::setCurrent(before);
}

void TestCliTable::fileOptionsTakeBothForms() {
    const QString a = m_dir.filePath(QStringLiteral("a.bin"));
    const QString b = m_dir.filePath(QStringLiteral("b.bin"));
    QCOMPARE(runCliCaptured(
                 {QStringLiteral("convert"), QStringLiteral("--eeprom"), testData("blink.eep"), a})
                 .code,
             0);
    QCOMPARE(runCliCaptured({QStringLiteral("convert"),
                             QStringLiteral("--eeprom=") + testData("blink.eep"), b})
                 .code,
             0);
    QFile fa(a), fb(b);
    QVERIFY(fa.open(QIODevice::ReadOnly) && fb.open(QIODevice::ReadOnly));
    QCOMPARE(fa.readAll(), fb.readAll());
}

// Every command that talks to the programmer, against a silent programmer, an empty socket
// and a link that dies in the middle.
void TestCliTable::faults_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("fault");
    QTest::addColumn<int>("code");
    for (const Case& c : cases()) {
        if (c.kind == Offline)
            continue;
        const QStringList args = QStringList{c.name} + c.args;
        QTest::addRow("%s, silent", qPrintable(c.name))
            << args << QStringList{QStringLiteral("--sim-silent")} << 3;
        if (c.kind == Target)
            QTest::addRow("%s, no chip", qPrintable(c.name))
                << args << QStringList{QStringLiteral("--sim-chip"), QStringLiteral("none")} << 3;
        QTest::addRow("%s, link lost", qPrintable(c.name))
            << args << QStringList{QStringLiteral("--sim-disconnect-after"), QStringLiteral("12")}
            << 3;
    }
}

void TestCliTable::faults() {
    QFETCH(QStringList, args);
    QFETCH(QStringList, fault);
    QFETCH(int, code);
    const CliRun r = runCliCaptured(simArgs(m_settings, fault) + args);
    QVERIFY2(r.code == code,
             qPrintable(QStringLiteral("exit %1\n%2\n%3").arg(r.code).arg(r.out, r.err)));
    QVERIFY2(r.err.contains(QStringLiteral("sim")), qPrintable(r.err)); // names the port
}

void TestCliTable::failingSteps_data() {
    QTest::addColumn<QStringList>("args");
    const QString missing = m_dir.filePath(QStringLiteral("missing.hex"));
    const QString empty = m_dir.filePath(QStringLiteral("empty.hex"));
    QFile e(empty);
    QVERIFY(e.open(QIODevice::WriteOnly));
    e.close();
    const QString big = testData("full32k.bin"); // beyond an ATMEGA8
    const QString corrupt = QStringLiteral("--sim-corrupt-flash");
    QTest::newRow("write-flash, missing file")
        << QStringList{QStringLiteral("write-flash"), missing};
    QTest::newRow("write-flash, empty file") << QStringList{QStringLiteral("write-flash"), empty};
    QTest::newRow("write-flash, refused image") << QStringList{QStringLiteral("write-flash"), big};
    QTest::newRow("verify-flash, mismatch") << QStringList{
        corrupt, QStringLiteral("4"), QStringLiteral("verify-flash"), testData("blink.hex")};
    QTest::newRow("verify-eeprom, mismatch")
        << QStringList{QStringLiteral("--sim-corrupt-eeprom"), QStringLiteral("1"),
                       QStringLiteral("verify-eeprom"), testData("blink.eep")};
    QTest::newRow("write-eeprom, missing file")
        << QStringList{QStringLiteral("write-eeprom"), missing};
    QTest::newRow("program, verify fails")
        << QStringList{corrupt, QStringLiteral("4"), QStringLiteral("program"),
                       QStringLiteral("--flash"), testData("blink.hex")};
    QTest::newRow("compare, mismatch")
        << QStringList{corrupt, QStringLiteral("4"), QStringLiteral("compare"),
                       QStringLiteral("--flash"), testData("blink.hex")};
    QTest::newRow("info, too large") << QStringList{QStringLiteral("info"), big};
    QTest::newRow("program, refused image")
        << QStringList{QStringLiteral("program"), QStringLiteral("--flash"), big};
    QTest::newRow("program, wrong chip")
        << QStringList{QStringLiteral("--sim-chip"), QStringLiteral("ATMEGA16"),
                       QStringLiteral("program"), QStringLiteral("--flash"), testData("blink.hex")};
    QTest::newRow("offline-upload, missing file")
        << QStringList{QStringLiteral("offline-upload"), QStringLiteral("--flash"), missing};
    QTest::newRow("convert, missing file")
        << QStringList{QStringLiteral("convert"), QStringLiteral("--flash"), missing,
                       m_dir.filePath(QStringLiteral("c.bin"))};
    QTest::newRow("firmware-update, too large")
        << QStringList{QStringLiteral("firmware-update"), big, QStringLiteral("--yes")};
    QTest::newRow("programmer-eeprom, missing file")
        << QStringList{QStringLiteral("programmer-eeprom"), missing};
}

void TestCliTable::failingSteps() {
    QFETCH(QStringList, args);
    const CliRun r = runCliCaptured(simArgs(m_settings) + args);
    QVERIFY2(r.code == 1,
             qPrintable(QStringLiteral("exit %1\n%2\n%3").arg(r.code).arg(r.out, r.err)));
    QVERIFY2(!r.err.isEmpty(), qPrintable(r.out));
}

// Every option a description file marks, and every bit that shuts out low-voltage
// programming, is refused without --force (exit 2, the option named, nothing sent); with
// --force it is written.
void TestCliTable::dangerousFusesNeedForce_data() {
    QTest::addColumn<QString>("chip");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("named");
    for (const QString& chip : {QStringLiteral("ATMEGA8"), QStringLiteral("ATMEGA168")}) {
        FuseEditor f;
        f.setSetFolder(QStringLiteral(HVPP_SET_DIR));
        QVERIFY(f.LoadFuseDescription(chip + QStringLiteral(".FUS")));
        for (int i = 0; i < f.options().size(); ++i) {
            f.ApplyFuseText(f.defaultFuseText());
            const FuseOption o = f.options()[i];
            if (!o.red || o.checked)
                continue;
            f.checkEvent(i, true);
            f.clickEvent(i);
            const QStringList args =
                o.key.startsWith(QStringLiteral("FDL"))
                    ? QStringList{QStringLiteral("write-lock"), f.frameDigits(3)}
                    : QStringList{QStringLiteral("write-fuses"), QStringLiteral("--bits"),
                                  f.fuseText()};
            QTest::newRow(qPrintable(chip + u' ' + o.key)) << chip << args << o.text;
        }
    }
    const auto fuses = [](const char* low, const char* high) {
        return QStringList{QStringLiteral("write-fuses"), QStringLiteral("--low"),
                           QString::fromLatin1(low), QStringLiteral("--high"),
                           QString::fromLatin1(high)};
    };
    QTest::newRow("SPIEN unprogrammed") << "ATMEGA8" << fuses("E1", "F9") << "SPIEN";
    QTest::newRow("RSTDISBL programmed") << "ATMEGA8" << fuses("E1", "59") << "RSTDISBL";
    QTest::newRow("DWEN programmed") << "ATMEGA168" << fuses("62", "9F") << "DWEN";
    QTest::newRow("program with RSTDISBL")
        << "ATMEGA8" << QStringList{QStringLiteral("program"), QStringLiteral("--dry-run")}
        << "RSTDISBL";
}

void TestCliTable::dangerousFusesNeedForce() {
    QFETCH(QString, chip);
    QFETCH(QStringList, args);
    QFETCH(QString, named);
    const QStringList global = simArgs(m_settings) + QStringList{QStringLiteral("--chip"), chip};
    if (args.first() == u"program") { // a scheme whose fuse line has RSTDISBL programmed
        const QString scheme = m_dir.filePath(QStringLiteral("r.SET"));
        QCOMPARE(runCliCaptured(
                     global + QStringList{QStringLiteral("scheme-save"), scheme,
                                          QStringLiteral("--options"), QStringLiteral("0001000000"),
                                          QStringLiteral("--fuse-bits"),
                                          QStringLiteral("**111111********0101100111100001")})
                     .code,
                 0);
        args += QStringList{QStringLiteral("--scheme"), scheme};
    }
    const CliRun refused = runCliCaptured(global + args);
    QVERIFY2(refused.code == Exit::Usage && refused.err.contains(named), qPrintable(refused.err));
    QVERIFY(refused.err.contains(QStringLiteral("--force")));
    if (args.first() == u"program")
        return;
    const CliRun forced = runCliCaptured(global + args + QStringList{QStringLiteral("--force")});
    QVERIFY2(forced.code != Exit::Usage, qPrintable(forced.err));
}

// Nothing is cleared, guessed or ignored without being asked for.
void TestCliTable::nothingIsDestroyedByDefault_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("says");
    const QString hex = testData("blink.hex");
    const QString s = QStringLiteral("--settings");
    QTest::newRow("offline-upload without a file")
        << QStringList{QStringLiteral("offline-upload")} << int(Exit::Usage) << "--clear";
    QTest::newRow("offline-upload --clear with a file")
        << QStringList{QStringLiteral("offline-upload"), QStringLiteral("--clear"),
                       QStringLiteral("--flash"), hex}
        << int(Exit::Usage) << "--clear";
    QTest::newRow("offline-upload --clear")
        << QStringList{QStringLiteral("offline-upload"), QStringLiteral("--clear")}
        << int(Exit::Done) << "";
    QTest::newRow("empty --port") << QStringList{QStringLiteral("--port"), QString(),
                                                 QStringLiteral("check")}
                                  << int(Exit::Usage) << "--port";
    QTest::newRow("--sim-* with a serial port")
        << QStringList{QStringLiteral("--port"), QStringLiteral("/dev/ttyS0"),
                       QStringLiteral("check")}
        << int(Exit::Usage) << "--sim-clock";
    QTest::newRow("dry run opens no port")
        << QStringList{QStringLiteral("--port"),
                       QStringLiteral("/dev/nonexistent"),
                       QStringLiteral("program"),
                       QStringLiteral("--flash"),
                       hex,
                       QStringLiteral("--dry-run")}
        << int(Exit::Done) << ""; // a port that is not there is never opened
}

void TestCliTable::nothingIsDestroyedByDefault() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, says);
    const CliRun r = runCliCaptured(simArgs(m_settings) + args);
    QVERIFY2(r.code == code, qPrintable(QString::number(r.code) + u' ' + r.err));
    QVERIFY2(r.err.contains(says), qPrintable(r.err));
}

QTEST_GUILESS_MAIN(TestCliTable)
#include "tst_cli_table.moc"
