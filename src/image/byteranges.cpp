#include "image/byteranges.h"

#include "core/hextext.h"
#include "core/texts.h"

#include <algorithm>

QVector<ByteRange> rangesOfMask(const QByteArray& mask) {
    QVector<ByteRange> out;
    const int n = int(mask.size());
    for (int i = 0; i < n; ++i) {
        if (!mask[i])
            continue;
        int j = i;
        while (j + 1 < n && mask[j + 1])
            ++j;
        out.append({i, j});
        i = j;
    }
    return out;
}

int rangesBytes(const QVector<ByteRange>& ranges) {
    int n = 0;
    for (const ByteRange& r : ranges)
        n += r.size();
    return n;
}

QString rangesText(const QVector<ByteRange>& ranges, int limit) {
    QStringList parts;
    for (int i = 0; i < ranges.size() && i < limit; ++i) {
        const ByteRange& r = ranges[i];
        parts << (r.first == r.last ? hexField(r.first, 4)
                                    : hexField(r.first, 4) + QChar(0x2013) + hexField(r.last, 4));
    }
    QString text = parts.join(QStringLiteral(", "));
    if (ranges.size() > limit)
        text += Texts::tr(" … (共 %1 段)").arg(ranges.size());
    return text;
}

bool rangesContain(const QVector<ByteRange>& ranges, int address) {
    auto it = std::upper_bound(ranges.begin(), ranges.end(), address,
                               [](int a, const ByteRange& r) { return a < r.first; });
    if (it == ranges.begin())
        return false;
    --it;
    return address <= it->last;
}
