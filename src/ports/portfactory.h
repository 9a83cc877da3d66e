#pragma once
// Choosing a port by name, above both the serial link and the simulated programmer: the
// front ends ask here, so that link/ never needs to know the simulator.
#include <QString>
#include <memory>

class Port;
class SettingsStore;
struct BuiltInSimOptions;

// "sim" gives the built-in simulated programmer; any other name a serial port (COMn on
// Windows, a device path elsewhere; a bare number n means COMn / the n-th system port).
// Serial settings and flow control come from the settings store when one is given.
// Returns null with *error set when the settings are rejected.
std::unique_ptr<Port> createPort(const QString& name, const SettingsStore* settings,
                                 const BuiltInSimOptions& sim, QString* error);
