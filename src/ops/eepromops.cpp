#include "ops/eepromops.h"

#include "core/opcontext.h"
#include "core/phases.h"
#include "image/images.h"
#include "link/frames.h"
#include "ops/imagecheck.h"
#include "ops/opstexts.h"
#include "ops/readback.h"
#include "ops/verifyreport.h"

bool WriteEeprom(OpContext& c) {
    QString image = c.session.EepromBufferText;
    if (image.isEmpty())
        return true;
    if (!imageFitsChip(c, image, c.session.chip.EepromSize, QStringLiteral("EEPROM")))
        return false;
    image = image.toUpper();
    c.log(OpsTexts::writingEeprom());
    const int bytes = imageBytes(image);
    for (int a = 0; a < bytes; ++a) {
        c.link.sendCommand(Frames::writeEepromByte(image.mid(qsizetype(a) * 2, 2), a));
        c.ui.progressBytes(QStringLiteral("EepromProgressBar"), Phases::writeEeprom(), a + 1,
                           bytes);
        c.link.waitForMarker(50, QStringLiteral("!"));
    }
    c.ui.progress(QStringLiteral("EepromProgressBar"), 100);
    c.log(OpsTexts::eepromWritten());
    c.link.delayMs(10);
    c.link.drainInput();
    return true;
}

bool VerifyEeprom(OpContext& c) {
    const QString& image = c.session.EepromBufferText;
    const int n = imageBytes(image);
    if (n == 0) {
        c.log(OpsTexts::eepromEmpty());
        return true;
    }
    c.link.drainInput();
    c.link.sendCommand(Frames::readEeprom(n));
    c.log(OpsTexts::verifyingEeprom());
    const QString back = collectReadBack(c, QStringLiteral("EepromProgressBar"), n,
                                         ReadBackPacing{0, 5, 1, 50}, Phases::verifyEeprom());
    if (!reportVerify(c, true, image, back))
        return false;
    c.log(OpsTexts::eepromVerified());
    return true;
}
