#include "app/icons.h"

#include <QPainter>
#include <QPainterPath>

// A chip with pins on two sides and a lightning mark: the high-voltage programmer.
static QPixmap chipPixmap(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xb0, 0xb8, 0xc0));
    for (int i = 0; i < 5; ++i) {
        p.drawRect(QRectF(6, 12 + i * 9, 8, 4));
        p.drawRect(QRectF(50, 12 + i * 9, 8, 4));
    }
    p.setBrush(QColor(0x2e, 0x34, 0x40));
    p.drawRoundedRect(QRectF(13, 6, 38, 52), 4, 4);
    p.setBrush(QColor(0x55, 0x5d, 0x6a));
    p.drawEllipse(QPointF(21, 14), 3, 3);
    QPainterPath bolt;
    bolt.moveTo(36, 14);
    bolt.lineTo(25, 35);
    bolt.lineTo(32, 35);
    bolt.lineTo(28, 50);
    bolt.lineTo(40, 28);
    bolt.lineTo(33, 28);
    bolt.closeSubpath();
    p.setBrush(QColor(0xf5, 0xb8, 0x1b));
    p.drawPath(bolt);
    return pm;
}

QIcon appIcon() {
    QIcon icon;
    for (int s : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(chipPixmap(s));
    return icon;
}

static QPixmap dot(int size, const QColor& fill, bool connected) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(fill.darker(140), 1));
    p.setBrush(fill);
    p.drawEllipse(QRectF(1.5, 1.5, size - 3, size - 3));
    p.setPen(QPen(Qt::white, size / 8.0, Qt::SolidLine, Qt::RoundCap));
    const double a = size * 0.32, b = size * 0.68;
    if (connected) {
        p.drawLine(QPointF(a, size * 0.52), QPointF(size * 0.45, b));
        p.drawLine(QPointF(size * 0.45, b), QPointF(b, a));
    } else {
        p.drawLine(QPointF(a, a), QPointF(b, b));
        p.drawLine(QPointF(a, b), QPointF(b, a));
    }
    return pm;
}

QPixmap connectedPicture(int size) { return dot(size, QColor(0x2e, 0x9d, 0x4f), true); }
QPixmap notConnectedPicture(int size) { return dot(size, QColor(0xc8, 0x3c, 0x3c), false); }
