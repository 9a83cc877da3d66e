// Each fault of the simulated programmer, seen through the Link as the program sees it.
#include "chips/chiptable.h"
#include "core/texts.h"
#include "link/link.h"
#include "link/linkerror.h"
#include "support/rig.h"

#include <QSignalSpy>
#include <QTest>

class TestSimFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void silentProgrammer();
    void noChip();
    void otherChip();
    void lowerCaseHex();
    void splitReplies();
    void lateReplies();
    void droppedMarkers();
    void corruptedByte_data();
    void corruptedByte();
    void disconnect();
    void faultsSwitchOnAndOff();
};

void TestSimFaults::silentProgrammer() {
    SimFaults f;
    f.silent = true;
    SimRig r(QStringLiteral("ATMEGA8"), f);
    r.link.drainInput();
    r.link.sendCommand(QStringLiteral("CC000000#"));
    r.link.logReplyAfterDelay(400, QString());
    QVERIFY(r.log().contains(Texts::noAnswer()));
    QCOMPARE(r.ask(QStringLiteral("RI00#")), QString());
    QVERIFY(!r.link.waitForMarkerResult(100, QStringLiteral("!")));
    // A silent programmer takes nothing in either.
    r.link.sendCommand(QStringLiteral("WE000000#"));
    r.link.delayMs(50);
    QCOMPARE(quint8(r.port.model().chip()->eeprom()[0]), quint8(0xFF));
}

void TestSimFaults::noChip() {
    SimFaults f;
    f.noChip = true;
    SimRig r(QStringLiteral("ATMEGA8"), f);
    // The programmer itself answers; the presence test fails ("1E" expected).
    QCOMPARE(r.ask(QStringLiteral("CC000000#"), 400), QStringLiteral("连接成功!"));
    QCOMPARE(r.ask(QStringLiteral("RI00#")), QStringLiteral("FF"));
    r.link.sendCommand(QStringLiteral("WE000000#"));
    QVERIFY(r.link.waitForMarkerResult(50, QStringLiteral("!")));
    QCOMPARE(r.ask(QStringLiteral("RB000000#"), 150), QStringLiteral("FF"));
    QCOMPARE(r.ask(QStringLiteral("RS000000#")), QStringLiteral("FFFFFFFF"));
    // The chip's memories were not touched.
    QCOMPARE(quint8(r.port.model().chip()->eeprom()[0]), quint8(0xFF));
    // An empty socket from the start: "--chip none".
    SimConfig none;
    none.chip = QStringLiteral("none");
    SimPort empty(none);
    QVERIFY(!empty.model().chip());
    empty.open();
    Link link(&empty, &r.session.log);
    link.sendCommand(QStringLiteral("RI00#"));
    QCOMPARE(link.readAfterDelay(100), QStringLiteral("FF"));
}

void TestSimFaults::otherChip() {
    SimFaults f;
    f.signature = QStringLiteral("1E9587");
    SimRig r(QStringLiteral("ATMEGA8"), f);
    const QString sig = QStringLiteral("1E") + r.ask(QStringLiteral("RI01#")) +
                        r.ask(QStringLiteral("RI02#"));
    QCOMPARE(sig, QStringLiteral("1E9587"));
    QCOMPARE(ChipNameFromSignature(sig), QString());
    // Another chip of the table in the socket.
    SimRig other;
    QVERIFY(other.port.model().setChip(QStringLiteral("ATMEGA16")));
    const QString sig16 = QStringLiteral("1E") + other.ask(QStringLiteral("RI01#")) +
                          other.ask(QStringLiteral("RI02#"));
    QCOMPARE(ChipNameFromSignature(sig16), QStringLiteral("ATMEGA16"));
    QVERIFY(!other.port.model().setChip(QStringLiteral("ATMEGA99")));
}

void TestSimFaults::lowerCaseHex() {
    SimFaults f;
    f.lowerCaseHex = true;
    SimRig r(QStringLiteral("ATMEGA8"), f);
    QCOMPARE(r.ask(QStringLiteral("RI00#")), QStringLiteral("1e"));
    r.port.model().chip()->flash()[0] = char(0xAB);
    QCOMPARE(r.pollRead(QStringLiteral("RF000002#")), QStringLiteral("abff"));
    QCOMPARE(r.ask(QStringLiteral("RS000000#")), QStringLiteral("ffffd9e1"));
    // Free text keeps its form.
    QCOMPARE(r.ask(QStringLiteral("CC000000#"), 400), QStringLiteral("连接成功!"));
}

void TestSimFaults::splitReplies() {
    SimFaults f;
    f.splitChars = 64;
    f.splitGapMs = 200;
    SimRig r(QStringLiteral("ATMEGA8"), f);
    // The marker wait joins the pieces.
    r.link.sendCommand(QStringLiteral("CC000000#"));
    r.link.delayMs(400);
    QCOMPARE(r.link.readText(), QStringLiteral("连接成功!"));
    // A pause longer than the 50 ms poll ends the read-back early.
    const QString back = r.pollRead(QStringLiteral("RF000100#"));
    QCOMPARE(back.size(), 64);
    // A reader that waits long enough gets it all.
    r.link.delayMs(2000);
    QCOMPARE(r.link.readText().size(), 512 - 64);
    QVERIFY(r.port.model().idle());
}

void TestSimFaults::lateReplies() {
    SimFaults f;
    f.lateMs = 150;
    SimRig r(QStringLiteral("ATMEGA8"), f);
    QCOMPARE(r.ask(QStringLiteral("RI00#")), QString());
    // The late answer is left for the next operation's drain.
    r.link.delayMs(100);
    QCOMPARE(r.port.bytesAvailable(), qint64(2));
    r.link.drainInput();
    QCOMPARE(r.link.discardedInput(), QStringLiteral("1E"));
    QVERIFY(r.link.waitForMarkerResult(1000, QStringLiteral("$")) == false);
    r.link.sendCommand(QStringLiteral("WE000000#"));
    QVERIFY(!r.link.waitForMarkerResult(100, QStringLiteral("!")));
    // The "!" that comes 50 ms into the next wait is that write's, late: not the next one's.
    QVERIFY(!r.link.waitForMarkerResult(100, QStringLiteral("!")));
}

void TestSimFaults::droppedMarkers() {
    SimFaults f;
    f.dropMarkerEvery = 3;
    SimRig r(QStringLiteral("ATMEGA8"), f);
    QList<bool> seen;
    for (int i = 0; i < 6; ++i) {
        r.link.sendCommand(QStringLiteral("WE0") + QString::number(i) + QStringLiteral("0000#"));
        seen << r.link.waitForMarkerResult(50, QStringLiteral("!"));
    }
    // A lost marker costs its own wait, and the next one (whose marker is taken for the
    // lost one, come late), never all that follow.
    QCOMPARE(seen, (QList<bool>{true, true, false, false, true, false}));
    // The writes themselves happened; the last one stands (an EEPROM write erases the byte first).
    QCOMPARE(quint8(r.port.model().chip()->eeprom()[0]), quint8(0x05));
}

void TestSimFaults::corruptedByte_data() {
    QTest::addColumn<bool>("flash");
    QTest::newRow("flash") << true;
    QTest::newRow("eeprom") << false;
}

void TestSimFaults::corruptedByte() {
    QFETCH(bool, flash);
    SimFaults f;
    (flash ? f.corruptFlashAddress : f.corruptEepromAddress) = 8;
    SimRig r(QStringLiteral("ATMEGA8"), f);
    const QString back = r.pollRead(flash ? QStringLiteral("RF000020#") : QStringLiteral("RE000020#"));
    QCOMPARE(back.size(), 64);
    for (int i = 0; i < 32; ++i)
        QCOMPARE(back.mid(2 * i, 2), i == 8 ? QStringLiteral("FE") : QStringLiteral("FF"));
    const QString single = flash ? r.ask(QStringLiteral("RW000004#"), 150)
                                 : r.ask(QStringLiteral("RB000008#"), 150);
    QCOMPARE(single, flash ? QStringLiteral("FEFF") : QStringLiteral("FE"));
    // The memory itself is whole.
    const SimChip& chip = *r.port.model().chip();
    QCOMPARE(quint8((flash ? chip.flash() : chip.eeprom())[8]), quint8(0xFF));
}

void TestSimFaults::disconnect() {
    SimFaults f;
    f.disconnectAfter = 5 + 2 + 3; // "RI00#", its answer, and three characters more
    SimRig r(QStringLiteral("ATMEGA8"), f);
    QSignalSpy lost(&r.port, &Port::lost);
    QCOMPARE(r.ask(QStringLiteral("RI00#")), QStringLiteral("1E"));
    QVERIFY(!r.port.isLost());
    r.link.sendCommand(QStringLiteral("RI01#"));
    bool thrown = false;
    try {
        r.link.readAfterDelay(100);
    } catch (const LinkError& e) {
        thrown = true;
        QVERIFY(!e.text().isEmpty());
    }
    QVERIFY(thrown);
    QVERIFY(r.port.isLost());
    QVERIFY(!r.port.isOpen());
    QCOMPARE(lost.count(), 1);
    QVERIFY_THROWS_EXCEPTION(LinkError, r.link.sendCommand(QStringLiteral("RI00#")));
    QVERIFY(!r.port.open());
}

void TestSimFaults::faultsSwitchOnAndOff() {
    SimRig r;
    QCOMPARE(r.ask(QStringLiteral("RI00#")), QStringLiteral("1E"));
    r.port.model().faults().silent = true;
    QCOMPARE(r.ask(QStringLiteral("RI00#")), QString());
    r.port.model().faults().silent = false;
    r.port.model().faults().noChip = true;
    QCOMPARE(r.ask(QStringLiteral("RI00#")), QStringLiteral("FF"));
    r.port.model().faults() = SimFaults();
    QCOMPARE(r.ask(QStringLiteral("RI00#")), QStringLiteral("1E"));
}

QTEST_GUILESS_MAIN(TestSimFaults)
#include "tst_simfaults.moc"
