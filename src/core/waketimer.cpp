#include "core/waketimer.h"

#include <QSocketNotifier>
#include <algorithm>
#include <cmath>

#ifdef Q_OS_LINUX
#include <sys/timerfd.h>
#include <unistd.h>
#endif

WakeTimer::WakeTimer(QObject* parent) : QObject(parent) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &WakeTimer::timeout);
#ifdef Q_OS_LINUX
    m_fd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_fd >= 0) {
        m_notifier = new QSocketNotifier(qintptr(m_fd), QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] {
            quint64 expired = 0;
            if (::read(m_fd, &expired, sizeof expired) > 0)
                Q_EMIT timeout();
        });
    }
#endif
}

WakeTimer::~WakeTimer() {
#ifdef Q_OS_LINUX
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
#endif
}

void WakeTimer::startIn(double ms) {
    ms = ms > 0 ? std::min(ms, 86400000.0) : 0.0; // a day at most: a longer wait wakes again
#ifdef Q_OS_LINUX
    if (m_fd >= 0) {
        const qint64 ns = std::max<qint64>(1000, qint64(std::ceil(ms * 1e6)));
        itimerspec when{};
        when.it_value.tv_sec = time_t(ns / 1000000000);
        when.it_value.tv_nsec = long(ns % 1000000000);
        ::timerfd_settime(m_fd, 0, &when, nullptr);
        return;
    }
#endif
    m_timer.start(int(std::max(1.0, std::ceil(ms))));
}

void WakeTimer::stop() {
#ifdef Q_OS_LINUX
    if (m_fd >= 0) {
        const itimerspec off{};
        ::timerfd_settime(m_fd, 0, &off, nullptr);
        return;
    }
#endif
    m_timer.stop();
}
