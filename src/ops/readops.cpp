#include "ops/readops.h"

#include "core/phases.h"
#include "image/images.h"
#include "link/answer.h"
#include "link/frames.h"
#include "ops/identify.h"
#include "ops/opstexts.h"
#include "ops/readback.h"
#include "session/opcontext.h"

namespace {

// The answer when it is the whole memory as hexadecimal text, in upper case; otherwise ""
// after a log line that says how far it went. A read cut short, one character too long (a
// stray character in front shifts every byte), or with noise in it, is no image: it must not
// replace the one held, nor a file saved from it.
QString checkedAnswer(OpContext& c, const QString& answer, int chipBytes) {
    const HexAnswer a = checkHexAnswer(answer, qsizetype(chipBytes) * 2);
    switch (a.fault) {
    case HexAnswer::Whole:
        return answer.toUpper();
    case HexAnswer::NotHex:
        c.log(OpsTexts::readNotHex(int(a.at / 2), chipBytes));
        break;
    case HexAnswer::TooLong:
        c.log(OpsTexts::readTooLong(int(a.got), chipBytes));
        break;
    case HexAnswer::Nothing:
    case HexAnswer::Short:
        c.log(OpsTexts::readShort(int(a.got / 2), chipBytes));
        break;
    }
    settleInput(c.link); // the rest of it must not lead the next answer
    return QString();
}

bool readMemory(OpContext& c, bool eeprom) {
    if (!PresenceTest(c))
        return false;
    Session& s = c.session;
    const int size = eeprom ? s.chip.EepromSize : s.chip.FlashSize;
    c.link.drainInput();
    c.link.sendCommand(eeprom ? Frames::readEeprom(size) : Frames::readFlash(size));
    c.log(eeprom ? OpsTexts::readingEeprom() : OpsTexts::readingFlash());
    const QString answer = collectReadBack(c, eeprom ? Progress::Eeprom : Progress::Flash, size,
                                           eeprom ? Phases::readEeprom() : Phases::readFlash());
    const QString image = checkedAnswer(c, answer, size);
    if (image.isEmpty())
        return false;
    if (eeprom) {
        s.EepromBufferText = image;
        s.eepromSizePanel = QStringLiteral("EEPROM:") + QString::number(imageBytes(image));
        s.notifyEeprom();
    } else {
        s.FlashBufferText = image;
        s.flashSizePanel = QStringLiteral("FLASH:") + QString::number(imageBytes(image));
        s.notifyFlash();
    }
    return true;
}

} // namespace

bool ReadFlash(OpContext& c) {
    return readMemory(c, false);
}

bool ReadEeprom(OpContext& c) {
    return readMemory(c, true);
}
