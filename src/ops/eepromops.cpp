#include "ops/eepromops.h"

#include "core/phases.h"
#include "image/images.h"
#include "link/frames.h"
#include "ops/imagecheck.h"
#include "ops/opstexts.h"
#include "ops/readback.h"
#include "ops/verifyreport.h"
#include "session/opcontext.h"

bool WriteEeprom(OpContext& c) {
    return WriteEepromImage(c, c.session.EepromBufferText, c.session.chip);
}

bool WriteEepromImage(OpContext& c, QString image, const ChipInfo& chip) {
    if (image.isEmpty())
        return true;
    if (!imageFitsChip(c, image, chip.EepromSize, QStringLiteral("EEPROM"), ImageUse::Write))
        return false;
    image = image.toUpper();
    c.log(OpsTexts::writingEeprom());
    const int bytes = imageBytes(image);
    for (int a = 0; a < bytes; ++a) {
        c.link.sendCommand(Frames::writeEepromByte(image.mid(qsizetype(a) * 2, 2), a));
        c.ui.progressBytes(Progress::Eeprom, Phases::writeEeprom(), a + 1,
                           bytes);
        c.link.waitForMarker(50, QStringLiteral("!"));
    }
    c.ui.progress(Progress::Eeprom, 100);
    c.log(OpsTexts::eepromWritten());
    c.link.delayMs(10);
    c.link.drainInput();
    return true;
}

bool VerifyEeprom(OpContext& c) {
    // The image as it was when the verify began (see VerifyFlash).
    return VerifyEepromImage(c, c.session.EepromBufferText, c.session.chip);
}

bool VerifyEepromImage(OpContext& c, const QString& text, const ChipInfo& chip) {
    const QString image = text.toUpper();
    const int n = imageBytes(image);
    if (n == 0) {
        c.log(OpsTexts::eepromEmpty());
        return true;
    }
    if (!imageFitsChip(c, image, chip.EepromSize, QStringLiteral("EEPROM"), ImageUse::Verify))
        return false;
    c.link.drainInput();
    c.link.sendCommand(Frames::readEeprom(n));
    c.log(OpsTexts::verifyingEeprom());
    const QString back =
        collectReadBack(c, Progress::Eeprom, n, Phases::verifyEeprom());
    if (!reportVerify(c, true, image, back))
        return false;
    c.log(OpsTexts::eepromVerified());
    return true;
}
