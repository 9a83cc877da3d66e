#pragma once
// What a job keeps between production runs: the next serial number and the counts of the
// chips programmed so far. A small text file ("next=0000100A", "passed=12", "failed=1"),
// beside the scheme or in the settings' folder under the job's name, changed only under
// its lock file, so that stations sharing a job take turns and never take one number twice.
#include <QLockFile>
#include <QString>
#include <memory>

struct JobTotals {
    bool hasNext = false; // a run of the job stamped serial numbers before
    quint32 next = 0;
    int passed = 0;
    int failed = 0;
};

class JobRecord {
  public:
    // path "" : no record (the numbers live only in the run).
    explicit JobRecord(const QString& path = QString());
    bool isNull() const { return m_path.isEmpty(); }
    QString path() const { return m_path; }

    // Holds the lock (waits for another station's turn); false with *error.
    bool lock(QString* error);
    void unlock();
    // Reads the file (a missing file is a job with no chips yet); false with *error for a
    // file that cannot be read or is not a job record.
    bool read(JobTotals* totals, QString* error) const;
    bool write(const JobTotals& totals, QString* error) const;

    // Where the job of a scheme keeps its record: beside it, as NAME.job.
    static QString besideScheme(const QString& schemePath);
    // Where a job without a scheme keeps it: jobs/NAME.job in the settings' folder.
    static QString inSettingsFolder(const QString& settingsFile, const QString& jobName);

  private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

// Holds a record's lock for a scope.
class JobLock {
  public:
    JobLock(JobRecord& record, QString* error)
        : m_record(record), m_held(record.isNull() || record.lock(error)) {}
    ~JobLock() {
        if (m_held && !m_record.isNull())
            m_record.unlock();
    }
    bool held() const { return m_held; }

  private:
    JobRecord& m_record;
    bool m_held;
};
