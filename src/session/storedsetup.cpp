#include "session/storedsetup.h"

#include "chips/chiptable.h"
#include "core/settings.h"
#include "session/selectchip.h"
#include "session/session.h"

QString designedProgramOptions() {
    return QStringLiteral("1100011010");
}

void LoadStoredSetup(Session& s, const SettingsStore& st, const QString& chipOverride,
                     MessageLog* log) {
    const QString stored = st.read(SettingsKeys::ChipModel);
    const QString chip = chipOverride.isEmpty() ? stored : chipOverride;
    SelectChip(s, chip);
    s.fuses.LoadFuseDescription(s.chip.ChipName + QStringLiteral(".FUS"), log);
    QString fuseText = st.read(SettingsKeys::FuseBits);
    if (fuseText.size() <= 31 || (!chipOverride.isEmpty() && chipOverride != stored))
        fuseText = s.fuses.defaultFuseText();
    s.fuses.ApplyFuseText(fuseText);

    s.setOptionsText(designedProgramOptions());
    s.setOptionsText(st.read(SettingsKeys::ProgramOptions));
    s.fileName = {};
    if (s.options[OptReloadFiles]) {
        s.fileName[0] = st.read(SettingsKeys::FlashFile);
        s.fileName[1] = st.read(SettingsKeys::EepromFile);
    }

    CalibrationPanel& cal = s.cal;
    // The option buttons are usable until a read fills the slots.
    cal.slotEnabled = {true, true, true, true};
    const int hz = st.calFrequency();
    cal.pickedSlot = hz >= 0 && hz < 4 ? hz : -1;
    cal.target = st.calTarget() == 1 ? 1 : 0;
    // A stored address beyond the chip's memory is taken back to its last byte.
    auto clamp = [](const QString& text, qint32 max) {
        return lenientDecimal(text) > max ? QString::number(max) : text;
    };
    cal.flashAddress = clamp(st.calFlashAddress(), cal.flashMax);
    cal.eepromAddress = clamp(st.calEepromAddress(), cal.eepromMax);
    s.notifyPanels();
}
