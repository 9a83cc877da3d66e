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
    // The line rate, the switches (faults, latency, socket cycle) and the times; its chip is
    // the one above.
    SimConfig config;
    bool virtualClock = false; // waits cost no real time (a dry run, and tests)
};

// Null for a chip name that is neither in the table nor "none".
std::unique_ptr<Port> createBuiltInSimulator(const BuiltInSimOptions& options);
