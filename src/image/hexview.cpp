#include "image/hexview.h"

#include "core/hextext.h"

QString hexViewHeader() {
    return QStringLiteral("　　　　0 1 2 3 4 5 6 7 8 9 A B C D E F 　 ");
}

int hexViewLineCount(const QString& image) {
    return int((image.size() + 31) / 32);
}

QString hexViewLine(const QString& image, int line) {
    if (line < 0 || line >= hexViewLineCount(image))
        return QString();
    return hexField(qint64(line) * 16, 4) + QChar(0x3000) + image.mid(qsizetype(line) * 32, 32);
}

QStringList hexViewLines(const QString& image) {
    QStringList lines;
    const int count = hexViewLineCount(image);
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines << hexViewLine(image, i);
    return lines;
}
