#pragma once
// One bit value label of the fuse page (Label1(p)): "0" in red, "1" in black, "*" greyed
// out and disabled. A click on an enabled label asks for the bit to be toggled.
#include <QLabel>

class FuseBitLabel : public QLabel {
    Q_OBJECT
  public:
    explicit FuseBitLabel(int position, QWidget* parent = nullptr);

    int position() const { return m_position; }
    // Shows the caption with its colour; enabled tells whether the chip has the bit.
    void showBit(const QString& caption, bool enabled);

  Q_SIGNALS:
    void clicked(int position);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    int m_position;
    bool m_pressed = false;
};
