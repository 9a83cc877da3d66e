#include "link/serialport.h"

#include "core/texts.h"
#include "link/portlock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <utility>

#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

bool SerialSettings::parse(const QString& text, SerialSettings* out) {
    const QStringList parts = text.split(u',');
    if (parts.size() != 4)
        return false;
    SerialSettings s;
    bool ok = false;
    s.baud = parts[0].trimmed().toInt(&ok);
    if (!ok || s.baud <= 0)
        return false;
    const QString p = parts[1].trimmed().toLower();
    if (p.size() != 1 || !QStringLiteral("emnos").contains(p[0]))
        return false;
    s.parity = p[0];
    s.dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || s.dataBits < 4 || s.dataBits > 8)
        return false;
    s.stopBits = parts[3].trimmed();
    if (s.stopBits != u"1" && s.stopBits != u"1.5" && s.stopBits != u"2")
        return false;
    *out = s;
    return true;
}

QString SerialSettings::format() const {
    return QString::number(baud) + u',' + parity + u',' + QString::number(dataBits) + u',' +
           stopBits;
}

double SerialSettings::charMs() const {
    const double stop = stopBits == u"2" ? 2.0 : stopBits == u"1.5" ? 1.5 : 1.0;
    const double bits = 1.0 + dataBits + (parity == u'n' ? 0.0 : 1.0) + stop;
    return baud > 0 ? bits * 1000.0 / baud : 0.0;
}

QString portStatusText(const QString& portName, const QString& settingsText) {
    return QStringLiteral("　　") + portName + u':' + settingsText.toUpper();
}

QString portNameForNumber(int number) { return QStringLiteral("COM") + QString::number(number); }

SerialPort::SerialPort(const QString& name, QObject* parent) : Port(parent), m_name(name) {
    m_clock.start();
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialPort::onError);
    connect(&m_port, &QSerialPort::readyRead, this, &Port::readyRead);
}

void SerialPort::setPortName(const QString& name) { m_name = name; }

bool SerialPort::open() {
    m_lost = false;
    m_held.clear();
    m_error.clear();
    // The device, not its name: a link and the device it points to are one programmer.
    m_device = realDevicePath(m_name);
    m_port.setPortName(m_device);
    applySettings();
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_error = describe(m_port.error());
        return false;
    }
    if (!lockDevice(int(m_port.handle()))) {
        m_port.close();
        m_error = deviceInUseText(m_name, deviceLockHolder(m_device));
        return false;
    }
    applySettings();
    requestLowLatency();
    return true;
}

void SerialPort::requestLowLatency() {
    // A USB adapter holds what the programmer answers until its latency timer runs out
    // (16 ms on the common FTDI chips): every answer waited for costs that much. Linux lets
    // the driver be asked for low latency, which the FTDI driver turns into a 1 ms timer.
    // Elsewhere (Windows: the driver's advanced settings) the user sets it.
    m_notice.clear();
#ifdef Q_OS_LINUX
    serial_struct ss{};
    const int fd = int(m_port.handle());
    if (fd >= 0 && ::ioctl(fd, TIOCGSERIAL, &ss) == 0) {
        if (ss.flags & ASYNC_LOW_LATENCY)
            return;
        ss.flags |= ASYNC_LOW_LATENCY;
        if (::ioctl(fd, TIOCSSERIAL, &ss) == 0)
            return;
    }
    // A pseudo-terminal refuses too, but no adapter holds its answers: nothing to tell.
    const QString device = QFileInfo(m_name).canonicalFilePath();
    if (device.startsWith(QStringLiteral("/dev/pts/")))
        return;
    m_notice = Texts::tr("串口 %1 不能设为低延迟: 编程器的每个回答可能晚到一个USB适配器延迟周期 "
                         "(常见为16毫秒)。")
                   .arg(m_name);
#endif
}

void SerialPort::close() {
    m_held.clear();
    if (m_port.isOpen()) {
        unlockDevice(int(m_port.handle()));
        m_port.close();
    }
}

bool SerialPort::isOpen() const { return m_port.isOpen() && !m_lost; }

bool SerialPort::setLineSettings(const LineSettings& line) {
    const SerialSettings before = m_settings;
    if (!setSettingsText(line.text))
        return false;
    if (setFlowControl(line.flow))
        return true;
    m_settings = before; // neither half taken
    applySettings();
    return false;
}

bool SerialPort::setSettingsText(const QString& text) {
    SerialSettings s;
    if (!SerialSettings::parse(text, &s)) {
        m_error = Texts::tr("串口参数无效: %1").arg(text);
        return false;
    }
    m_settings = s;
    applySettings();
    return true;
}

bool SerialPort::setFlowControl(int mode) {
    if (mode < 0 || mode > 3) {
        m_error = Texts::tr("握手方式无效: %1").arg(mode);
        return false;
    }
    m_flow = mode;
    applySettings();
    return true;
}

void SerialPort::applySettings() {
    m_port.setBaudRate(m_settings.baud);
    switch (m_settings.parity.unicode()) {
    case u'e': m_port.setParity(QSerialPort::EvenParity); break;
    case u'm': m_port.setParity(QSerialPort::MarkParity); break;
    case u'o': m_port.setParity(QSerialPort::OddParity); break;
    case u's': m_port.setParity(QSerialPort::SpaceParity); break;
    default: m_port.setParity(QSerialPort::NoParity); break;
    }
    m_port.setDataBits(QSerialPort::DataBits(qBound(5, m_settings.dataBits, 8)));
    m_port.setStopBits(m_settings.stopBits == u"2"     ? QSerialPort::TwoStop
                       : m_settings.stopBits == u"1.5" ? QSerialPort::OneAndHalfStop
                                                       : QSerialPort::OneStop);
    m_port.setFlowControl(m_flow == 1   ? QSerialPort::SoftwareControl
                          : m_flow >= 2 ? QSerialPort::HardwareControl
                                        : QSerialPort::NoFlowControl);
}

QString SerialPort::describe(QSerialPort::SerialPortError error) const {
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return Texts::tr("串口 %1 不存在。请检查编程器的USB-RS232线是否已插好。").arg(m_name);
    case QSerialPort::PermissionError: {
#ifdef Q_OS_WIN
        return Texts::tr("串口 %1 已被其他程序占用或无权访问。").arg(m_name);
#else
        // Refused: another program holds the device (its lock file, or the terminal's
        // exclusive mode), or this user may not open it.
        const QString device = m_device.isEmpty() ? realDevicePath(m_name) : m_device;
        if (!deviceAccessible(device))
            return devicePermissionText(m_name, device);
        return deviceInUseText(m_name, deviceLockHolder(device));
#endif
    }
    case QSerialPort::OpenError:
        return Texts::tr("串口 %1 已经打开。").arg(m_name);
    case QSerialPort::ResourceError:
        return Texts::tr("串口 %1 已断开(设备被拔出?)。").arg(m_name);
    default:
        return Texts::tr("串口 %1 出错: %2").arg(m_name, m_port.errorString());
    }
}

void SerialPort::onError(QSerialPort::SerialPortError error) {
    // An unplugged adapter shows as a resource error, or (on a hung-up pty or some USB
    // drivers) as read errors that would repeat for ever: either way the device is gone.
    const bool gone = error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
                      error == QSerialPort::WriteError;
    if (gone && m_port.isOpen() && !m_lost) {
        m_lost = true;
        m_error = describe(QSerialPort::ResourceError);
        m_port.close();
        Q_EMIT lost(m_error);
    }
}

void SerialPort::write(const QByteArray& bytes) {
    m_port.write(bytes);
    m_port.flush();
}

QByteArray SerialPort::readAll() {
    QByteArray bytes = std::exchange(m_held, QByteArray());
    bytes += m_port.readAll();
    return bytes;
}

qint64 SerialPort::bytesAvailable() {
    // Pull in what the driver holds without waiting, so that a count taken right after a
    // delay sees everything that has arrived.
    m_port.waitForReadyRead(0);
    return waiting();
}

qint64 SerialPort::waiting() const {
    return m_held.size() + m_port.bytesAvailable();
}

double SerialPort::nowMs() const { return m_clock.nsecsElapsed() / 1e6; }

void SerialPort::blockUntil(double deadlineMs, bool stopOnInput) {
    // The event loop serves the window meanwhile and ends this wait: at the deadline (the
    // wake timer), or for input, which QSerialPort reads in as it comes.
    for (;;) {
        const double remaining = deadlineMs - nowMs();
        if (remaining <= 0 || m_lost || !m_port.isOpen())
            break;
        if (stopOnInput && waiting() > 0) {
            m_wake.stop();
            break;
        }
        m_wake.startIn(remaining); // again each time: a wait inside this one may have moved it
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

bool SerialPort::waitForInput(double deadlineMs) {
    blockUntil(deadlineMs, true);
    return waiting() > 0;
}

void SerialPort::waitUntil(double deadlineMs) {
    // Nobody waits for input now: in a short wait it stays with the driver until the wait is
    // over, so that a stream (a read-back comes a few characters every millisecond) wakes the
    // program once in the wait, not once a piece. QSerialPort stops reading while its buffer
    // is full, and reads again once the buffer has been read. Only for as long as the driver
    // surely holds what comes (Linux keeps 4 KB of a terminal's input): a longer wait reads
    // input as it arrives.
    constexpr double HoldAtMostMs = 50;
    constexpr double HoldAtMostChars = 1024;
    if (deadlineMs - nowMs() > std::min(HoldAtMostMs, HoldAtMostChars * charMs())) {
        blockUntil(deadlineMs, false);
        return;
    }
    m_held += m_port.readAll();
    m_port.setReadBufferSize(1);
    blockUntil(deadlineMs, false);
    m_held += m_port.readAll();
    m_port.setReadBufferSize(0);
    m_port.waitForReadyRead(0);
}
