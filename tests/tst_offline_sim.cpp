// Stand-alone programming, the programmer update and scheme jobs through the simulated
// programmer: in-process on its virtual clock, and hvpp-cli end to end on the built-in one.
#include "cli/cli.h"
#include "firmware/firmwareupdate.h"
#include "offline/offlinerecord.h"
#include "offline/upload.h"
#include "session/selectchip.h"
#include "support/clirun.h"
#include "support/rig.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/types.h>
#endif

namespace {

// The chip selected with its fuse description at the defaults.
const QString chip8 = QStringLiteral("ATMEGA8");
constexpr int fuses = SessionRig::WithFuses;

QByteArray randomBytes(int n, quint32 seed) {
    QRandomGenerator g(seed);
    QByteArray b(n, '\0');
    for (char& ch : b)
        ch = char(g.bounded(256));
    return b;
}

QJsonObject readJson(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(f.readAll()).object();
}

QByteArray stateBytes(const QJsonObject& state, const char* key) {
    return QByteArray::fromHex(state.value(QLatin1String(key)).toString().toLatin1());
}

} // namespace

class TestOfflineSim : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void recordWrittenAndReadBack();
    void imagesUploaded();
    void firmwareReceivedWhole_data();
    void firmwareReceivedWhole();
    void programmerEeprom();
    void cliSchemeJob();
    void cliOfflineRoundTrip();
    void throughHvppSimOnAPty();

  private:
    QTemporaryDir m_dir;
};

void TestOfflineSim::recordWrittenAndReadBack() {
    SimRig w(chip8, {}, fuses);
    SimPort& port = w.port;
    w.select(QStringLiteral("ATTINY2313"));
    w.session.fuses.ApplyFuseText(QStringLiteral("11111100") + QStringLiteral("11111110") +
                                  QStringLiteral("11011111") + QStringLiteral("01100100"));
    OfflinePanel& p = w.session.offline;
    p.steps = {true, true, true, false, true, true, true, true};
    p.calToFlash = false;
    p.calSlot = 1;
    p.calEepromAddress = QStringLiteral("7F");
    p.serialToFlash = true;
    p.serialFlashAddress = QStringLiteral("07FC");
    p.increment = 3;
    p.initialHex = QStringLiteral("FFFFFFFF");
    QVERIFY(WriteOfflineSettings(w.c));
    QCOMPARE(port.model().settingsMemory().at(0x2D), char(0xFF));
    QCOMPARE(port.model().settingsMemory().at(0x08), char(16));

    SessionRig r(port, chip8, fuses);
    QVERIFY(ReadOfflineSettings(r.c));
    const OfflinePanel& q = r.session.offline;
    QCOMPARE(q.steps, p.steps);
    QCOMPARE(q.calToFlash, false);
    QCOMPARE(q.calSlot, 1);
    QCOMPARE(q.calEepromAddress, QStringLiteral("007F"));
    QCOMPARE(q.serialFlashAddress, QStringLiteral("07FC"));
    QCOMPARE(q.increment, 3);
    QCOMPARE(q.initialHex, QStringLiteral("FFFFFFFF"));
    QCOMPARE(q.initialDecimal, QStringLiteral("4294967295"));
    QCOMPARE(r.session.chip.ChipName, QStringLiteral("ATTINY2313"));
    QCOMPARE(r.session.fuses.fuseText(), w.session.fuses.fuseText());
    for (int f = 0; f < 4; ++f)
        QCOMPARE(r.session.fuses.frameDigits(f), w.session.fuses.frameDigits(f));
}

void TestOfflineSim::imagesUploaded() {
    SimRig r(chip8, {}, fuses);
    SimPort& port = r.port;
    const QByteArray flash = randomBytes(8192, 1);
    const QByteArray eeprom = randomBytes(300, 2);
    r.session.FlashBufferText = QString::fromLatin1(flash.toHex().toUpper());
    r.session.EepromBufferText = QString::fromLatin1(eeprom.toHex().toUpper());
    QVERIFY(UploadOfflineImages(r.c));
    QVERIFY(r.ui.warnings.isEmpty());
    const SimModel& m = port.model();
    QCOMPARE(m.offlineFlash(), flash);
    QCOMPARE(m.offlineEeprom().left(300), eeprom);
    QCOMPARE(m.offlineEeprom().mid(300), QByteArray(84, char(0xFF)));
    QCOMPARE(m.settingsMemory().mid(3, 4), QByteArray::fromHex("2000012C"));
}

void TestOfflineSim::firmwareReceivedWhole_data() {
    QTest::addColumn<int>("bytes");
    QTest::newRow("300") << 300;
    QTest::newRow("256") << 256;
    QTest::newRow("32767") << 32767;
}

void TestOfflineSim::firmwareReceivedWhole() {
    QFETCH(int, bytes);
    SimRig r(chip8, {}, fuses);
    SimPort& port = r.port;
    EnterFirmwareLoader(r.c);
    const QByteArray image = randomBytes(bytes, 3);
    FirmwareTransfer t(r.link);
    QVERIFY(t.openData(image, QStringLiteral("fw.bin")));
    port.restartProgrammer(); // the user power-cycles the programmer
    QVERIFY(t.waitForLoader());
    QVERIFY(t.proceed());
    QCOMPARE(t.state(), FirmwareTransfer::State::Done);
    port.advance(20); // the last "!" is still on the line
    const QByteArray got = port.model().firmware();
    QCOMPARE(got.left(bytes), image);
    QCOMPARE(got.mid(bytes), QByteArray((128 - bytes % 128) % 128, char(0xFF)));
    QVERIFY(!port.model().inLoader());
}

void TestOfflineSim::programmerEeprom() {
    SimRig r(chip8, {}, fuses);
    SimPort& port = r.port;
    const QByteArray data = randomBytes(40, 4);
    const QString path = m_dir.filePath(QStringLiteral("pe.bin"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
    f.close();
    QVERIFY(UpdateProgrammerEeprom(r.c, path));
    QCOMPARE(port.model().settingsMemory().left(40), data);
}

void TestOfflineSim::cliSchemeJob() {
    const QString settings = m_dir.filePath(QStringLiteral("scheme.ini"));
    const QString state = m_dir.filePath(QStringLiteral("scheme-state.json"));
    const QString scheme = m_dir.filePath(QStringLiteral("job.SET"));
    const QString image = m_dir.filePath(QStringLiteral("app.bin"));
    const QByteArray flash = randomBytes(512, 5);
    QFile f(image);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(flash);
    f.close();

    // erase, write flash, reload, check signature, verify flash; the fuses of the job
    const QString fuses = QStringLiteral("11111111") + QStringLiteral("11111111") +
                          QStringLiteral("11011001") + QStringLiteral("11100100");
    CliRun save =
        cli({QStringLiteral("--settings"), settings, QStringLiteral("--json"),
             QStringLiteral("--chip"), QStringLiteral("ATMEGA8"), QStringLiteral("scheme-save"),
             scheme, QStringLiteral("--flash"), image, QStringLiteral("--options"),
             QStringLiteral("1101011010"), QStringLiteral("--fuse-bits"), fuses});
    QVERIFY2(save.code == 0, qPrintable(save.err + save.out));
    QVERIFY(QFile::exists(scheme));

    // Another chip stored in the settings: the scheme decides.
    CliRun run = cli(
        {QStringLiteral("--settings"), settings, QStringLiteral("--json"), QStringLiteral("--chip"),
         QStringLiteral("ATMEGA16"), QStringLiteral("--port"), QStringLiteral("sim"),
         QStringLiteral("--sim-clock"), QStringLiteral("virtual"), QStringLiteral("--sim-state"),
         state, QStringLiteral("program"), QStringLiteral("--scheme"), scheme});
    QVERIFY2(run.code == 0, qPrintable(run.err + run.out));
    QCOMPARE(run.result().value(QStringLiteral("chip")).toString(), QStringLiteral("ATMEGA8"));
    const QJsonObject st = readJson(state);
    QCOMPARE(stateBytes(st, "flash").left(512), flash);
    QCOMPARE(stateBytes(st, "flash").mid(512, 16), QByteArray(16, char(0xFF)));
    const QJsonObject fuseState = st.value(QStringLiteral("fuses")).toObject();
    QCOMPARE(fuseState.value(QStringLiteral("high")).toString().toUpper(), QStringLiteral("D9"));
    QCOMPARE(fuseState.value(QStringLiteral("low")).toString().toUpper(), QStringLiteral("E4"));

    // A scheme that breaks off is not programmed.
    QFile broken(m_dir.filePath(QStringLiteral("broken.SET")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("ATMEGA8\r\n");
    broken.close();
    CliRun bad =
        cli({QStringLiteral("--settings"), settings, QStringLiteral("--port"),
             QStringLiteral("sim"), QStringLiteral("--sim-clock"), QStringLiteral("virtual"),
             QStringLiteral("program"), QStringLiteral("--scheme"), broken.fileName()});
    QCOMPARE(bad.code, 1);
}

void TestOfflineSim::cliOfflineRoundTrip() {
    const QString state = m_dir.filePath(QStringLiteral("offline-state.json"));
    const QString flashFile = m_dir.filePath(QStringLiteral("off.bin"));
    const QByteArray flash = randomBytes(1000, 6);
    QFile f(flashFile);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(flash);
    f.close();
    const QStringList common{QStringLiteral("--json"),
                             QStringLiteral("--port"),
                             QStringLiteral("sim"),
                             QStringLiteral("--sim-clock"),
                             QStringLiteral("virtual"),
                             QStringLiteral("--sim-state"),
                             state};
    CliRun write =
        cli(QStringList{QStringLiteral("--settings"), m_dir.filePath(QStringLiteral("w.ini")),
                        QStringLiteral("--chip"), QStringLiteral("ATMEGA48")} +
            common +
            QStringList{QStringLiteral("offline-write"), QStringLiteral("--steps"),
                        QStringLiteral("flash,fuses,serial,enable"), QStringLiteral("--oa-slot"),
                        QStringLiteral("4"), QStringLiteral("--oa-address"), QStringLiteral("fff"),
                        QStringLiteral("--serial-target"), QStringLiteral("eeprom"),
                        QStringLiteral("--serial-address"), QStringLiteral("10"),
                        QStringLiteral("--increment"), QStringLiteral("2"),
                        QStringLiteral("--initial-decimal"), QStringLiteral("305419896")});
    QVERIFY2(write.code == 0, qPrintable(write.err + write.out));
    CliRun upload =
        cli(QStringList{QStringLiteral("--settings"), m_dir.filePath(QStringLiteral("w.ini"))} +
            common +
            QStringList{QStringLiteral("offline-upload"), QStringLiteral("--flash"), flashFile});
    QVERIFY2(upload.code == 0, qPrintable(upload.err + upload.out));

    // A fresh settings store and another chip: everything comes from the programmer.
    CliRun read =
        cli(QStringList{QStringLiteral("--settings"), m_dir.filePath(QStringLiteral("r.ini")),
                        QStringLiteral("--chip"), QStringLiteral("ATMEGA16")} +
            common + QStringList{QStringLiteral("offline-read")});
    QVERIFY2(read.code == 0, qPrintable(read.err + read.out));
    QJsonObject w = write.result();
    QJsonObject r = read.result();
    QCOMPARE(r.value(QStringLiteral("oaAddress")).toString(), QStringLiteral("0FFF"));
    QCOMPARE(r.value(QStringLiteral("serialAddress")).toString(), QStringLiteral("0010"));
    QCOMPARE(r.value(QStringLiteral("complete")).toBool(), true);
    QCOMPARE(r.value(QStringLiteral("text")), w.value(QStringLiteral("text")));
    r.remove(QStringLiteral("complete"));
    QCOMPARE(r, w);
    QCOMPARE(r.value(QStringLiteral("initialHex")).toString(), QStringLiteral("12345678"));
    QCOMPARE(r.value(QStringLiteral("chip")).toString(), QStringLiteral("ATMEGA48"));
    QCOMPARE(stateBytes(readJson(state), "offlineFlash").left(1000), flash);
}

void TestOfflineSim::throughHvppSimOnAPty() {
#ifndef Q_OS_UNIX
    QSKIP("hvpp-sim serves a pseudo-terminal");
#else
    const QString state = m_dir.filePath(QStringLiteral("pty-state.json"));
    // Unpaced: what is kept does not depend on the line rate.
    SimProcess sim(QStringList{QStringLiteral("--chip"), QStringLiteral("ATMEGA168"),
                               QStringLiteral("--baud"), QStringLiteral("0"),
                               QStringLiteral("--state"), state});
    const QString pty = sim.pty();
    QVERIFY2(!pty.isEmpty(), qPrintable(sim.errors()));
    const QString settings = m_dir.filePath(QStringLiteral("pty.ini"));
    const QStringList port{QStringLiteral("--settings"), settings, QStringLiteral("--json"),
                           QStringLiteral("--port"), pty};

    const QString image = m_dir.filePath(QStringLiteral("pty.bin"));
    const QByteArray flash = randomBytes(300, 7);
    QFile f(image);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(flash);
    f.close();
    const QString scheme = m_dir.filePath(QStringLiteral("pty.SET"));
    CliRun save =
        cli(port + QStringList{QStringLiteral("--chip"), QStringLiteral("ATMEGA168"),
                               QStringLiteral("scheme-save"), scheme, QStringLiteral("--flash"),
                               image, QStringLiteral("--options"), QStringLiteral("1100011010")});
    QVERIFY2(save.code == 0, qPrintable(save.err));
    CliRun program =
        cli(port + QStringList{QStringLiteral("program"), QStringLiteral("--scheme"), scheme});
    QVERIFY2(program.code == 0, qPrintable(program.err + program.out));

    CliRun write =
        cli(port + QStringList{QStringLiteral("offline-write"), QStringLiteral("--steps"),
                               QStringLiteral("11110001"), QStringLiteral("--initial-hex"),
                               QStringLiteral("abcdef01"), QStringLiteral("--increment"),
                               QStringLiteral("5")});
    QVERIFY2(write.code == 0, qPrintable(write.err + write.out));
    CliRun upload =
        cli(port + QStringList{QStringLiteral("offline-upload"), QStringLiteral("--flash"), image});
    QVERIFY2(upload.code == 0, qPrintable(upload.err + upload.out));
    CliRun read = cli(port + QStringList{QStringLiteral("--chip"), QStringLiteral("ATMEGA8"),
                                         QStringLiteral("offline-read")});
    QVERIFY2(read.code == 0, qPrintable(read.err + read.out));
    QJsonObject w = write.result();
    QJsonObject r = read.result();
    r.remove(QStringLiteral("complete"));
    // Empty address boxes went out as 0000.
    QCOMPARE(r.value(QStringLiteral("serialAddress")).toString(), QStringLiteral("0000"));
    QCOMPARE(r, w);
    QCOMPARE(r.value(QStringLiteral("initialHex")).toString(), QStringLiteral("ABCDEF01"));

    // The firmware: the user restarts the programmer while hvpp-cli waits for its loader.
    const QByteArray firmware = randomBytes(1000, 8);
    const QString firmwareFile = m_dir.filePath(QStringLiteral("fw.bin"));
    QFile fw(firmwareFile);
    QVERIFY(fw.open(QIODevice::WriteOnly));
    fw.write(firmware);
    fw.close();
    const qint64 pid = sim.process().processId();
    QTimer::singleShot(300, &sim.process(), [pid] { ::kill(pid_t(pid), SIGUSR1); });
    CliRun update = cli(port + QStringList{QStringLiteral("--yes"),
                                           QStringLiteral("firmware-update"), firmwareFile});
    QVERIFY2(update.code == 0, qPrintable(update.err + update.out));

    QVERIFY(sim.stop());
    const QJsonObject st = readJson(state);
    QCOMPARE(stateBytes(st, "firmware").left(1000), firmware);
    QCOMPARE(stateBytes(st, "flash").left(300), flash);
    QCOMPARE(stateBytes(st, "offlineFlash").left(300), flash);
#endif
}

QTEST_GUILESS_MAIN(TestOfflineSim)
#include "tst_offline_sim.moc"
