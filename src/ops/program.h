#pragma once
// The one sequence engine of program runs ("编 程", ProCommand; production runs call it for
// each chip): the ticked steps of a job in their fixed order. The body of an operation:
// the entry points wrap it in runOperation() with the control "ProCommand".
#include "ops/job.h"

#include <functional>

struct OpContext;
struct FuseRisk;

struct RunPolicy {
    // A production run: a failed step ends the chip's sequence, so a chip that failed its
    // verify is never given fuses, lock bits, a calibration byte or a serial number. A
    // single run goes on after a failed verify (its box), and the log says so.
    bool endAtFailure = false;
    // Asked before each step; true ends the run there (the log says which steps ran).
    std::function<bool()> stopRequested;
    // State the job in the log first (a production run states it once, at its start).
    bool describe = true;
    // The chip's signature as the caller already read it (a production run reads it once
    // for its record): the presence test and the signature check take it instead of
    // asking again.
    QString signature;
};

// Runs a job that checkJob() passed. A stop of the link (the window closing, a signal) is
// logged as a stop, with the steps that ran, and thrown on.
ProgramOutcome RunProgramJob(OpContext& c, const ProgramJob& job, const RunPolicy& policy = {});

// The job's check before anything is sent: false after the log (and one warning box) named
// every problem.
bool acceptJob(OpContext& c, const ProgramJob& job);
// What the job's fuse and lock writes change, against the chip's bytes as last read (or its
// default).
FuseRisk jobFuseRisk(const Session& session, const ProgramJob& job);
// Dangerous fuse values are said before they are written: true when there are none or the
// user said yes (the answer is logged).
bool confirmJobFuses(OpContext& c, const ProgramJob& job);

// Takes the job from the session (with 文件重载, loading the files the ticked steps use),
// checks it, asks about dangerous fuse values and runs it.
ProgramOutcome ProgramChip(OpContext& c, const RunPolicy& policy = {});
