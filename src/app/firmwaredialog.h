#pragma once
// The firmware update window "升级固件": a thin view over FirmwareTransfer. It opens on the
// chosen file, waits (from its first 100 ms timer tick) up to 10 s for the loader's "B",
// sends the image on "继 续" and shows "升级完毕。" at the end; "退 出" closes it at any time
// and stops whatever is still running.
#include <QDialog>
#include <functional>
#include <memory>

#include "firmware/firmwareupdate.h"
#include "link/link.h"

struct AppContext;
class QLabel;
class QLayout;
class QProgressBar;
class QPushButton;
class QTimer;

class FirmwareDialog : public QDialog {
    Q_OBJECT
  public:
    FirmwareDialog(AppContext& app, const QString& path, QWidget* parent = nullptr);
    ~FirmwareDialog() override;

    FirmwareTransfer& transfer() { return m_transfer; }

  public Q_SLOTS:
    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QLayout* buildFileRow();
    QLabel* buildPrompt();
    QLayout* buildStatusRow();
    QLayout* buildButtons();
    void connectTransfer();
    void openFile(const QString& path);
    void onTick();
    void onContinue();
    // Runs a step of the transfer: a lost port ends it with a warning.
    void runStep(const std::function<void()>& step);

    AppContext& m_app;
    // The window is one operation from opening to closing: the programmer is in its loader
    // all that time, and nothing else may talk to it.
    std::unique_ptr<Link::Claim> m_claim;
    FirmwareTransfer m_transfer;
    QLabel* m_path = nullptr;
    QLabel* m_prompt = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_progress = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_continue = nullptr;
    QPushButton* m_exit = nullptr;
    QTimer* m_timer = nullptr;
    int m_running = 0;
    bool m_centred = false;
};
