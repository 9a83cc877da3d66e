#pragma once
// The two images as the session holds them: upper-case hexadecimal digit pairs from
// address 0; the empty text means no data.
#include <QString>

// Byte count of an image (text length / 2).
inline int imageBytes(const QString& image) {
    return int(image.size() / 2);
}
// "FLASH:1000字节" and "EEPROM:512字节".
QString flashSizeText(int bytes);
QString eepromSizeText(int bytes);
// True when every character is an upper-case or lower-case hexadecimal digit.
bool isHexText(const QString& text);
// Length of the leading run of hexadecimal digits.
int hexPrefixLength(const QString& text);
