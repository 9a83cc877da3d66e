#include "app/appoptions.h"

#include "chips/chiptable.h"
#include "core/texts.h"

#include <QCommandLineParser>

bool AppOptions::parse(const QStringList& arguments, AppOptions* out, QString* message, int* exitCode) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("hvpp 高压并行编程器的窗口程序。\n"
           "--port sim 使用内置的模拟编程器 (无需硬件)。"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")}, tr("显示本帮助。"));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     tr("显示版本。"));
    const QCommandLineOption port(QStringLiteral("port"),
                                  tr("编程器所在串口: Windows 上为 COMn, 其他系统为设备路径 (如 /dev/ttyUSB0); "
                                     "sim 为内置模拟编程器。默认: 上次保存的端口。"),
                                  QStringLiteral("NAME"));
    const QCommandLineOption settings(QStringLiteral("settings"), tr("使用此 INI 文件作为设置存储。"),
                                      QStringLiteral("FILE"));
    const QCommandLineOption simChip(QStringLiteral("sim-chip"),
                                     tr("内置模拟编程器座上的芯片 (型号或 none)。默认: ATMEGA8。"),
                                     QStringLiteral("NAME"));
    const QCommandLineOption simState(QStringLiteral("sim-state"),
                                      tr("内置模拟编程器的状态文件 (JSON), 启动时读取, 结束时写回。"),
                                      QStringLiteral("FILE"));
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  tr("界面语言: zh (中文, 默认) 或 en (英文)。默认按系统语言。"),
                                  QStringLiteral("LANG"));
    parser.addOptions({help, version, port, settings, simChip, simState, lang});
    if (!parser.parse(arguments)) {
        *message = parser.errorText() + u'\n' + tr("用 --help 查看选项。");
        *exitCode = 2;
        return false;
    }
    if (parser.isSet(help)) {
        *message = parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("hvpp"));
        *exitCode = 0;
        return false;
    }
    if (parser.isSet(version)) {
        *message = QStringLiteral("hvpp " HVPP_VERSION);
        *exitCode = 0;
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *message = tr("多余的参数: %1\n用 --help 查看选项。").arg(parser.positionalArguments().join(u' '));
        *exitCode = 2;
        return false;
    }
    AppOptions o;
    o.portName = parser.value(port).trimmed();
    o.settingsFile = parser.value(settings);
    if (parser.isSet(simChip)) {
        const QString chip = parser.value(simChip).trimmed().toUpper();
        if (chip != u"NONE" && !ChipTable::contains(chip)) {
            *message = tr("未知芯片型号: %1 (可选: %2, none)")
                           .arg(parser.value(simChip), ChipTable::names().join(QStringLiteral(", ")));
            *exitCode = 2;
            return false;
        }
        o.sim.chip = chip == u"NONE" ? QStringLiteral("none") : chip;
    }
    o.sim.stateFile = parser.value(simState);
    *out = o;
    return true;
}
