// program: the program-chip sequence, from the options given, the stored ones or the
// designed ones, or from a scheme file (--scheme).
#include "cli/cli.h"
#include "cli/cliopts.h"
#include "cli/clioutput.h"
#include "cli/clistreams.h"
#include "cli/cmd_repeat.h"
#include "core/opcontext.h"
#include "core/session.h"
#include "core/settings.h"
#include "core/texts.h"
#include "ops/program.h"
#include "ops/stepcode.h"
#include "scheme/scheme.h"
#include "scheme/schemelock.h"

#include <QJsonObject>

namespace {

// The steps in the order the sequence runs them, with the window's captions.
QStringList plannedSteps(const Session& s) {
    struct Planned {
        int option;
        const char* caption;
    };
    static const Planned order[] = {
        {OptCheckSignature, QT_TRANSLATE_NOOP("hvpp", "校验标识字")},
        {OptErase, QT_TRANSLATE_NOOP("hvpp", "擦除芯片")},
        {OptReloadFiles, QT_TRANSLATE_NOOP("hvpp", "文件重载")},
        {OptWriteFlash, QT_TRANSLATE_NOOP("hvpp", "编程FLASH")},
        {OptWriteEeprom, QT_TRANSLATE_NOOP("hvpp", "编程EEPROM")},
        {OptVerifyFlash, QT_TRANSLATE_NOOP("hvpp", "校验FLASH")},
        {OptVerifyEeprom, QT_TRANSLATE_NOOP("hvpp", "校验EEPROM")},
        {OptWriteFuses, QT_TRANSLATE_NOOP("hvpp", "编程熔丝位")},
        {OptWriteLock, QT_TRANSLATE_NOOP("hvpp", "编程锁定位")},
        {OptCalibration, QT_TRANSLATE_NOOP("hvpp", "写校准字节")},
    };
    QStringList steps;
    for (const Planned& p : order)
        if (s.options[p.option])
            steps << Texts::tr(p.caption);
    return steps;
}

// Every memory that a ticked step writes or verifies must have data, from a file built for
// the selected chip, before anything is sent: its file is loaded now (the reload of the
// sequence loads it again).
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
                m == 0 ? Texts::tr("编程FLASH 或 校验FLASH 已勾选, 但没有 FLASH 文件 (--flash FILE)。")
                       : Texts::tr("编程EEPROM 或 校验EEPROM 已勾选, 但没有 EEPROM 文件 "
                            "(--eeprom FILE)。"));
            return false;
        }
        if (!ctx.loadImage(m == 1, s.fileName[m]) || !ctx.imageForChip(m == 1))
            return false;
    }
    return true;
}

int runSequence(CliContext& ctx, const QString& scheme) {
    Session& s = ctx.session;
    if (!imagesReady(ctx))
        return Exit::Failed;
    const QStringList steps = plannedSteps(s);
    ctx.out.logLine(
        Texts::tr("编程步骤: %1")
            .arg(steps.isEmpty() ? Texts::tr("无 (只检查目标芯片)") : steps.join(QStringLiteral(", "))));
    if (ctx.isSet("repeat"))
        return runRepeat(ctx);
    ProgramOutcome r;
    QString failedStep;
    const int code = ctx.run(QStringLiteral("ProCommand"), Need::Programmer, [&](OpContext& c) {
        r = ProgramChip(c);
        failedStep = failedStepCode(r, s);
        if (r.otherChip)
            return Step::Failed;
        if (!r.targetPresent)
            return Step::NoAnswer;
        if (!r.signatureOk)
            ctx.out.error(ErrorCode::signatureMismatch, Texts::tr("标识字与所选芯片不符!"),
                          ctx.portName());
        return failedStep.isEmpty() ? Step::Ok : Step::Failed;
    });
    QJsonObject fields{{QStringLiteral("chip"), s.chip.ChipName},
                       {QStringLiteral("options"), s.optionsText()},
                       {QStringLiteral("failedStep"), failedStep},
                       {QStringLiteral("signatureOk"), r.signatureOk},
                       {QStringLiteral("flashVerifyFailed"), r.flashVerifyFailed},
                       {QStringLiteral("eepromVerifyFailed"), r.eepromVerifyFailed}};
    if (!scheme.isEmpty())
        fields.insert(QStringLiteral("scheme"), scheme);
    ctx.out.result(code == Exit::Done ? Texts::tr("编程完成。") : Texts::tr("编程未完成。"), fields);
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
        ctx.out.error(ErrorCode::schemeRefused, applied == 0 ? Texts::tr("无法读取方案文件 %1。").arg(path)
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
    QList<QCommandLineOption> options{fileOption("flash", Texts::tr("FLASH 映像文件。")),
                                      fileOption("eeprom", Texts::tr("EEPROM 映像文件。")),
                                      fileOption("scheme", Texts::tr("按方案文件编程 (芯片、熔丝位、选项、"
                                                              "文件与校准选项都取自方案)。"))};
    options += programOptions();
    options += calOptions();
    options += formatOption();
    options += repeatOptions();
    t << CliCommand{
        QStringLiteral("program"),
        {},
        0,
        0,
        Texts::tr("编程芯片: 按固定顺序执行所选步骤, 先列出将执行的步骤。"),
        Texts::tr("顺序: 校验标识字, 擦除, 文件重载, 写FLASH, 写EEPROM, 校验FLASH, 校验EEPROM, 熔丝位,\n"
           "锁定位, 校准字节。选项取 --options, 否则取保存的编程选项, 否则为默认的 1100011010\n"
           "(擦除, 编程FLASH, 文件重载, 校验标识字, 校验FLASH); 每个开关再勾选一项。\n"
           "写入或校验某存储器的步骤没有数据 (文件缺失、为空或无法读取) 时, 不发送任何内容,\n"
           "退出码 1。\n"
           "--repeat: 连续编程, 每 400 ms 检查一次是否放入芯片, 编程 (及 --serial 序列号) 后\n"
           "等待取出, 每片输出一行 (并写入 --csv 记录文件), Ctrl-C 结束并输出统计。"),
        QStringLiteral("hvpp-cli --port /dev/ttyUSB0 --chip ATMEGA8 program --flash app.hex"),
        options,
        program};
}
