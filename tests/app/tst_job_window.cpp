// The window's program run works on the job as it started: changing the fuse page, the
// options and the serial fields at every line of the log changes nothing the programmer
// receives. The stop button ends a single run at its next step. On the virtual clock.
#include "windowfixture.h"

#include "ops/program.h"
#include "session/session.h"
#include "support/rig.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// What the program sent, in order (the programmer's answers left out).
QString sentText(const QStringList& trace) {
    QString out;
    for (const QString& line : trace)
        if (line.section(u' ', 1, 1) == u"<")
            out += line.section(u' ', 2);
    return out;
}

const QString kImage = QStringLiteral("0C94AABB112233445566");
const QString kOptions = QStringLiteral("1101000010"); // erase, flash, fuses, verify flash

} // namespace

class TestJobWindow : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void changesDuringARunDoNotReachTheChip();
    void stopButtonEndsASingleRunAtItsNextStep();
    void decimalSerialNumberIsTaken();
};

void TestJobWindow::changesDuringARunDoNotReachTheChip() {
    // The frames of the job as it starts, on a programmer of its own.
    SimRig ref(QStringLiteral("ATMEGA8"), {}, SessionRig::WithFuses);
    ref.session.FlashBufferText = kImage;
    QVERIFY(ref.session.setOptionsText(kOptions));
    QVERIFY(ProgramChip(ref.c).ok());

    WindowFixture f;
    auto port = std::make_unique<SimPort>(simConfig(QStringLiteral("ATMEGA8")));
    SimPort* sim = port.get();
    auto w = f.make(std::move(port));
    Session& s = w->session();
    s.FlashBufferText = kImage;
    s.notifyFlash();
    setOptions(*w, kOptions);
    auto* verify = child<QCheckBox>(w.get(), QStringLiteral("CheckPRO_8"));
    auto* serial = child<QLineEdit>(w.get(), QStringLiteral("Text3"));
    int changes = 0;
    QObject::connect(&s.log, &MessageLog::messageLogged, w.get(), [&](const QString&) {
        ++changes;
        s.fuses.ToggleBit(changes % 8);                // a bit of the low fuse on the fuse page
        verify->click();                               // 校验FLASH off, on, off ...
        QTest::keyClicks(serial, QStringLiteral("7")); // the serial number's DEC box
    });
    child<QPushButton>(w.get(), QStringLiteral("ProCommand"))->click();
    QVERIFY(changes > 5);
    QCOMPARE(sentText(sim->trace().lines()), sentText(ref.trace()));
    QCOMPARE(sim->model().chip()->lowFuse(), quint8(0xE1)); // the page's byte at the start
    QVERIFY(
        s.log.text().contains(QStringLiteral("将写入熔丝位: 低字节 E1, 高字节 D9, 扩展字节 FF")));
    QVERIFY(f.warnings.isEmpty());
}

void TestJobWindow::stopButtonEndsASingleRunAtItsNextStep() {
    WindowFixture f;
    auto port = std::make_unique<SimPort>(simConfig(QStringLiteral("ATMEGA8")));
    SimPort* sim = port.get();
    auto w = f.make(std::move(port));
    Session& s = w->session();
    s.FlashBufferText = kImage;
    setOptions(*w, QStringLiteral("1100000010"));
    auto* stop = child<QPushButton>(w.get(), QStringLiteral("StopProduction"));
    QVERIFY(!stop->isEnabled());
    QObject::connect(&s.log, &MessageLog::messageLogged, w.get(), [&](const QString& line) {
        if (line.startsWith(QStringLiteral("写FLASH"))) {
            QVERIFY(stop->isEnabled());
            stop->click();
        }
    });
    child<QPushButton>(w.get(), QStringLiteral("ProCommand"))->click();
    QVERIFY2(
        s.log.text().contains(QStringLiteral("已执行的步骤: 目标芯片检查, 擦除芯片, 编程FLASH。"
                                             "芯片未编程完整。")),
        qPrintable(s.log.text()));
    QVERIFY(!sentText(sim->trace().lines()).contains(QStringLiteral("RF")));
    QVERIFY(!stop->isEnabled());
}

void TestJobWindow::decimalSerialNumberIsTaken() {
    WindowFixture f;
    auto w = f.make(std::make_unique<SimPort>(simConfig(QStringLiteral("ATMEGA8"))));
    auto* dec = child<QLineEdit>(w.get(), QStringLiteral("Text3"));
    dec->clear();
    QTest::keyClicks(dec, QStringLiteral("5000"));
    // Pasted text, which brings no key release, is taken as well.
    auto* hex = child<QLineEdit>(w.get(), QStringLiteral("Text2"));
    QCOMPARE(hex->text(), QStringLiteral("1388"));
    Session& s = w->session();
    s.offline.serialFlashAddress = QStringLiteral("100");
    s.offline.increment = 1;
    JobSource source;
    source.serial = true;
    source.loadFiles = false;
    const ProgramJob job = jobFromSession(s, w->ui(), source);
    QVERIFY2(job.serial.enabled, qPrintable(job.serialProblem));
    QCOMPARE(job.serial.next, quint32(5000));
    dec->selectAll();
    dec->insert(QStringLiteral("42")); // as a paste does: no key at all
    QCOMPARE(hex->text(), QStringLiteral("2A"));
}

QTEST_MAIN(TestJobWindow)
#include "tst_job_window.moc"
