#pragma once
// Chip erase, flash write and flash verify. Each routine is an operation's body: the entry
// points of the window and the CLI wrap it in runOperation() (with the control they
// disable, e.g. "EraserFlash"); the program-chip sequence calls them directly.
#include <QString>

struct ChipInfo;
struct OpContext;

// "EM000000#", a fixed 100 ms, the answer (or "编程器无反应!") in the log.
void EraseChip(OpContext& c);
// Writes FlashBufferText page by page ("WF#", "&" per word that is not FFFF, "$" per page,
// "!#"). Nothing happens for an empty image. An image larger than the chip's flash is
// refused with a warning and nothing is sent; an odd byte count is completed with FF.
// Returns false when the image was refused.
bool WriteFlash(OpContext& c);
// Reads back as many bytes as the image holds and compares. True when they match; false
// (with a warning "FLASH地址XXXX数据校验失败！") at the first difference, and false with
// "FLASH缓冲区无数据！" in the log for an empty image.
bool VerifyFlash(OpContext& c);
// The same for an image and a chip taken before (a program run's job).
bool WriteFlashImage(OpContext& c, QString image, const ChipInfo& chip);
bool VerifyFlashImage(OpContext& c, const QString& image, const ChipInfo& chip);
