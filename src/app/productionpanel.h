#pragma once
// The window's side of production runs: the check box "连续编程" beside 编 程, the run's
// settings (CSV log file, serial number stamp with the stand-alone page's fields, the
// target quantity), the stop button, and the operator's view: a large PASS / FAIL / 等待芯片
// readable from a metre away, the job, the counts of this run and of the job so far. Every
// line a run logs also goes to the production log file (the panel trims, the file keeps).
#include "ops/jobrecord.h"

#include <QFile>
#include <QString>
#include <QWidget>

struct AppContext;
struct OpContext;
struct ProgramJob;
class ProductionRun;
class QCheckBox;
class QLabel;
class QPushButton;
class SettingsStore;

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
    int targetCount() const { return m_target; }
    void setTargetCount(int n) { m_target = n; }
    int passedCount() const { return m_passed; }
    int failedCount() const { return m_failed; }
    // The scheme the job comes from ("" none): its name is the job's, its record lies
    // beside it, and a locked one is checked before every run.
    void setScheme(const QString& path);
    // Where a job without a scheme keeps its record, and the port for the CSV.
    void setSettings(SettingsStore* settings) { m_settings = settings; }
    // The production log file (every line of every run).
    static QString logFilePath();

    // Shows the settings dialog (CSV file, serial number).
    void editSettings();

  private:
    void showCounts();
    enum class Verdict { Idle, Waiting, Pass, Fail };
    void showVerdict(Verdict v);
    QString jobName() const;
    bool prepare(OpContext& c, struct ProductionSettings& ps);

    AppContext& m_app;
    QCheckBox* m_continuous;
    QPushButton* m_setup;
    QPushButton* m_stop;
    QLabel* m_passLabel;
    QLabel* m_failLabel;
    QLabel* m_verdict;
    QLabel* m_jobLabel;
    QString m_csvPath;
    QString m_schemePath;
    SettingsStore* m_settings = nullptr;
    JobTotals m_job;
    QFile m_logFile;
    int m_target = 0;
    bool m_serial = false;
    int m_passed = 0;
    int m_failed = 0;
    ProductionRun* m_run = nullptr;
};
