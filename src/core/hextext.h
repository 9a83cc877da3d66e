#pragma once
// Texts of numbers as the log and the programmer show them.
#include <QString>

// Pads text with fill characters up to width, on the left when padLeft is true.
QString padText(const QString& text, QChar fill, int width, bool padLeft);
// Upper-case hexadecimal, zero-padded on the left to width; wider values are not cut.
QString hexField(qint64 value, int width);
