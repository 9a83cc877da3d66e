#include "core/unixsignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
int signalPipe[2] = {-1, -1};

void onSignal(int number) {
    const int saved = errno;
    const char byte = char(number);
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}
} // namespace

struct UnixSignals::Saved {
    int number;
    struct sigaction action;
};

UnixSignals::UnixSignals(const QList<int>& signalNumbers, Mode mode, QObject* parent)
    : QObject(parent), m_signals(signalNumbers) {
    if (signalPipe[0] >= 0) {
        m_error = QStringLiteral("signals are watched already");
        return;
    }
    if (::pipe(signalPipe) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    for (int fd : signalPipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC); // children (hvpp-sim, a browser) do not inherit it
        ::fcntl(fd, F_SETFL, O_NONBLOCK);
    }
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UnixSignals::onReadable);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | (mode == SecondOneKills ? SA_RESETHAND : 0);
    m_active = true;
    for (int number : m_signals) {
        auto* saved = new Saved{number, {}};
        if (::sigaction(number, &action, &saved->action) != 0) {
            delete saved;
            m_active = false;
            m_error = QString::fromLocal8Bit(std::strerror(errno));
            continue;
        }
        m_saved.append(saved);
    }
}

UnixSignals::~UnixSignals() {
    for (Saved* saved : std::as_const(m_saved)) {
        ::sigaction(saved->number, &saved->action, nullptr);
        delete saved;
    }
    if (m_notifier) {
        delete m_notifier;
        ::close(signalPipe[0]);
        ::close(signalPipe[1]);
        signalPipe[0] = signalPipe[1] = -1;
    }
}

void UnixSignals::onReadable() {
    char number = 0;
    while (::read(signalPipe[0], &number, 1) == 1) {
        m_last = number;
        Q_EMIT received(number);
    }
}

#else

struct UnixSignals::Saved {};

UnixSignals::UnixSignals(const QList<int>& signalNumbers, Mode, QObject* parent)
    : QObject(parent), m_signals(signalNumbers) {
    m_error = QStringLiteral("no POSIX signals on this system");
}

UnixSignals::~UnixSignals() = default;

void UnixSignals::onReadable() {}

#endif
