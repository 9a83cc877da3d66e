// One operation at a time in the window: the controls the interlock holds while the link
// is busy, the dispatch refusing what would disturb a running operation, and the way out
// (closing the window, SIGINT, SIGTERM) while one runs.
#include "app/mainwindow.h"

#include "app/apptexts.h"
#include "app/connection.h"
#include "app/controltable.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QProgressBar>
#include <QTimer>

void MainWindow::holdControls() {
    for (const WindowControl& c : windowControls())
        if (c.rules & HeldWhileBusy)
            for (QObject* o : controlsNamed(this, c.name))
                m_lock.hold(o);
    for (QAction* chip : m_chipMenu->actions())
        m_lock.hold(chip);
}

void MainWindow::onBusyChanged(bool busy) {
    m_lock.setBusy(busy);
    if (busy)
        return;
    // A bar an operation left part-way (stopped, failed, a short read-back) tells nothing
    // true any more.
    for (const WindowBar& b : windowBars()) {
        auto* bar = findChild<QProgressBar*>(QString::fromLatin1(b.name));
        if (bar && bar->value() != bar->maximum() && bar->value() >= bar->minimum())
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
    for (const WindowControl& c : windowControls())
        if ((c.rules & FreeWhileBusy) && key == QLatin1String(c.name))
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
