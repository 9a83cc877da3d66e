#include "sim/builtin.h"

#include "sim/simport.h"

#include <QTextStream>

std::unique_ptr<Port> createBuiltInSimulator(const BuiltInSimOptions& options) {
    SimConfig config = options.config;
    QString chip = options.chip.trimmed().toUpper();
    if (chip == u"NONE")
        chip = QStringLiteral("none");
    if (!chip.isEmpty() && chip != u"none" && !SimChips::byName(chip))
        return nullptr;
    config.chip = chip.isEmpty() ? QStringLiteral("ATMEGA8") : chip;
    auto port = std::make_unique<SimPort>(config, options.virtualClock ? SimPort::Clock::Virtual
                                                                       : SimPort::Clock::Wall);
    if (!options.stateFile.isEmpty()) {
        QString error;
        if (!port->loadState(options.stateFile, chip, &error)) {
            QTextStream err(stderr);
            err << error << Qt::endl;
        }
    }
    port->model().setSocketCycle(config.socketInMs, config.socketOutMs);
    return port;
}
