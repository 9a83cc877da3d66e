#include "image/images.h"

#include "core/texts.h"

QString flashSizeText(int bytes) {
    return QStringLiteral("FLASH:") + QString::number(bytes) + Texts::tr("字节");
}

QString eepromSizeText(int bytes) {
    return QStringLiteral("EEPROM:") + QString::number(bytes) + Texts::tr("字节");
}

static bool isHexDigit(QChar ch) {
    const char16_t u = ch.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F') || (u >= u'a' && u <= u'f');
}

int hexPrefixLength(const QString& text) {
    int n = 0;
    while (n < text.size() && isHexDigit(text[n]))
        ++n;
    return n;
}

bool isHexText(const QString& text) {
    return hexPrefixLength(text) == text.size();
}
