// The shell of hvpp-cli: finds the command, parses the global options together with that
// command's own (any other option is a usage error naming it), prints help and version,
// and hands the command its context.
#include "cli/cli.h"

#include "chips/chiptable.h"
#include "cli/clioutput.h"
#include "cli/clisupport.h"
#include "cli/clitexts.h"
#include "cli/cmd_features.h"
#include "core/datapaths.h"
#include "core/language.h"
#include "core/settings.h"
#include "link/serialport.h"
#include "session/selectchip.h"
#include "session/session.h"
#include "sim/builtin.h"

#include <QCoreApplication>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

struct GlobalOptions {
    QCommandLineOption help{QStringList{QStringLiteral("h"), QStringLiteral("help")},
                            Texts::tr("显示帮助 (命令之后: 该命令的帮助)。")};
    QCommandLineOption version{QStringLiteral("version"), Texts::tr("显示版本。")};
    QCommandLineOption settings{QStringLiteral("settings"),
                                Texts::tr("使用此 INI 文件作为设置存储。"), QStringLiteral("FILE")};
    QCommandLineOption port{
        QStringLiteral("port"),
        Texts::tr("编程器所在串口 (COMn, 设备路径如 /dev/ttyUSB0, 或 sim 为内置模拟"
                  "编程器)。默认: 保存的端口。只用于本次命令。"),
        QStringLiteral("NAME")};
    QCommandLineOption chip{
        QStringLiteral("chip"),
        Texts::tr("所选芯片型号 (如 ATMEGA8)。默认: 保存的型号。只用于本次命令。"),
        QStringLiteral("NAME")};
    QCommandLineOption line{QStringLiteral("line"),
                            Texts::tr("串口参数 波特率,校验,数据位,停止位。默认: 保存的设置。"),
                            QStringLiteral("115200,n,8,1")};
    QCommandLineOption flow{QStringLiteral("flow"), Texts::tr("握手方式。默认: 保存的设置。"),
                            QStringLiteral("none|hardware|software")};
    QCommandLineOption json{QStringLiteral("json"),
                            Texts::tr("每个事件 (日志行、进度、警告、结果) 以一行 JSON 输出。")};
    QCommandLineOption quiet{QStringList{QStringLiteral("q"), QStringLiteral("quiet")},
                             Texts::tr("只输出错误与结果。")};
    QCommandLineOption verbose{QStringList{QStringLiteral("v"), QStringLiteral("verbose")},
                               Texts::tr("另外输出收发的每一帧及其毫秒时间。")};
    // Taken by main() before the parser sees it (Language::take); here for the help.
    QCommandLineOption lang{QStringLiteral("lang"),
                            Texts::tr("界面语言: zh (中文, 默认) 或 en (英文)。默认按系统语言。"),
                            QStringLiteral("LANG")};
    QList<QCommandLineOption> all() const {
        return {help, version, settings, port, chip, line, flow, json, quiet, verbose, lang};
    }
};

QString synopsis(const CliCommand& c) {
    QString s = c.name;
    if (!c.options.isEmpty())
        s += Texts::tr(" [选项]");
    if (!c.args.isEmpty())
        s += u' ' + c.args;
    return s;
}

QString optionLines(const QList<QCommandLineOption>& options) {
    QString h;
    for (const QCommandLineOption& o : options) {
        QStringList names;
        for (const QString& n : o.names())
            names << (n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + n;
        QString left = names.join(QStringLiteral(", "));
        if (!o.valueName().isEmpty())
            left += u' ' + o.valueName();
        h += QStringLiteral("  ") + left.leftJustified(26) + u' ' + o.description() + u'\n';
    }
    return h;
}

QString generalHelp(const CliTable& table, const GlobalOptions& g) {
    QString h = Texts::tr("用法: hvpp-cli [全局选项] 命令 [命令选项] [参数...]\n\n"
                          "hvpp 高压并行编程器的命令行前端, 与窗口程序使用同一套核心操作。\n\n"
                          "命令:\n");
    for (const CliCommand& c : table)
        h += QStringLiteral("  ") + c.name.leftJustified(18) + c.summary + u'\n';
    h += Texts::tr("\n全局选项:\n") + optionLines(g.all()) + u'\n' + simOptionsHelp();
    h += Texts::tr("\n每个命令的选项与示例: hvpp-cli 命令 --help\n") + Texts::tr("\n退出码:\n");
    for (const CliExitCode& e : cliExitCodes())
        h += QStringLiteral("  ") + QString::number(e.code).leftJustified(5) + e.meaning + u'\n';
    h += u'\n' + Texts::tr("--json 的事件与字段见 %1。").arg(jsonContractPath()) + u'\n';
    return h;
}

QString commandHelp(const CliCommand& c) {
    QString h = Texts::tr("用法: hvpp-cli [全局选项] ") + synopsis(c) + QStringLiteral("\n\n") +
                c.summary + u'\n';
    if (!c.details.isEmpty())
        h += c.details + u'\n';
    if (!c.options.isEmpty())
        h += Texts::tr("\n选项:\n") + optionLines(c.options);
    h += Texts::tr("\n示例:\n  ") + c.example + u'\n';
    h += Texts::tr("\n全局选项 (--port, --chip, --json, -q, -v, ...): hvpp-cli --help\n");
    return h;
}

const CliCommand* findCommand(const CliTable& table, const QString& name) {
    for (const CliCommand& c : table)
        if (c.name == name)
            return &c;
    return nullptr;
}

// Takes the --sim-* options out of args (as "--NAME[=VALUE]" without the prefix).
QStringList takeSimArgs(QStringList& args) {
    const QStringList withValue = simValueOptions();
    QStringList sim;
    for (int i = 1; i < args.size();) {
        const QString a = args[i];
        if (a == u"--")
            break;
        if (!a.startsWith(u"--sim-")) {
            ++i;
            continue;
        }
        const QString name = a.mid(6).section(u'=', 0, 0);
        sim << QStringLiteral("--") + a.mid(6);
        args.removeAt(i);
        if (!a.contains(u'=') && withValue.contains(name) && i < args.size())
            sim << args.takeAt(i);
    }
    return sim;
}

// The command word: the first argument that is neither an option nor an option's value.
int commandIndex(const QStringList& args, const CliTable& table, const GlobalOptions& g) {
    QStringList withValue;
    QList<QCommandLineOption> all = g.all();
    for (const CliCommand& c : table)
        all += c.options;
    for (const QCommandLineOption& o : all)
        if (!o.valueName().isEmpty())
            withValue += o.names();
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"--")
            return i + 1 < args.size() ? i + 1 : -1;
        if (!a.startsWith(u'-') || a == u"-")
            return i;
        if (!a.contains(u'=') && withValue.contains(a.mid(a.startsWith(u"--") ? 2 : 1)))
            ++i;
    }
    return -1;
}

} // namespace

QString jsonContractPath() {
    return QStringLiteral("/usr/share/doc/hvpp/json-events.md");
}

QList<CliExitCode> cliExitCodes() {
    return {{Exit::Done, Texts::tr("完成 (连续编程: 每一片都通过)")},
            {Exit::Failed,
             Texts::tr("某一步失败 (校验不符, 文件无法载入或已改变, 映像被拒绝, 写入步骤没有数据; "
                       "连续编程: 有芯片失败或记录无法写入)")},
            {Exit::Usage, Texts::tr("用法错误")},
            {Exit::NoAnswer, Texts::tr("编程器或目标芯片没有应有的回答 (包括连接中断)")},
            {130, Texts::tr("被 Ctrl-C (SIGINT) 停止, 已输出统计")},
            {143, Texts::tr("被 SIGTERM 停止, 已输出统计")}};
}

QList<QCommandLineOption> cliGlobalOptions() {
    return GlobalOptions().all();
}

CliTable cliCommands() {
    CliTable t;
    addConnectionCommands(t);
    addMemoryCommands(t);
    addFeatureCommands(t);
    addByteCommands(t);
    addProgramCommands(t);
    addFuseCommands(t);
    addOfflineCommands(t);
    addProgrammerCommands(t);
    addSchemeCommands(t);
    return t;
}

namespace {

int s_stopSignal = 0;

void reportParseError(const QCommandLineParser& parser, int at, const CliCommand* command,
                      CliOutput& output) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty() && at > 0 && command) {
        const QString opt =
            (unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) +
            unknown.first();
        output.error(ErrorCode::usage,
                     Texts::tr("命令 %1 不接受选项 %2。用 hvpp-cli %1 --help 查看它的选项。")
                         .arg(command->name, opt));
    } else {
        output.error(ErrorCode::usage,
                     parser.errorText() + u' ' + Texts::tr("用 --help 查看命令与选项。"));
    }
}

// The command with its globals read; *stopped when the run was asked to stop.
int runCommand(const CliCommand& command, const QCommandLineParser& parser, const GlobalOptions& g,
               CliGlobals& globals, CliOutput& output, std::function<bool(const QString&)> ask,
               bool* stopped) {
    QStringList positional = parser.positionalArguments();
    positional.removeFirst(); // the command word
    if (positional.size() < command.minArgs || positional.size() > command.maxArgs) {
        output.error(ErrorCode::usage, CliTexts::usageLine().arg(synopsis(command)));
        return Exit::Usage;
    }
    globals.settingsFile = parser.value(g.settings);
    globals.port = parser.value(g.port).trimmed();
    if (parser.isSet(g.port) && globals.port.isEmpty())
        return output.error(ErrorCode::usage, CliTexts::emptyPort()), Exit::Usage;
    globals.line = parser.value(g.line).trimmed();
    globals.flow = parser.value(g.flow).trimmed();
    SerialSettings line;
    if (!globals.line.isEmpty() && !SerialSettings::parse(globals.line, &line))
        return output.error(ErrorCode::usage, CliTexts::badLine().arg(globals.line)), Exit::Usage;
    if (!globals.flow.isEmpty() && flowMode(globals.flow) < 0)
        return output.error(ErrorCode::usage, CliTexts::badFlow().arg(globals.flow)), Exit::Usage;
    BuiltInSimOptions sim;
    QString simError;
    if (!parseSimArgs(globals.simArgs, &sim, &simError))
        return output.error(ErrorCode::usage, simError), Exit::Usage;

    SettingsStore settings(globals.settingsFile);
    QString chip = parser.value(g.chip).trimmed().toUpper();
    if (!chip.isEmpty() && !ChipTable::contains(chip)) {
        output.error(ErrorCode::usage,
                     Texts::tr("未知芯片型号: %1 (可选: %2)")
                         .arg(parser.value(g.chip), ChipTable::names().join(QStringLiteral(", "))));
        return Exit::Usage;
    }
    globals.chip = chip;
    if (chip.isEmpty())
        chip = settings.read(SettingsKeys::ChipModel);

    // The session works without the settings store: what one command is given does not
    // become the default of the next. The commands that exist to store write it themselves.
    Session session;
    session.fuses.setSetFolder(DataPaths::setFolder(Language::current()));
    QObject::connect(&session.log, &MessageLog::messageLogged, &session.log,
                     [&output](const QString& text) { output.logLine(text); });
    CliUi ui(output, std::move(ask));
    QObject::connect(&session, &Session::verifyReported, &session, [&output, &session, &ui](int m) {
        if (session.lastVerify[m].differing > 0)
            ui.setNextCode(ErrorCode::verifyMismatch);
        output.event(verifyEvent(m, session.lastVerify[m]));
    });
    SelectChip(session, ChipTable::contains(chip) ? chip : QStringLiteral("ATMEGA8"));
    session.fuses.LoadFuseDescription(session.chip.ChipName + QStringLiteral(".FUS"), &session.log);
    session.fuses.ApplyFuseText(session.fuses.defaultFuseText());

    int code = Exit::Done;
    {
        CliContext ctx(parser, positional, globals, session, settings, output, ui);
        code = command.run(ctx);
        *stopped = ctx.stopRequested();
    }
    // What a command stored (offline-write checks its own) is a warning when it is lost.
    if (!settings.sync())
        output.note(Texts::settingsNotWritten(settings.fileName()));
    return code;
}

} // namespace

void setCliStopSignal(int signalNumber) {
    s_stopSignal = signalNumber;
}

int runCli(const QStringList& argv, QTextStream& out, QTextStream& err,
           std::function<bool(const QString&)> ask, bool terminal) {
    const CliTable table = cliCommands();
    const GlobalOptions g;
    QStringList args = argv.isEmpty() ? QStringList{QStringLiteral("hvpp-cli")} : argv;
    CliGlobals globals;
    globals.simArgs = takeSimArgs(args);
    const int at = commandIndex(args, table, g);
    const CliCommand* command = at > 0 ? findCommand(table, args[at]) : nullptr;

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(g.all());
    if (command)
        parser.addOptions(command->options);
    const bool parsed = parser.parse(args);
    globals.json = parser.isSet(g.json);
#ifdef Q_OS_UNIX
    terminal = terminal || (err.device() && !err.string() && isatty(STDERR_FILENO));
#endif
    globals.quiet = parser.isSet(g.quiet);
    globals.verbose = parser.isSet(g.verbose);
    CliOutput output(out, err, globals.json, terminal,
                     globals.quiet     ? CliOutput::Level::Quiet
                     : globals.verbose ? CliOutput::Level::Verbose
                                       : CliOutput::Level::Normal);
    if (parsed && parser.isSet(g.version)) {
        out << QStringLiteral("hvpp-cli " HVPP_VERSION) << u'\n' << Qt::flush;
        return Exit::Done;
    }
    if (parsed && parser.isSet(g.help)) {
        out << (command ? commandHelp(*command) : generalHelp(table, g)) << Qt::flush;
        return Exit::Done;
    }
    output.start(command ? command->name : QString());
    s_stopSignal = 0;
    int code = Exit::Usage;
    bool stopped = false;
    if (!parsed)
        reportParseError(parser, at, command, output);
    else if (at < 0)
        output.error(ErrorCode::usage, Texts::tr("缺少命令。用 --help 查看命令列表。"));
    else if (!command)
        output.error(ErrorCode::usage,
                     Texts::tr("未知命令: %1。用 --help 查看命令列表。").arg(args[at]));
    else
        code = runCommand(*command, parser, g, globals, output, std::move(ask), &stopped);
    // A stop ends with the code a shell gives a program that the signal ended (130 for
    // Ctrl-C, 143 for SIGTERM), after the totals were printed.
    if (s_stopSignal != 0) {
        stopped = true;
        code = 128 + s_stopSignal;
    } else if (stopped) {
        code = 128 + 2;
    }
    output.finish(code, stopped);
    return code;
}
