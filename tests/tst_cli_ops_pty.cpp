// End to end: hvpp-cli erases, programs, verifies and reads back every chip type against the
// simulated programmer on its virtual clock, and two of them through hvpp-sim on a
// pseudo-terminal, as it would through a real serial port.
#include "chips/chiptable.h"
#include "support/clirun.h"
#include "support/rig.h"
#include "support/testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

class TestCliOpsPty : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase();
    void everyChip_data();
    void everyChip();
    void throughHvppSimOnAPty();

  private:
    using Runner = std::function<CliRun(const QStringList&)>;
    void programAndReadBack(const Runner& run, const QString& chip);
    QStringList settings() const;
    QTemporaryDir m_dir;
};

void TestCliOpsPty::initTestCase() {
    // The settings file starts empty: the port runs at the default "115200,n,8,1".
    QVERIFY(m_dir.isValid());
}

QStringList TestCliOpsPty::settings() const {
    return {QStringLiteral("--settings"), m_dir.filePath(QStringLiteral("s.ini"))};
}

void TestCliOpsPty::programAndReadBack(const Runner& run, const QString& chip) {
    const ChipInfo& info = ChipTable::byName(chip);
    CliRun r = run({QStringLiteral("erase")});
    QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
    r = run({QStringLiteral("program"), QStringLiteral("--flash"), dataFile("blink.hex"),
             QStringLiteral("--eeprom"), dataFile("blink.eep"), QStringLiteral("--options"),
             QStringLiteral("0110001011")});
    QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
    const QString said = r.out + r.err; // the executable's run merges the two
    QVERIFY(said.contains(QStringLiteral("读标识字:") + info.SignatureText));
    QVERIFY(said.contains(QStringLiteral("校验FLASH通过。")));
    QVERIFY(said.contains(QStringLiteral("校验EEPROM通过。")));
    r = run({QStringLiteral("verify-flash"), dataFile("blink.bin")});
    QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
    const QString flash = m_dir.filePath(chip + QStringLiteral(".bin"));
    const QString eeprom = m_dir.filePath(chip + QStringLiteral(".eeprom.bin"));
    r = run({QStringLiteral("read-flash"), flash});
    QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
    r = run({QStringLiteral("read-eeprom"), eeprom});
    QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
    const QByteArray f = fileBytes(flash);
    const QByteArray e = fileBytes(eeprom);
    QCOMPARE(f.size(), info.FlashSize);
    QCOMPARE(e.size(), int(info.EepromSize));
    const QByteArray program = fileBytes(dataFile("blink.bin"));
    QCOMPARE(f.left(program.size()), program);
    QCOMPARE(f.mid(program.size()), QByteArray(info.FlashSize - program.size(), '\xFF'));
    const QByteArray data = fileBytes(dataFile("blink_eeprom.bin"));
    QCOMPARE(e.left(data.size()), data);
    // A chip that no longer matches its file fails the verify with exit code 1.
    r = run({QStringLiteral("write-byte"), QStringLiteral("eeprom"), QStringLiteral("0"),
             QStringLiteral("00")});
    QCOMPARE(r.code, 0);
    r = run({QStringLiteral("verify-eeprom"), dataFile("blink.eep")});
    QCOMPARE(r.code, 1);
    QVERIFY((r.out + r.err).contains(QStringLiteral("EEPROM地址0000数据校验失败！")));
}

void TestCliOpsPty::everyChip_data() {
    QTest::addColumn<QString>("chip");
    for (const ChipInfo& row : ChipTable::rows())
        QTest::newRow(qPrintable(row.ChipName)) << row.ChipName;
}

void TestCliOpsPty::everyChip() {
    QFETCH(QString, chip);
    // In-process, the chip kept in a state file from one command to the next.
    const QStringList sim =
        simArgs(m_dir.filePath(QStringLiteral("s.ini")),
                {QStringLiteral("--sim-chip"), chip, QStringLiteral("--sim-state"),
                 m_dir.filePath(chip + QStringLiteral(".json")), QStringLiteral("--chip"), chip});
    programAndReadBack([&](const QStringList& args) { return cli(sim + args); }, chip);
}

void TestCliOpsPty::throughHvppSimOnAPty() {
    // The executable through a pseudo-terminal, unpaced and at the line rate.
    const QList<QPair<QString, int>> chips{{QStringLiteral("ATMEGA8"), 0},
                                           {QStringLiteral("ATTINY2313"), 115200}};
    for (const auto& [chip, baud] : chips) {
        SimProcess sim(chip, baud);
        QVERIFY2(!sim.pty().isEmpty(), "hvpp-sim did not start");
        const QStringList port = settings() + QStringList{QStringLiteral("--port"), sim.pty(),
                                                          QStringLiteral("--chip"), chip};
        programAndReadBack([&](const QStringList& args) { return cliProcess(port + args); }, chip);
        if (QTest::currentTestFailed())
            return;
    }
    // No chip answers: exit code 3.
    SimProcess empty(QStringLiteral("none"), 115200);
    const CliRun r = cliProcess(
        settings() + QStringList{QStringLiteral("--port"), empty.pty(), QStringLiteral("--chip"),
                                 QStringLiteral("ATMEGA8"), QStringLiteral("read-flash"),
                                 m_dir.filePath(QStringLiteral("x.bin"))});
    QCOMPARE(r.code, 3);
    QVERIFY(r.out.contains(QStringLiteral("无目标芯片或无连接!")));
}

QTEST_GUILESS_MAIN(TestCliOpsPty)
#include "tst_cli_ops_pty.moc"
