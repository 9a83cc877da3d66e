#pragma once
// A single-shot wake-up for the event loop, a given time from now on the monotonic clock:
// to the microsecond where the system allows it (Linux: a timerfd the event loop watches),
// elsewhere to the millisecond, rounded up (a precise QTimer). It never fires early.
//
// One wake-up at the time asked for is what a wait wants: a millisecond timer either wakes
// short of a deadline between two milliseconds and needs a second wake-up for the rest, or
// wakes up to a millisecond late.
#include <QObject>
#include <QTimer>

class QSocketNotifier;

class WakeTimer : public QObject {
    Q_OBJECT
  public:
    explicit WakeTimer(QObject* parent = nullptr);
    ~WakeTimer() override;

    // Fires timeout() once, ms from now (at least a microsecond); a start replaces the last.
    void startIn(double ms);
    void stop();

  Q_SIGNALS:
    void timeout();

  private:
    QTimer m_timer;
    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
};
