#include "app/hexlinemodel.h"

int HexLineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant HexLineModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_lines[index.row()];
    return {};
}

void HexLineModel::setLines(const QStringList& lines) {
    beginResetModel();
    m_lines = lines;
    endResetModel();
}
