#pragma once
// Draws a hex-view line whose bytes differ from the chip: the differing bytes dark red on a
// light red box of their own, so that they read alike on a selected line and an unselected
// one; the line's address in bold. Other lines are drawn as usual.
#include <QColor>
#include <QStyledItemDelegate>

class HexLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // A differing byte's text and box colours (the same selected or not).
    static QColor diffText() { return QColor(160, 0, 0); }
    static QColor diffBox() { return QColor(255, 215, 215); }
};
