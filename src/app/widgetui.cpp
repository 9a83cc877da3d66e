#include "app/widgetui.h"

#include "app/interlock.h"
#include "core/messagelog.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QProgressBar>
#include <QWidget>

void fitTitle(QMessageBox* box) {
    // Titles are padded with ideographic spaces; the padding is no part of what is said.
    box->setWindowTitle(box->windowTitle().trimmed());
    QFont bold = QApplication::font();
    bold.setBold(true);
    const int need = QFontMetrics(bold).horizontalAdvance(box->windowTitle()) + TitleBarChrome;
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(need, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

void WidgetUi::progress(const QString& bar, int percent) {
    if (auto* p = m_root->findChild<QProgressBar*>(bar))
        p->setValue(qBound(0, percent, 100));
}

void WidgetUi::warning(const QString& title, const QString& text) {
    // A box is gone once it is closed; the log keeps what it said.
    if (log)
        log->logMessage(text);
    if (warningHook) {
        warningHook(title, text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, m_root);
    fitTitle(&box);
    box.exec();
}

void WidgetUi::beep() {
    QApplication::beep();
}

void WidgetUi::setControlEnabled(const QString& control, bool enabled) {
    // Toolbar keys are actions; the window's buttons are widgets. A name may be both (the
    // action's button carries the key too): switch every match.
    auto set = [&](QObject* o) {
        if (interlock)
            interlock->setEnabled(o, enabled);
        else if (auto* a = qobject_cast<QAction*>(o))
            a->setEnabled(enabled);
        else if (auto* w = qobject_cast<QWidget*>(o))
            w->setEnabled(enabled);
    };
    for (QAction* a : m_root->findChildren<QAction*>(control))
        set(a);
    for (QWidget* w : m_root->findChildren<QWidget*>(control))
        set(w);
}

bool WidgetUi::confirm(const QString& title, const QString& text) {
    if (confirmHook)
        return confirmHook(title, text);
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, m_root);
    fitTitle(&box);
    return box.exec() == QMessageBox::Yes;
}

QMessageBox* WidgetUi::ask(const QString& title, const QString& text,
                           const std::function<void(bool)>& answer) {
    if (confirmHook) {
        answer(confirmHook(title, text));
        return nullptr;
    }
    auto* box = new QMessageBox(QMessageBox::Question, title, text,
                                QMessageBox::Yes | QMessageBox::No, m_root);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setDefaultButton(QMessageBox::No);
    fitTitle(box);
    QObject::connect(box, &QMessageBox::finished, box,
                     [answer](int result) { answer(result == QMessageBox::Yes); });
    box->open();
    return box;
}
