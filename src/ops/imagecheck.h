#pragma once
// Checks the write operations make before anything goes on the line.
#include <QString>

struct OpContext;

enum class ImageUse { Write, Verify };
// True when image is hexadecimal text of at most chipBytes bytes; otherwise a warning
// names the fault and nothing may be sent (a larger image would need a count the command's
// four digits cannot carry), or the file it came from was built for another chip.
// memory: "FLASH" or "EEPROM".
bool imageFitsChip(OpContext& c, const QString& image, int chipBytes, const QString& memory,
                   ImageUse use);
// False, with the refusal in the log and a warning, when image (memory 0 flash, 1 EEPROM)
// came from a file built for another chip than the selected one.
bool imageIsForChip(OpContext& c, int memory, const QString& image);
// Byte address of the first pair of image that back does not match (a missing pair counts
// as different; upper and lower case differ), or -1 when all pairs match.
int firstDifference(const QString& image, const QString& back);
