// One operation at a time on a link, and the stop request: a second operation is refused
// before it sends anything, a stopped one ends at its next step without a warning box.
#include "core/messagelog.h"
#include "core/texts.h"
#include "link/link.h"
#include "link/linkerror.h"
#include "session/opcontext.h"
#include "session/session.h"
#include "sim/simport.h"
#include "support/recordingui.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {
QStringList texts(const QList<QByteArray>& writes) {
    QStringList out;
    for (const QByteArray& w : writes)
        out << QString::fromLatin1(w);
    return out;
}

// The simulated programmer on a virtual clock: its waits serve the event loop, as the
// window's do.
struct Rig {
    SimPort port;
    Session session;
    Link link{&port, &session.log};
    RecordingUi ui;
    OpContext c{session, link, ui};
    QStringList logged;
    Rig() {
        port.open();
        QObject::connect(&session.log, &MessageLog::messageLogged, &session.log,
                         [this](const QString& t) { logged << t; });
    }
};
} // namespace

class TestLinkStop : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void secondOperationIsRefused_data();
    void secondOperationIsRefused();
    void busyChangesOncePerOperation();
    void stopEndsAtTheNextStep_data();
    void stopEndsAtTheNextStep();
    void stopAllReachesEveryLink();
};

void TestLinkStop::secondOperationIsRefused_data() {
    QTest::addColumn<bool>("fromInsideAWait");
    QTest::newRow("nested call") << false;
    QTest::newRow("event served by a wait") << true;
}

void TestLinkStop::secondOperationIsRefused() {
    QFETCH(bool, fromInsideAWait);
    Rig r;
    bool secondRan = false;
    bool secondResult = true;
    auto second = [&] {
        secondResult = runOperation(r.c, OpId::Erase, [&] {
            secondRan = true;
            r.link.sendCommand(QStringLiteral("EM000000#"));
        });
    };
    const bool ok = runOperation(r.c, OpId::Program, [&] {
        r.link.sendCommand(QStringLiteral("RI00#"));
        if (fromInsideAWait)
            QTimer::singleShot(0, &r.session, second); // a click the wait's event loop serves
        else
            second();
        r.link.delayMs(50);
        r.link.sendCommand(QStringLiteral("WF#"));
    });
    QVERIFY(ok);
    QVERIFY(!secondRan);
    QVERIFY(!secondResult);
    // Only the first operation's frames, in their order.
    QCOMPARE(texts(r.port.writes()), (QStringList{QStringLiteral("RI00#"), QStringLiteral("WF#")}));
    QVERIFY(r.logged.contains(Texts::linkBusy()));
    QVERIFY(r.ui.warnings.isEmpty());
    // The refused one never touched its control; the first switched only its own.
    QCOMPARE(r.ui.opEvents, (QList<RecordingUi::OpEvent>{{OpId::Program, true}, {OpId::Program, false}}));
    // Once the first has ended, the link takes the next one.
    QVERIFY(!r.link.busy());
    QVERIFY(runOperation(r.c, OpId::None, [&] { r.link.sendCommand(QStringLiteral("EM000000#")); }));
    QCOMPARE(texts(r.port.writes()).last(), QStringLiteral("EM000000#"));
}

void TestLinkStop::busyChangesOncePerOperation() {
    Rig r;
    QSignalSpy spy(&r.link, &Link::busyChanged);
    bool failed = runOperation(r.c, OpId::None, [&] { throw LinkError(QStringLiteral("x")); });
    QVERIFY(!failed);
    runOperation(r.c, OpId::None, [&] {
        QVERIFY(r.link.busy());
        QVERIFY(r.link.operationRunning());
        runOperation(r.c, OpId::None, [] {}); // refused: no second pair of changes
    });
    QCOMPARE(spy.count(), 4);
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    QCOMPARE(spy.at(1).at(0).toBool(), false);
    QCOMPARE(spy.at(2).at(0).toBool(), true);
    QCOMPARE(spy.at(3).at(0).toBool(), false);
    QVERIFY(!r.link.busy());
    // A claim held outside runOperation (a window that spans several steps) counts too.
    {
        Link::Claim claim(r.link);
        QVERIFY(claim.held());
        Link::Claim again(r.link);
        QVERIFY(!again.held());
        QVERIFY(
            !runOperation(r.c, OpId::None, [&] { r.link.sendCommand(QStringLiteral("RI00#")); }));
        QVERIFY(runOperationStep(r.c, [&] { r.link.sendCommand(QStringLiteral("CC000000#")); }));
    }
    QVERIFY(!r.link.busy());
    QCOMPARE(texts(r.port.writes()), QStringList{QStringLiteral("CC000000#")});
}

void TestLinkStop::stopEndsAtTheNextStep_data() {
    QTest::addColumn<QString>("step");
    QTest::newRow("send") << QStringLiteral("send");
    QTest::newRow("delay") << QStringLiteral("delay");
    QTest::newRow("marker wait") << QStringLiteral("marker");
    QTest::newRow("drain") << QStringLiteral("drain");
    QTest::newRow("read after delay") << QStringLiteral("read");
    QTest::newRow("during a wait") << QStringLiteral("inwait");
}

void TestLinkStop::stopEndsAtTheNextStep() {
    QFETCH(QString, step);
    Rig r;
    int reached = 0;
    const bool ok = runOperation(r.c, OpId::None, [&] {
        r.link.sendCommand(QStringLiteral("RI00#"));
        if (step == u"inwait") {
            // The window's close or a signal, served by the wait's event loop.
            QTimer::singleShot(0, &r.session, [&] { r.link.requestStop(); });
            r.link.delayMs(100);
            ++reached;
        } else {
            r.link.requestStop();
        }
        ++reached;
        if (step == u"send")
            r.link.sendCommand(QStringLiteral("EM000000#"));
        else if (step == u"delay")
            r.link.delayMs(1);
        else if (step == u"marker")
            r.link.waitForMarker(100, QStringLiteral("!"));
        else if (step == u"drain")
            r.link.drainInput();
        else if (step == u"read")
            r.link.readAfterDelay(10);
        ++reached;
        r.link.sendCommand(QStringLiteral("WF#"));
    });
    QVERIFY(!ok);
    QCOMPARE(reached, step == u"inwait" ? 0 : 1);
    QCOMPARE(texts(r.port.writes()), QStringList{QStringLiteral("RI00#")});
    // Stopped on request: said in the log, no warning box.
    QVERIFY(r.ui.warnings.isEmpty());
    QVERIFY(r.logged.contains(Texts::stopped()));
    // The request stays: the program is closing, nothing more is started.
    QVERIFY(
        !runOperation(r.c, OpId::None, [&] { r.link.sendCommand(QStringLiteral("CC000000#")); }));
    QCOMPARE(texts(r.port.writes()).size(), 1);
    QVERIFY(!r.link.busy());
}

void TestLinkStop::stopAllReachesEveryLink() {
    Rig a, b;
    QVERIFY(!a.link.stopRequested() && !b.link.stopRequested());
    runOperation(a.c, OpId::None, [&] {
        a.link.sendCommand(QStringLiteral("RI00#"));
        Link::requestStopAll();
        a.link.sendCommand(QStringLiteral("EM000000#"));
    });
    QVERIFY(a.link.stopRequested());
    QVERIFY(b.link.stopRequested());
    QCOMPARE(texts(a.port.writes()), QStringList{QStringLiteral("RI00#")});
    QVERIFY(!runOperation(b.c, OpId::None, [&] { b.link.sendCommand(QStringLiteral("RI00#")); }));
    QVERIFY(b.port.writes().isEmpty());
    // A link made afterwards is not caught by an earlier request.
    Rig fresh;
    QVERIFY(!fresh.link.stopRequested());
}

QTEST_GUILESS_MAIN(TestLinkStop)
#include "tst_linkstop.moc"
