#pragma once
// The hex view of an image: one line per 16 bytes, "0000", U+3000, up to 32 digits.
#include <QString>
#include <QStringList>

// The fixed header above each view: four U+3000, the column digits, a blank, U+3000, a blank.
QString hexViewHeader();
// Every line of the image, in address order. An image of 20 bytes gives two lines, the
// second with 8 digits.
QStringList hexViewLines(const QString& image);
// The line count of an image, and line n (0-based) alone, for views that draw lazily.
int hexViewLineCount(const QString& image);
QString hexViewLine(const QString& image, int line);
