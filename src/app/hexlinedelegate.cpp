#include "app/hexlinedelegate.h"

#include "app/hexlinemodel.h"

#include <QApplication>
#include <QPainter>

void HexLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    const uint mask = index.data(HexLineModel::DiffMaskRole).toUInt();
    if (mask == 0) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString line = opt.text;
    opt.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    QRect r = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);

    painter->save();
    const bool selected = opt.state & QStyle::State_Selected;
    const QColor normal = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    QFont bold = opt.font;
    bold.setBold(true);
    const int address = int(line.indexOf(QChar(0x3000)));
    auto draw = [&](const QString& text, const QFont& font, const QColor& color, bool boxed) {
        const int width = QFontMetrics(font).horizontalAdvance(text);
        if (boxed)
            painter->fillRect(QRect(r.left(), opt.rect.top() + 1, width, opt.rect.height() - 2),
                              diffBox());
        painter->setFont(font);
        painter->setPen(color);
        painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter, text);
        r.setLeft(r.left() + width);
    };
    draw(line.left(address + 1), bold, normal, false);
    const QString digits = line.mid(address + 1);
    for (int b = 0; b * 2 < digits.size(); ++b) {
        const bool differs = (mask >> b) & 1;
        draw(digits.mid(b * 2, 2), opt.font, differs ? diffText() : normal, differs);
    }
    painter->restore();
}
