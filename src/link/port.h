#pragma once
// The byte pipe to the programmer, together with the clock that its waits run on.
// SerialPort runs on wall-clock time; the simulated programmer (SimPort) can run on a
// virtual clock, so that the waits of an operation cost no real time in tests.
#include <QByteArray>
#include <QObject>
#include <QString>

// The line as the user sets it: "115200,n,8,1" and the flow control (0 none, 1 XON/XOFF,
// 2 RTS/CTS; 3, both, is taken as RTS/CTS).
struct LineSettings {
    QString text = QStringLiteral("115200,n,8,1");
    int flow = 0;
};

class Port : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~Port() override = default;

    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Why the last open or transfer failed, in words for the user.
    virtual QString errorString() const = 0;
    // Short name of the port for the status bar ("COM3", "/dev/ttyUSB0", "sim").
    virtual QString portName() const = 0;

    virtual void write(const QByteArray& bytes) = 0;
    // Everything that has arrived so far; empties the receive buffer.
    virtual QByteArray readAll() = 0;
    virtual qint64 bytesAvailable() = 0;

    // Milliseconds on this port's monotonic clock (fractional).
    virtual double nowMs() const = 0;
    // Blocks (serving the event loop, never spinning) until input is waiting or the clock
    // reaches deadlineMs. Returns true when input is waiting.
    virtual bool waitForInput(double deadlineMs) = 0;
    // Blocks (serving the event loop) until the clock reaches deadlineMs.
    virtual void waitUntil(double deadlineMs) = 0;
    // Takes the line settings, open or not. A port without a line (the simulated
    // programmer) takes any. False, with errorString(), for settings the port cannot take
    // (it keeps the ones it had).
    virtual bool setLineSettings(const LineSettings& line) {
        (void)line;
        return true;
    }
    // How long one character takes on the line to the programmer (start, data, parity and
    // stop bits at the line rate), in milliseconds; 0 for a line that takes no time.
    virtual double charMs() const { return 0; }
    // What the user should know about the line once it is open, e.g. that the adapter could
    // not be asked for low latency; empty when nothing. The Link logs it once.
    virtual QString lineNotice() const { return QString(); }
    // False once the device has gone away (adapter unplugged, simulated disconnect).
    virtual bool isLost() const { return false; }

Q_SIGNALS:
    // Input arrived outside of any wait (used for the unsolicited-input log).
    void readyRead();
    // The device went away while open.
    void lost(const QString& reason);
};
