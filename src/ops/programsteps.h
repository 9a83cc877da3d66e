#pragma once
// The steps of a program run and what a run ended with. The step codes are data: scripts
// read them from the JSON events and the production CSV, so they never change with the
// language; the captions are what the window and the log show.
#include <QList>
#include <QString>

enum class ProgramStep {
    None,
    Presence,
    Signature,
    Erase,
    ReloadFlash,
    ReloadEeprom,
    WriteFlash,
    WriteEeprom,
    VerifyFlash,
    VerifyEeprom,
    WriteFuses,
    WriteLock,
    Calibration,
    Serial,
};

// "presence", "signature", "erase", "reload_flash", "reload_eeprom", "write_flash",
// "write_eeprom", "verify_flash", "verify_eeprom", "write_fuses", "write_lock",
// "calibration", "serial"; "" for None.
QString programStepCode(ProgramStep step);
// ProgramStep::None for a code that is no step's.
ProgramStep programStepFromCode(const QString& code);
// The caption the window gives the step ("擦除芯片", "校验FLASH", ...), translated.
QString programStepCaption(ProgramStep step);

// What one program run ended with: the steps that ran, in order, the first that failed (or
// none) and whether it was stopped before its end. Single runs, production runs and the
// command line all read this one value.
struct ProgramOutcome {
    QList<ProgramStep> ran;      // each step that was started, in order
    QList<ProgramStep> failures; // each step that failed, in order
    bool refused = false;        // the job's check failed: nothing was sent
    bool stopped = false;        // stopped between steps (or by a stop of the link)

    ProgramStep failed() const { return failures.isEmpty() ? ProgramStep::None : failures.first(); }
    bool failedAt(ProgramStep step) const { return failures.contains(step); }
    bool ok() const { return failures.isEmpty() && !stopped && !refused; }
    // The code of the first failed step, "" when none failed.
    QString failedCode() const { return programStepCode(failed()); }
};
