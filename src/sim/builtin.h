#pragma once
// The built-in demo programmer: the simulated programmer in-process, paced in wall-clock
// time, behind the Port interface ("--port sim").
#include "sim/simconfig.h"

#include <QString>
#include <memory>

class Port;

struct BuiltInSimOptions {
    // A chip name of the table, or "none"; empty: the state file's chip, else ATMEGA8.
    QString chip;
    QString stateFile; // JSON state, read at start and written back when the port closes
    int baud = 115200;
    SimFaults faults;          // the faults switched on (none by default)
    double latencyMs = 0;      // the USB adapter's latency timer on the answers
    bool virtualClock = false; // waits cost no real time (a dry run, and tests)
    // The socket cycle of production runs: ms with a chip in, ms empty (0: no cycle).
    double socketInMs = 0;
    double socketOutMs = 0;
};

// Null for a chip name that is neither in the table nor "none".
std::unique_ptr<Port> createBuiltInSimulator(const BuiltInSimOptions& options);
