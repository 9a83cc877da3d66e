#pragma once
// The window's Ui sink: progress bars and controls found by objectName under the window,
// warning boxes with the title given, the system beep.
#include "core/ui.h"

#include <functional>

class QWidget;

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
};
