#pragma once
// Draws a hex-view line whose bytes differ from the chip: the differing bytes in red, the
// line's address in bold. Other lines are drawn as usual.
#include <QStyledItemDelegate>

class HexLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
