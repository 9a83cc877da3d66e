#pragma once
// The window's Ui sink: the bars and the controls of an operation as the window's control
// table names them (found under the window once and kept),
// warning boxes with the title given (each also written to the message log, which is the
// record of a session), the system beep.
#include "core/ui.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QProgressBar>
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

    void progress(Progress bar, int percent) override;
    void warning(const QString& title, const QString& text) override;
    void beep() override;
    // The operation's controls go off while it runs. A control the interlock holds is
    // switched through it: during an operation the state is kept for its end.
    void operationStarted(OpId id) override;
    void operationEnded(OpId id) override;
    // A control switched by the window itself, through the interlock when there is one.
    void setEnabled(QObject* control, bool enabled);
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
    void setOperationEnabled(OpId id, bool enabled);

    QWidget* m_root;
    QHash<OpId, QList<QPointer<QObject>>> m_controls;
    QHash<Progress, QPointer<QProgressBar>> m_bars;
};
