#include "session/selectchip.h"

#include "chips/chiptable.h"
#include "core/settings.h"
#include "session/session.h"

QString mcuTypesText(const QString& chipName) {
    const ChipInfo& c = ChipTable::byName(chipName);
    return u' ' + c.ChipName + QStringLiteral("　FLASH:") + QString::number(c.FlashSize) +
           QStringLiteral("　EEPROM:") + QString::number(c.EepromSize) + QStringLiteral("　ID:") +
           c.SignatureText;
}

void SelectChip(Session& s, const QString& name) {
    s.chip = ChipTable::byName(name);
    s.selectedChipModel = name;
    s.mcuTypesPanel = mcuTypesText(name);
    if (s.settings)
        s.settings->write(SettingsKeys::ChipModel, name);
    s.selChipLabel = s.chip.ChipName;

    s.cal.flashMax = s.chip.FlashSize - 1;
    s.cal.eepromMax = s.chip.EepromSize - 1;
    s.cal.flashAddress = QString::number(s.cal.flashMax);
    s.cal.eepromAddress = QString::number(s.cal.eepromMax);

    s.single.max = {s.chip.FlashSize / 2 - 1, s.chip.EepromSize - 1};
    s.single.address = {QString::number(s.single.max[0]), QString::number(s.single.max[1])};
    s.notifyChip();
    s.notifyPanels();
}
