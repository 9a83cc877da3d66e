// program: the program-chip sequence, from the options given, the stored ones or the
// designed ones, or from a scheme file (--scheme).
#include "cli/cli.h"
#include "cli/cliopts.h"
#include "cli/clioutput.h"
#include "cli/clistreams.h"
#include "cli/cmd_repeat.h"
#include "core/settings.h"
#include "core/texts.h"
#include "fuses/fuserisk.h"
#include "link/serialport.h"
#include "ops/jobtexts.h"
#include "ops/program.h"
#include "ops/stepcode.h"
#include "scheme/scheme.h"
#include "scheme/schemelock.h"
#include "session/opcontext.h"
#include "session/session.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// Every memory that a ticked step writes or verifies must have data before anything is
// sent: its file is loaded now, once (the job takes the image loaded here).
bool imagesReady(CliContext& ctx) {
    Session& s = ctx.session;
    for (int m = 0; m < 2; ++m) {
        const bool needed = s.options[m == 0 ? OptWriteFlash : OptWriteEeprom] ||
                            s.options[m == 0 ? OptVerifyFlash : OptVerifyEeprom];
        if (!needed)
            continue;
        if (s.fileName[m].isEmpty()) {
            ctx.out.error(
                ErrorCode::fileNotFound,
                m == 0
                    ? Texts::tr("编程FLASH 或 校验FLASH 已勾选, 但没有 FLASH 文件 (--flash FILE)。")
                    : Texts::tr("编程EEPROM 或 校验EEPROM 已勾选, 但没有 EEPROM 文件 "
                                "(--eeprom FILE)。"));
            return false;
        }
        if (!ctx.loadImage(m == 1, s.fileName[m]) || !ctx.imageForChip(m == 1))
            return false;
    }
    return true;
}

// The line rate the run would use: --line, else the stored setting.
int lineBaud(CliContext& ctx) {
    SerialSettings line;
    const QString text =
        ctx.globals.line.isEmpty() ? ctx.settings.serialSettings() : ctx.globals.line;
    return SerialSettings::parse(text, &line) ? line.baud : 115200;
}

QJsonArray stepCodes(const QList<ProgramStep>& steps) {
    QJsonArray codes;
    for (ProgramStep s : steps)
        codes.append(programStepCode(s));
    return codes;
}

// --dry-run: the checks, the job and its time; no port is opened.
int dryRun(CliContext& ctx, const ProgramJob& job) {
    for (const QString& line : describeJob(job))
        ctx.out.logLine(line);
    const double ms = estimateJobMs(job, lineBaud(ctx));
    ctx.out.result(Texts::tr("检查通过, 未打开串口。估计编程时间: 约 %1 秒 (%2 波特)。")
                       .arg(QString::number(ms / 1000.0, 'f', 1))
                       .arg(lineBaud(ctx)),
                   {{QStringLiteral("dryRun"), true},
                    {QStringLiteral("chip"), job.chip.ChipName},
                    {QStringLiteral("steps"), stepCodes(job.steps())},
                    {QStringLiteral("estimatedMs"), qRound64(ms)}});
    return Exit::Done;
}

int runSequence(CliContext& ctx, const QString& scheme) {
    Session& s = ctx.session;
    if (!imagesReady(ctx))
        return Exit::Failed;
    JobSource source;
    source.loadFiles = false; // loaded above, each named where it fails
    source.scheme = scheme;
    const ProgramJob job = jobFromSession(s, ctx.ui, source);
    const QStringList problems = checkJob(job);
    if (!problems.isEmpty()) {
        ctx.out.error(ErrorCode::jobRefused, JobTexts::refused());
        for (const QString& p : problems)
            ctx.out.error(ErrorCode::jobRefused, p);
        return Exit::Failed;
    }
    const FuseRisk risk = jobFuseRisk(s, job);
    if (risk.dangerous() && !ctx.isSet("force"))
        return ctx.out.error(ErrorCode::dangerousFuses, risk.refusal()), Exit::Usage;
    if (ctx.isSet("dry-run"))
        return dryRun(ctx, job);
    if (ctx.isSet("repeat"))
        return runRepeat(ctx, job);
    ProgramOutcome r;
    QString failedStep;
    const int code = ctx.run(OpId::Program, Need::Programmer, [&](OpContext& c) {
        r = RunProgramJob(c, job);
        if (r.failed() == ProgramStep::Presence)
            return Step::NoAnswer;
        if (r.failedAt(ProgramStep::Signature))
            ctx.out.error(ErrorCode::signatureMismatch, Texts::tr("标识字与所选芯片不符!"),
                          ctx.portName());
        return r.ok() ? Step::Ok : Step::Failed;
    });
    QJsonObject fields{
        {QStringLiteral("chip"), s.chip.ChipName},
        {QStringLiteral("options"), s.optionsText()},
        {QStringLiteral("stepsRun"), stepCodes(r.ran)},
        {QStringLiteral("failedStep"), r.failedCode()},
        {QStringLiteral("signatureOk"), !r.failedAt(ProgramStep::Signature)},
        {QStringLiteral("flashVerifyFailed"), r.failedAt(ProgramStep::VerifyFlash)},
        {QStringLiteral("eepromVerifyFailed"), r.failedAt(ProgramStep::VerifyEeprom)}};
    if (!scheme.isEmpty())
        fields.insert(QStringLiteral("scheme"), scheme);
    ctx.out.result(code == Exit::Done ? Texts::tr("编程完成。") : Texts::tr("编程未完成。"),
                   fields);
    return code;
}

int programScheme(CliContext& ctx) {
    for (const QCommandLineOption& o :
         programOptions() + calOptions() +
             QList<QCommandLineOption>{fileOption("flash", {}), fileOption("eeprom", {})})
        if (ctx.parser.isSet(o.names().first()))
            return ctx.usage(Texts::tr("--scheme 已给出编程选项、文件与校准选项, 不能再用 --%1。")
                                 .arg(o.names().first()));
    Session& s = ctx.session;
    const QString path = ctx.value("scheme");
    const int applied = LoadSet(s, ctx.ui, path);
    if (applied < 9) {
        ctx.out.error(ErrorCode::schemeRefused,
                      applied == 0
                          ? Texts::tr("无法读取方案文件 %1。").arg(path)
                          : Texts::tr("方案文件 %1 在第 %2 行出错 (只用了前 %3 行), 未编程。")
                                .arg(path)
                                .arg(applied + 1)
                                .arg(applied));
        return Exit::Failed;
    }
    ctx.out.logLine(
        Texts::tr("方案: %1  芯片: %2  编程选项: %3").arg(path, s.chip.ChipName, s.optionsText()));
    QString changed;
    if (!CheckSchemeLock(s, path, &changed)) {
        ctx.out.error(ErrorCode::schemeChanged, changed, path);
        return Exit::Failed;
    }
    return runSequence(ctx, path);
}

int program(CliContext& ctx) {
    if (const int code = checkRepeatOptions(ctx); code >= 0)
        return code;
    if (ctx.isSet("scheme"))
        return programScheme(ctx);
    Session& s = ctx.session;
    if (!applyProgramOptions(ctx) || !applyCalOptions(ctx))
        return Exit::Usage;
    // The files given, else (with "文件重载", as the window starts) the stored file names.
    for (int m = 0; m < 2; ++m) {
        const char* option = m == 0 ? "flash" : "eeprom";
        if (ctx.isSet(option))
            s.fileName[m] = ctx.value(option);
        else if (s.options[OptReloadFiles])
            s.fileName[m] =
                ctx.settings.read(m == 0 ? SettingsKeys::FlashFile : SettingsKeys::EepromFile);
    }
    return runSequence(ctx, QString());
}

} // namespace

void addProgramCommands(CliTable& t) {
    QList<QCommandLineOption> options{
        fileOption("flash", Texts::tr("FLASH 映像文件。")),
        fileOption("eeprom", Texts::tr("EEPROM 映像文件。")),
        fileOption("scheme", Texts::tr("按方案文件编程 (芯片、熔丝位、选项、"
                                       "文件与校准选项都取自方案)。"))};
    options += programOptions();
    options += calOptions();
    options += formatOption();
    options += repeatOptions();
    options << QCommandLineOption(QStringLiteral("dry-run"),
                                  Texts::tr("只检查并列出编程任务与估计时间, 不打开串口。"))
            << QCommandLineOption(QStringLiteral("force"),
                                  Texts::tr("写入危险的熔丝值 (否则拒绝, 退出码 2)。"));
    t << CliCommand{
        QStringLiteral("program"),
        {},
        0,
        0,
        Texts::tr("编程芯片: 按固定顺序执行所选步骤, 先列出将执行的步骤。"),
        Texts::tr(
            "顺序: 校验标识字, 擦除, 文件重载, 写FLASH, 写EEPROM, 校验FLASH, 校验EEPROM, 熔丝位,\n"
            "锁定位, 校准字节。选项取 --options, 否则取保存的编程选项, 否则为默认的 1100011010\n"
            "(擦除, 编程FLASH, 文件重载, 校验标识字, 校验FLASH); 每个开关再勾选一项。\n"
            "写入或校验某存储器的步骤没有数据 (文件缺失、为空或无法读取) 时, 不发送任何内容,\n"
            "退出码 1。编程前先检查整个任务 (数据、芯片大小、熔丝描述、方案中的文件),\n"
            "有问题时什么也不发送。危险的熔丝值 (描述文件中标 * 的选项, 或使芯片无法再用\n"
            "低压编程的位) 没有 --force 时拒绝, 退出码 2。--dry-run 只检查并列出任务。\n"
            "--repeat: 连续编程, 每 400 ms 检查一次是否放入芯片, 编程 (及 --serial 序列号) 后\n"
            "等待取出, 每片输出一行 (并写入 --csv 记录文件), Ctrl-C 结束并输出统计。"),
        QStringLiteral("hvpp-cli --port /dev/ttyUSB0 --chip ATMEGA8 program --flash app.hex"),
        options,
        program};
}
