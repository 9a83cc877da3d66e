#pragma once
// Choosing a port by name, above both the serial link and the simulated programmer: the
// front ends ask here, so that link/ never needs to know the simulator.
#include <QString>
#include <memory>

class Port;
struct BuiltInSimOptions;

// "sim" gives the built-in simulated programmer; any other name a serial port (COMn on
// Windows, a device path elsewhere; a bare number n means COMn / the n-th system port).
// The caller gives the line settings through Port::setLineSettings. Returns null with
// *error set when the built-in simulator cannot be made.
std::unique_ptr<Port> createPort(const QString& name, const BuiltInSimOptions& sim, QString* error);
