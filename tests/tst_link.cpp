// The transport primitives against a scripted port on a virtual clock.
#include "core/messagelog.h"
#include "link/link.h"
#include "link/linkerror.h"
#include "support/scriptedport.h"

#include <QtTest>

class TestLink : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void markerWaits_data();
    void markerWaits();
    void delaysAdvanceTheClockWithoutSpinning();
    void readAfterDelay();
    void logReplyAfterDelay();
    void drainKeepsWhatItDiscarded();
    void unplugEndsTheOperation();
    void unsolicitedInputOnlyOutsideOperations();
    void padTextAndHexField();
    void gbkReplyDecoded();
};

void TestLink::markerWaits_data() {
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<QList<double>>("times");
    QTest::addColumn<int>("timeout");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<bool>("seen");
    QTest::addColumn<double>("endsAt");
    using B = QList<QByteArray>;
    using T = QList<double>;
    QTest::newRow("silent programmer") << B{} << T{} << 100 << QStringLiteral("?") << false << 100.0;
    QTest::newRow("marker at once") << B{"?"} << T{3} << 100 << QStringLiteral("?") << true << 3.0;
    QTest::newRow("marker in two pieces") << B{"AB", "C?"} << T{10, 40} << 100 << QStringLiteral("?") << true
                                          << 40.0;
    QTest::newRow("marker among other text") << B{"1E93!07"} << T{5} << 50 << QStringLiteral("!") << true << 5.0;
    QTest::newRow("marker too late") << B{"xx", "?"} << T{20, 150} << 100 << QStringLiteral("?") << false << 100.0;
    QTest::newRow("two-character marker") << B{"B", "!"} << T{1, 2} << 100 << QStringLiteral("B!") << true << 2.0;
}

void TestLink::markerWaits() {
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(QList<double>, times);
    QFETCH(int, timeout);
    QFETCH(QString, marker);
    QFETCH(bool, seen);
    QFETCH(double, endsAt);
    ScriptedPort port;
    MessageLog log;
    Link link(&port, &log);
    for (int i = 0; i < pieces.size(); ++i)
        port.queueInput(pieces[i], times[i]);
    QCOMPARE(link.waitForMarkerResult(timeout, marker), seen);
    QCOMPARE(port.nowMs(), endsAt);
    // What was collected is dropped, text after the marker with it.
    QCOMPARE(port.bytesAvailable(), 0);
    QVERIFY(port.waits < 10);
}

void TestLink::delaysAdvanceTheClockWithoutSpinning() {
    ScriptedPort port;
    MessageLog log;
    Link link(&port, &log);
    link.delayMs(0.5);
    QCOMPARE(port.nowMs(), 0.5);
    link.delayMs(3000);
    QCOMPARE(port.nowMs(), 3000.5);
    QCOMPARE(port.waits, 2);
}

void TestLink::readAfterDelay() {
    ScriptedPort port;
    MessageLog log;
    Link link(&port, &log);
    port.queueInput("1E", 0);
    QCOMPARE(link.readAfterDelay(0), QStringLiteral("1E")); // what is waiting, at once
    QCOMPARE(port.nowMs(), 0.0);
    port.answer("RI01#", "93", 20);
    link.sendCommand(QStringLiteral("RI01#"));
    QCOMPARE(link.readAfterDelay(100), QStringLiteral("93"));
    QCOMPARE(port.nowMs(), 100.0);
    port.answer("RI02#", "07", 120); // arrives after the wait: not part of the reply
    link.sendCommand(QStringLiteral("RI02#"));
    QCOMPARE(link.readAfterDelay(100), QString());
}

void TestLink::logReplyAfterDelay() {
    ScriptedPort port;
    MessageLog log;
    log.setClock([] { return QStringLiteral("12:00:00"); });
    Link link(&port, &log);
    link.sendCommand(QStringLiteral("CC000000#"));
    link.logReplyAfterDelay(400, QString());
    QCOMPARE(log.text(), QStringLiteral("编程器无反应!\r\n[12:00:00]\r\n"));
    port.answer("EM", "erased", 30);
    link.sendCommand(QStringLiteral("EM000000#"));
    link.logReplyAfterDelay(100, QStringLiteral("擦除:"));
    QVERIFY(log.text().endsWith(QStringLiteral("擦除:erased\r\n[12:00:00]\r\n")));
}

void TestLink::drainKeepsWhatItDiscarded() {
    ScriptedPort port;
    MessageLog log;
    Link link(&port, &log);
    port.queueInput("late 93", 0);
    link.drainInput();
    QCOMPARE(link.discardedInput(), QStringLiteral("late 93"));
    QCOMPARE(port.bytesAvailable(), 0);
}

void TestLink::unplugEndsTheOperation() {
    ScriptedPort port;
    MessageLog log;
    Link link(&port, &log);
    port.unplug();
    QVERIFY_THROWS_EXCEPTION(LinkError, link.sendCommand(QStringLiteral("RI00#")));
    QVERIFY_THROWS_EXCEPTION(LinkError, link.waitForMarkerResult(100, QStringLiteral("!")));
    try {
        link.delayMs(5);
        QFAIL("a lost port must end the wait");
    } catch (const LinkError& e) {
        QVERIFY(!e.text().isEmpty());
    }
}

void TestLink::unsolicitedInputOnlyOutsideOperations() {
    ScriptedPort port;
    MessageLog log;
    Link link(&port, &log);
    port.queueInput("93", 0);
    {
        Link::Busy busy(link);
        Q_EMIT port.readyRead();
        QCOMPARE(log.text(), QString()); // the running operation's reply stays for it
        QCOMPARE(link.readText(), QStringLiteral("93"));
    }
    port.queueInput("hello", 0);
    Q_EMIT port.readyRead();
    QVERIFY(log.text().startsWith(QStringLiteral("hello\r\n")));
}

void TestLink::padTextAndHexField() {
    QCOMPARE(padText(QStringLiteral("A"), u'0', 2, true), QStringLiteral("0A"));
    QCOMPARE(padText(QStringLiteral("A"), u'F', 4, false), QStringLiteral("AFFF"));
    QCOMPARE(padText(QStringLiteral("ABCDE"), u'0', 4, true), QStringLiteral("ABCDE"));
    QCOMPARE(hexField(0x1FF, 4), QStringLiteral("01FF"));
    QCOMPARE(hexField(0x12345, 4), QStringLiteral("12345")); // a wider value is not cut
}

void TestLink::gbkReplyDecoded() {
    ScriptedPort port;
    MessageLog log;
    Link link(&port, &log);
    QByteArray gbk = QByteArray::fromHex("c1acbdd3b3c9b9a621"); // 连接成功!
    port.queueInput(gbk.left(3), 0); // a character split across two reads
    port.queueInput(gbk.mid(3), 1);
    QString got = link.readText();
    port.advance(1);
    got += link.readText();
    QCOMPARE(got, QStringLiteral("连接成功!"));
}

QTEST_GUILESS_MAIN(TestLink)
#include "tst_link.moc"
