// Input that arrives while no operation runs goes to the log, but a programmer in its loader
// announces itself with "B" once a second: that is said once, not once a second.
#include "core/messagelog.h"
#include "link/link.h"
#include "support/scriptedport.h"

#include <QTest>

class TestLinkIdle : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void repeatedAnnouncementsLoggedOnce_data();
    void repeatedAnnouncementsLoggedOnce();
};

void TestLinkIdle::repeatedAnnouncementsLoggedOnce_data() {
    // Each arrival is what one read finds; "|op|" stands for an operation in between.
    QTest::addColumn<QStringList>("arrivals");
    QTest::addColumn<QStringList>("logged");
    const auto list = [](std::initializer_list<const char*> items) {
        QStringList l;
        for (const char* i : items)
            l << QString::fromLatin1(i);
        return l;
    };
    QTest::newRow("loader, one B a second") << list({"B", "B", "B", "B", "B"}) << list({"B"});
    QTest::newRow("two announcements in one read") << list({"B", "BB", "B"}) << list({"B"});
    QTest::newRow("something else in between")
        << list({"B", "X", "B", "B"}) << list({"B", "X", "B"});
    QTest::newRow("an operation in between") << list({"B", "|op|", "B", "B"}) << list({"B", "B"});
    QTest::newRow("a part of the last is no repeat")
        << list({"AB", "A", "B"}) << list({"AB", "A", "B"});
    QTest::newRow("different texts") << list({"1E", "93", "07"}) << list({"1E", "93", "07"});
}

void TestLinkIdle::repeatedAnnouncementsLoggedOnce() {
    QFETCH(QStringList, arrivals);
    QFETCH(QStringList, logged);
    ScriptedPort port;
    QVERIFY(port.open());
    MessageLog log;
    QStringList got;
    connect(&log, &MessageLog::messageLogged, this, [&got](const QString& text) { got << text; });
    Link link(&port, &log);
    for (const QString& arrival : arrivals) {
        if (arrival == u"|op|") {
            Link::Busy busy(link);
            continue;
        }
        port.queueInputAfter(arrival.toLatin1(), 0);
        port.advance(1000);
        Q_EMIT port.readyRead();
    }
    QCOMPARE(got, logged);
}

QTEST_GUILESS_MAIN(TestLinkIdle)
#include "tst_link_idle.moc"
