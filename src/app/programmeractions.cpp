#include "app/programmeractions.h"

void StartFirmwareUpdate(QWidget*, AppContext&) {}
void UpdateProgrammerEepromInteractive(QWidget*, AppContext&) {}
