#include "app/hexlinemodel.h"

#include "link/link.h"

#include <algorithm>

int HexLineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant HexLineModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_lines[index.row()];
    if (role == DiffMaskRole)
        return diffMask(index.row());
    if (role == Qt::ToolTipRole)
        return diffToolTip(index.row());
    return {};
}

QString HexLineModel::diffToolTip(int line) const {
    const uint mask = diffMask(line);
    if (mask == 0)
        return QString();
    const QString digits = m_lines[line].section(QChar(0x3000), 1);
    QStringList rows;
    for (int b = 0; b < 16; ++b) {
        if (!(mask >> b & 1))
            continue;
        const int address = line * 16 + b;
        const QString chip = m_chip.mid(qsizetype(address) * 2, 2);
        rows << tr("%1: 文件 %2, 芯片 %3")
                    .arg(hexField(address, 4), digits.mid(b * 2, 2),
                         chip.size() == 2 ? chip : QStringLiteral("--"));
    }
    return rows.join(u'\n');
}

void HexLineModel::setLines(const QStringList& lines) {
    beginResetModel();
    m_lines = lines;
    m_diff.clear();
    m_chip.clear();
    endResetModel();
}

void HexLineModel::setDiff(const QVector<ByteRange>& ranges, const QString& chipText) {
    m_diff = ranges;
    m_chip = chipText;
    if (!m_lines.isEmpty())
        Q_EMIT dataChanged(index(0), index(int(m_lines.size()) - 1),
                           {DiffMaskRole, Qt::ToolTipRole});
}

uint HexLineModel::diffMask(int line) const {
    if (m_diff.isEmpty())
        return 0;
    const int first = line * 16;
    const int last = first + 15;
    // The first range that ends at or after the line's first byte.
    auto it = std::lower_bound(m_diff.begin(), m_diff.end(), first,
                               [](const ByteRange& r, int a) { return r.last < a; });
    uint mask = 0;
    for (; it != m_diff.end() && it->first <= last; ++it)
        for (int a = qMax(first, it->first); a <= qMin(last, it->last); ++a)
            mask |= 1u << (a - first);
    return mask;
}

int HexLineModel::nextDiffLine(int line) const {
    if (m_diff.isEmpty())
        return -1;
    const int from = (line + 1) * 16;
    auto it = std::lower_bound(m_diff.begin(), m_diff.end(), from,
                               [](const ByteRange& r, int a) { return r.last < a; });
    const int address = it == m_diff.end() ? m_diff.first().first : qMax(from, it->first);
    const int next = address / 16;
    return next < m_lines.size() ? next : -1;
}
