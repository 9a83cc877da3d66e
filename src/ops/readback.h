#pragma once
// Collecting a memory read ("RF00…#", "RE00…#") that the programmer answers as one stream
// of hex text.
#include "core/ui.h"

#include <QString>

struct OpContext;

// Silence that ends a read-back: longer than any pause a working line makes inside an answer
// (a USB adapter's 16 ms latency timer, a busy host).
constexpr double ReadBackSilenceMs = 50;

// Reads until 2 × bytes characters are in, or until ReadBackSilenceMs pass without input
// (before the first character too), moving bar to (characters × 50 / bytes). A late marker
// of an earlier step in front of the answer is dropped. A programmer that keeps talking
// does not keep the operation (and its memory) growing: the rest is left unread.
// phase names the step for Ui::progressBytes ("校验FLASH", "读取EEPROM", ...).
QString collectReadBack(OpContext& c, Progress bar, int bytes, const QString& phase = QString());
