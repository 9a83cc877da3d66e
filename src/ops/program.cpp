#include "ops/program.h"

#include "fuses/fuserisk.h"
#include "link/linkerror.h"
#include "ops/calibration.h"
#include "ops/eepromops.h"
#include "ops/flashops.h"
#include "ops/fuseops.h"
#include "ops/identify.h"
#include "ops/jobtexts.h"
#include "session/opcontext.h"

namespace {

bool runStep(OpContext& c, const ProgramJob& job, ProgramStep step, QString& signature) {
    switch (step) {
    case ProgramStep::Presence:
        if (!PresenceTest(c, signature))
            return false;
        if (signature.isEmpty())
            signature = QStringLiteral("1E"); // the signature check asks only for the rest
        return true;
    case ProgramStep::Signature:
        return SignatureCheck(c, signature);
    case ProgramStep::Erase:
        EraseChip(c);
        return true;
    case ProgramStep::WriteFlash:
        return WriteFlashImage(c, job.image[0], job.chip);
    case ProgramStep::WriteEeprom:
        return WriteEepromImage(c, job.image[1], job.chip);
    case ProgramStep::VerifyFlash:
        return VerifyFlashImage(c, job.image[0], job.chip);
    case ProgramStep::VerifyEeprom:
        return VerifyEepromImage(c, job.image[1], job.chip);
    case ProgramStep::WriteFuses:
        return WriteFuseBytes(c, job.fuses);
    case ProgramStep::WriteLock:
        return WriteLockByte(c, job.fuses);
    case ProgramStep::Calibration: {
        ReadOA(c);
        const int fixed = calibrationFixedSlot(job.chip.ChipName);
        return WriteCalibrationByte(c, fixed >= 0 ? fixed : job.calSlot, job.calTarget,
                                    job.calAddress);
    }
    default: // the reloads were done when the job was taken; serial numbers are the run's
        return true;
    }
}

QString captions(const QList<ProgramStep>& steps) {
    QStringList out;
    for (ProgramStep s : steps)
        out << programStepCaption(s);
    return out.isEmpty() ? JobTexts::noneRan() : out.join(QStringLiteral(", "));
}

bool isVerify(ProgramStep s) {
    return s == ProgramStep::VerifyFlash || s == ProgramStep::VerifyEeprom;
}

} // namespace

ProgramOutcome RunProgramJob(OpContext& c, const ProgramJob& job, const RunPolicy& policy) {
    ProgramOutcome out;
    if (policy.describe)
        for (const QString& line : describeJob(job))
            c.log(line);
    QString signature = policy.signature;
    QList<ProgramStep> steps = job.steps();
    steps.removeAll(ProgramStep::ReloadFlash); // done when the job was taken
    steps.removeAll(ProgramStep::ReloadEeprom);
    try {
        for (int i = 0; i < steps.size(); ++i) {
            const ProgramStep step = steps[i];
            if (policy.stopRequested && policy.stopRequested()) {
                out.stopped = true;
                c.log(JobTexts::stoppedAfter(captions(out.ran)));
                break;
            }
            out.ran << step;
            if (runStep(c, job, step, signature))
                continue;
            out.failures << step;
            if (step == ProgramStep::Presence || step == ProgramStep::Signature ||
                policy.endAtFailure)
                break;
            if (isVerify(step) && out.failures.size() == 1 && i + 1 < steps.size())
                c.log(JobTexts::failedVerifyGoesOn(captions(steps.mid(i + 1))));
        }
    } catch (const LinkStopped&) {
        out.stopped = true;
        c.log(JobTexts::stoppedAfter(captions(out.ran)));
        throw;
    }
    return out;
}

bool acceptJob(OpContext& c, const ProgramJob& job) {
    const QStringList problems = checkJob(job);
    if (problems.isEmpty())
        return true;
    c.log(JobTexts::refused());
    for (const QString& p : problems)
        c.log(p);
    c.ui.warning(Texts::warningTitle(), JobTexts::refused() + u'\n' + problems.join(u'\n'));
    return false;
}

FuseRisk jobFuseRisk(const Session& s, const ProgramJob& job) {
    const int bytes =
        (job.writesFuses() ? FuseBytesFuses : 0) | (job.writesLock() ? FuseBytesLock : 0);
    if (bytes == 0)
        return {};
    return assessFuseWrite(s.fuses, job.fuses.before, job.fuses.text, bytes);
}

bool confirmJobFuses(OpContext& c, const ProgramJob& job) {
    const FuseRisk risk = jobFuseRisk(c.session, job);
    if (!risk.dangerous())
        return true;
    const bool yes = c.ui.confirm(Texts::warningTitle(), risk.question());
    c.log(yes ? JobTexts::dangerAccepted(risk.dangers.join(QStringLiteral("; ")))
              : JobTexts::dangerDeclined());
    return yes;
}

ProgramOutcome ProgramChip(OpContext& c, const RunPolicy& policy) {
    const ProgramJob job = jobFromSession(c.session, c.ui);
    if (!acceptJob(c, job) || !confirmJobFuses(c, job)) {
        ProgramOutcome refused;
        refused.refused = true;
        return refused;
    }
    return RunProgramJob(c, job, policy);
}
