// hvpp-cli's image and memory commands in-process, against the built-in simulated
// programmer (its chip state kept in a state file between commands).
#include "cli/cli.h"
#include "support/clirun.h"
#include "support/testfiles.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Run = CliRun;
} // namespace

class TestCliOps : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init();
    void helpNamesEveryCommandAndSwitch();
    void usageErrors_data();
    void usageErrors();
    void convertNeedsNoProgrammer();
    void memoryCommandsRoundTrip();
    void programWithSwitches();
    void failuresGiveTheirExitCodes();

  private:
    Run cli(QStringList args, bool withSim = true);
    QTemporaryDir m_dir;
    QString m_settings;
    QString m_state;
    int m_n = 0;
};

void TestCliOps::init() {
    m_settings = m_dir.filePath(QStringLiteral("s%1.ini").arg(m_n));
    m_state = m_dir.filePath(QStringLiteral("state%1.json").arg(m_n++));
}

Run TestCliOps::cli(QStringList args, bool withSim) {
    QStringList argv{QStringLiteral("--settings"), m_settings};
    if (withSim)
        argv << QStringLiteral("--port") << QStringLiteral("sim") << QStringLiteral("--chip")
             << QStringLiteral("ATTINY2313") << QStringLiteral("--sim-chip")
             << QStringLiteral("ATTINY2313") << QStringLiteral("--sim-state") << m_state
             << QStringLiteral("--sim-clock") << QStringLiteral("virtual");
    return ::cli(argv + args);
}

void TestCliOps::helpNamesEveryCommandAndSwitch() {
    const Run r = cli({QStringLiteral("--help")}, false);
    QCOMPARE(r.code, 0);
    for (const char* word :
         {"erase", "write-flash", "verify-flash", "write-eeprom", "verify-eeprom", "read-flash",
          "read-eeprom", "read-cal", "write-cal", "read-byte", "write-byte", "convert", "program"})
        QVERIFY2(r.out.contains(QLatin1String(word)), word);
    const Run p = cli({QStringLiteral("program"), QStringLiteral("--help")}, false);
    for (const char* word :
         {"--options", "--flash", "--eeprom", "--erase", "--write-flash", "--write-eeprom",
          "--write-fuses", "--write-lock", "--reload", "--check-signature", "--calibration",
          "--verify-flash", "--verify-eeprom", "--cal-slot", "--cal-target", "--cal-address"})
        QVERIFY2(p.out.contains(QLatin1String(word)), word);
    QVERIFY(cli({QStringLiteral("read-byte"), QStringLiteral("--help")}, false)
                .out.contains(QStringLiteral("read-byte flash|eeprom ADDR")));
}

void TestCliOps::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("write-flash without file") << QStringList{QStringLiteral("write-flash")};
    QTest::newRow("convert without its input")
        << QStringList{QStringLiteral("convert"), QStringLiteral("a.bin")};
    QTest::newRow("convert with two inputs")
        << QStringList{QStringLiteral("convert"), QStringLiteral("--flash"),
                       QStringLiteral("a.hex"), QStringLiteral("b.hex"), QStringLiteral("c.bin")};
    QTest::newRow("read-byte of no memory")
        << QStringList{QStringLiteral("read-byte"), QStringLiteral("sram"), QStringLiteral("1")};
    QTest::newRow("bad option digits") << QStringList{
        QStringLiteral("program"), QStringLiteral("--options"), QStringLiteral("11100")};
    QTest::newRow("bad cal slot") << QStringList{QStringLiteral("write-cal"),
                                                 QStringLiteral("--cal-slot"), QStringLiteral("9")};
    QTest::newRow("bad cal target") << QStringList{
        QStringLiteral("write-cal"), QStringLiteral("--cal-target"), QStringLiteral("sram")};
    QTest::newRow("address not decimal")
        << QStringList{QStringLiteral("write-byte"), QStringLiteral("eeprom"),
                       QStringLiteral("0x10"), QStringLiteral("5A")};
}

void TestCliOps::usageErrors() {
    QFETCH(QStringList, args);
    const Run r = cli(args);
    QCOMPARE(r.code, 2);
}

void TestCliOps::convertNeedsNoProgrammer() {
    const QString out = m_dir.filePath(QStringLiteral("c.bin"));
    Run r = cli({QStringLiteral("convert"), QStringLiteral("--flash"), dataFile("blink.hex"), out},
                false);
    QCOMPARE(r.code, 0);
    QCOMPARE(fileBytes(out), fileBytes(dataFile("blink.bin")));
    QFile::remove(out);
    QCOMPARE(cli({QStringLiteral("convert"), dataFile("blink.hex"), out}, false).code, 0);
    QCOMPARE(fileBytes(out), fileBytes(dataFile("blink.bin")));
    r = cli({QStringLiteral("convert"), QStringLiteral("--eeprom"), dataFile("blink.eep"), out},
            false);
    QCOMPARE(r.code, 0);
    QCOMPARE(fileBytes(out), fileBytes(dataFile("blink_eeprom.bin")));
    // The flash loader reads a ".EEP" file that is Intel HEX as one; a missing file and a
    // broken one give 1.
    QCOMPARE(cli({QStringLiteral("convert"), QStringLiteral("--flash"), dataFile("blink.eep"), out},
                 false)
                 .code,
             0);
    QCOMPARE(fileBytes(out), fileBytes(dataFile("blink_eeprom.bin")));
    QCOMPARE(cli({QStringLiteral("convert"), QStringLiteral("--flash"),
                  m_dir.filePath(QStringLiteral("none.hex")), out},
                 false)
                 .code,
             1);
    const QString broken = m_dir.filePath(QStringLiteral("broken.hex"));
    QFile f(broken);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(":0280000012345F\n");
    f.close();
    r = cli({QStringLiteral("convert"), QStringLiteral("--flash"), broken, out}, false);
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains(QStringLiteral("FLASH文件读取错误！")));
    QCOMPARE(fileBytes(out), fileBytes(dataFile("blink_eeprom.bin"))); // the old file stays
}

void TestCliOps::memoryCommandsRoundTrip() {
    QCOMPARE(cli({QStringLiteral("erase")}).code, 0);
    QCOMPARE(cli({QStringLiteral("write-flash"), dataFile("blink.hex")}).code, 0);
    QCOMPARE(cli({QStringLiteral("verify-flash"), dataFile("blink.bin")}).code, 0);
    QCOMPARE(cli({QStringLiteral("write-eeprom"), dataFile("blink.eep")}).code, 0);
    QCOMPARE(cli({QStringLiteral("verify-eeprom"), dataFile("blink_eeprom.bin")}).code, 0);
    const QString flash = m_dir.filePath(QStringLiteral("f.bin"));
    const QString eeprom = m_dir.filePath(QStringLiteral("e.bin"));
    QCOMPARE(cli({QStringLiteral("read-flash"), flash}).code, 0);
    QCOMPARE(cli({QStringLiteral("read-eeprom"), eeprom}).code, 0);
    const QByteArray f = fileBytes(flash);
    QCOMPARE(f.size(), 2048);
    QCOMPARE(f.left(202), fileBytes(dataFile("blink.bin")));
    QCOMPARE(f.mid(202), QByteArray(2048 - 202, '\xFF'));
    QCOMPARE(fileBytes(eeprom).left(7), fileBytes(dataFile("blink_eeprom.bin")));

    QCOMPARE(cli({QStringLiteral("write-byte"), QStringLiteral("eeprom"), QStringLiteral("100"),
                  QStringLiteral("7")})
                 .code,
             0);
    Run r = cli({QStringLiteral("read-byte"), QStringLiteral("eeprom"), QStringLiteral("100")});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out.trimmed().split(u'\n').last(), QStringLiteral("07"));
    r = cli({QStringLiteral("read-cal"), QStringLiteral("--json")});
    QCOMPARE(r.code, 0);
    const QJsonObject result =
        QJsonDocument::fromJson(r.out.trimmed().split(u'\n').last().toUtf8()).object();
    QCOMPARE(result.value(QStringLiteral("picked")).toInt(), 2);
    const QString slot2 = result.value(QStringLiteral("slots")).toArray().at(2).toString();
    QCOMPARE(slot2.size(), 2);
    QCOMPARE(cli({QStringLiteral("write-cal"), QStringLiteral("--cal-target"),
                  QStringLiteral("eeprom"), QStringLiteral("--cal-address"), QStringLiteral("10")})
                 .code,
             0);
    r = cli({QStringLiteral("read-byte"), QStringLiteral("eeprom"), QStringLiteral("10")});
    QCOMPARE(r.out.trimmed().split(u'\n').last(), slot2);
}

void TestCliOps::programWithSwitches() {
    // Named switches tick options on top of --options; the files are loaded first.
    Run r = cli({QStringLiteral("program"), QStringLiteral("--flash"), dataFile("odd.hex"),
                 QStringLiteral("--eeprom"), dataFile("blink.eep"), QStringLiteral("--options"),
                 QStringLiteral("1110000000"), QStringLiteral("--check-signature"),
                 QStringLiteral("--verify-flash"), QStringLiteral("--verify-eeprom")});
    QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
    QVERIFY(r.out.contains(QStringLiteral(
        "编程步骤: 校验标识字, 擦除芯片, 编程FLASH, 编程EEPROM, 校验FLASH, 校验EEPROM")));
    QVERIFY(r.out.contains(QStringLiteral("校验FLASH通过。")));
    QVERIFY(r.out.contains(QStringLiteral("校验EEPROM通过。")));
    const QString flash = m_dir.filePath(QStringLiteral("f.bin"));
    QCOMPARE(cli({QStringLiteral("read-flash"), flash}).code, 0);
    QCOMPARE(fileBytes(flash).left(34), fileBytes(dataFile("odd.bin")) + '\xFF');
}

void TestCliOps::failuresGiveTheirExitCodes() {
    QCOMPARE(cli({QStringLiteral("erase")}).code, 0);
    QCOMPARE(cli({QStringLiteral("verify-flash"), dataFile("blink.bin")}).code, 1); // blank chip
    QCOMPARE(cli({QStringLiteral("write-flash"), m_dir.filePath(QStringLiteral("none.hex"))}).code,
             1);
    QCOMPARE(cli({QStringLiteral("write-flash"), dataFile("full32k.bin")}).code,
             1); // larger than the chip
    QCOMPARE(cli({QStringLiteral("program"), QStringLiteral("--flash"),
                  m_dir.filePath(QStringLiteral("none.hex")), QStringLiteral("--write-flash")})
                 .code,
             1);
    // Wrong chip in the socket with the signature check: 1; no chip at all: 3.
    Run r = cli({QStringLiteral("--chip"), QStringLiteral("ATTINY26"), QStringLiteral("program"),
                 QStringLiteral("--options"), QStringLiteral("0000001000")});
    QCOMPARE(r.code, 1);
    QVERIFY(r.out.contains(QStringLiteral("标识字与所选芯片不符!")));
    m_state.clear();
    for (const QStringList& args :
         {QStringList{QStringLiteral("erase")},
          QStringList{QStringLiteral("read-flash"), m_dir.filePath(QStringLiteral("x.bin"))},
          QStringList{QStringLiteral("program"), QStringLiteral("--options"),
                      QStringLiteral("0000001000")},
          QStringList{QStringLiteral("read-cal")}}) {
        QStringList a{QStringLiteral("--sim-chip"), QStringLiteral("none")};
        r = cli(a + args);
        QVERIFY2(r.code == 3, qPrintable(args.join(u' ') + r.out + r.err));
        QVERIFY(r.out.contains(QStringLiteral("无目标芯片或无连接!")));
    }
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("x.bin"))));
}

QTEST_GUILESS_MAIN(TestCliOps)
#include "tst_cli_ops.moc"
