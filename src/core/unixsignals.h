#pragma once
// Process signals delivered on the event loop. The handler only writes the signal's number
// into a pipe (nothing else is safe there); a socket notifier reads it and emits received(),
// so the program stops, saves and exits from ordinary code. Also delivered while an
// operation waits, since every wait serves the event loop.
//
//   UnixSignals signals({SIGINT, SIGTERM}, UnixSignals::SecondOneKills);
//   connect(&signals, &UnixSignals::received, ...);
//
// One instance at a time (the handler has one pipe); the previous handlers come back when it
// goes. Without POSIX signals it watches nothing.
#include <QList>
#include <QObject>
#include <QString>

class QSocketNotifier;

class UnixSignals : public QObject {
    Q_OBJECT
  public:
    enum Mode {
        // Every signal is delivered (SIGUSR1 for the simulated programmer's restart).
        Repeat,
        // After the first one the signal's default action is back: a program that does not
        // get to its event loop (blocked on a read) still goes at the second Ctrl-C.
        SecondOneKills
    };

    explicit UnixSignals(const QList<int>& signalNumbers, Mode mode = Repeat,
                         QObject* parent = nullptr);
    ~UnixSignals() override;

    // False when the pipe or a handler could not be set up (errorString() says why).
    bool isActive() const { return m_active; }
    QString errorString() const { return m_error; }
    // The last signal received, 0 before the first.
    int lastSignal() const { return m_last; }

  Q_SIGNALS:
    void received(int signalNumber);

  private:
    void onReadable();

    QList<int> m_signals;
    QSocketNotifier* m_notifier = nullptr;
    bool m_active = false;
    QString m_error;
    int m_last = 0;
    struct Saved;
    QList<Saved*> m_saved;
};
