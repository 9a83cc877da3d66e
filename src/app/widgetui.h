#pragma once
// The window's Ui sink: progress bars and controls found by objectName under the window,
// warning boxes with the title given, the system beep.
#include "core/ui.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class WidgetUi : public Ui {
public:
    explicit WidgetUi(QWidget* root) : m_root(root) {}

    void progress(const QString& bar, int percent) override;
    void warning(const QString& title, const QString& text) override;
    void beep() override;
    void setControlEnabled(const QString& control, bool enabled) override;
    bool confirm(const QString& title, const QString& text) override;

    // Takes the place of the message boxes (tests, and a window that is not shown).
    std::function<void(const QString& title, const QString& text)> warningHook;
    std::function<bool(const QString& title, const QString& text)> confirmHook;

private:
    QWidget* m_root;
    // The control that had the keyboard focus when an operation switched it off: it gets
    // the focus back when it is switched on, instead of the focus staying wherever Qt
    // moved it (the next box in the chain, an address box).
    QPointer<QWidget> m_focusToRestore;
};
