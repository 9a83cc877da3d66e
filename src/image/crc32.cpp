#include "image/crc32.h"

#include "core/hextext.h"

#include <array>

namespace {
std::array<quint32, 256> makeTable() {
    std::array<quint32, 256> t{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[i] = c;
    }
    return t;
}
} // namespace

quint32 crc32Of(const QByteArray& bytes) {
    static const std::array<quint32, 256> table = makeTable();
    quint32 c = 0xFFFFFFFFu;
    for (char ch : bytes)
        c = table[(c ^ quint8(ch)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

QString imageCrcText(const QString& image) {
    if (image.isEmpty())
        return QString();
    return hexField(crc32Of(QByteArray::fromHex(image.toLatin1())), 8);
}
