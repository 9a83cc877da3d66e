#pragma once
// Fonts of the window: the hex views use "宋体" where the system has it, else a
// monospaced CJK font; the rest of the window a CJK sans font.
#include <QFont>

QFont hexViewFont();
QFont windowFont();
