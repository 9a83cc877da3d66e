// One operation at a time in the window: the controls the interlock holds while the link
// is busy, the dispatch refusing what would disturb a running operation, and the way out
// (closing the window, SIGINT, SIGTERM) while one runs.
#include "app/mainwindow.h"

#include "app/apptexts.h"
#include "app/connection.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QProgressBar>
#include <QTimer>

void MainWindow::holdControls() {
    // Toolbar and menus: every operation, the chip, the port, the scheme load and the
    // programmer's own memories. About, help, scheme save and the "更多" button stay.
    static const char* const actions[] = {
        "SelectMCU",   "SetFuseDefault", "SetCOM",      "CheckCOM",   "ReadFuse", "WriteFuse",
        "RecoverFuse", "WriteLock",      "EraserFlash", "ProgramMCU", "OpenCOM",  "CloseCOM",
        "UPDATE",      "UPEEPROM",       "FIRMWARE",    "LoadSet"};
    for (const char* key : actions)
        m_lock.hold(m_actions.value(QString::fromLatin1(key)));
    for (QAction* chip : m_chipMenu->actions())
        m_lock.hold(chip);
    // The pages: the operation buttons, the port pictures, the chip menu button and what
    // changes an image (open, clear, the file name the program sequence reloads).
    static const char* const widgets[] = {
        "ChipMenuButton",  "PicConnected",     "PicNotConnected", "ReadSIG",
        "ReadFlash",       "ReadEEPROM",       "ProCommand",      "ReadOA",
        "WriteOA_Command", "W_DataCommand_0",  "W_DataCommand_1", "R_DataCommand_0",
        "R_DataCommand_1", "OpenFFile",        "OpenEFile",       "ClearFLASH",
        "ClearEEPROM",     "FileNameText_0",   "FileNameText_1",  "WriteLeaveSet",
        "ReadLeaveSet",    "Upload_leaveDATA", "Command1",        "CompareFLASH",
        "CompareEEPROM",   "ContinuousCheck"};
    for (const char* name : widgets)
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(name)))
            m_lock.hold(w);
}

void MainWindow::onBusyChanged(bool busy) {
    m_lock.setBusy(busy);
    if (busy)
        return;
    // A bar an operation left part-way (stopped, failed, a short read-back) tells nothing
    // true any more.
    for (QProgressBar* bar : findChildren<QProgressBar*>()) {
        if (bar->objectName() != u"FlashProgressBar" && bar->objectName() != u"EepromProgressBar")
            continue;
        if (bar->value() != bar->maximum() && bar->value() >= bar->minimum())
            bar->reset();
    }
    if (m_quitting) // out of the operation's stack first
        QTimer::singleShot(0, this, [this] { close(); });
    else if (m_quitBox) // the question left open is no longer whether to stop it
        m_quitBox->setText(AppTexts::quitAfterRun());
}

bool MainWindow::refusedWhileBusy(const QString& key) {
    if (!m_link->busy())
        return false;
    static const char* const free[] = {"About", "slSET", "HELP", "SaveSet"};
    for (const char* k : free)
        if (key == QLatin1String(k))
            return false;
    m_session.log.logMessage(Texts::linkBusy());
    return true;
}

void MainWindow::askStopAndQuit() {
    if (m_asking)
        return;
    m_asking = true;
    // The operation goes on while the question is open.
    m_quitBox = m_ui.ask(AppTexts::quitTitle(), AppTexts::quitWhileBusy(), [this](bool yes) {
        m_asking = false;
        if (yes)
            stopAndQuit();
    });
}

void MainWindow::stopAndQuit() {
    m_quitting = true;
    m_link->requestStop();
    // A box or a dialog the operation waits on would hold it before its next step.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible())
            dialog->reject();
    if (!m_link->busy())
        QTimer::singleShot(0, this, [this] { close(); });
}
