#include "sim/builtin.h"

#include "link/port.h"

// Replaced by the simulated programmer.
std::unique_ptr<Port> createBuiltInSimulator(const BuiltInSimOptions&) { return nullptr; }
