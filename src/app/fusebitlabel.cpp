#include "app/fusebitlabel.h"

#include <QMouseEvent>

namespace {
const QColor kProgrammedRed(240, 0, 0);
}

FuseBitLabel::FuseBitLabel(int position, QWidget* parent) : QLabel(parent), m_position(position) {
    setObjectName(QStringLiteral("Label1_%1").arg(position));
    setAlignment(Qt::AlignCenter);
    setMinimumWidth(fontMetrics().horizontalAdvance(u'0') * 2 + 4);
    QFont f = font();
    f.setBold(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
}

void FuseBitLabel::showBit(const QString& caption, bool enabled) {
    setText(caption);
    setEnabled(enabled);
    QPalette pal = palette();
    // Anything but "1" reads as a programmed bit and is shown in red.
    const QColor colour = caption == u"1" ? QColor(Qt::black) : kProgrammedRed;
    pal.setColor(QPalette::Active, QPalette::WindowText, colour);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    setPalette(pal);
    setCursor(enabled ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void FuseBitLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void FuseBitLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        event->accept();
        if (isEnabled() && rect().contains(event->position().toPoint()))
            Q_EMIT clicked(m_position);
        return;
    }
    QLabel::mouseReleaseEvent(event);
}
