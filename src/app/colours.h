#pragma once
// Colours of notes and hints: muted, yet readable against the window (WCAG contrast).
#include <QColor>
#include <QPalette>

// The contrast ratio of two colours, 1 (same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);
// The palette's text colour moved towards its background as far as a contrast of at least
// 4.5:1 allows (the palette's own text colour when that is already below it).
QColor mutedTextColor(const QPalette& palette);
