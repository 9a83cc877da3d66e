#include "app/connection.h"

#include "core/texts.h"
#include "link/link.h"
#include "link/serialport.h"
#include "ports/portfactory.h"

#include <QSerialPortInfo>

Connection::Connection(Link& link, const BuiltInSimOptions& sim, QObject* parent)
    : QObject(parent), m_link(link), m_sim(sim) {}

Connection::~Connection() {
    m_link.setPort(nullptr);
    if (m_port)
        m_port->close();
}

void Connection::adoptPort(std::unique_ptr<Port> port, const QString& name) {
    if (m_port)
        m_port->close();
    m_link.setPort(nullptr);
    m_port = std::move(port);
    m_name = name;
    if (m_port) {
        connect(m_port.get(), &Port::lost, this, [this](const QString&) { Q_EMIT stateChanged(); });
        applyLineSettings();
    }
    m_link.setPort(m_port.get());
}

bool Connection::setPortName(const QString& name, QString* error) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        if (error)
            *error = Texts::tr("未指定串口。");
        return false;
    }
    QString why;
    std::unique_ptr<Port> port = createPort(trimmed, m_sim, &why);
    if (!port) {
        if (error)
            *error = why;
        return false;
    }
    adoptPort(std::move(port), trimmed);
    return true;
}

bool Connection::switchPort(const QString& name, QString* error) {
    const QString trimmed = name.trimmed();
    QString why;
    std::unique_ptr<Port> port = trimmed.isEmpty() ? nullptr : createPort(trimmed, m_sim, &why);
    if (!port) {
        if (error)
            *error = trimmed.isEmpty() ? Texts::tr("未指定串口。") : why;
        return false;
    }
    port->setLineSettings({m_settingsText, m_flow});
    if (!port->open()) {
        if (error)
            *error = port->errorString().isEmpty() ? Texts::tr("串口 %1 无法打开。").arg(trimmed)
                                                   : port->errorString();
        return false;
    }
    adoptPort(std::move(port), trimmed);
    Q_EMIT stateChanged();
    return true;
}

bool Connection::isOpen() const { return m_port && m_port->isOpen(); }

bool Connection::open(QString* error) {
    if (!m_port) {
        if (error)
            *error = Texts::tr("未指定串口。");
        return false;
    }
    if (m_port->isOpen())
        return true;
    applyLineSettings();
    const bool ok = m_port->open();
    if (!ok && error)
        *error = m_port->errorString().isEmpty() ? Texts::tr("串口 %1 无法打开。").arg(m_name)
                                                 : m_port->errorString();
    Q_EMIT stateChanged();
    return ok;
}

void Connection::close() {
    if (m_port && m_port->isOpen()) {
        m_port->close();
        Q_EMIT stateChanged();
    }
}

bool Connection::toggle(QString* error) {
    if (isOpen()) {
        close();
        return true;
    }
    // A lost port still counts as open to the device layer: close it before trying again.
    if (m_port)
        m_port->close();
    return open(error);
}

bool Connection::setSettingsText(const QString& text, QString* error) {
    SerialSettings parsed;
    if (!SerialSettings::parse(text, &parsed)) {
        if (error)
            *error = Texts::tr("串口参数无效: %1").arg(text);
        return false;
    }
    if (m_port && !m_port->setLineSettings({text, m_flow})) {
        if (error)
            *error = m_port->errorString();
        return false;
    }
    // Kept as given (the parity letter as chosen, "S" for Space): the store and the
    // status text show what the user picked.
    m_settingsText = text.trimmed();
    return true;
}

bool Connection::setFlowControl(int mode, QString* error) {
    if (mode < 0 || mode > 3) {
        if (error)
            *error = Texts::tr("握手方式无效: %1").arg(mode);
        return false;
    }
    if (m_port && !m_port->setLineSettings({m_settingsText, mode})) {
        if (error)
            *error = m_port->errorString();
        return false;
    }
    m_flow = mode;
    return true;
}

void Connection::applyLineSettings() {
    if (m_port)
        m_port->setLineSettings({m_settingsText, m_flow});
}

QString Connection::statusText() const {
    return portStatusText(m_port ? m_port->portName() : m_name, m_settingsText);
}

QString portNameFromNumber(int number) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM") + QString::number(number);
#else
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    if (number >= 1 && number <= ports.size())
        return ports[number - 1].systemLocation();
    return QStringLiteral("COM") + QString::number(number);
#endif
}

int portNumberFromName(const QString& name) {
    if (name.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) {
        bool ok = false;
        const int n = name.mid(3).toInt(&ok);
        if (ok)
            return n;
    }
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (int i = 0; i < ports.size(); ++i)
        if (ports[i].systemLocation() == name || ports[i].portName() == name)
            return i + 1;
    return 0;
}
