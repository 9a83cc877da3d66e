#pragma once
// The built-in demo programmer: the simulated programmer in-process, paced in wall-clock
// time, behind the Port interface ("--port sim").
#include <QString>
#include <memory>

class Port;

struct BuiltInSimOptions {
    QString chip = QStringLiteral("ATMEGA8"); // a chip name of the table, or "none"
    QString stateFile;                        // JSON state, read at start and written back
    int baud = 115200;
};

std::unique_ptr<Port> createBuiltInSimulator(const BuiltInSimOptions& options);
