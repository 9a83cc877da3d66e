#include "ports/portfactory.h"

#include "core/texts.h"
#include "link/serialport.h"
#include "sim/builtin.h"

std::unique_ptr<Port> createPort(const QString& name, const BuiltInSimOptions& sim,
                                 QString* error) {
    if (name.compare(QLatin1String("sim"), Qt::CaseInsensitive) == 0) {
        auto port = createBuiltInSimulator(sim);
        if (!port && error)
            *error = Texts::tr("内置模拟编程器不可用。");
        return port;
    }
    bool isNumber = false;
    const int number = name.toInt(&isNumber);
    return std::make_unique<SerialPort>(isNumber ? portNameForNumber(number) : name);
}
