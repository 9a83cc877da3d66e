#include "offline/offlinestore.h"

#include "core/settings.h"
#include "offline/numberconverter.h"
#include "session/session.h"

namespace {
const QString kFlash = QStringLiteral("FLASH");
const QString kEeprom = QStringLiteral("EEPROM");

void readTarget(const SettingsStore& store, const char* const key[2], bool& toFlash) {
    const QString v = store.read(key).trimmed().toUpper();
    if (v == kFlash)
        toFlash = true;
    else if (v == kEeprom)
        toFlash = false;
}

void readAddress(const SettingsStore& store, const char* const key[2], QString& address) {
    const QString v = store.read(key).trimmed();
    if (!v.isEmpty() && NumberConverter::accepts(NumberConverter::CalFlash, v))
        address = v.toUpper();
}
} // namespace

void LoadOfflinePanel(const SettingsStore& store, OfflinePanel& p) {
    const QString steps = store.read(SettingsKeys::OfflineSteps);
    if (steps.size() == 8 && steps.count(u'0') + steps.count(u'1') == 8)
        for (int n = 0; n < 8; ++n)
            p.steps[n] = steps.at(n) == u'1';
    readTarget(store, SettingsKeys::OfflineCalTarget, p.calToFlash);
    bool ok = false;
    const int slot = store.read(SettingsKeys::OfflineCalSlot).toInt(&ok);
    if (ok && slot >= 0 && slot <= 3)
        p.calSlot = slot;
    readAddress(store, SettingsKeys::OfflineCalFlashAddress, p.calFlashAddress);
    readAddress(store, SettingsKeys::OfflineCalEepromAddress, p.calEepromAddress);
    readTarget(store, SettingsKeys::OfflineSerialTarget, p.serialToFlash);
    readAddress(store, SettingsKeys::OfflineSerialFlashAddress, p.serialFlashAddress);
    readAddress(store, SettingsKeys::OfflineSerialEepromAddress, p.serialEepromAddress);
    const int inc = store.read(SettingsKeys::OfflineIncrement).toInt(&ok);
    if (ok && inc >= 0 && inc <= 255)
        p.increment = inc;
    const QString initial = store.read(SettingsKeys::OfflineInitial).trimmed();
    if (!initial.isEmpty() && NumberConverter::accepts(NumberConverter::Hex, initial)) {
        p.initialHex = initial.toUpper();
        p.initialDecimal = QString::number(BinaryToDecimal(HexToBinary(p.initialHex)));
    }
}

void StoreOfflinePanel(SettingsStore& store, const OfflinePanel& p) {
    QString steps;
    for (bool on : p.steps)
        steps += on ? u'1' : u'0';
    store.write(SettingsKeys::OfflineSteps, steps);
    store.write(SettingsKeys::OfflineCalTarget, p.calToFlash ? kFlash : kEeprom);
    store.write(SettingsKeys::OfflineCalSlot, QString::number(p.calSlot));
    store.write(SettingsKeys::OfflineCalFlashAddress, p.calFlashAddress);
    store.write(SettingsKeys::OfflineCalEepromAddress, p.calEepromAddress);
    store.write(SettingsKeys::OfflineSerialTarget, p.serialToFlash ? kFlash : kEeprom);
    store.write(SettingsKeys::OfflineSerialFlashAddress, p.serialFlashAddress);
    store.write(SettingsKeys::OfflineSerialEepromAddress, p.serialEepromAddress);
    store.write(SettingsKeys::OfflineIncrement, QString::number(p.increment));
    store.write(SettingsKeys::OfflineInitial, p.initialHex);
}
