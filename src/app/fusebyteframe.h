#pragma once
// One byte frame of the fuse page (Frame1(i)): its caption carries the byte's value, and a
// double click anywhere on it asks for the chip's default fuse bits.
#include <QGroupBox>

class FuseByteFrame : public QGroupBox {
    Q_OBJECT
  public:
    explicit FuseByteFrame(int index, QWidget* parent = nullptr);

  Q_SIGNALS:
    void doubleClicked(int index);

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    int m_index;
};
