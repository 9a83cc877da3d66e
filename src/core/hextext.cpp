#include "core/hextext.h"

QString padText(const QString& text, QChar fill, int width, bool padLeft) {
    if (text.size() >= width)
        return text;
    const QString pad(width - text.size(), fill);
    return padLeft ? pad + text : text + pad;
}

QString hexField(qint64 value, int width) {
    return padText(QString::number(value, 16).toUpper(), u'0', width, true);
}
