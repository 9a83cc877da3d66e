#pragma once
// What an operation reports that is not state: progress of one of its bars, a warning box,
// a beep, and when it starts and ends. The window implements it with widgets (its own table
// says which widgets an operation and a bar are), the CLI prints, tests record.
#include <QString>
#include <QtGlobal>

// The bars an operation moves.
enum class Progress { Flash, Eeprom, Firmware };

// The operations the front ends start, one id each; None for work that has no control of
// its own (a loader command, a step inside another operation).
enum class OpId {
    None,
    DetectChip,
    CheckConnection,
    PresenceTest,
    ReadSignature,
    ReadFlash,
    ReadEeprom,
    Program,
    Erase,
    ReadFuses,
    WriteFuses,
    RecoverFuses,
    WriteLock,
    ReadCalibration,
    WriteCalibration,
    WriteByte0,
    WriteByte1,
    ReadByte0,
    ReadByte1,
    CompareFlash,
    CompareEeprom,
    WriteOfflineSettings,
    ReadOfflineSettings,
    UploadOffline,
    ProgrammerCommand,
    FirmwareLoader,
};

// The write or read of the single-byte row (0 or 1).
inline OpId singleByteOp(bool write, int row) {
    if (write)
        return row == 0 ? OpId::WriteByte0 : OpId::WriteByte1;
    return row == 0 ? OpId::ReadByte0 : OpId::ReadByte1;
}

class Ui {
  public:
    virtual ~Ui() = default;
    // percent 0..100.
    virtual void progress(Progress bar, int percent) = 0;
    // The same move of a bar told in full: the step it belongs to ("写FLASH", "校验EEPROM",
    // ...) and the bytes done of the step's total. Front ends that show only the bar keep
    // this default.
    virtual void progressBytes(Progress bar, const QString& phase, qint64 done, qint64 total) {
        (void)phase;
        progress(bar, total > 0 ? int(qBound<qint64>(0, done, total) * 100 / total) : 100);
    }
    virtual void warning(const QString& title, const QString& text) = 0;
    virtual void beep() = 0;
    // The operation id starts and ends (the window keeps its controls off meanwhile). Every
    // start is followed by its end, also when the operation fails.
    virtual void operationStarted(OpId id) { (void)id; }
    virtual void operationEnded(OpId id) { (void)id; }
    // A yes/no question (firmware update start); front ends without a user answer yes
    // only when told to.
    virtual bool confirm(const QString& title, const QString& text) {
        (void)title;
        (void)text;
        return true;
    }
};

// Tells the Ui that the operation id runs for as long as the scope lasts, also when the
// link fails in the middle of it. OpId::None tells nothing.
class OperationScope {
  public:
    OperationScope(Ui& ui, OpId id) : m_ui(ui), m_id(id) {
        if (m_id != OpId::None)
            m_ui.operationStarted(m_id);
    }
    ~OperationScope() {
        if (m_id != OpId::None)
            m_ui.operationEnded(m_id);
    }
    OperationScope(const OperationScope&) = delete;
    OperationScope& operator=(const OperationScope&) = delete;

  private:
    Ui& m_ui;
    OpId m_id;
};

// A Ui that does nothing, for callers that do not care.
class NullUi : public Ui {
  public:
    void progress(Progress, int) override {}
    void warning(const QString&, const QString&) override {}
    void beep() override {}
};
