#pragma once
// The toolbar's programmer-maintenance items with their dialogs: "UPDATE" (the firmware
// update window "升级固件") and "UPEEPROM".
class QWidget;
struct AppContext;

void StartFirmwareUpdate(QWidget* parent, AppContext& app);
void UpdateProgrammerEepromInteractive(QWidget* parent, AppContext& app);
