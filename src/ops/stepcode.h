#pragma once
// The steps of a program run by their language-free codes: what the JSON events, the CSV
// and a failed chip's record name. The captions beside them are what people read.
#include <QString>


namespace StepCode {
inline const QString presence = QStringLiteral("presence");
inline const QString signature = QStringLiteral("signature");
inline const QString erase = QStringLiteral("erase");
inline const QString reloadFlash = QStringLiteral("reload_flash");
inline const QString reloadEeprom = QStringLiteral("reload_eeprom");
inline const QString writeFlash = QStringLiteral("write_flash");
inline const QString writeEeprom = QStringLiteral("write_eeprom");
inline const QString verifyFlash = QStringLiteral("verify_flash");
inline const QString verifyEeprom = QStringLiteral("verify_eeprom");
inline const QString writeFuses = QStringLiteral("write_fuses");
inline const QString writeLock = QStringLiteral("write_lock");
inline const QString calibration = QStringLiteral("calibration");
inline const QString serial = QStringLiteral("serial");
} // namespace StepCode

// The caption of a step code, as the window names the step ("校验FLASH").
QString stepCaption(const QString& code);
