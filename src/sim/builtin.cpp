#include "sim/builtin.h"

#include "sim/simport.h"

#include <QTextStream>

std::unique_ptr<Port> createBuiltInSimulator(const BuiltInSimOptions& options) {
    SimConfig config;
    config.baud = options.baud;
    QString chip = options.chip.trimmed().toUpper();
    if (chip == u"NONE")
        chip = QStringLiteral("none");
    if (!chip.isEmpty() && chip != u"none" && !SimChips::byName(chip))
        return nullptr;
    config.chip = chip.isEmpty() ? QStringLiteral("ATMEGA8") : chip;
    config.faults = options.faults;
    config.latencyMs = options.latencyMs;
    auto port = std::make_unique<SimPort>(config, options.virtualClock ? SimPort::Clock::Virtual
                                                                       : SimPort::Clock::Wall);
    if (!options.stateFile.isEmpty()) {
        QString error;
        if (!port->loadState(options.stateFile, chip, &error)) {
            QTextStream err(stderr);
            err << error << Qt::endl;
        }
    }
    port->model().setSocketCycle(options.socketInMs, options.socketOutMs);
    return port;
}
