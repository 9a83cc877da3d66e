#include "app/portstatuslabel.h"

#include <QPainter>

PortStatusLabel::PortStatusLabel(QWidget* parent) : QLabel(parent) {}

void PortStatusLabel::setStatus(const QString& text) {
    setText(text);
    setToolTip(text);
}

QString PortStatusLabel::shownText(int width) const {
    const QFontMetrics fm(font());
    if (fm.horizontalAdvance(text()) <= width)
        return text();
    // The ideographic spaces in front go before any of the name does.
    QString full = text();
    while (full.startsWith(QChar(0x3000)))
        full.remove(0, 1);
    if (fm.horizontalAdvance(full) <= width)
        return full;
    const int colon = full.lastIndexOf(u':');
    int lead = 0; // the U+3000 before the name stay
    while (lead < colon && full.at(lead) == QChar(0x3000))
        ++lead;
    if (colon <= lead)
        return fm.elidedText(full, Qt::ElideMiddle, width);
    const QString head = full.left(lead);
    const QString tail = full.mid(colon);
    const int forName = qMax(width - fm.horizontalAdvance(head + tail), 0);
    return head + fm.elidedText(full.mid(lead, colon - lead), Qt::ElideMiddle, forName) + tail;
}

QSize PortStatusLabel::minimumSizeHint() const {
    const QString full = text();
    const int colon = qMax(full.lastIndexOf(u':'), 0);
    const QFontMetrics fm(font());
    const QMargins m = contentsMargins();
    const int width = fm.horizontalAdvance(full.left(2) + QChar(0x2026) + full.mid(colon));
    return {qMin(width, fm.horizontalAdvance(full)) + m.left() + m.right(),
            QLabel::minimumSizeHint().height()};
}

void PortStatusLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(foregroundRole()));
    const QRect r = contentsRect();
    p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, shownText(r.width()));
}
