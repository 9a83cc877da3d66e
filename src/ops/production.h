#pragma once
// Production runs ("连续编程"): wait for a chip, run the ticked program sequence, stamp an
// optional serial number, log one CSV line, wait until the chip is taken out, and go on
// until stopped. Both front ends drive the same loop; tests drive it on the simulated
// programmer's virtual clock.
#include "ops/job.h"

#include <QObject>
#include <optional>
#include <QString>

struct OpContext;

struct ChipRecord {
    QString time;      // ISO 8601, local time
    QString signature; // six hex digits as read
    QString serial;    // eight hex digits, "" when none was written
    bool passed = false;
    QString failedStep; // the caption of the step that failed, "" when passed
    QString flashCrc;   // CRC-32 of the images programmed ("" when empty)
    QString eepromCrc;
};

QString csvHeader();
QString csvLine(const ChipRecord& r);
// Appends one line (and the header, to a new or empty file). The file is replaced as a
// whole, so a failed write leaves the old log as it was. False with *error.
bool appendCsvLine(const QString& path, const QString& line, QString* error);

struct ProductionSettings {
    QString csvPath; // "" for no log file
    SerialStamp serial;
    double pollMs = 400; // the presence test's period
    // The job every chip gets, taken and checked by the front end when the run starts; a run
    // given none takes it from the session when it starts.
    std::optional<ProgramJob> job;
};

class ProductionRun : public QObject {
    Q_OBJECT
  public:
    ProductionRun(OpContext& c, const ProductionSettings& settings, QObject* parent = nullptr);

    // Runs until stop() is called (from an event while it waits) or the link fails (the
    // failure is thrown on, after the chip in the socket was recorded as failed).
    void run();
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

  private:
    bool probe();
    bool waitFor(bool present);
    ChipRecord programOne();
    bool stampSerial(quint32 number);
    void finish(const ChipRecord& r);

    OpContext& m_c;
    ProductionSettings m_settings;
    bool m_stop = false;
    double m_lastProbe = -1;
    int m_passed = 0;
    int m_failed = 0;
};
