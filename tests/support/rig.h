#pragma once
// The one test rig: a session (what the window holds), a Link, a recording Ui and the
// operation context over a programmer.
//   SimRig       the simulated programmer in-process, on its virtual clock (SimPort);
//   ScriptedRig  a scripted programmer (ScriptedPort);
//   SessionRig   a port the test holds itself (a SimPort shared by several sessions, a
//                SerialPort on hvpp-sim's pseudo-terminal, see SimProcess).
// A SimRig whose test failed prints the end of the conversation with the programmer.
#include "link/link.h"
#include "session/opcontext.h"
#include "session/session.h"
#include "sim/simport.h"
#include "support/recordingui.h"
#include "support/scriptedport.h"

#include <QProcess>
#include <QString>
#include <QStringList>

// The simulated programmer with chip in its socket ("none": empty), the faults switched
// on and the line rate (0: unpaced).
SimConfig simConfig(const QString& chip = QStringLiteral("ATMEGA8"), const SimFaults& faults = {},
                    int baud = 115200);

class SessionRig {
  public:
    enum Setup {
        Plain = 0,
        FixedClock = 1, // log lines stamped "[t]" instead of the time of day
        WithFuses = 2,  // the chip's fuse description loaded and set to its defaults
    };

    // Selects chip in the session when the table knows it. The fuse descriptions come from
    // the Set folder beside the sources.
    explicit SessionRig(Port& port, const QString& chip = QStringLiteral("ATMEGA8"),
                        int setup = Plain);
    SessionRig(const SessionRig&) = delete;
    SessionRig& operator=(const SessionRig&) = delete;

    Session session;
    Link link;
    RecordingUi ui;
    OpContext c;

    // Makes chip the session's current chip (with WithFuses: its description and defaults).
    void select(const QString& chip);
    // Sends frame (input waiting before is dropped) and returns what came back after ms.
    QString ask(const QString& frame, double ms = 100);
    // Sends frame and reads as the verify's polling read does: 50 ms pauses until one
    // brings nothing.
    QString pollRead(const QString& frame);
    QString log() const { return session.log.text(); }
    bool logged(const QString& text) const { return log().contains(text); }
    // The log's lines without the empty ones and the bare "[t]" stamps.
    QStringList logLines() const;

  private:
    int m_setup;
};

namespace rigdetail {
// Holds the port so that it is built before, and destroyed after, the session's Link.
template <typename P> struct PortHolder {
    template <typename... A> explicit PortHolder(A&&... a) : port(std::forward<A>(a)...) {}
    P port;
};
} // namespace rigdetail

class SimRig : public rigdetail::PortHolder<SimPort>, public SessionRig {
  public:
    explicit SimRig(const QString& chip = QStringLiteral("ATMEGA8"), const SimFaults& faults = {},
                    int setup = Plain);
    explicit SimRig(const SimConfig& config, int setup = Plain);
    ~SimRig();

    SimModel& model() { return port.model(); }
    // The chip in the socket (the rig's chip must not be "none").
    SimChip& chip() { return *port.model().chip(); }
    QStringList trace() { return port.trace().lines(); }
};

class ScriptedRig : public rigdetail::PortHolder<ScriptedPort>, public SessionRig {
  public:
    explicit ScriptedRig(const QString& chip = QStringLiteral("ATMEGA8"), int setup = Plain)
        : SessionRig(port, chip, setup) {}
    QStringList frames() const { return port.writtenTexts(); }
};

// hvpp-sim on a pseudo-terminal, started with --chip and --baud (0: unpaced) and any more
// arguments (faults, --link, --state, --trace). Stopped when it goes out of scope.
class SimProcess {
  public:
    explicit SimProcess(const QString& chip = QStringLiteral("ATMEGA8"), int baud = 115200,
                        const QStringList& more = {});
    // Exactly these arguments.
    explicit SimProcess(const QStringList& arguments);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The terminal's path, the first line hvpp-sim prints (empty when it did not start).
    const QString& pty() const { return m_pty; }
    // What it said on its error output so far.
    QString errors();
    // Asks it to end (SIGTERM) and waits; false when it did not end in time.
    bool stop();
    QProcess& process() { return m_proc; }

  private:
    void start(const QStringList& arguments);
    QProcess m_proc;
    QString m_pty;
};

// The path of one of the built executables ("hvpp-cli", "hvpp-sim").
QString builtExecutable(const char* name);
