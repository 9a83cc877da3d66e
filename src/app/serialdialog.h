#pragma once
// The serial settings dialog ("SetCOM"): port, speed, data bits, parity, stop bits, flow
// control and echo. It only collects the choices; the window applies them.
#include <QDialog>

class QButtonGroup;
class QComboBox;
class QFormLayout;
class QGroupBox;

struct SerialChoices {
    QString portName;     // "COM3", "/dev/ttyUSB0", "sim"
    QString settingsText; // "115200,n,8,1"
    int flowControl = 0;  // 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both
    bool echo = false;
};

class SerialDialog : public QDialog {
    Q_OBJECT
  public:
    SerialDialog(const SerialChoices& current, QWidget* parent = nullptr);
    SerialChoices choices() const;
    // Puts the port back into the list after a failed change.
    void selectPort(const QString& name);

    // Parity list position for the letter of a settings text: e 0, m 1, n 2, o 3, s 4,
    // anything else 0.
    static int parityIndex(QChar letter);

  private:
    QComboBox* buildPortList();
    QFormLayout* buildLineForm();
    QGroupBox* buildFlowBox();
    QGroupBox* buildEchoBox();
    void showChoices(const SerialChoices& current);

    QComboBox* m_port;
    QComboBox* m_speed;
    QComboBox* m_dataBits;
    QComboBox* m_parity;
    QComboBox* m_stopBits;
    QButtonGroup* m_flow;
    QButtonGroup* m_echo;
};
