#pragma once
// The simulated programmer behind the Port interface, in-process.
//
// On the virtual clock (the default) time stands still until the program waits: a wait
// moves the clock on to the next answer character or to its deadline and returns at once,
// so a whole program-and-verify runs in milliseconds with exact, repeatable timing. On the
// wall clock (the built-in demo programmer, "--port sim") waits block in the event loop
// until the next answer or the deadline, as on a real serial port.
//
//   SimConfig config;
//   config.chip = QStringLiteral("ATMEGA32");
//   SimPort port(config);
//   port.open();
//   Link link(&port, &log);
//   ... run operations ...
//   port.model().chip()->flash();   // what the chip holds now
//   port.nowMs();                   // the virtual time it took
#include "link/port.h"
#include "sim/simconfig.h"
#include "sim/simmodel.h"
#include "sim/simtrace.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QList>
#include <QTimer>

class SimPort : public Port {
    Q_OBJECT
public:
    enum class Clock { Virtual, Wall };

    explicit SimPort(const SimConfig& config = SimConfig(), QObject* parent = nullptr);
    SimPort(const SimConfig& config, Clock clock, QObject* parent = nullptr);
    ~SimPort() override;

    SimModel& model() { return m_model; }
    const SimModel& model() const { return m_model; }
    Clock clock() const { return m_clock; }

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_open && !m_lost; }
    QString errorString() const override { return m_error; }
    QString portName() const override { return QStringLiteral("sim"); }
    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    qint64 bytesAvailable() override;
    double nowMs() const override;
    bool waitForInput(double deadlineMs) override;
    void waitUntil(double deadlineMs) override;
    bool isLost() const override;
    double charMs() const override { return m_model.config().paceInput ? m_model.charMs() : 0.0; }

    // Power-cycles the programmer now: its loader announces itself with "B".
    void restartProgrammer();
    // Virtual clock: lets ms pass outside of any wait (answers arrive meanwhile and
    // readyRead is emitted). On the wall clock it waits that long.
    void advance(double ms);

    // Everything the program wrote, and each write on its own.
    const QByteArray& sent() const { return m_sent; }
    const QList<QByteArray>& writes() const { return m_writes; }
    void clearSent();
    SimTrace& trace() { return m_trace; }

    // The state file: read now (a missing file leaves the fresh model; chipOverride, when
    // not empty, is the chip in the socket) and written back on close when anything changed.
    bool loadState(const QString& path, const QString& chipOverride, QString* error);
    bool saveState(QString* error);

private:
    void sync(); // brings the model up to now
    void checkLost();
    void sleepWall(double untilMs);
    void scheduleNotify();
    void onNotify();

    SimModel m_model;
    Clock m_clock;
    bool m_open = false;
    mutable bool m_lost = false;
    QString m_error;
    double m_virtualNow = 0;
    QElapsedTimer m_wall;
    QTimer m_notify; // wall clock: readyRead for answers that arrive outside of waits
    bool m_notified = false;
    QByteArray m_sent;
    QList<QByteArray> m_writes;
    SimTrace m_trace;
    QString m_statePath;
    QJsonObject m_stateFaults;
    quint64 m_savedChanges = 0;
};
