#pragma once
// The status bar's "COMStatus" panel. Its text stays whole (text(), the tooltip); what is
// drawn gives way where the panel is too narrow: the port name is cut in its middle
// (/dev/serial/by-id/usb-…-port0), so that the line settings after the ":" stay in view.
#include <QLabel>

class PortStatusLabel : public QLabel {
    Q_OBJECT
  public:
    explicit PortStatusLabel(QWidget* parent = nullptr);
    void setStatus(const QString& text);
    // What the panel shows at its present width.
    QString shownText() const { return shownText(contentsRect().width()); }
    QString shownText(int width) const;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};
