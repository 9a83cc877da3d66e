#pragma once
// Runs of byte addresses, as the verify report and the image summary show them:
// "0000–1E73, 7FF0–7FFF".
#include <QByteArray>
#include <QString>
#include <QVector>

struct ByteRange {
    int first = 0;
    int last = 0; // inclusive
    int size() const { return last - first + 1; }
    bool operator==(const ByteRange& o) const { return first == o.first && last == o.last; }
};

// The runs of non-zero bytes of mask (one byte per address).
QVector<ByteRange> rangesOfMask(const QByteArray& mask);
// Sum of the sizes.
int rangesBytes(const QVector<ByteRange>& ranges);
// "0000–1E73, 7FF0–7FFF": the first limit runs; when there are more, "… (共 N 段)" follows.
QString rangesText(const QVector<ByteRange>& ranges, int limit = 10);
// True when address lies in one of the (sorted, disjoint) ranges.
bool rangesContain(const QVector<ByteRange>& ranges, int address);
