#pragma once
// "读取FLASH" / "读取EEPROM": the whole memory of the current chip into its image, replacing
// what it held. Bodies of operations: the entry points wrap them in runOperation() with the
// controls "ReadFlash" / "ReadEEPROM".
struct OpContext;

// The image (and its size panel) is replaced only by a complete read: the whole memory as
// hexadecimal text. Returns false, with the image untouched, when no target answered the
// presence test ("无目标芯片或无连接!") or the answer was short or not hexadecimal (logged
// with the count that came): a file may be saved from the image only after a true.
bool ReadFlash(OpContext& c);
bool ReadEeprom(OpContext& c);
