#include "ops/program.h"

#include "core/opcontext.h"
#include "fuses/fuseops.h"
#include "image/loader.h"
#include "ops/calibration.h"
#include "ops/eepromops.h"
#include "ops/flashops.h"
#include "ops/identify.h"
#include "ops/imagecheck.h"
#include "ops/opstexts.h"

ProgramOutcome ProgramChip(OpContext& c, bool endAtFailedVerify) {
    ProgramOutcome out;
    const auto& opt = c.session.options;
    // An image from a file built for another chip is refused before the first frame.
    for (int m = 0; m < 2; ++m) {
        const bool used = opt[m == 0 ? OptWriteFlash : OptWriteEeprom] ||
                          opt[m == 0 ? OptVerifyFlash : OptVerifyEeprom];
        const QString& image = m == 0 ? c.session.FlashBufferText : c.session.EepromBufferText;
        if (used && !imageIsForChip(c, m, image)) {
            out.otherChip = true;
            return out;
        }
    }
    if (!PresenceTest(c))
        return out;
    out.targetPresent = true;
    if (opt[OptCheckSignature] && !SignatureCheck(c)) {
        out.signatureOk = false;
        return out;
    }
    if (opt[OptErase])
        EraseChip(c);

    // A reload that did not give the whole file skips the write (and the verify) of that
    // memory: "NO" (no such file) as well as a file that was refused.
    bool writeFlash = opt[OptWriteFlash];
    if (opt[OptReloadFiles]) {
        QString path = c.session.fileName[0];
        if (LoadFlashFile(c.session, c.ui, path) != LoadResult::Loaded) {
            out.flashLoadFailed = true;
            writeFlash = false;
        }
    }
    if (writeFlash && !WriteFlash(c))
        out.flashRefused = true;

    bool writeEeprom = opt[OptWriteEeprom];
    if (opt[OptReloadFiles]) {
        QString path = c.session.fileName[1];
        if (LoadEepromFile(c.session, c.ui, path) != LoadResult::Loaded) {
            out.eepromLoadFailed = true;
            writeEeprom = false;
        } else if (c.session.EepromBufferText.isEmpty() &&
                   (writeEeprom || opt[OptVerifyEeprom])) {
            // A file without data (the .eep of a program without EEPROM data) leaves the
            // ticked EEPROM steps nothing to do: they fail as for a file that did not load.
            c.log(OpsTexts::eepromEmpty());
            out.eepromLoadFailed = true;
            writeEeprom = false;
        }
    }
    if (writeEeprom && !WriteEeprom(c))
        out.eepromRefused = true;

    // A file that did not load leaves the image of before in place: a verify against that
    // would judge the chip by an image nobody asked for, and could pass.
    const auto failed = [&] {
        return endAtFailedVerify && (out.flashRefused || out.eepromRefused ||
                                     out.flashVerifyFailed || out.eepromVerifyFailed);
    };
    if (opt[OptVerifyFlash] && !out.flashLoadFailed && !failed() && !VerifyFlash(c))
        out.flashVerifyFailed = true;
    if (opt[OptVerifyEeprom] && !out.eepromLoadFailed && !failed() && !VerifyEeprom(c))
        out.eepromVerifyFailed = true;
    if (failed())
        return out;
    if (opt[OptWriteFuses] && !WriteFuses(c))
        out.fusesRefused = true;
    if (opt[OptWriteLock])
        WriteLock(c);
    if (opt[OptCalibration]) {
        ReadOA(c);
        out.calibrationWritten = WriteOA(c);
    }
    return out;
}
