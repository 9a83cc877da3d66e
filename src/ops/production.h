#pragma once
// Production runs ("连续编程"): wait for a chip, run the ticked program sequence (a failed
// verify ends the chip's sequence), stamp an optional serial number, log one CSV line,
// wait until the chip is taken out, and go on until stopped, a count of chips or of
// failures is reached, or the programmer stops answering. Both front ends drive the same
// loop; tests drive it on the simulated programmer's virtual clock.
#include "ops/job.h"
#include "ops/jobrecord.h"
#include "ops/productionlog.h"
#include "ops/programsteps.h"

#include <QObject>
#include <optional>
#include <QString>

struct OpContext;

struct ProductionSettings {
    QString csvPath; // "" for no log file
    SerialStamp serial;
    double pollMs = 400;        // the presence test's period
    int count = 0;              // end after this many chips (0: no limit)
    int maxFail = 0;            // end after this many failed chips (0: no limit)
    int silentPolls = 5;        // presence tests without any answer that end the run
    QString jobFile;            // the job's record (jobrecord.h), "" for none
    bool serialGiven = false;   // serial.next overrides the job's next number
    QString job, station, port; // for the CSV
    // The job every chip gets, taken and checked by the front end when the run starts; a run
    // given none takes it from the session when it starts.
    std::optional<ProgramJob> programJob;
};

// Why a run ended (a failure of the link is thrown on instead).
enum class RunEnd {
    Stopped,     // stop() or a stop request of the link
    Count,       // the count of chips was reached
    MaxFail,     // the count of failures was reached
    NoAnswer,    // the programmer did not answer the presence test at all
    RecordFailed // the CSV or the job record could not be written (before the first
                 // chip: the run did not start)
};

class ProductionRun : public QObject {
    Q_OBJECT
  public:
    ProductionRun(OpContext& c, const ProductionSettings& settings, QObject* parent = nullptr);

    // Checks the CSV and the job record, then runs until an end of RunEnd, or the link
    // fails (the failure is thrown on, after the chip in the socket was recorded).
    RunEnd run();
    // Why the records could not be written (RunEnd::RecordFailed).
    QString recordError() const { return m_recordError; }
    // The job's totals after the run's last chip (this run's chips included).
    const JobTotals& jobTotals() const { return m_job; }
    void stop() { m_stop = true; }
    bool stopRequested() const { return m_stop; }

    int passed() const { return m_passed; }
    int failed() const { return m_failed; }
    const SerialStamp& serial() const { return m_settings.serial; }

  Q_SIGNALS:
    void polled(bool present); // each presence test
    void waitingForChip();     // once per wait
    void waitingForRemoval();  // once per wait
    void chipDone(const ChipRecord& record);
    void serialAdvanced(quint32 next);
    void jobTotalsChanged(const JobTotals& totals);

  private:
    bool prepare();
    int probe(); // 1 a chip, 0 none, -1 no answer at all
    bool waitFor(bool present);
    ChipRecord programOne();
    void judge(ChipRecord& r, const ProgramOutcome& o, int unansweredBefore);
    bool stampSerial(ChipRecord& r);
    bool writeSerial(quint32 number);
    bool finish(const ChipRecord& r);
    bool ended() const;

    OpContext& m_c;
    ProductionSettings m_settings;
    JobRecord m_record;
    JobTotals m_job;
    QString m_recordError;
    bool m_stop = false;
    bool m_silent = false;
    int m_silentPolls = 0;
    double m_lastProbe = -1;
    int m_passed = 0;
    int m_failed = 0;
};
