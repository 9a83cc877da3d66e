// One operation at a time in the window: during a program run every other operation
// control (toolbar, menus, pages, drops) is off and a click on it sends nothing; no control
// comes back before the run ends; each comes back as it was (or as the run left the port);
// every warning box is in the log and a bar left part-way is reset.
#include "windowrun.h"

#include "app/firmwaredialog.h"
#include "core/texts.h"
#include "ops/opstexts.h"
#include "session/opcontext.h"

#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

// Everything that would start an operation, change an image, the chip or the port.
const QStringList heldActions{QStringLiteral("SelectMCU"),     QStringLiteral("SetFuseDefault"),
                              QStringLiteral("SetCOM"),        QStringLiteral("CheckCOM"),
                              QStringLiteral("ReadFuse"),      QStringLiteral("WriteFuse"),
                              QStringLiteral("RecoverFuse"),   QStringLiteral("WriteLock"),
                              QStringLiteral("EraserFlash"),   QStringLiteral("ProgramMCU"),
                              QStringLiteral("OpenCOM"),       QStringLiteral("CloseCOM"),
                              QStringLiteral("UPDATE"),        QStringLiteral("UPEEPROM"),
                              QStringLiteral("FIRMWARE"),      QStringLiteral("LoadSet"),
                              QStringLiteral("Chip_ATMEGA16"), QStringLiteral("Chip_ATTINY2313")};
const QStringList heldWidgets{QStringLiteral("ChipMenuButton"),  QStringLiteral("PicConnected"),
                              QStringLiteral("PicNotConnected"), QStringLiteral("ReadSIG"),
                              QStringLiteral("ReadFlash"),       QStringLiteral("ReadEEPROM"),
                              QStringLiteral("ProCommand"),      QStringLiteral("ReadOA"),
                              QStringLiteral("WriteOA_Command"), QStringLiteral("W_DataCommand_0"),
                              QStringLiteral("W_DataCommand_1"), QStringLiteral("R_DataCommand_0"),
                              QStringLiteral("R_DataCommand_1"), QStringLiteral("OpenFFile"),
                              QStringLiteral("OpenEFile"),       QStringLiteral("ClearFLASH"),
                              QStringLiteral("ClearEEPROM"),     QStringLiteral("FileNameText_0"),
                              QStringLiteral("FileNameText_1"),  QStringLiteral("WriteLeaveSet"),
                              QStringLiteral("ReadLeaveSet"),    QStringLiteral("Upload_leaveDATA"),
                              QStringLiteral("Command1"),        QStringLiteral("CompareFLASH"),
                              QStringLiteral("CompareEEPROM")};

QAction* action(MainWindow& w, const QString& name) {
    QAction* a = w.toolbarAction(name);
    if (!a)
        a = w.chipMenu()->findChild<QAction*>(name);
    if (!a)
        qFatal("no action %s", qPrintable(name));
    return a;
}

// Own enabled state of every held control, by name.
QMap<QString, bool> heldStates(WindowRun& r) {
    QMap<QString, bool> out;
    for (const QString& n : heldActions)
        out[n] = action(*r.w, n)->isEnabled();
    for (const QString& n : heldWidgets)
        out[n] = r.child<QWidget>(n)->isEnabled();
    return out;
}

bool dropOn(WindowRun& r, const QString& tab, const QString& path) {
    auto* target = r.child<QWidget>(tab);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return enter.isAccepted();
}

// Everything a user (or a script) could do to start something else.
void clickEverything(WindowRun& r) {
    MainWindow& w = *r.w;
    for (const QString& n : heldActions) {
        QAction* a = action(w, n);
        if (QWidget* button = w.toolbar()->widgetForAction(a))
            QTest::mouseClick(button, Qt::LeftButton);
        a->trigger();
    }
    for (const QString& n : heldWidgets) {
        auto* widget = r.child<QWidget>(n);
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            QTest::keyClicks(edit, QStringLiteral("x.bin"));
        else
            QTest::mouseClick(widget, Qt::LeftButton);
    }
    // The dispatch itself, as a shortcut or a script would reach it.
    for (const char* key : {"SelectMCU", "SetFuseDefault", "SetCOM", "CheckCOM", "ReadFuse",
                            "WriteFuse", "RecoverFuse", "WriteLock", "EraserFlash", "ProgramMCU"})
        w.buttonClicked(QString::fromLatin1(key));
    for (const char* key : {"OpenCOM", "CloseCOM", "UPDATE", "UPEEPROM", "FIRMWARE", "LoadSet"})
        w.menuItemClicked(QString::fromLatin1(key));
    w.menuItemClicked(QStringLiteral("ATMEGA16"));
    dropOn(r, QStringLiteral("FlashTab"), r.f.file(QStringLiteral("app.bin")));
    dropOn(r, QStringLiteral("EepromTab"), r.f.file(QStringLiteral("data.bin")));
}

} // namespace

class TestInterlock : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void clicksDuringAProgramRunSendNothing();
    void controlsComeBackAsTheRunLeftThem_data();
    void controlsComeBackAsTheRunLeftThem();
    void warningBoxesAreInTheLog_data();
    void warningBoxesAreInTheLog();
    void firmwareWindowHoldsTheLink();
};

void TestInterlock::clicksDuringAProgramRunSendNothing() {
    // The run on its own: the frames it puts on the wire.
    WindowRun alone;
    alone.program();
    const QList<QByteArray> expected = alone.sim->writes();
    QVERIFY(QByteArray(expected.join()).count('#') > 100); // frames (words go several to a write)
    QVERIFY2(alone.f.warnings.isEmpty(), qPrintable(alone.f.warnings.join(u'\n')));

    WindowRun r;
    const QMap<QString, bool> before = heldStates(r);
    QVERIFY(before.value(QStringLiteral("ProCommand")));
    int samples = 0;
    bool inside = false;
    QStringList onDuringRun;
    QObject::connect(&r.w->session().log, &MessageLog::messageLogged, r.w.get(), [&] {
        if (inside || !r.w->link().busy())
            return;
        inside = true;
        ++samples;
        const QMap<QString, bool> now = heldStates(r);
        for (auto it = now.cbegin(); it != now.cend(); ++it)
            if (it.value())
                onDuringRun << it.key();
        clickEverything(r);
        inside = false;
    });
    r.program();

    QVERIFY2(onDuringRun.isEmpty(), qPrintable(onDuringRun.join(u' ')));
    // Erase, writes, verifies, fuses and calibration each log: the clicks came at every step.
    QVERIFY(samples > 8);
    QCOMPARE(r.sim->writes().size(), expected.size());
    QVERIFY(r.sim->writes() == expected);
    QVERIFY2(r.f.warnings.isEmpty(), qPrintable(r.f.warnings.join(u'\n')));
    QCOMPARE(r.sim->model().chip()->flash(), alone.sim->model().chip()->flash());
    // The refusals are in the log; nothing of the image, the chip or the port changed.
    QVERIFY(r.logged.contains(Texts::linkBusy()));
    QCOMPARE(r.w->session().selectedChipModel, QStringLiteral("ATMEGA8"));
    QCOMPARE(r.w->session().fileName[0], r.f.file(QStringLiteral("app.bin")));
    QCOMPARE(r.w->session().FlashBufferText, alone.w->session().FlashBufferText);
    QVERIFY(r.sim->isOpen());
    // Each control is back as it was, the calibration write button as the run left it.
    QMap<QString, bool> after = heldStates(r);
    QVERIFY(after.value(QStringLiteral("WriteOA_Command")));
    after[QStringLiteral("WriteOA_Command")] = before.value(QStringLiteral("WriteOA_Command"));
    QCOMPARE(after, before);
    QVERIFY(!r.w->link().busy());
}

void TestInterlock::controlsComeBackAsTheRunLeftThem_data() {
    QTest::addColumn<qint64>("disconnectAfter");
    QTest::addColumn<bool>("portOpenAfter");
    QTest::newRow("run to its end") << qint64(-1) << true;
    QTest::newRow("port lost in the flash write") << qint64(3000) << false;
}

void TestInterlock::controlsComeBackAsTheRunLeftThem() {
    QFETCH(qint64, disconnectAfter);
    QFETCH(bool, portOpenAfter);
    SimFaults faults;
    faults.disconnectAfter = disconnectAfter;
    WindowRun r(QStringLiteral("1100011010"), faults);
    r.program();
    QCOMPARE(r.sim->isOpen(), portOpenAfter);
    for (const char* name : {"ProCommand", "ReadSIG", "ReadFlash", "W_DataCommand_0"})
        QCOMPARE(r.child<QWidget>(QString::fromLatin1(name))->isEnabled(), portOpenAfter);
    for (const char* key : {"ProgramMCU", "EraserFlash", "CheckCOM", "CloseCOM"})
        QCOMPARE(action(*r.w, QString::fromLatin1(key))->isEnabled(), portOpenAfter);
    QCOMPARE(action(*r.w, QStringLiteral("OpenCOM"))->isEnabled(), !portOpenAfter);
    // What is not tied to the port comes back in any case.
    for (const char* name : {"OpenFFile", "ClearFLASH", "FileNameText_0", "ChipMenuButton"})
        QVERIFY(r.child<QWidget>(QString::fromLatin1(name))->isEnabled());
    QVERIFY(action(*r.w, QStringLiteral("SetCOM"))->isEnabled());
    auto* bar = r.child<QProgressBar>(QStringLiteral("FlashProgressBar"));
    if (portOpenAfter) {
        QCOMPARE(bar->value(), 100);
    } else {
        // Left part-way by the lost port: reset, and the box's text is in the log.
        QCOMPARE(bar->value(), bar->minimum() - 1);
        QCOMPARE(r.f.warnings.size(), 1);
        QVERIFY(r.logged.contains(r.f.warnings.first()));
    }
}

void TestInterlock::warningBoxesAreInTheLog_data() {
    QTest::addColumn<QString>("options");
    QTest::addColumn<qint64>("corruptFlash");
    QTest::addColumn<qint64>("corruptEeprom");
    QTest::addColumn<QString>("box");
    QTest::newRow("flash verify mismatch") << QStringLiteral("1100011010") << qint64(0x123)
                                           << qint64(-1) << OpsTexts::flashMismatch(0x123);
    QTest::newRow("EEPROM verify mismatch")
        << QStringLiteral("1010011001") << qint64(-1) << qint64(3) << OpsTexts::eepromMismatch(3);
}

void TestInterlock::warningBoxesAreInTheLog() {
    QFETCH(QString, options);
    QFETCH(qint64, corruptFlash);
    QFETCH(qint64, corruptEeprom);
    QFETCH(QString, box);
    SimFaults faults;
    faults.corruptFlashAddress = corruptFlash;
    faults.corruptEepromAddress = corruptEeprom;
    WindowRun r(options, faults);
    r.program();
    QCOMPARE(r.f.warnings, QStringList{box});
    QVERIFY2(r.logged.contains(box), qPrintable(r.logged.join(u'\n')));
    QVERIFY(r.child<QWidget>(QStringLiteral("ProCommand"))->isEnabled());
}

void TestInterlock::firmwareWindowHoldsTheLink() {
    WindowRun r;
    r.write(QStringLiteral("big.bin"), QByteArray(40000, '\x55'));
    {
        // From opening to closing the window the programmer is in its loader: the window's
        // operations are off, and the core refuses one started anyway.
        FirmwareDialog dialog(r.w->app(), r.f.file(QStringLiteral("big.bin")), r.w.get());
        QVERIFY(r.w->link().busy());
        QVERIFY(!r.child<QWidget>(QStringLiteral("ProCommand"))->isEnabled());
        QVERIFY(!action(*r.w, QStringLiteral("UPDATE"))->isEnabled());
        OpContext c = r.w->app().op();
        QVERIFY(
            !runOperation(c, OpId::None, [&] { c.link.sendCommand(QStringLiteral("EM000000#")); }));
        QVERIFY(r.sim->writes().isEmpty());
        // A refused file is said in the window and in the log.
        QCOMPARE(dialog.transfer().state(), FirmwareTransfer::State::Refused);
        QVERIFY(r.logged.contains(dialog.transfer().status()));
    }
    QVERIFY(!r.w->link().busy());
    QVERIFY(r.child<QWidget>(QStringLiteral("ProCommand"))->isEnabled());
    QVERIFY(action(*r.w, QStringLiteral("UPDATE"))->isEnabled());
}

QTEST_MAIN(TestInterlock)
#include "tst_interlock.moc"
