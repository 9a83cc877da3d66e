#include "app/widgetui.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QProgressBar>
#include <QWidget>

void WidgetUi::progress(const QString& bar, int percent) {
    if (auto* p = m_root->findChild<QProgressBar*>(bar))
        p->setValue(qBound(0, percent, 100));
}

void WidgetUi::warning(const QString& title, const QString& text) {
    if (warningHook) {
        warningHook(title, text);
        return;
    }
    QMessageBox::warning(m_root, title, text);
}

void WidgetUi::beep() { QApplication::beep(); }

void WidgetUi::setControlEnabled(const QString& control, bool enabled) {
    // Toolbar keys are actions; the window's buttons are widgets. A name may be both (the
    // action's button carries the key too): switch every match.
    QWidget* focus = QApplication::focusWidget();
    if (!enabled && focus && m_root->isAncestorOf(focus))
        m_focusToRestore = focus;
    for (QAction* a : m_root->findChildren<QAction*>(control))
        a->setEnabled(enabled);
    for (QWidget* w : m_root->findChildren<QWidget*>(control))
        w->setEnabled(enabled);
    if (enabled && m_focusToRestore && m_focusToRestore->isEnabled() &&
        m_focusToRestore->isVisible()) {
        m_focusToRestore->setFocus(Qt::OtherFocusReason);
        m_focusToRestore = nullptr;
    }
}

bool WidgetUi::confirm(const QString& title, const QString& text) {
    if (confirmHook)
        return confirmHook(title, text);
    return QMessageBox::question(m_root, title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}
