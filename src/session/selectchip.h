#pragma once
#include <QString>

class Session;

// Makes the row named name the current chip (ATMEGA8 for a name in no row), shows it in
// the "MCUtypes" panel and SEL_MCUTYPE, stores the name as given, and resets the
// calibration and single-byte address ranges to the new chip's memories.
void SelectChip(Session& session, const QString& name);

// " ATMEGA8　FLASH:8192　EEPROM:512　ID:1E9307"
QString mcuTypesText(const QString& chipName);
