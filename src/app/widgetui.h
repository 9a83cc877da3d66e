#pragma once
// The window's Ui sink: progress bars and controls found by objectName under the window,
// warning boxes with the title given (each also written to the message log, which is the
// record of a session), the system beep.
#include "core/ui.h"

#include <functional>

class Interlock;
class MessageLog;
class QWidget;

class WidgetUi : public Ui {
public:
    explicit WidgetUi(QWidget* root) : m_root(root) {}

    void progress(const QString& bar, int percent) override;
    void warning(const QString& title, const QString& text) override;
    void beep() override;
    // A control the interlock holds is switched through it: during an operation the state
    // is kept for its end.
    void setControlEnabled(const QString& control, bool enabled) override;
    bool confirm(const QString& title, const QString& text) override;
    // A yes/no question that does not stop what is running: answer is called when the user
    // has chosen (at once when confirmHook is set).
    void ask(const QString& title, const QString& text, const std::function<void(bool)>& answer);

    // Takes the place of the message boxes (tests, and a window that is not shown).
    std::function<void(const QString& title, const QString& text)> warningHook;
    std::function<bool(const QString& title, const QString& text)> confirmHook;
    Interlock* interlock = nullptr;
    MessageLog* log = nullptr;

private:
    QWidget* m_root;
};
