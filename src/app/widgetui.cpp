#include "app/widgetui.h"

#include "app/controltable.h"
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

void WidgetUi::progress(Progress bar, int percent) {
    auto it = m_bars.find(bar);
    if (it == m_bars.end()) {
        QProgressBar* found = nullptr;
        for (const WindowBar& b : windowBars())
            if (b.bar == bar)
                found = m_root->findChild<QProgressBar*>(QString::fromLatin1(b.name));
        it = m_bars.insert(bar, found);
    }
    if (QProgressBar* p = it.value())
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

void WidgetUi::setEnabled(QObject* control, bool enabled) {
    if (interlock)
        interlock->setEnabled(control, enabled);
    else if (auto* a = qobject_cast<QAction*>(control))
        a->setEnabled(enabled);
    else if (auto* w = qobject_cast<QWidget*>(control))
        w->setEnabled(enabled);
}

void WidgetUi::setOperationEnabled(OpId id, bool enabled) {
    auto it = m_controls.find(id);
    if (it == m_controls.end()) {
        QList<QPointer<QObject>> found;
        for (const WindowControl& c : windowControls())
            if (c.op == id)
                for (QObject* o : controlsNamed(m_root, c.name))
                    found << o;
        it = m_controls.insert(id, found);
    }
    for (const QPointer<QObject>& o : it.value())
        if (o)
            setEnabled(o, enabled);
}

void WidgetUi::operationStarted(OpId id) {
    setOperationEnabled(id, false);
}

void WidgetUi::operationEnded(OpId id) {
    setOperationEnabled(id, true);
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
