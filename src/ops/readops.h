#pragma once
// "读取FLASH" / "读取EEPROM": the whole memory of the current chip into its image, replacing
// what it held. Bodies of operations: the entry points wrap them in runOperation() with the
// controls "ReadFlash" / "ReadEEPROM".
struct OpContext;

// Returns false when no target answered the presence test ("无目标芯片或无连接!"; the image is
// left untouched). The image keeps the answer up to its first character that is not a hex
// digit (the read is then logged as cut short there); the size panel shows what was kept.
bool ReadFlash(OpContext& c);
bool ReadEeprom(OpContext& c);
