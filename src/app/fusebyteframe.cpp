#include "app/fusebyteframe.h"

#include <QMouseEvent>

FuseByteFrame::FuseByteFrame(int index, QWidget* parent) : QGroupBox(parent), m_index(index) {
    setObjectName(QStringLiteral("Frame1_%1").arg(index));
}

void FuseByteFrame::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        event->accept();
        Q_EMIT doubleClicked(m_index);
        return;
    }
    QGroupBox::mouseDoubleClickEvent(event);
}
