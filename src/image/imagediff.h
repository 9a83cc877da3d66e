#pragma once
// Every byte in which a read-back differs from the image, as runs of addresses.
#include "image/byteranges.h"

#include <QString>

struct ImageDiff {
    int compared = 0;  // bytes of the image
    int differing = 0; // bytes that differ (a byte missing from the read-back counts)
    QVector<ByteRange> ranges;
    QString chipText; // the read-back (hex digit pairs), kept when something differs
    int first() const { return ranges.isEmpty() ? -1 : ranges.first().first; }
    // The chip's byte at address as two digits, "--" where the read-back ended before it.
    QString chipByte(int address) const {
        const QString b = chipText.mid(qsizetype(address) * 2, 2);
        return b.size() == 2 ? b : QStringLiteral("--");
    }
    bool same() const { return differing == 0; }
};

// Compares image with back two digits at a time over the image's length; extra digits in
// back are ignored. A pair differs as text (the first difference is the one the verify box
// names).
ImageDiff diffImages(const QString& image, const QString& back);
