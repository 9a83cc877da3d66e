#include "ops/readops.h"

#include "core/opcontext.h"
#include "core/phases.h"
#include "image/images.h"
#include "link/frames.h"
#include "ops/identify.h"
#include "ops/opstexts.h"
#include "ops/readback.h"

namespace {

// What the programmer sent, up to its first character that is not a hex digit, in upper
// case and in whole bytes. Noise on the line must not become bytes of the image.
QString keptAnswer(OpContext& c, const QString& answer, int chipBytes) {
    QString kept = answer.left(qsizetype(chipBytes) * 2);
    const int hex = hexPrefixLength(kept);
    if (hex < kept.size()) {
        kept.truncate(hex & ~1);
        c.log(OpsTexts::readCutShort(imageBytes(kept)));
    }
    kept.truncate(kept.size() & ~1);
    return kept.toUpper();
}

} // namespace

bool ReadFlash(OpContext& c) {
    if (!PresenceTest(c))
        return false;
    Session& s = c.session;
    const int size = s.chip.FlashSize;
    c.link.drainInput();
    c.link.sendCommand(Frames::readFlash(size));
    c.log(OpsTexts::readingFlash());
    const QString answer = collectReadBack(c, QStringLiteral("FlashProgressBar"), size,
                                           ReadBackPacing{50, 0, 50}, Phases::readFlash());
    s.FlashBufferText = keptAnswer(c, answer, size);
    s.flashSizePanel = QStringLiteral("FLASH:") + QString::number(imageBytes(s.FlashBufferText));
    s.notifyFlash();
    return true;
}

bool ReadEeprom(OpContext& c) {
    if (!PresenceTest(c))
        return false;
    Session& s = c.session;
    const int size = s.chip.EepromSize;
    c.link.drainInput();
    c.link.sendCommand(Frames::readEeprom(size));
    c.log(OpsTexts::readingEeprom());
    const QString answer = collectReadBack(c, QStringLiteral("EepromProgressBar"), size,
                                           ReadBackPacing{0, 10, 10, 50}, Phases::readEeprom());
    s.EepromBufferText = keptAnswer(c, answer, size);
    s.eepromSizePanel = QStringLiteral("EEPROM:") + QString::number(imageBytes(s.EepromBufferText));
    s.notifyEeprom();
    return true;
}
