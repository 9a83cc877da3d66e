#pragma once
// The lines of a hex view as a list model: the view asks only for the rows it shows, so a
// 32 KB image (2,048 lines) fills at once.
#include <QAbstractListModel>
#include <QStringList>

class HexLineModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Replaces every line at once (one model reset, not one insert per line).
    void setLines(const QStringList& lines);
    const QStringList& lines() const { return m_lines; }

private:
    QStringList m_lines;
};
