#include "ports/portfactory.h"

#include "core/settings.h"
#include "core/texts.h"
#include "link/serialport.h"
#include "sim/builtin.h"

std::unique_ptr<Port> createPort(const QString& name, const SettingsStore* settings,
                                 const BuiltInSimOptions& sim, QString* error) {
    if (name.compare(QLatin1String("sim"), Qt::CaseInsensitive) == 0) {
        auto port = createBuiltInSimulator(sim);
        if (!port && error)
            *error = Texts::tr("内置模拟编程器不可用。");
        return port;
    }
    QString device = name;
    bool isNumber = false;
    const int number = name.toInt(&isNumber);
    if (isNumber)
        device = portNameForNumber(number);
    auto port = std::make_unique<SerialPort>(device);
    if (settings) {
        if (!port->setSettingsText(settings->serialSettings())) {
            if (error)
                *error = port->errorString();
            return nullptr;
        }
        const QString flow = settings->read(SettingsKeys::FlowControl);
        if (!flow.isEmpty() && !port->setFlowControl(int(lenientDecimal(flow)))) {
            if (error)
                *error = port->errorString();
            return nullptr;
        }
    }
    return port;
}
