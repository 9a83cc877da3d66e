#pragma once
// The window's Ui sink: progress bars and controls found by objectName under the window,
// warning boxes with the title given (each also written to the message log, which is the
// record of a session), the system beep.
#include "core/ui.h"

#include <functional>

class Interlock;
class MessageLog;
class QMessageBox;
class QWidget;

// Makes the box wide enough for its whole title in the title bar, where the window manager
// would otherwise cut it ("警告…"): the title's width in bold type and TitleBarChrome for the
// window menu and buttons beside it.
constexpr int TitleBarChrome = 120;
void fitTitle(QMessageBox* box);

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
    // has chosen (at once when confirmHook is set). Returns the open box, whose text the
    // caller may change while it waits (nullptr when answered at once).
    QMessageBox* ask(const QString& title, const QString& text,
                     const std::function<void(bool)>& answer);

    // Takes the place of the message boxes (tests, and a window that is not shown).
    std::function<void(const QString& title, const QString& text)> warningHook;
    std::function<bool(const QString& title, const QString& text)> confirmHook;
    Interlock* interlock = nullptr;
    MessageLog* log = nullptr;

  private:
    QWidget* m_root;
};
