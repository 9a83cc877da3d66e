#pragma once
// "比较": reads the chip and compares it with the images, reporting as a verify does (the
// box for the first difference, every differing range in the log), without writing.
struct OpContext;

struct CompareOutcome {
    bool present = false;
    bool flashSame = true; // true also when not compared
    bool eepromSame = true;
    bool ok() const { return present && flashSame && eepromSame; }
};

// Compares flash and/or EEPROM (an empty image is reported as empty and not read).
CompareOutcome CompareChip(OpContext& c, bool flash, bool eeprom);
