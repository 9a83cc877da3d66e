// The message log: entries, time lines and trimming.
#include "core/messagelog.h"

#include <QtTest>

class TestMessageLog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entriesAndEmptyMessages();
    void trimmingKeepsWholeEntries_data();
    void trimmingKeepsWholeEntries();
    void clearRestoresInitialText();
};

static void fixedClock(MessageLog& log) { log.setClock([] { return QStringLiteral("9:05:07"); }); }

void TestMessageLog::entriesAndEmptyMessages() {
    MessageLog log;
    fixedClock(log);
    QSignalSpy spy(&log, &MessageLog::messageLogged);
    log.logMessage(QString());
    QCOMPARE(log.text(), QString());
    QCOMPARE(spy.count(), 0);
    log.logMessage(QStringLiteral("读标识字:1E9307"));
    QCOMPARE(log.text(), QStringLiteral("读标识字:1E9307\r\n[9:05:07]\r\n"));
    QCOMPARE(spy.count(), 1);
}

void TestMessageLog::trimmingKeepsWholeEntries_data() {
    QTest::addColumn<int>("entryLength");
    QTest::newRow("short entries") << 10;
    QTest::newRow("entries with ] inside") << 25;
    QTest::newRow("long entries") << 300;
}

void TestMessageLog::trimmingKeepsWholeEntries() {
    QFETCH(int, entryLength);
    MessageLog log;
    fixedClock(log);
    int n = 0;
    while (log.text().size() <= 1000)
        log.logMessage(QStringLiteral("m%1]").arg(n++).leftJustified(entryLength, u'x'));
    const QString before = log.text();
    QVERIFY(before.size() > 1000);
    log.logMessage(QStringLiteral("newest"));
    const QString after = log.text();
    // At most 950 characters survive, cut at the end of a time line, then the new entry.
    QVERIFY(after.endsWith(QStringLiteral("newest\r\n[9:05:07]\r\n")));
    const QString kept = after.left(after.size() - QStringLiteral("newest\r\n[9:05:07]\r\n").size());
    QVERIFY(kept.size() <= 950);
    QVERIFY(before.endsWith(kept));
    QVERIFY(kept.startsWith(u'm')); // a whole entry, even where messages hold a "]"
    QVERIFY(kept.isEmpty() || kept.endsWith(QStringLiteral("]\r\n")));
}

void TestMessageLog::clearRestoresInitialText() {
    MessageLog log;
    fixedClock(log);
    log.setInitialText(QStringLiteral("欢迎\r\n\r\n"));
    log.logMessage(QStringLiteral("x"));
    log.clear();
    QCOMPARE(log.text(), QStringLiteral("欢迎\r\n\r\n"));
}

QTEST_GUILESS_MAIN(TestMessageLog)
#include "tst_messagelog.moc"
