// End to end: hvpp-cli erases, programs, verifies and reads back every chip type through
// hvpp-sim on a pseudo-terminal, as it would through a real serial port.
#include "chips/chiptable.h"
#include "support/clirun.h"
#include "support/rig.h"
#include "support/testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestCliOpsPty : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase();
    void everyChipThroughThePty_data();
    void everyChipThroughThePty();
    void pacedAtTheLineRate();

  private:
    CliRun cli(const QString& pty, const QString& chip, QStringList args);
    void programAndReadBack(const QString& pty, const QString& chip);
    QTemporaryDir m_dir;
};

void TestCliOpsPty::initTestCase() {
    // The settings file starts empty: the port runs at the default "115200,n,8,1".
    QVERIFY(m_dir.isValid());
}

CliRun TestCliOpsPty::cli(const QString& pty, const QString& chip, QStringList args) {
    return cliProcess(QStringList{QStringLiteral("--settings"),
                                  m_dir.filePath(QStringLiteral("s.ini")), QStringLiteral("--port"),
                                  pty, QStringLiteral("--chip"), chip} +
                      args);
}

void TestCliOpsPty::programAndReadBack(const QString& pty, const QString& chip) {
    const ChipInfo& info = ChipTable::byName(chip);
    CliRun r = cli(pty, chip, {QStringLiteral("erase")});
    QVERIFY2(r.code == 0, qPrintable(r.out));
    r = cli(pty, chip,
            {QStringLiteral("program"), QStringLiteral("--flash"), dataFile("blink.hex"),
             QStringLiteral("--eeprom"), dataFile("blink.eep"), QStringLiteral("--options"),
             QStringLiteral("0110001011")});
    QVERIFY2(r.code == 0, qPrintable(r.out));
    QVERIFY(r.out.contains(QStringLiteral("读标识字:") + info.SignatureText));
    QVERIFY(r.out.contains(QStringLiteral("校验FLASH通过。")));
    QVERIFY(r.out.contains(QStringLiteral("校验EEPROM通过。")));
    r = cli(pty, chip, {QStringLiteral("verify-flash"), dataFile("blink.bin")});
    QVERIFY2(r.code == 0, qPrintable(r.out));
    const QString flash = m_dir.filePath(chip + QStringLiteral(".bin"));
    const QString eeprom = m_dir.filePath(chip + QStringLiteral(".eeprom.bin"));
    r = cli(pty, chip, {QStringLiteral("read-flash"), flash});
    QVERIFY2(r.code == 0, qPrintable(r.out));
    r = cli(pty, chip, {QStringLiteral("read-eeprom"), eeprom});
    QVERIFY2(r.code == 0, qPrintable(r.out));
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
    r = cli(pty, chip,
            {QStringLiteral("write-byte"), QStringLiteral("eeprom"), QStringLiteral("0"),
             QStringLiteral("00")});
    QCOMPARE(r.code, 0);
    r = cli(pty, chip, {QStringLiteral("verify-eeprom"), dataFile("blink.eep")});
    QCOMPARE(r.code, 1);
    QVERIFY(r.out.contains(QStringLiteral("EEPROM地址0000数据校验失败！")));
}

void TestCliOpsPty::everyChipThroughThePty_data() {
    QTest::addColumn<QString>("chip");
    for (const ChipInfo& row : ChipTable::rows())
        QTest::newRow(qPrintable(row.ChipName)) << row.ChipName;
}

void TestCliOpsPty::everyChipThroughThePty() {
    QFETCH(QString, chip);
    // Unpaced answers keep the suite quick; the line rate is covered below and in bench/.
    SimProcess sim(chip, 0);
    QVERIFY2(!sim.pty().isEmpty(), "hvpp-sim did not start");
    programAndReadBack(sim.pty(), chip);
}

void TestCliOpsPty::pacedAtTheLineRate() {
    SimProcess sim(QStringLiteral("ATTINY2313"), 115200);
    QVERIFY(!sim.pty().isEmpty());
    programAndReadBack(sim.pty(), QStringLiteral("ATTINY2313"));
    // No chip answers: exit code 3.
    SimProcess empty(QStringLiteral("none"), 115200);
    const CliRun r = cli(empty.pty(), QStringLiteral("ATMEGA8"),
                         {QStringLiteral("read-flash"), m_dir.filePath(QStringLiteral("x.bin"))});
    QCOMPARE(r.code, 3);
    QVERIFY(r.out.contains(QStringLiteral("无目标芯片或无连接!")));
}

QTEST_GUILESS_MAIN(TestCliOpsPty)
#include "tst_cli_ops_pty.moc"
