#pragma once
// Collecting a memory read ("RF00…#", "RE00…#") that the programmer answers as one stream
// of hex text: poll until a pause finds the input empty.
#include <QString>

struct OpContext;

struct ReadBackPacing {
    double initialMs; // once, before the first read
    double beforeMs;  // before each read
    double afterMs;   // after each read (the pause that ends the stream when it stays empty)
    // Up to this long for the first character, before the polling starts (ends as soon as
    // it comes). The EEPROM reads poll every few milliseconds; a serial adapter that hands
    // characters on only every 16 ms, or a busy host, must not end them before they began.
    double firstInputMs = 0;
};

// Reads until a whole polling interval (before + after) brings no input, moving bar to
// (characters × 50 / bytes).
// Stops as soon as 2 × bytes characters are in: the rest would be ignored, and a
// programmer that keeps talking must not keep the operation (and its memory) growing.
// phase names the step for Ui::progressBytes ("校验FLASH", "读取EEPROM", ...).
QString collectReadBack(OpContext& c, const QString& bar, int bytes, const ReadBackPacing& pacing,
                        const QString& phase = QString());
