// The simulated programmer's own memories: the bulk upload of the offline images, the
// loader of the firmware update, the saved state and the built-in demo programmer.
#include "sim/builtin.h"
#include "sim/simport.h"
#include "sim/simstate.h"
#include "support/rig.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Rig = SimRig;

QByteArray pattern(int size, int seed) {
    QByteArray b(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        b[i] = char((i * 7 + seed) & 0xFF);
    return b;
}

// The upload of one image, step by step as the program does it. Returns false when "B"
// did not come.
bool upload(Rig& r, const QByteArray& image, bool flash) {
    QString text = QString::fromLatin1(image.toHex().toUpper());
    if (text.size() % 256)
        text += QString(256 - text.size() % 256, u'F');
    r.link.drainInput();
    r.link.sendCommand(QStringLiteral("RT000000#"));
    if (!r.link.waitForMarkerResult(flash ? 1000 : 10000, QStringLiteral("B")))
        return false;
    r.link.sendCommand(QStringLiteral("D"));
    r.link.delayMs(400);
    r.link.sendCommand(flash ? QStringLiteral("68") : QStringLiteral("60"));
    r.link.delayMs(2);
    r.link.waitForMarker(100, QStringLiteral("?"));
    r.link.sendCommand(QStringLiteral(">"));
    const int pairs = int(text.size() / 2);
    for (int i = 0; i < pairs - 1; ++i) {
        r.link.sendCommand(text.mid(2 * i, 2));
        if ((i + 1) % 128 == 0) {
            r.link.waitForMarker(100, QStringLiteral("?"));
            r.link.sendCommand(QStringLiteral(">"));
            r.link.delayMs(1);
        }
    }
    r.link.sendCommand(text.right(2));
    r.link.waitForMarker(100, QStringLiteral("?"));
    r.link.sendCommand(QStringLiteral("!"));
    return true;
}

// The firmware transfer of the update window after the loader's "B".
void sendFirmware(Rig& r, const QByteArray& file) {
    r.link.sendCommand(QStringLiteral("00"));
    const int blocks = int(file.size() / 128), rest = int(file.size() % 128);
    auto pair = [&](quint8 b) {
        r.link.sendCommand(QString::fromLatin1(QByteArray(1, char(b)).toHex().toUpper()));
        r.link.delayMs(0.5);
    };
    for (int k = 0; k < blocks; ++k) {
        r.link.waitForMarkerResult(100, QStringLiteral("?"));
        r.link.sendCommand(QStringLiteral(">"));
        for (int i = 0; i < 128; ++i)
            pair(quint8(file[k * 128 + i]));
    }
    r.link.waitForMarkerResult(100, QStringLiteral("?"));
    r.link.sendCommand(QStringLiteral(">"));
    if (rest) {
        for (int i = 0; i < rest; ++i)
            pair(quint8(file[blocks * 128 + i]));
        for (int i = rest; i < 128; ++i)
            pair(0xFF);
    }
    r.link.waitForMarkerResult(100, QStringLiteral("?"));
    r.link.sendCommand(QStringLiteral("!"));
}

} // namespace

class TestSimTransfer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bulkUpload_data();
    void bulkUpload();
    void bulkUploadAbandoned();
    void firmwareLoader_data();
    void firmwareLoader();
    void loaderGivesWayToCommands();
    void firmwareModeAnnouncesLoader();
    void stateRoundTrip();
    void stateRejectsBadInput();
    void builtInDemoProgrammer();
};

void TestSimTransfer::bulkUpload_data() {
    QTest::addColumn<int>("flashBytes");
    QTest::addColumn<int>("eepromBytes");
    QTest::newRow("100 bytes, one padded block") << 100 << 0;
    QTest::newRow("8192 bytes, 64 blocks") << 8192 << 512;
    QTest::newRow("eeprom only") << 0 << 300;
}

void TestSimTransfer::bulkUpload() {
    QFETCH(int, flashBytes);
    QFETCH(int, eepromBytes);
    Rig r;
    // The lengths go to the settings memory first.
    const int lengths[4] = {flashBytes >> 8, flashBytes & 0xFF, eepromBytes >> 8, eepromBytes & 0xFF};
    for (int i = 0; i < 4; ++i) {
        r.link.sendCommand(QStringLiteral("ME") + hexField(lengths[i], 2) + hexField(3 + i, 4) + u'#');
        QVERIFY(r.link.waitForMarkerResult(100, QStringLiteral("!")));
    }
    const QByteArray flash = pattern(flashBytes, 1), eeprom = pattern(eepromBytes, 2);
    if (flashBytes)
        QVERIFY(upload(r, flash, true));
    if (eepromBytes)
        QVERIFY(upload(r, eeprom, false));
    const SimModel& m = r.port.model();
    auto padded = [](QByteArray b) {
        if (b.size() % 128)
            b += QByteArray(128 - b.size() % 128, char(0xFF));
        return b;
    };
    QCOMPARE(m.offlineFlash(), padded(flash));
    QCOMPARE(m.offlineEeprom(), padded(eeprom));
    QCOMPARE(quint8(m.settingsMemory()[3]), quint8(flashBytes >> 8));
    QCOMPARE(quint8(m.settingsMemory()[6]), quint8(eepromBytes & 0xFF));
    // Back in command mode.
    r.link.drainInput();
    r.link.sendCommand(QStringLiteral("RI00#"));
    QCOMPARE(r.link.readAfterDelay(100), QStringLiteral("1E"));
}

void TestSimTransfer::bulkUploadAbandoned() {
    Rig r;
    r.link.sendCommand(QStringLiteral("RT000000#"));
    QVERIFY(r.link.waitForMarkerResult(1000, QStringLiteral("B")));
    r.link.sendCommand(QStringLiteral("D68"));
    QVERIFY(r.link.waitForMarkerResult(100, QStringLiteral("?")));
    r.link.sendCommand(QStringLiteral(">") + QString(100, u'0'));
    // The program gives up mid-block and goes on with commands: they are answered.
    r.link.delayMs(10);
    r.link.drainInput();
    r.link.sendCommand(QStringLiteral("RI01#"));
    r.link.readAfterDelay(100);
    r.link.sendCommand(QStringLiteral("RI01#"));
    QCOMPARE(r.link.readAfterDelay(100), QStringLiteral("93"));
    QVERIFY(r.port.model().offlineFlash().isEmpty());
}

void TestSimTransfer::firmwareLoader_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("300 bytes: two blocks and a padded one") << 300;
    QTest::newRow("256 bytes: two blocks and an empty one") << 256;
}

void TestSimTransfer::firmwareLoader() {
    QFETCH(int, size);
    Rig r;
    r.link.drainInput();
    r.port.restartProgrammer();
    QVERIFY(r.port.model().inLoader());
    QVERIFY(r.link.waitForMarkerResult(10000, QStringLiteral("B")));
    r.link.sendCommand(QStringLiteral("B"));
    // The loader waits for the user's "continue" as long as it takes.
    r.link.delayMs(5000);
    QCOMPARE(r.link.readText(), QString());
    const QByteArray file = pattern(size, 3);
    sendFirmware(r, file);
    r.link.delayMs(50);
    QByteArray expected = file;
    if (size % 128)
        expected += QByteArray(128 - size % 128, char(0xFF));
    QCOMPARE(r.port.model().firmware(), expected);
    QVERIFY(!r.port.model().inLoader());
    r.link.drainInput();
    r.link.sendCommand(QStringLiteral("CC000000#"));
    QCOMPARE(r.link.readAfterDelay(400), QStringLiteral("连接成功!"));
}

void TestSimTransfer::loaderGivesWayToCommands() {
    // A restart without an update: the loader announces itself a few times, then the
    // firmware runs; a command sent meanwhile starts it at once.
    Rig r;
    r.port.restartProgrammer();
    r.link.delayMs(5000);
    QCOMPARE(r.link.readText(), QStringLiteral("BBB"));
    QVERIFY(!r.port.model().inLoader());
    r.port.restartProgrammer();
    r.link.delayMs(100);
    QCOMPARE(r.link.readText(), QStringLiteral("B"));
    r.link.sendCommand(QStringLiteral("RI00#"));
    QCOMPARE(r.link.readAfterDelay(100), QStringLiteral("1E"));
    QVERIFY(!r.port.model().inLoader());
}

void TestSimTransfer::firmwareModeAnnouncesLoader() {
    Rig r;
    r.link.drainInput();
    r.link.sendCommand(QStringLiteral("FM000000#"));
    r.link.logReplyAfterDelay(100, QString());
    QVERIFY(!r.log().contains(QStringLiteral("编程器无反应!")));
    // The update window opens later, drains, and still hears the loader.
    r.link.delayMs(1500);
    r.link.drainInput();
    r.link.delayMs(100);
    QVERIFY(r.link.waitForMarkerResult(10000, QStringLiteral("B")));
    r.link.sendCommand(QStringLiteral("B"));
    sendFirmware(r, pattern(128, 9));
    r.link.delayMs(20);
    QCOMPARE(r.port.model().firmware(), pattern(128, 9));
}

void TestSimTransfer::stateRoundTrip() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    {
        SimConfig c;
        c.chip = QStringLiteral("ATMEGA168");
        SimModel m(c);
        m.chip()->flash()[10] = 0x12;
        m.chip()->eeprom()[511] = 0x34;
        m.chip()->setFuses(0xF8, 0xDE, 0x61);
        m.chip()->setLock(0xFE);
        m.settingsMemory()[1] = 0x01;
        m.offlineFlash() = pattern(256, 4);
        m.offlineEeprom() = pattern(128, 5);
        m.firmware() = pattern(384, 6);
        QString error;
        QVERIFY2(saveSimState(m, path, &error), qPrintable(error));
    }
    SimModel back;
    QString error;
    QVERIFY2(loadSimState(back, path, QString(), &error), qPrintable(error));
    QVERIFY(back.chip());
    QCOMPARE(back.chip()->name(), QStringLiteral("ATMEGA168"));
    QCOMPARE(quint8(back.chip()->flash()[10]), quint8(0x12));
    QCOMPARE(quint8(back.chip()->eeprom()[511]), quint8(0x34));
    QCOMPARE(back.chip()->extFuse(), quint8(0xF8));
    QCOMPARE(back.chip()->highFuse(), quint8(0xDE));
    QCOMPARE(back.chip()->lowFuse(), quint8(0x61));
    QCOMPARE(back.chip()->lockByte(), quint8(0xFE));
    QCOMPARE(quint8(back.settingsMemory()[1]), quint8(0x01));
    QCOMPARE(back.offlineFlash(), pattern(256, 4));
    QCOMPARE(back.offlineEeprom(), pattern(128, 5));
    QCOMPARE(back.firmware(), pattern(384, 6));
    // Another chip asked for: the programmer's memories stay, the chip is fresh.
    SimModel other;
    QVERIFY(loadSimState(other, path, QStringLiteral("ATMEGA32"), &error));
    QCOMPARE(other.chip()->name(), QStringLiteral("ATMEGA32"));
    QCOMPARE(other.chip()->flash().count(char(0xFF)), 32768);
    QCOMPARE(other.firmware(), pattern(384, 6));
    // A missing file is a fresh start.
    SimModel fresh;
    QVERIFY(loadSimState(fresh, dir.filePath(QStringLiteral("none.json")), QString(), &error));
}

void TestSimTransfer::stateRejectsBadInput() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.json"));
    auto write = [&](const QByteArray& text) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    };
    QString error;
    write("not json at all");
    SimModel a;
    QVERIFY(!loadSimState(a, path, QString(), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(a.chip()); // the model is still whole
    // Bad fields are named; the good ones still apply; oversized memories are cut.
    write(R"({"chip":"ATMEGA8","flash":"XYZ","eeprom":")" + QByteArray(4096, 'A') +
          R"(","lock":"1","settings":"0102","faults":{"lowerCaseHex":true}})");
    SimModel b;
    error.clear();
    QVERIFY(!loadSimState(b, path, QString(), &error));
    QVERIFY(error.contains(QStringLiteral("flash")));
    QVERIFY(error.contains(QStringLiteral("lock")));
    QCOMPARE(b.chip()->eeprom().size(), 512);
    QCOMPARE(quint8(b.chip()->eeprom()[511]), quint8(0xAA));
    QCOMPARE(quint8(b.settingsMemory()[1]), quint8(0x02));
    QVERIFY(b.faults().lowerCaseHex);
    write(R"({"chip":"ATMEGA99"})");
    SimModel c;
    QVERIFY(!loadSimState(c, path, QString(), &error));
    QVERIFY(!c.chip());
}

void TestSimTransfer::builtInDemoProgrammer() {
    // "--port sim": wall clock, a state file kept across runs. A few short exchanges only.
    QTemporaryDir dir;
    BuiltInSimOptions options;
    options.chip = QStringLiteral("ATMEGA16");
    options.stateFile = dir.filePath(QStringLiteral("demo.json"));
    {
        auto port = createBuiltInSimulator(options);
        QVERIFY(port);
        QVERIFY(port->open());
        SessionRig r(*port);
        r.link.sendCommand(QStringLiteral("RI01#"));
        QCOMPARE(r.link.readAfterDelay(100), QStringLiteral("94"));
        r.link.sendCommand(QStringLiteral("WE420007#"));
        QVERIFY(r.link.waitForMarkerResult(100, QStringLiteral("!")));
        port->close();
    }
    options.chip.clear(); // the state's chip
    auto again = createBuiltInSimulator(options);
    QVERIFY(again);
    auto* sim = qobject_cast<SimPort*>(again.get());
    QVERIFY(sim);
    QCOMPARE(sim->clock(), SimPort::Clock::Wall);
    QCOMPARE(sim->model().chip()->name(), QStringLiteral("ATMEGA16"));
    QCOMPARE(quint8(sim->model().chip()->eeprom()[7]), quint8(0x42));
    options.chip = QStringLiteral("ATMEGA99");
    QVERIFY(!createBuiltInSimulator(options));
}

QTEST_GUILESS_MAIN(TestSimTransfer)
#include "tst_simtransfer.moc"
