#include "image/hexwriter.h"

#include <QFileInfo>

namespace {

QByteArray record(int type, int address, const QByteArray& data) {
    QByteArray raw;
    raw.append(char(data.size()));
    raw.append(char((address >> 8) & 0xFF));
    raw.append(char(address & 0xFF));
    raw.append(char(type));
    raw.append(data);
    quint8 sum = 0;
    for (char c : raw)
        sum = quint8(sum + quint8(c));
    raw.append(char(quint8(0x100 - sum)));
    return ':' + raw.toHex().toUpper() + "\r\n";
}

} // namespace

QByteArray intelHexText(const QString& image) {
    const QByteArray bytes = QByteArray::fromHex(image.toLatin1());
    QByteArray out;
    constexpr int perRecord = 16;
    for (int a = 0; a < bytes.size(); a += perRecord) {
        if (a > 0 && (a & 0xFFFF) == 0) // beyond 64 KB: an extended linear address record
            out += record(0x04, 0, QByteArray{char((a >> 24) & 0xFF), char((a >> 16) & 0xFF)});
        const QByteArray chunk = bytes.mid(a, perRecord);
        const bool last = a + perRecord >= bytes.size();
        if (!last && chunk.count(char(0xFF)) == chunk.size())
            continue;
        out += record(0x00, a & 0xFFFF, chunk);
    }
    out += ":00000001FF\r\n";
    return out;
}

bool isHexFileName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == u"hex" || suffix == u"eep";
}
