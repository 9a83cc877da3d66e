#pragma once
// Serves a simulated programmer on a pseudo-terminal (POSIX systems), on the wall clock:
// what a program writes to the terminal reaches the model as it arrives, the answers go
// out paced at the line rate. Driven by socket notifiers and timers, never by polling.
#include "core/waketimer.h"
#include "sim/simmodel.h"
#include "sim/simtrace.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

class SimPtyServer : public QObject {
    Q_OBJECT
  public:
    explicit SimPtyServer(SimModel& model, QObject* parent = nullptr);
    ~SimPtyServer() override;

    // Opens the pseudo-terminal; false with *error when the system refuses.
    bool start(QString* error);
    QString slavePath() const { return m_slavePath; }
    void setTrace(SimTrace* trace) { m_trace = trace; }
    double nowMs() const { return m_clock.nsecsElapsed() / 1e6; }
    // Power-cycles the programmer now (its loader announces itself).
    void restartProgrammer();

  Q_SIGNALS:
    // Nothing came in or went out for 100 ms after some activity.
    void idle();
    // The line died (disconnect fault): the terminal was closed, as an unplugged adapter.
    void disconnected();

  private:
    void onReadable();
    void onWritable();
    void pump(); // brings the model up to now, sends what is due, sets the next timer
    void wakeAt(double ms);
    void stopWaking();
    void flushPending();
    void closeTerminal();

    SimModel& m_model;
    SimTrace* m_trace = nullptr;
    int m_master = -1;
    int m_slave = -1; // kept open so that the master never sees a hang-up between clients
    QString m_slavePath;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    QByteArray m_pending; // answers the terminal did not take yet
    WakeTimer m_next;     // the next event, to the microsecond where the system allows
    QTimer m_idle;
    static constexpr double BatchMs = 1.0;
    double m_lastOutputMs = -1e9; // when the terminal last got characters
    QElapsedTimer m_clock;
};
