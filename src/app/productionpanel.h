#pragma once
// The window's side of production runs: the check box "连续编程" beside 编 程, the run's
// settings (CSV log file, serial number stamp with the stand-alone page's fields), the
// counts of passed and failed chips and the stop button.
#include <QString>
#include <QWidget>

struct AppContext;
struct OpContext;
struct ProgramJob;
class ProductionRun;
class QCheckBox;
class QLabel;
class QPushButton;

class ProductionPanel : public QWidget {
    Q_OBJECT
  public:
    ProductionPanel(AppContext& app, QWidget* parent = nullptr);

    // The check box, for the caller's layout (it stands beside the program button).
    QCheckBox* continuousBox() const { return m_continuous; }
    bool continuous() const;

    // Runs job until stopped, as the body of the program button's operation. The job was
    // taken and checked (its serial-number plan too) before.
    void run(OpContext& c, const ProgramJob& job);
    QPushButton* stopButton() const { return m_stop; }
    bool running() const { return m_run != nullptr; }
    void stop();

    QString csvPath() const { return m_csvPath; }
    void setCsvPath(const QString& path) { m_csvPath = path; }
    bool stampSerial() const { return m_serial; }
    void setStampSerial(bool on) { m_serial = on; }
    int passedCount() const { return m_passed; }
    int failedCount() const { return m_failed; }

    // Shows the settings dialog (CSV file, serial number).
    void editSettings();

  private:
    void showCounts();

    AppContext& m_app;
    QCheckBox* m_continuous;
    QPushButton* m_setup;
    QPushButton* m_stop;
    QLabel* m_passLabel;
    QLabel* m_failLabel;
    QString m_csvPath;
    bool m_serial = false;
    int m_passed = 0;
    int m_failed = 0;
    ProductionRun* m_run = nullptr;
};
