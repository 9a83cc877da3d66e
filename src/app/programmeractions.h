#pragma once
// The toolbar's programmer-maintenance items with their dialogs: "UPDATE" (the firmware
// update window "升级固件"), "UPEEPROM" and "FIRMWARE".
class QWidget;
struct AppContext;

// "UPDATE": the file dialog "二进制文件 (*.BIN)", then the modal window "升级固件" on the file.
void StartFirmwareUpdate(QWidget* parent, AppContext& app);
// "UPEEPROM": the connection check, the file dialog, then the programmer's EEPROM data.
void UpdateProgrammerEepromInteractive(QWidget* parent, AppContext& app);
// "FIRMWARE": the running firmware hands over to its loader.
void EnterFirmwareLoaderInteractive(QWidget* parent, AppContext& app);
