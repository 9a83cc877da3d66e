// Closing the window while a program run is on: the question, "yes" stopping the run at its
// next step and then closing the port, writing the settings and closing the window; "no"
// letting it run to its end. The signal path (stopAndQuit) stops without a question, also
// when the run waits on a box.
#include "windowrun.h"

#include "app/apptexts.h"
#include "core/settings.h"
#include "core/texts.h"
#include "ops/productiontexts.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {
bool isPrefix(const QList<QByteArray>& part, const QList<QByteArray>& whole) {
    return part.size() <= whole.size() && whole.mid(0, part.size()) == part;
}
} // namespace

class TestClosing : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void closeDuringARun_data();
    void closeDuringARun();
    void closeWhenIdleAsksNothing();
    void quitBoxLeftOpenFollowsTheRun();
    void signalStopsARunWaitingOnABox();
    void signalEndsAProductionRun();
};

void TestClosing::closeDuringARun_data() {
    QTest::addColumn<bool>("stop");
    QTest::newRow("yes: stop and quit") << true;
    QTest::newRow("no: go on") << false;
}

void TestClosing::closeDuringARun() {
    QFETCH(bool, stop);
    WindowRun alone;
    alone.program();
    const QList<QByteArray> whole = alone.sim->writes();

    WindowRun r;
    r.w->show();
    QStringList questions;
    r.w->ui().confirmHook = [&](const QString&, const QString& text) {
        questions << text;
        return stop;
    };
    QSignalSpy quit(r.w.get(), &MainWindow::quitRequested);
    int lines = 0;
    qsizetype framesAtClose = -1;
    QObject::connect(&r.w->session().log, &MessageLog::messageLogged, r.w.get(), [&](const QString& line) {
        // The close arrives in the middle of the flash write.
        if (r.w->link().busy() && line.startsWith(QStringLiteral("写FLASH")) && ++lines == 1) {
            framesAtClose = r.sim->writes().size();
            r.w->close();
        }
    });
    r.program();
    QCOMPARE(questions.size(), 1);
    QVERIFY(framesAtClose > 0);
    QVERIFY(r.f.warnings.isEmpty());
    // The window stays until the run has ended, whatever the answer.
    QVERIFY(r.w->isVisible());
    QCoreApplication::processEvents();

    if (!stop) {
        QVERIFY(r.w->isVisible());
        QVERIFY(r.sim->isOpen());
        QVERIFY(r.sim->writes() == whole);
        QVERIFY(!r.logged.contains(Texts::stopped()));
        QCOMPARE(quit.count(), 0);
        return;
    }
    // Stopped at the next step: a frame at most after the close, none of the rest.
    const QList<QByteArray> sent = r.sim->writes();
    QVERIFY(isPrefix(sent, whole));
    QVERIFY2(sent.size() <= framesAtClose + 1,
             qPrintable(QString::number(sent.size() - framesAtClose)));
    QVERIFY(r.logged.contains(Texts::stopped()));
    QVERIFY(!r.w->isVisible());
    QVERIFY(!r.sim->isOpen());
    QCOMPARE(quit.count(), 1);
    // The settings are on disk.
    SettingsStore stored(r.f.ini());
    QCOMPARE(stored.read(SettingsKeys::ProgramOptions), QStringLiteral("1111011111"));
    QCOMPARE(stored.read(SettingsKeys::FlashFile), r.f.file(QStringLiteral("app.bin")));
    QCOMPARE(stored.read(SettingsKeys::FuseBits).size(), 32);
    // No bar is left part-way.
    for (const char* name : {"FlashProgressBar", "EepromProgressBar"}) {
        auto* bar = r.child<QProgressBar>(QString::fromLatin1(name));
        QVERIFY(bar->value() == 100 || bar->value() == bar->minimum() - 1);
    }
}

void TestClosing::closeWhenIdleAsksNothing() {
    WindowRun r;
    r.w->show();
    bool asked = false;
    r.w->ui().confirmHook = [&](const QString&, const QString&) { return asked = true; };
    QVERIFY(r.w->close());
    QVERIFY(!asked);
    QVERIFY(!r.w->isVisible());
    QVERIFY(!r.sim->isOpen());
    QCOMPARE(SettingsStore(r.f.ini()).read(SettingsKeys::ProgramOptions),
             QStringLiteral("1111011111"));
}

// The question left open until the run has ended asks what is left to ask; "yes" quits.
void TestClosing::quitBoxLeftOpenFollowsTheRun() {
    WindowRun r;
    r.w->show();
    r.w->ui().confirmHook = nullptr;
    int lines = 0;
    QObject::connect(&r.w->session().log, &MessageLog::messageLogged, r.w.get(), [&] {
        if (r.w->link().busy() && ++lines == 4)
            r.w->close();
    });
    r.program();
    QCoreApplication::processEvents();
    auto* box = r.w->findChild<QMessageBox*>();
    QVERIFY(box && box->isVisible());
    QCOMPARE(box->text(), AppTexts::quitAfterRun());
    QSignalSpy quit(r.w.get(), &MainWindow::quitRequested);
    box->button(QMessageBox::Yes)->click();
    QCoreApplication::processEvents();
    QVERIFY(!r.w->isVisible());
    QCOMPARE(quit.count(), 1);
}

void TestClosing::signalStopsARunWaitingOnABox() {
    // A verify mismatch shows a real box; SIGTERM comes while it is open.
    SimFaults faults;
    faults.corruptFlashAddress = 0x10;
    WindowRun r(QStringLiteral("1110011011"), faults);
    r.w->show();
    r.w->ui().warningHook = nullptr;
    bool boxSeen = false;
    QObject::connect(&r.w->session().log, &MessageLog::messageLogged, r.w.get(),
                     [&](const QString& text) {
                         if (!text.contains(QStringLiteral("数据校验失败")))
                             return;
                         // Logged just before the box opens: the signal is served by the box's own
                         // loop.
                         QTimer::singleShot(0, r.w.get(), [&] {
                             boxSeen = QApplication::activeModalWidget() != nullptr ||
                                       !r.w->findChildren<QMessageBox*>().isEmpty();
                             r.w->stopAndQuit();
                         });
                     });
    QSignalSpy quit(r.w.get(), &MainWindow::quitRequested);
    r.program();
    QVERIFY(boxSeen);
    QCoreApplication::processEvents();
    QVERIFY(r.logged.contains(Texts::stopped()));
    QVERIFY(!r.w->isVisible());
    QVERIFY(!r.sim->isOpen());
    // Nothing of the EEPROM verify after the flash verify's box.
    QVERIFY(!r.sim->sent().contains("RE00"));
    QCOMPARE(quit.count(), 1);
}

void TestClosing::signalEndsAProductionRun() {
    // A production run waits for the chip to be taken out for as long as it takes; its own
    // stop button stays usable meanwhile, and SIGTERM ends the run and the program.
    WindowRun r(QStringLiteral("1100011010"));
    r.w->show();
    r.child<QCheckBox>(QStringLiteral("ContinuousCheck"))->setChecked(true);
    bool stopUsable = false;
    QObject::connect(
        &r.w->session().log, &MessageLog::messageLogged, r.w.get(), [&](const QString& text) {
            if (text != ProductionTexts::waitingForRemoval())
                return;
            stopUsable = r.child<QWidget>(QStringLiteral("StopProduction"))->isEnabled() &&
                         !r.child<QWidget>(QStringLiteral("ProCommand"))->isEnabled();
            r.w->stopAndQuit();
        });
    r.program();
    QVERIFY(stopUsable);
    QVERIFY(r.logged.contains(Texts::stopped()));
    QCoreApplication::processEvents();
    QVERIFY(!r.w->isVisible());
    QVERIFY(!r.sim->isOpen());
}

QTEST_MAIN(TestClosing)
#include "tst_closing.moc"
