// The programmer's own maintenance: "FIRMWARE", the loader transfer of "升级固件" and the
// programmer EEPROM update, against a scripted loader.
#include "firmware/firmwareupdate.h"
#include "link/answer.h"
#include "firmware/firmwaretexts.h"
#include "support/rig.h"

#include <QSignalSpy>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {

// The loader: "B" some time after start, then "?" whenever it wants the next block.
struct Loader {
    int blocksAsked = 0;
    QByteArray received; // the data digits after each ">"
    bool gotEnd = false;
    void attach(ScriptedPort& port) {
        port.responder = [this](ScriptedPort& p, const QByteArray& w) {
            if (w == "00" && blocksAsked == 0 && received.isEmpty()) {
                p.queueInputAfter("?", 1);
            } else if (w == ">") {
                ++blocksAsked;
            } else if (w == "!") {
                gotEnd = true;
            } else if (w.size() == 2) {
                received += w;
                if (received.size() % 256 == 0)
                    p.queueInputAfter("?", 1);
            }
        };
    }
};

struct Rig : ScriptedRig {
    Loader loader;
    QTemporaryDir dir;
    Rig() : ScriptedRig(QString(), FixedClock) { loader.attach(port); }
    QString file(const QByteArray& data, const QString& name = QStringLiteral("fw.bin")) {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(data);
        return path;
    }
};

QByteArray image(int n) {
    QByteArray b;
    for (int i = 0; i < n; ++i)
        b += char((i * 13 + 5) & 0xFF);
    return b;
}

} // namespace

class TestFirmware : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void enterLoader();
    void transfer_data();
    void transfer();
    void refusesFilesTheLoaderCannotTake_data();
    void refusesFilesTheLoaderCannotTake();
    void loaderTimeout();
    void cancelDuringTheWait();
    void eepromUpdate();
};

void TestFirmware::enterLoader() {
    Rig r;
    r.port.answer("FM000000#", "OK", 10);
    EnterFirmwareLoader(r.c);
    QCOMPARE(r.port.writtenTexts(), QStringList{QStringLiteral("FM000000#")});
    QVERIFY(r.session.log.text().contains(QStringLiteral("OK")));
    Rig silent;
    EnterFirmwareLoader(silent.c);
    QVERIFY(silent.session.log.text().contains(QStringLiteral("编程器无反应!")));
}

void TestFirmware::transfer_data() {
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("blocks"); // ">" sent
    QTest::addColumn<int>("padding");
    QTest::newRow("300 bytes") << 300 << 3 << 84;
    QTest::newRow("256 bytes") << 256 << 3 << 0;
    QTest::newRow("1 byte") << 1 << 1 << 127;
    QTest::newRow("32767 bytes") << 32767 << 256 << 1;
}

void TestFirmware::transfer() {
    QFETCH(int, bytes);
    QFETCH(int, blocks);
    QFETCH(int, padding);
    Rig r;
    const QByteArray data = image(bytes);
    FirmwareTransfer t(r.link);
    QSignalSpy states(&t, &FirmwareTransfer::stateChanged);
    r.port.queueInput("stale", 0);
    QVERIFY(t.open(r.file(data)));
    QCOMPARE(t.state(), FirmwareTransfer::State::Opening);
    QCOMPARE(t.prompt(), FirmwareTexts::restartProgrammer());
    QVERIFY(!t.continueEnabled());
    r.port.queueInputAfter("B", 2500); // the user restarts the programmer
    QVERIFY(t.waitForLoader());
    QCOMPARE(t.state(), FirmwareTransfer::State::Ready);
    QCOMPARE(r.port.writtenTexts(), QStringList{QStringLiteral("B")});
    QCOMPARE(t.prompt(), FirmwareTexts::confirmUpdate());
    QVERIFY(t.continueEnabled());

    const double start = r.port.nowMs();
    QVERIFY(t.proceed());
    QCOMPARE(t.state(), FirmwareTransfer::State::Done);
    QCOMPARE(t.progress(), FirmwareTexts::updateDone());
    QCOMPARE(t.prompt(), FirmwareTexts::afterUpdate()); // no more "<继续>"
    QCOMPARE(t.status(), FirmwareTexts::updateStarting());
    QVERIFY(!t.continueEnabled());
    const QStringList w = r.port.writtenTexts();
    QCOMPARE(w.at(1), QStringLiteral("00"));
    QCOMPARE(w.last(), QStringLiteral("!"));
    QCOMPARE(w.count(QStringLiteral(">")), blocks);
    QVERIFY(r.loader.gotEnd);
    QCOMPARE(r.loader.received, data.toHex().toUpper() + QByteArray(padding * 2, 'F'));
    QCOMPARE(t.bytesSent(), qint64(bytes));
    // Every byte is paced by half a millisecond.
    QVERIFY(r.port.nowMs() - start >= 0.5 * (bytes + padding));
    using S = FirmwareTransfer::State;
    QList<S> seen;
    for (const QList<QVariant>& e : states)
        seen << e.first().value<S>();
    QCOMPARE(seen, (QList<S>{S::Opening, S::WaitingForLoader, S::Ready, S::Transfer, S::Done}));
}

void TestFirmware::refusesFilesTheLoaderCannotTake_data() {
    QTest::addColumn<int>("bytes");
    QTest::newRow("32768 bytes") << 32768;
    QTest::newRow("40000 bytes") << 40000;
    QTest::newRow("empty") << 0;
}

void TestFirmware::refusesFilesTheLoaderCannotTake() {
    QFETCH(int, bytes);
    Rig r;
    r.port.queueInput("B", 0);
    FirmwareTransfer t(r.link);
    QVERIFY(!t.open(r.file(image(bytes))));
    QCOMPARE(t.state(), FirmwareTransfer::State::Refused);
    QVERIFY(!t.status().isEmpty());
    if (bytes)
        QVERIFY(t.status().contains(QString::number(bytes)));
    QVERIFY(!t.waitForLoader());
    QVERIFY(!t.proceed());
    QVERIFY(r.port.writes.isEmpty());
    QVERIFY(!t.open(r.dir.filePath(QStringLiteral("missing.bin"))));
    QCOMPARE(t.state(), FirmwareTransfer::State::Refused);
}

void TestFirmware::loaderTimeout() {
    Rig r;
    FirmwareTransfer t(r.link);
    QSignalSpy closed(&t, &FirmwareTransfer::closeRequested);
    QVERIFY(t.open(r.file(image(10))));
    const double start = r.port.nowMs();
    QVERIFY(!t.waitForLoader());
    QCOMPARE(t.state(), FirmwareTransfer::State::TimedOut);
    QCOMPARE(t.status(), FirmwareTexts::loaderTimeout());
    QCOMPARE(closed.size(), 1);
    QVERIFY(r.port.nowMs() - start >= 13000);
    QVERIFY(r.port.writes.isEmpty());
    QVERIFY(!t.proceed());
}

void TestFirmware::cancelDuringTheWait() {
    Rig r;
    FirmwareTransfer t(r.link);
    QVERIFY(t.open(r.file(image(10))));
    // "退 出" pressed while the wait for "B" serves the event loop.
    r.port.responder = nullptr;
    int waitsBefore = r.port.waits;
    // The cancel is seen between two slices of the wait.
    connect(&t, &FirmwareTransfer::stateChanged, &t, [&](FirmwareTransfer::State s) {
        if (s == FirmwareTransfer::State::WaitingForLoader)
            t.cancel();
    });
    QVERIFY(!t.waitForLoader());
    QCOMPARE(t.state(), FirmwareTransfer::State::Cancelled);
    QVERIFY(r.port.waits - waitsBefore <= 2);
    QVERIFY(r.port.writes.isEmpty());
}

void TestFirmware::eepromUpdate() {
    const QByteArray connected = QStringEncoder("GBK").encode(ProgrammerAnswer::connected());
    auto programmer = [connected](const QByteArray& answer) {
        return [connected, answer](ScriptedPort& port, const QByteArray& w) {
            if (w == "CC000000#")
                port.queueInputAfter(answer, 50);
            else if (w.startsWith("ME"))
                port.queueInputAfter("!", 3);
        };
    };
    {
        Rig r;
        r.port.responder = programmer(connected);
        QByteArray data(20, '\0');
        data[16] = char(0x3C);
        QVERIFY(UpdateProgrammerEeprom(r.c, r.file(data, QStringLiteral("ee.bin"))));
        const QStringList w = r.port.writtenTexts();
        QCOMPARE(w.size(), 21);
        QCOMPARE(w.first(), QStringLiteral("CC000000#"));
        QCOMPARE(w.at(1), QStringLiteral("ME000000#"));
        QCOMPARE(w.at(17), QStringLiteral("ME3C0010#"));
        QVERIFY(r.session.log.text().contains(FirmwareTexts::eepromUpdating()));
        QVERIFY(r.session.log.text().contains(FirmwareTexts::eepromUpdated()));
    }
    { // an empty file: both log lines, no "ME"
        Rig r;
        r.port.responder = programmer(connected);
        QVERIFY(UpdateProgrammerEeprom(r.c, r.file(QByteArray(), QStringLiteral("empty.bin"))));
        QCOMPARE(r.port.writtenTexts(), QStringList{QStringLiteral("CC000000#")});
        QVERIFY(r.session.log.text().contains(FirmwareTexts::eepromUpdated()));
    }
    for (const QByteArray& answer : {QByteArray(), QByteArray("OK"), connected + "\r\n"}) {
        Rig r;
        r.port.responder = programmer(answer);
        QVERIFY(!UpdateProgrammerEeprom(r.c, r.file(QByteArray(4, 'x'), QStringLiteral("ee.bin"))));
        QCOMPARE(r.port.writes.size(), 1);
        QVERIFY(r.session.log.text().contains(FirmwareTexts::cannotConnect()));
    }
    { // the programmer's words are compared as they stand, in an English program too
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(HVPP_BIN_DIR "/translations/hvpp_en.qm")));
        QCoreApplication::installTranslator(&english);
        Rig r;
        r.port.responder = programmer(connected);
        QVERIFY(UpdateProgrammerEepromCheck(r.c));
        QCoreApplication::removeTranslator(&english);
    }
    { // beyond the reach of four address digits: refused before anything is sent
        Rig r;
        r.port.responder = programmer(connected);
        QVERIFY(UpdateProgrammerEepromCheck(r.c));
        QVERIFY(!UpdateProgrammerEepromFile(
            r.c, r.file(QByteArray(65537, 'x'), QStringLiteral("big.bin"))));
        QCOMPARE(r.port.writes.size(), 1);
        QCOMPARE(r.ui.warnings.size(), 1);
    }
}

QTEST_GUILESS_MAIN(TestFirmware)
#include "tst_firmware.moc"
