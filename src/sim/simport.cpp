#include "sim/simport.h"

#include "core/texts.h"
#include "sim/simstate.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <algorithm>
#include <cmath>

SimPort::SimPort(const SimConfig& config, QObject* parent)
    : SimPort(config, Clock::Virtual, parent) {}

SimPort::SimPort(const SimConfig& config, Clock clock, QObject* parent)
    : Port(parent), m_model(config), m_clock(clock) {
    m_wall.start();
    m_notify.setSingleShot(true);
    m_notify.setTimerType(Qt::PreciseTimer);
    connect(&m_notify, &QTimer::timeout, this, &SimPort::onNotify);
    m_savedChanges = m_model.changeCount();
}

SimPort::~SimPort() {
    if (!m_statePath.isEmpty())
        saveState(nullptr);
}

bool SimPort::open() {
    if (m_lost) {
        m_error = Texts::tr("与模拟编程器的连接已断开。");
        return false;
    }
    m_open = true;
    m_error.clear();
    return true;
}

void SimPort::close() {
    m_open = false;
    m_notify.stop();
    if (!m_statePath.isEmpty())
        saveState(nullptr);
}

double SimPort::nowMs() const {
    return m_clock == Clock::Virtual ? m_virtualNow : m_wall.nsecsElapsed() / 1e6;
}

bool SimPort::isLost() const {
    if (!m_lost && m_model.lineDeadAtMs() <= nowMs())
        m_lost = true;
    return m_lost;
}

void SimPort::checkLost() {
    if (m_lost || m_model.lineDeadAtMs() > nowMs())
        return;
    m_lost = true;
    m_error = Texts::tr("与模拟编程器的连接已断开。");
    m_notify.stop();
    Q_EMIT lost(m_error);
}

void SimPort::sync() {
    m_model.advanceTo(nowMs());
    checkLost();
}

void SimPort::write(const QByteArray& bytes) {
    if (!m_open || bytes.isEmpty())
        return;
    sync();
    if (m_lost)
        return;
    m_sent += bytes;
    m_writes.append(bytes);
    m_trace.record(nowMs(), '<', bytes, m_model.receive(bytes, nowMs()));
    scheduleNotify();
}

QByteArray SimPort::readAll() {
    if (!m_open)
        return {};
    sync();
    const QByteArray bytes = m_model.takeOutput(nowMs());
    m_trace.record(nowMs(), '>', bytes);
    m_notified = false;
    scheduleNotify();
    return bytes;
}

qint64 SimPort::bytesAvailable() {
    if (!m_open)
        return 0;
    sync();
    return m_model.outputAvailable(nowMs());
}

bool SimPort::waitForInput(double deadlineMs) {
    if (!m_open)
        return false;
    if (m_clock == Clock::Virtual && QCoreApplication::instance())
        QCoreApplication::processEvents();
    for (;;) {
        sync();
        const bool waiting = m_model.outputAvailable(nowMs()) > 0;
        if (waiting || m_lost || !m_open || nowMs() >= deadlineMs)
            return waiting;
        const double next = std::min(
            {deadlineMs, m_model.nextActionMs(), m_model.nextOutputMs()});
        if (m_clock == Clock::Virtual)
            m_virtualNow = std::max(m_virtualNow, next);
        else
            sleepWall(next);
    }
}

void SimPort::waitUntil(double deadlineMs) {
    if (!m_open)
        return;
    if (m_clock == Clock::Virtual) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
        // Stop at the moment the line dies, so that the loss is seen when it happens.
        m_model.advanceTo(nowMs());
        m_virtualNow = std::max(m_virtualNow, std::min(deadlineMs, m_model.lineDeadAtMs()));
        sync();
        return;
    }
    // The model keeps the times of everything itself, so the wait need not wake for it.
    while (m_open && !m_lost && nowMs() < deadlineMs) {
        sleepWall(std::min(deadlineMs, m_model.lineDeadAtMs()));
        sync();
    }
}

void SimPort::sleepWall(double untilMs) {
    const double remaining = untilMs - nowMs();
    if (remaining <= 0)
        return;
    if (remaining < 1.0) {
        // Pacing below the event loop's timer resolution: sleep the rest, never spin.
        QCoreApplication::processEvents();
        QThread::usleep(static_cast<unsigned long>(std::ceil(remaining * 1000)));
        return;
    }
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(static_cast<int>(remaining));
    loop.exec();
}

void SimPort::scheduleNotify() {
    if (m_clock != Clock::Wall || !m_open || m_lost)
        return;
    if (m_model.outputAvailable(nowMs()) > 0) {
        if (!m_notified)
            m_notify.start(0);
        return;
    }
    const double next = std::min(m_model.nextActionMs(), m_model.nextOutputMs());
    if (next == SimModel::never) {
        m_notify.stop();
        return;
    }
    m_notify.start(static_cast<int>(std::max(0.0, std::ceil(next - nowMs()))));
}

void SimPort::onNotify() {
    sync();
    if (!m_open || m_lost)
        return;
    if (m_model.outputAvailable(nowMs()) > 0) {
        if (!m_notified) {
            m_notified = true;
            Q_EMIT readyRead();
        }
        return;
    }
    scheduleNotify();
}

void SimPort::restartProgrammer() {
    sync();
    m_model.restartProgrammer(nowMs());
    scheduleNotify();
}

void SimPort::advance(double ms) {
    if (m_clock == Clock::Wall) {
        const double until = nowMs() + ms;
        while (nowMs() < until)
            sleepWall(until);
        sync();
        return;
    }
    const double until = m_virtualNow + ms;
    for (;;) {
        sync();
        if (m_open && m_model.outputAvailable(nowMs()) > 0 && !m_notified) {
            m_notified = true;
            Q_EMIT readyRead();
        }
        if (m_virtualNow >= until || m_lost)
            return;
        double next = m_model.nextActionMs();
        if (m_model.nextOutputMs() > m_virtualNow)
            next = std::min(next, m_model.nextOutputMs());
        m_virtualNow = std::max(m_virtualNow, std::min(until, next));
    }
}

void SimPort::clearSent() {
    m_sent.clear();
    m_writes.clear();
}

bool SimPort::loadState(const QString& path, const QString& chipOverride, QString* error) {
    m_statePath = path;
    const bool ok = loadSimState(m_model, path, chipOverride, error, &m_stateFaults);
    m_savedChanges = m_model.changeCount();
    return ok;
}

bool SimPort::saveState(QString* error) {
    if (m_statePath.isEmpty() || m_model.changeCount() == m_savedChanges)
        return true;
    if (!saveSimState(m_model, m_statePath, error, m_stateFaults))
        return false;
    m_savedChanges = m_model.changeCount();
    return true;
}
