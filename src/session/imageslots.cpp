#include "session/imageslots.h"

#include "image/images.h"
#include "image/summarytexts.h"
#include "session/filechip.h"
#include "session/session.h"

void ClearFlash(Session& session) {
    session.fileName[0].clear();
    session.FlashBufferText.clear();
    session.flashSizePanel = flashSizeText(0);
    session.notifyFlash();
}

void ClearEeprom(Session& session) {
    session.fileName[1].clear();
    session.EepromBufferText.clear();
    session.eepromSizePanel = eepromSizeText(0);
    session.notifyEeprom();
}

ImageSummary logImageSummary(Session& session, bool eeprom, const QByteArray& used,
                             const ChipBytes& fileChip) {
    const QString& image = eeprom ? session.EepromBufferText : session.FlashBufferText;
    const int chipBytes = eeprom ? session.chip.EepromSize : session.chip.FlashSize;
    ImageSummary s = summarizeImage(image, used, chipBytes);
    s.fileChip = fileChip;
    session.loadSummary[eeprom ? 1 : 0] = s;
    for (const QString& line : summaryLines(
             s, eeprom ? QStringLiteral("EEPROM") : QStringLiteral("FLASH"), session.chip.ChipName))
        session.log.logMessage(line);
    const QString other = chipMismatch(fileChip, session.chip);
    if (!other.isEmpty())
        session.log.logMessage(SummaryTexts::notForThisChip(other));
    return s;
}
