#include "app/fuseicons.h"

#include <QPainter>
#include <QPixmap>

namespace {
QPixmap drawFuse(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 16.0;
    // Glass body with the two metal caps and the wire through it.
    p.setPen(QPen(QColor(70, 90, 110), s));
    p.setBrush(QColor(220, 232, 244));
    p.drawRoundedRect(QRectF(3 * s, 5 * s, 10 * s, 6 * s), 1.5 * s, 1.5 * s);
    p.setBrush(QColor(150, 160, 170));
    p.drawRect(QRectF(1 * s, 5 * s, 2.5 * s, 6 * s));
    p.drawRect(QRectF(12.5 * s, 5 * s, 2.5 * s, 6 * s));
    p.setPen(QPen(QColor(200, 60, 30), 1.2 * s));
    p.drawLine(QPointF(3.5 * s, 8 * s), QPointF(12.5 * s, 8 * s));
    return pm;
}
} // namespace

QIcon fuseOptionIcon() {
    static const QIcon icon = [] {
        QIcon i;
        for (int size : {16, 24, 32})
            i.addPixmap(drawFuse(size));
        return i;
    }();
    return icon;
}
