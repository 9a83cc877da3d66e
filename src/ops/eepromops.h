#pragma once
// EEPROM write and verify, byte by byte. Bodies of operations, as in flashops.h.
#include <QString>

struct ChipInfo;
struct OpContext;

// One "WE" frame per byte, each answered by "!" (waited for up to 50 ms). Nothing happens
// for an empty image; an image larger than the chip's EEPROM is refused with a warning and
// nothing is sent. Returns false when the image was refused.
bool WriteEeprom(OpContext& c);
// Reads back as many bytes as the image holds and compares; true when they match; false
// with the warning "EEPROM地址XXXX数据校验失败！" or, for an empty image, with
// "EEPROM缓冲区无数据！" in the log.
bool VerifyEeprom(OpContext& c);
// The same for an image and a chip taken before (a program run's job).
bool WriteEepromImage(OpContext& c, QString image, const ChipInfo& chip);
bool VerifyEepromImage(OpContext& c, const QString& image, const ChipInfo& chip);
