#include "cli/cli.h"

#include "chips/chiptable.h"
#include "chips/selectchip.h"
#include "core/datapaths.h"
#include "core/opcontext.h"
#include "core/session.h"
#include "core/settings.h"
#include "core/texts.h"
#include "link/link.h"
#include "link/port.h"
#include "link/portfactory.h"
#include "sim/builtin.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <cstdio>
#include <version.h>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

CliOutput::CliOutput(QTextStream& out, QTextStream& err, bool json, bool terminal)
    : m_out(out), m_err(err), m_json(json), m_terminal(terminal) {}

void CliOutput::emitJson(const QJsonObject& o) {
    m_out << QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) << u'\n' << Qt::flush;
}

void CliOutput::endProgressLine() {
    if (!m_barShown.isEmpty()) {
        m_err << u'\n' << Qt::flush;
        m_barShown.clear();
    }
}

void CliOutput::logLine(const QString& text) {
    if (m_json) {
        emitJson({{QStringLiteral("type"), QStringLiteral("log")}, {QStringLiteral("text"), text}});
        return;
    }
    endProgressLine();
    m_out << text << u'\n' << Qt::flush;
}

void CliOutput::progress(const QString& bar, int percent) {
    if (m_json) {
        emitJson({{QStringLiteral("type"), QStringLiteral("progress")},
                  {QStringLiteral("bar"), bar},
                  {QStringLiteral("percent"), percent}});
        return;
    }
    if (!m_terminal)
        return; // plain log lines only when not on a terminal
    const int width = 40;
    const int filled = qBound(0, percent, 100) * width / 100;
    const QString label = bar.startsWith(u"Flash")      ? QStringLiteral("FLASH ")
                          : bar.startsWith(u"Firmware") ? Texts::tr("固件  ")
                                                        : QStringLiteral("EEPROM");
    m_err << u'\r' << label << QStringLiteral(" [") << QString(filled, u'#') << QString(width - filled, u'.')
          << QStringLiteral("] ") << QString::number(percent).rightJustified(3) << u'%' << Qt::flush;
    m_barShown = bar;
    if (percent >= 100)
        endProgressLine();
}

void CliOutput::warning(const QString& title, const QString& text) {
    if (m_json) {
        emitJson({{QStringLiteral("type"), QStringLiteral("warning")},
                  {QStringLiteral("title"), title.trimmed()},
                  {QStringLiteral("text"), text}});
        return;
    }
    endProgressLine();
    m_err << Texts::tr("警告: ") << text << u'\n' << Qt::flush;
}

void CliOutput::result(const QString& text, const QJsonObject& fields) {
    if (m_json) {
        QJsonObject o = fields;
        o.insert(QStringLiteral("type"), QStringLiteral("result"));
        if (!text.isEmpty() && !o.contains(QStringLiteral("text")))
            o.insert(QStringLiteral("text"), text);
        emitJson(o);
        return;
    }
    endProgressLine();
    if (!text.isEmpty())
        m_out << text << u'\n' << Qt::flush;
}

void CliOutput::error(const QString& text) {
    if (m_json) {
        emitJson({{QStringLiteral("type"), QStringLiteral("error")}, {QStringLiteral("text"), text}});
        return;
    }
    endProgressLine();
    m_err << QStringLiteral("hvpp-cli: ") << text << u'\n' << Qt::flush;
}

void CliOutput::prompt(const QString& text) {
    if (m_json) {
        emitJson({{QStringLiteral("type"), QStringLiteral("prompt")}, {QStringLiteral("text"), text}});
        return;
    }
    endProgressLine();
    m_err << text << u'\n' << Qt::flush;
}

void CliUi::warning(const QString& title, const QString& text) {
    ++warnings;
    warningTexts << text;
    m_out.warning(title, text);
}

bool CliUi::confirm(const QString& title, const QString& text) {
    (void)title;
    if (!m_ask)
        return false;
    return m_ask(text);
}

namespace {

QString defaultPortName(const SettingsStore& settings) {
    const QString name = settings.read(SettingsKeys::PortName);
    if (!name.isEmpty())
        return name;
    const QString number = settings.read(SettingsKeys::PortNumber);
#ifdef Q_OS_WIN
    return number.isEmpty() ? QStringLiteral("COM1") : QStringLiteral("COM") + number;
#else
    (void)number;
    return QStringLiteral("/dev/ttyUSB0");
#endif
}

QString helpText(const CliRegistry& reg, const QCommandLineParser& parser) {
    QString h;
    h += Texts::tr("用法: hvpp-cli [选项] 命令 [参数...]\n\n"
                   "hvpp 高压并行编程器的命令行前端: 与窗口程序使用同一套核心操作。\n"
                   "--port sim 使用内置的模拟编程器 (无需硬件)。\n\n");
    h += Texts::tr("命令:\n");
    for (const CliCommand& c : reg.commands) {
        h += QStringLiteral("  ") + c.synopsis + u'\n';
        for (const QString& line : c.help.split(u'\n'))
            h += QStringLiteral("      ") + line + u'\n';
    }
    h += u'\n';
    h += parser.helpText().section(u'\n', 2); // the options block (skips Qt's usage line)
    for (const QString& block : reg.optionGroupHelp)
        h += u'\n' + block + u'\n';
    h += Texts::tr("\n退出码: 0 完成, 1 校验失败或文件无法载入, 2 用法错误, 3 编程器或目标芯片无应答。\n");
    return h;
}

} // namespace

int runCli(const QStringList& argv, QTextStream& out, QTextStream& err,
           std::function<bool(const QString&)> ask) {
    CliRegistry reg;
    addFoundationCommands(reg);
    addImageCommands(reg);
    addFuseCommands(reg);
    addOfflineCommands(reg);

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  Texts::tr("显示本帮助。"));
    const QCommandLineOption portOpt(QStringLiteral("port"),
                                     Texts::tr("编程器所在串口: Windows 上为 COMn, 其他系统为设备路径 "
                                               "(如 /dev/ttyUSB0); sim 为内置模拟编程器。默认: 保存的端口。"),
                                     QStringLiteral("NAME"));
    const QCommandLineOption chipOpt(QStringLiteral("chip"),
                                     Texts::tr("所选芯片型号 (如 ATMEGA8)。默认: 保存的型号。"),
                                     QStringLiteral("NAME"));
    const QCommandLineOption settingsOpt(QStringLiteral("settings"),
                                         Texts::tr("使用此 INI 文件作为设置存储。"), QStringLiteral("FILE"));
    const QCommandLineOption jsonOpt(QStringLiteral("json"),
                                     Texts::tr("每个事件 (日志行、进度、警告、结果) 以一行 JSON 输出。"));
    const QCommandLineOption simChipOpt(QStringLiteral("sim-chip"),
                                        Texts::tr("内置模拟编程器座上的芯片 (型号或 none)。默认: ATMEGA8。"),
                                        QStringLiteral("NAME"));
    const QCommandLineOption simStateOpt(QStringLiteral("sim-state"),
                                         Texts::tr("内置模拟编程器的状态文件 (JSON), 启动时读取, 结束时写回。"),
                                         QStringLiteral("FILE"));
    const QCommandLineOption yesOpt(QStringLiteral("yes"), Texts::tr("不询问, 直接确认。"));
    const QCommandLineOption versionOpt(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                        Texts::tr("显示版本。"));
    // Taken by main() before the parser sees it; listed for --help.
    const QCommandLineOption langOpt(
        QStringLiteral("lang"),
        Texts::tr("界面语言: zh (中文, 默认) 或 en (英文)。默认按系统语言。"),
        QStringLiteral("LANG"));
    parser.addOptions({help, versionOpt, portOpt, chipOpt, settingsOpt, jsonOpt, simChipOpt,
                       simStateOpt, yesOpt, langOpt});
    for (const QCommandLineOption& o : reg.options)
        parser.addOption(o);
    parser.addPositionalArgument(QStringLiteral("command"), Texts::tr("要执行的命令"));

    const bool json = argv.contains(QStringLiteral("--json"));
#ifdef Q_OS_UNIX
    const bool terminal = isatty(STDERR_FILENO) && err.string() == nullptr;
#else
    const bool terminal = false;
#endif
    CliOutput output(out, err, json, terminal);

    if (!parser.parse(argv)) {
        output.error(parser.errorText());
        return Exit::Usage;
    }
    if (parser.isSet(help)) {
        out << helpText(reg, parser) << Qt::flush;
        return Exit::Done;
    }
    if (parser.isSet(versionOpt)) {
        out << QStringLiteral("hvpp-cli " HVPP_VERSION) << Qt::endl;
        return Exit::Done;
    }
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        output.error(Texts::tr("缺少命令。用 --help 查看命令列表。"));
        return Exit::Usage;
    }
    const QString name = positional.takeFirst();
    const CliCommand* command = nullptr;
    for (const CliCommand& c : reg.commands)
        if (c.name == name)
            command = &c;
    if (!command) {
        output.error(Texts::tr("未知命令: %1。用 --help 查看命令列表。").arg(name));
        return Exit::Usage;
    }

    SettingsStore settings(parser.value(settingsOpt));
    Session session;
    session.settings = &settings;
    session.fuses.setSetFolder(DataPaths::setFolder());
    QObject::connect(&session.log, &MessageLog::messageLogged, &session.log,
                     [&output](const QString& text) { output.logLine(text); });

    QString chip = parser.isSet(chipOpt) ? parser.value(chipOpt).toUpper()
                                         : settings.read(SettingsKeys::ChipModel);
    if (parser.isSet(chipOpt) && !ChipTable::contains(chip)) {
        output.error(Texts::tr("未知芯片型号: %1 (可选: %2)")
                         .arg(parser.value(chipOpt), ChipTable::names().join(QStringLiteral(", "))));
        return Exit::Usage;
    }
    if (parser.isSet(simChipOpt)) {
        const QString simChip = parser.value(simChipOpt).toUpper();
        if (simChip != u"NONE" && !ChipTable::contains(simChip)) {
            output.error(Texts::tr("模拟编程器不认识芯片 %1 (可选: none, %2)")
                             .arg(parser.value(simChipOpt), ChipTable::names().join(QStringLiteral(", "))));
            return Exit::Usage;
        }
    }
    if (chip.isEmpty())
        chip = QStringLiteral("ATMEGA8");
    SelectChip(session, chip);
    session.fuses.LoadFuseDescription(session.chip.ChipName + QStringLiteral(".FUS"), &session.log);
    session.fuses.ApplyFuseText(session.fuses.defaultFuseText());

    CliUi ui(output, ask);
    std::unique_ptr<Port> port;
    std::unique_ptr<Link> link;
    std::unique_ptr<OpContext> context;
    const bool yes = parser.isSet(yesOpt);
    auto openLink = [&]() -> OpContext* {
        if (context)
            return context.get();
        const QString portName = parser.isSet(portOpt) ? parser.value(portOpt) : defaultPortName(settings);
        BuiltInSimOptions sim;
        if (parser.isSet(simChipOpt))
            sim.chip = parser.value(simChipOpt).toUpper();
        sim.stateFile = parser.value(simStateOpt);
        QString error;
        port = createPort(portName, &settings, sim, &error);
        if (!port) {
            output.error(error);
            return nullptr;
        }
        if (!port->open()) {
            output.error(port->errorString());
            return nullptr;
        }
        link = std::make_unique<Link>(port.get(), &session.log);
        context = std::make_unique<OpContext>(OpContext{session, *link, ui});
        return context.get();
    };

    CliContext ctx{parser, positional, session, settings, output, ui, openLink, yes};
    int code = command->run(ctx);
    if (port)
        port->close();
    settings.sync();
    return code;
}
