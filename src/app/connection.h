#pragma once
// The window's serial connection: the one Port (a serial device or the built-in simulated
// programmer), its name, line settings, flow control and echo flag. Replacing the port
// re-binds the Link to the new one.
#include "sim/builtin.h"

#include <QObject>
#include <QString>
#include <memory>

class Link;
class Port;

class Connection : public QObject {
    Q_OBJECT
public:
    Connection(Link& link, const BuiltInSimOptions& sim, QObject* parent = nullptr);
    ~Connection() override;

    // Takes a ready-made port (tests inject one on a virtual clock).
    void adoptPort(std::unique_ptr<Port> port, const QString& name);
    // Creates the port for name ("sim", "COM3", "/dev/ttyUSB0"); closes the old one first.
    // False, with *error, when no port can be made for the name.
    bool setPortName(const QString& name, QString* error);
    // Makes a port for name and opens it; only when that works does it take the place of
    // the current port (which is kept, closed, after a failure).
    bool switchPort(const QString& name, QString* error);
    const QString& portName() const { return m_name; }
    Port* port() const { return m_port.get(); }

    bool isOpen() const;
    // Opens a closed port, closes an open one. False, with *error, when opening failed.
    bool toggle(QString* error);
    bool open(QString* error);
    void close();

    // "115200,n,8,1". A serial device takes it at once; false, with *error, when the port
    // rejects it (the previous text stays).
    bool setSettingsText(const QString& text, QString* error);
    const QString& settingsText() const { return m_settingsText; }
    bool setFlowControl(int mode, QString* error);
    int flowControl() const { return m_flow; }
    bool echo = false;

    // The "COMStatus" panel: two U+3000, the port name, ":", the settings in upper case.
    QString statusText() const;

Q_SIGNALS:
    // Opened, closed or lost.
    void stateChanged();

private:
    void applyLineSettings();
    Link& m_link;
    BuiltInSimOptions m_sim;
    std::unique_ptr<Port> m_port;
    QString m_name;
    QString m_settingsText = QStringLiteral("115200,n,8,1");
    int m_flow = 0;
};

// The port names a stored port number stands for: "COMn" on Windows, the n-th port the
// system has elsewhere (or "COMn" when there are fewer).
QString portNameFromNumber(int number);
// The port number of a name for the "通信端口" key ("COM3" gives 3, a device path its
// position among the system's ports + 1, "sim" 0).
int portNumberFromName(const QString& name);
