#pragma once
// The lines of a hex view as a list model: the view asks only for the rows it shows, so a
// 32 KB image (2,048 lines) fills at once. After a verify that found differences, each
// line also tells which of its 16 bytes differ (DiffMaskRole).
#include "image/byteranges.h"

#include <QAbstractListModel>
#include <QStringList>

class HexLineModel : public QAbstractListModel {
    Q_OBJECT
  public:
    // Bit b set: byte b of the line differs from the chip.
    static constexpr int DiffMaskRole = Qt::UserRole + 1;

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Replaces every line at once (one model reset, not one insert per line); the marks
    // of differing bytes go with the old lines.
    void setLines(const QStringList& lines);
    const QStringList& lines() const { return m_lines; }

    // The differing bytes and what the chip holds (its read-back as hex digit pairs): a
    // marked line's tooltip names each differing byte with the file's value and the chip's.
    void setDiff(const QVector<ByteRange>& ranges, const QString& chipText = QString());
    const QVector<ByteRange>& diff() const { return m_diff; }
    uint diffMask(int line) const;
    // The first line after line (-1: from the top) with a differing byte, wrapping round
    // to the first; -1 when none differs.
    int nextDiffLine(int line) const;

  private:
    QStringList m_lines;
    QVector<ByteRange> m_diff;
    QString m_chip;
    QString diffToolTip(int line) const;
};
