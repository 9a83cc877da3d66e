#include "app/fuseoptiontree.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {
constexpr int kTextMargin = 3;
constexpr int kFlags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignVCenter;
} // namespace

QRect fuseOptionTextRect(const QStyleOptionViewItem& option, const QWidget* widget) {
    const QStyle* style = widget ? widget->style() : QApplication::style();
    return style->subElementRect(QStyle::SE_ItemViewItemText, &option, widget)
        .adjusted(kTextMargin, 0, -kTextMargin, 0);
}

int wrappedTextHeight(const QString& text, const QFont& font, int width) {
    const QFontMetrics fm(font);
    return fm.boundingRect(QRect(0, 0, qMax(1, width), 100000), kFlags, text).height();
}

namespace {
// Row heights follow the wrapped caption at the tree's present width; the caption is
// drawn by the delegate itself, so that what is measured is what is drawn.
class WrappingDelegate : public QStyledItemDelegate {
  public:
    explicit WrappingDelegate(QTreeWidget* tree) : QStyledItemDelegate(tree), m_tree(tree) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QSize single = QStyledItemDelegate::sizeHint(opt, index);
        const int width = m_tree->viewport()->width();
        opt.rect = QRect(0, 0, width, single.height());
        const int text =
            wrappedTextHeight(opt.text, opt.font, fuseOptionTextRect(opt, m_tree).width());
        const int lineHeight = QFontMetrics(opt.font).height();
        return QSize(width, qMax(single.height(), text + single.height() - lineHeight + 2));
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        const QRect textRect = fuseOptionTextRect(opt, m_tree);
        // Background, check box, image and focus from the style; the caption from here.
        opt.text.clear();
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

        const bool selected = opt.state & QStyle::State_Selected;
        const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                           : (opt.state & QStyle::State_Active)
                                               ? QPalette::Active
                                               : QPalette::Inactive;
        QColor colour =
            opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
        const QVariant fg = index.data(Qt::ForegroundRole);
        if (fg.canConvert<QBrush>() && !selected && group != QPalette::Disabled)
            colour = fg.value<QBrush>().color();
        painter->save();
        painter->setPen(colour);
        painter->setFont(opt.font);
        painter->drawText(textRect, kFlags, text);
        painter->restore();
    }

  private:
    QTreeWidget* m_tree;
};
} // namespace

FuseOptionTree::FuseOptionTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("TreeView1"));
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setIndentation(0);
    setUniformRowHeights(false);
    setWordWrap(true);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    header()->setStretchLastSection(true);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new WrappingDelegate(this));
}

void FuseOptionTree::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    // The wrap width changed: every row's height is measured again.
    scheduleDelayedItemsLayout();
}
