#pragma once
// The Port over a real serial device (COMn on Windows, a device path elsewhere), on the
// wall clock.
#include "core/waketimer.h"
#include "link/port.h"

#include <QElapsedTimer>
#include <QSerialPort>

struct SerialSettings {
    qint32 baud = 115200;
    QChar parity = u'n'; // e, m, n, o, s
    int dataBits = 8;
    QString stopBits = QStringLiteral("1"); // "1", "1.5", "2"

    // "115200,n,8,1"; false for a text the port cannot take.
    static bool parse(const QString& text, SerialSettings* out);
    QString format() const;
    // One character on the line: start bit, data bits, parity bit, stop bits.
    double charMs() const;
};

// Port status text for the status bar: two U+3000, the port name, ":", the settings in
// upper case ("　　COM1:115200,N,8,1").
QString portStatusText(const QString& portName, const QString& settingsText);
// "COM3" for port number 3 on Windows; on other systems the name is the device path.
QString portNameForNumber(int number);

class SerialPort : public Port {
    Q_OBJECT
public:
    explicit SerialPort(const QString& name, QObject* parent = nullptr);

    bool open() override;
    void close() override;
    bool isOpen() const override;
    QString errorString() const override { return m_error; }
    QString portName() const override { return m_name; }
    void setPortName(const QString& name);

    bool setLineSettings(const LineSettings& line) override;
    bool setSettingsText(const QString& text); // false (and errorString) when rejected
    QString settingsText() const { return m_settings.format(); }
    // 0 none, 1 XON/XOFF, 2 RTS/CTS (3 both is taken as RTS/CTS).
    bool setFlowControl(int mode);
    int flowControl() const { return m_flow; }

    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    qint64 bytesAvailable() override;
    double nowMs() const override;
    bool waitForInput(double deadlineMs) override;
    void waitUntil(double deadlineMs) override;
    bool isLost() const override { return m_lost; }
    double charMs() const override { return m_settings.charMs(); }
    QString lineNotice() const override { return m_notice; }

private:
    void applySettings();
    void onError(QSerialPort::SerialPortError error);
    QString describe(QSerialPort::SerialPortError error) const;
    void blockUntil(double deadlineMs, bool stopOnInput);
    qint64 waiting() const; // what has been read in and not yet taken by the caller
    void requestLowLatency();

    QSerialPort m_port;
    QByteArray m_held; // taken from QSerialPort during a wait, not yet read by the caller
    QString m_name;
    QString m_device; // the real device m_name stands for (links followed)
    SerialSettings m_settings;
    int m_flow = 0;
    QString m_error;
    QString m_notice;
    bool m_lost = false;
    QElapsedTimer m_clock;
    WakeTimer m_wake; // ends a wait at its deadline
};
