#include "ops/job.h"

#include "core/ui.h"
#include "image/images.h"
#include "link/link.h"
#include "ops/jobtexts.h"
#include "session/filechip.h"
#include "session/loader.h"
#include "session/session.h"

#include <QFileInfo>

namespace T = JobTexts;

namespace {

// Each step with the option that ticks it, in the order the engine runs them.
struct StepOption {
    ProgramStep step;
    int option; // -1: always
};
const StepOption kOrder[] = {
    {ProgramStep::Presence, -1},
    {ProgramStep::Signature, OptCheckSignature},
    {ProgramStep::Erase, OptErase},
    {ProgramStep::ReloadFlash, OptReloadFiles},
    {ProgramStep::WriteFlash, OptWriteFlash},
    {ProgramStep::ReloadEeprom, OptReloadFiles},
    {ProgramStep::WriteEeprom, OptWriteEeprom},
    {ProgramStep::VerifyFlash, OptVerifyFlash},
    {ProgramStep::VerifyEeprom, OptVerifyEeprom},
    {ProgramStep::WriteFuses, OptWriteFuses},
    {ProgramStep::WriteLock, OptWriteLock},
    {ProgramStep::Calibration, OptCalibration},
};

bool parseHex(const QString& text, int maxDigits, quint32* value) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > maxDigits)
        return false;
    bool ok = false;
    *value = t.toUInt(&ok, 16);
    return ok;
}

QString memoryName(int m) {
    return m == 0 ? QStringLiteral("FLASH") : QStringLiteral("EEPROM");
}

// Memory m is used by a ticked write or verify step.
bool needed(const ProgramJob& job, int m) {
    return job.ticked(m == 0 ? ProgramStep::WriteFlash : ProgramStep::WriteEeprom) ||
           job.ticked(m == 0 ? ProgramStep::VerifyFlash : ProgramStep::VerifyEeprom);
}

// The caption of the first ticked step that uses memory m.
QString userOf(const ProgramJob& job, int m) {
    const ProgramStep write = m == 0 ? ProgramStep::WriteFlash : ProgramStep::WriteEeprom;
    return programStepCaption(job.ticked(write) ? write
                              : m == 0          ? ProgramStep::VerifyFlash
                                                : ProgramStep::VerifyEeprom);
}

} // namespace

JobFuses fusesFromSession(const Session& s) {
    JobFuses f;
    const FuseEditor& e = s.fuses;
    f.described = e.hasDescription();
    f.descriptionFile = e.descriptionFile();
    f.text = e.fuseText();
    f.defaultText = e.defaultFuseText();
    const bool read = !s.chipFuseText.isEmpty() && s.chipFuseModel == s.selectedChipModel;
    f.before = read ? s.chipFuseText : f.defaultText;
    for (int i = 0; i < 4; ++i)
        f.digits[i] = e.frameDigits(i);
    f.extendedByte = chipHasExtendedFuseByte(s.selectedChipModel);
    return f;
}

bool serialFromPanel(const OfflinePanel& p, int flashBytes, int eepromBytes, SerialStamp& out,
                     QString* error) {
    auto fail = [error](const QString& field) {
        if (error)
            *error = T::badSerialField(field);
        return false;
    };
    const QString addressField =
        p.serialToFlash ? T::serialFlashAddress() : T::serialEepromAddress();
    quint32 address = 0;
    const QString& box = p.serialToFlash ? p.serialFlashAddress : p.serialEepromAddress;
    if (!parseHex(box, 4, &address))
        return fail(addressField);
    const int limit = p.serialToFlash ? flashBytes : eepromBytes;
    if (int(address) + 4 > limit)
        return fail(addressField);
    quint32 initial = 0;
    if (!parseHex(p.initialHex.isEmpty() ? QStringLiteral("0") : p.initialHex, 8, &initial))
        return fail(T::serialInitial());
    if (p.increment < 1 || p.increment > 255)
        return fail(T::serialIncrement());
    out.toFlash = p.serialToFlash;
    out.address = int(address);
    out.increment = p.increment;
    out.next = initial;
    return true;
}

bool ProgramJob::ticked(ProgramStep step) const {
    for (const StepOption& s : kOrder)
        if (s.step == step)
            return s.option < 0 || options[s.option];
    return false;
}

QList<ProgramStep> ProgramJob::steps() const {
    QList<ProgramStep> out;
    for (const StepOption& s : kOrder)
        if (s.option < 0 || options[s.option])
            out << s.step;
    return out;
}

ProgramJob jobFromSession(Session& s, Ui& ui, const JobSource& source) {
    ProgramJob job;
    job.options = s.options;
    job.scheme = source.scheme;
    // The files first: what they give is the job's image.
    if (source.loadFiles && s.options[OptReloadFiles]) {
        for (int m = 0; m < 2; ++m) {
            if (!needed(job, m) || s.fileName[m].isEmpty())
                continue;
            QString path = s.fileName[m];
            const LoadResult r = m == 0 ? LoadFlashFile(s, ui, path) : LoadEepromFile(s, ui, path);
            job.loadFailed[m] = r != LoadResult::Loaded;
        }
    }
    job.chip = s.chip;
    job.chipModel = s.selectedChipModel;
    job.fileName = s.fileName;
    job.image = {s.FlashBufferText.toUpper(), s.EepromBufferText.toUpper()};
    for (int m = 0; m < 2; ++m)
        job.otherChip[m] = imageChipRefusal(s, m, m == 0 ? s.FlashBufferText : s.EepromBufferText);
    job.fuses = fusesFromSession(s);
    job.calSlot = s.cal.pickedSlot;
    job.calTarget = s.cal.target == 1 ? 1 : 0;
    job.calAddress = job.calTarget == 1 ? s.cal.eepromAddress : s.cal.flashAddress;
    if (source.serial) {
        job.serial.enabled = serialFromPanel(s.offline, s.chip.FlashSize, s.chip.EepromSize,
                                             job.serial, &job.serialProblem);
    }
    return job;
}

QStringList checkJob(const ProgramJob& job) {
    QStringList problems;
    for (int m = 0; m < 2; ++m) {
        if (!needed(job, m))
            continue;
        const QString step = userOf(job, m);
        const QString& image = job.image[m];
        if (job.loadFailed[m]) {
            problems << T::notLoaded(step, job.fileName[m]);
        } else if (!job.otherChip[m].isEmpty()) {
            problems << job.otherChip[m];
        } else if (job.options[OptReloadFiles] && job.fileName[m].isEmpty()) {
            problems << T::noFileName(step, memoryName(m));
        } else if (image.isEmpty()) {
            problems << T::noData(step, memoryName(m));
        } else if (!isHexText(image) || image.size() % 2 != 0) {
            problems << T::notHex(memoryName(m));
        } else {
            const int chipBytes = m == 0 ? job.chip.FlashSize : job.chip.EepromSize;
            if (imageBytes(image) > chipBytes)
                problems << T::tooLarge(memoryName(m), imageBytes(image), job.chip.ChipName,
                                        chipBytes);
        }
    }
    for (ProgramStep step : {ProgramStep::WriteFuses, ProgramStep::WriteLock})
        if (job.ticked(step) && !job.fuses.described)
            problems << T::noFuseDescription(programStepCaption(step),
                                             job.fuses.descriptionFile.isEmpty()
                                                 ? job.chip.ChipName + QStringLiteral(".FUS")
                                                 : job.fuses.descriptionFile);
    if (!job.serialProblem.isEmpty())
        problems << job.serialProblem;
    if (!job.scheme.isEmpty())
        for (const QString& file : job.fileName)
            if (!file.isEmpty() && !QFileInfo::exists(file))
                problems << T::schemeFileMissing(file);
    return problems;
}

QStringList describeJob(const ProgramJob& job) {
    QStringList captions;
    for (ProgramStep step : job.steps())
        if (step != ProgramStep::Presence &&
            !(step == ProgramStep::ReloadEeprom && job.ticked(ProgramStep::ReloadFlash)))
            captions << programStepCaption(step);
    QStringList lines{
        T::jobChip(job.chip.ChipName),
        T::jobSteps(captions.isEmpty() ? T::noSteps() : captions.join(QStringLiteral(", ")))};
    for (int m = 0; m < 2; ++m)
        if (needed(job, m))
            lines << T::jobImage(memoryName(m), imageBytes(job.image[m]), job.fileName[m]);
    const JobFuses& f = job.fuses;
    if (job.writesFuses())
        lines << T::jobFuses(f.digits[0], f.digits[1], f.digits[2]);
    if (job.writesLock())
        lines << T::jobLock(f.digits[3]);
    if (job.serial.enabled)
        lines << T::jobSerial(job.serial.toFlash ? memoryName(0) : memoryName(1),
                              hexField(job.serial.address, 4), hexField(job.serial.next, 8));
    return lines;
}

double estimateJobMs(const ProgramJob& job, int baud) {
    const double msPerChar = baud > 0 ? 10000.0 / baud : 0;
    double ms = 100; // the presence test
    if (job.ticked(ProgramStep::Signature))
        ms += 300;
    if (job.ticked(ProgramStep::Erase))
        ms += 100;
    const int flash = imageBytes(job.image[0]);
    const int eeprom = imageBytes(job.image[1]);
    if (job.ticked(ProgramStep::WriteFlash)) {
        const int words = (flash + 1) / 2;
        const int pages =
            (words + qMax<int>(1, job.chip.PageWords) - 1) / qMax<int>(1, job.chip.PageWords);
        ms += 200 + words * (8 * msPerChar + 0.5) + pages * (5 * msPerChar + 5);
    }
    if (job.ticked(ProgramStep::WriteEeprom))
        ms += 10 + eeprom * (10 * msPerChar + 9.5);
    if (job.ticked(ProgramStep::VerifyFlash))
        ms += 100 + flash * 2 * msPerChar;
    if (job.ticked(ProgramStep::VerifyEeprom))
        ms += 100 + eeprom * 2 * msPerChar;
    if (job.writesFuses())
        ms += 500;
    if (job.writesLock())
        ms += 200;
    if (job.ticked(ProgramStep::Calibration))
        ms += 500;
    return ms;
}
