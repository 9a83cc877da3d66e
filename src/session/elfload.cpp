#include "session/elfload.h"

#include "core/texts.h"
#include "core/ui.h"
#include "image/elfloader.h"
#include "image/images.h"
#include "image/summarytexts.h"
#include "session/filechip.h"
#include "session/imageslots.h"
#include "session/session.h"

namespace {

void takeEeprom(Session& s, const ElfImage& e) {
    s.EepromBufferText = e.eeprom;
    s.eepromSizePanel = eepromSizeText(imageBytes(e.eeprom));
    logImageSummary(s, true, e.eepromUsed, e.chip);
    s.notifyEeprom();
}

} // namespace

bool LoadElfInto(Session& s, Ui& ui, const QByteArray& bytes, const QString& originalPath,
                 bool eeprom, const QString& readError) {
    ElfImage e;
    QString why;
    if (!ReadElf(bytes, e, &why)) {
        s.log.logMessage(why);
        ui.warning(Texts::warningTitle(), readError);
        return false;
    }
    s.log.logMessage(SummaryTexts::elfSections(e.sections.join(QStringLiteral(", ")),
                                               e.leftOut.join(QStringLiteral(", "))));
    if (e.chip.device.isEmpty())
        s.log.logMessage(SummaryTexts::elfNoDevice(s.chip.ChipName));
    if (eeprom) {
        takeEeprom(s, e);
        return true;
    }
    s.FlashBufferText = e.flash;
    s.flashSizePanel = flashSizeText(imageBytes(e.flash));
    logImageSummary(s, false, e.flashUsed, e.chip);
    if (!e.eeprom.isEmpty()) {
        s.fileName[1] = originalPath;
        takeEeprom(s, e);
    }
    TakeFileFuses(s, e.chip, QStringLiteral("ELF"));
    s.notifyFlash();
    return true;
}
