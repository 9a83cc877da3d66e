#include "sim/simpty.h"

#include <QSocketNotifier>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#endif

SimPtyServer::SimPtyServer(SimModel& model, QObject* parent) : QObject(parent), m_model(model) {
    m_clock.start();
    // A millisecond timer would answer each frame up to a millisecond late, over a thousand
    // times in a whole-chip job: the chip's times are kept to the microsecond instead.
    connect(&m_next, &WakeTimer::timeout, this, &SimPtyServer::pump);
    m_idle.setSingleShot(true);
    m_idle.setInterval(100);
    connect(&m_idle, &QTimer::timeout, this, [this] {
        if (m_model.idle() && m_pending.isEmpty())
            Q_EMIT idle();
        else
            m_idle.start();
    });
}

SimPtyServer::~SimPtyServer() {
    closeTerminal();
}

void SimPtyServer::wakeAt(double ms) {
    m_next.startIn(ms - nowMs());
}

void SimPtyServer::stopWaking() {
    m_next.stop();
}

void SimPtyServer::closeTerminal() {
    // This may run inside a notifier's own signal: disable now, delete later.
    for (QSocketNotifier* n : {m_readNotifier, m_writeNotifier}) {
        if (n) {
            n->setEnabled(false);
            n->deleteLater();
        }
    }
    m_readNotifier = nullptr;
    m_writeNotifier = nullptr;
#ifdef Q_OS_UNIX
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
#endif
    m_slave = -1;
    m_master = -1;
}

bool SimPtyServer::start(QString* error) {
#ifdef Q_OS_UNIX
    auto fail = [&](const char* what) {
        if (error)
            *error = QString::fromLatin1(what) + QStringLiteral(": ") +
                     QString::fromLocal8Bit(std::strerror(errno));
        return false;
    };
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return fail("posix_openpt");
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        return fail("grantpt/unlockpt");
    const char* name = ::ptsname(m_master);
    if (!name)
        return fail("ptsname");
    m_slavePath = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0)
        return fail("open slave");
    termios tio{};
    if (::tcgetattr(m_slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slave, TCSANOW, &tio);
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &SimPtyServer::onReadable);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &SimPtyServer::onWritable);
    return true;
#else
    if (error)
        *error = QStringLiteral("pseudo-terminals are not available on this system");
    return false;
#endif
}

void SimPtyServer::restartProgrammer() {
    m_model.restartProgrammer(nowMs());
    pump();
}

void SimPtyServer::onReadable() {
    if (m_master < 0)
        return;
#ifdef Q_OS_UNIX
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        const QByteArray bytes(buffer, int(n));
        const double now = nowMs();
        m_model.advanceTo(now);
        const double until = m_model.receive(bytes, now);
        if (m_trace)
            m_trace->record(now, '<', bytes, until);
    }
#endif
    m_idle.start();
    pump();
}

void SimPtyServer::onWritable() {
    flushPending();
}

void SimPtyServer::flushPending() {
#ifdef Q_OS_UNIX
    while (!m_pending.isEmpty()) {
        const ssize_t n = ::write(m_master, m_pending.constData(), size_t(m_pending.size()));
        if (n <= 0)
            break;
        m_pending.remove(0, qsizetype(n));
    }
#endif
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(!m_pending.isEmpty());
}

void SimPtyServer::pump() {
    if (m_master < 0)
        return;
    const double now = nowMs();
    m_model.advanceTo(now);
    const QByteArray out = m_model.takeOutput(now);
    if (!out.isEmpty()) {
        if (m_trace)
            m_trace->record(now, '>', out);
        m_pending += out;
        flushPending();
        m_idle.start();
    }
    if (m_model.lineDeadAtMs() <= now) {
        stopWaking();
        closeTerminal();
        Q_EMIT disconnected();
        return;
    }
    if (!out.isEmpty())
        m_lastOutputMs = now;
    // As a UART's FIFO does, the terminal gets a stream a millisecond's worth at a time: the
    // first character of an answer goes out at its own time, the ones right behind it with
    // the next batch.
    const double output = m_model.nextOutputMs();
    const double action = m_model.nextActionMs();
    if (output == SimModel::never && action == SimModel::never) {
        stopWaking();
        return;
    }
    const double outputWake =
        output == SimModel::never ? output : std::max(output, m_lastOutputMs + BatchMs);
    wakeAt(std::min(outputWake, action));
}
