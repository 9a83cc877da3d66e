#include "cli/cmd_repeat.h"

#include "cli/cli.h"
#include "cli/cliopts.h"
#include "cli/clioutput.h"
#include "core/settings.h"
#include "core/texts.h"
#include "link/link.h"
#include "ops/production.h"
#include "ops/productiontexts.h"
#include "ops/stepcode.h"
#include "session/opcontext.h"
#include "session/session.h"

#include <QFileInfo>
#include <QSysInfo>

#include <QJsonObject>

QList<QCommandLineOption> repeatOptions() {
    return {
        QCommandLineOption(
            QStringLiteral("repeat"),
            Texts::tr("连续编程: 等待放入芯片, 编程, 等待取出, 再等下一片, 直到 Ctrl-C。")),
        fileOption("csv",
                   Texts::tr("连续编程: 记录文件 (CSV, 第一行为列名), 每片一行, 在锁定下追加, "
                             "几个工位可共用一个文件。")),
        QCommandLineOption(QStringLiteral("count"),
                           Texts::tr("连续编程: 编程 N 片 (通过或失败) 后结束。"),
                           QStringLiteral("N")),
        QCommandLineOption(QStringLiteral("max-fail"), Texts::tr("连续编程: 第 K 片失败后结束。"),
                           QStringLiteral("K")),
        QCommandLineOption(QStringLiteral("station"),
                           Texts::tr("连续编程: 记录文件中的工位名。默认: 主机名。"),
                           QStringLiteral("NAME")),
        QCommandLineOption(QStringLiteral("job"),
                           Texts::tr("连续编程: 作业名 (序列号与计数按作业保存)。默认: 方案文件名, "
                                     "否则芯片型号。"),
                           QStringLiteral("NAME")),
        QCommandLineOption(QStringLiteral("serial"),
                           Texts::tr("连续编程: 编程成功后写入序列号 (4 字节, 高字节在前), 位置为 "
                                     "flash:ADDR 或 eeprom:ADDR (十六进制字节地址)。"),
                           QStringLiteral("MEM:ADDR")),
        QCommandLineOption(
            QStringLiteral("serial-initial"),
            Texts::tr("连续编程: 第一个序列号, 十六进制 (至多8位)。默认: 作业上次停下处, "
                      "新作业为 0。"),
            QStringLiteral("HEX")),
        QCommandLineOption(QStringLiteral("serial-increment"),
                           Texts::tr("连续编程: 每片序列号的增量 (1..255)。默认 1。"),
                           QStringLiteral("N")),
    };
}

namespace {

bool positive(CliContext& ctx, const char* option, int* value) {
    if (!ctx.isSet(option))
        return true;
    bool ok = false;
    *value = ctx.value(option).toInt(&ok);
    if (ok && *value > 0)
        return true;
    ctx.usage(Texts::tr("--%1 须为正整数: %2").arg(QLatin1String(option), ctx.value(option)));
    return false;
}

bool repeatSettings(CliContext& ctx, ProductionSettings& ps) {
    ps.csvPath = ctx.value("csv");
    if (!positive(ctx, "count", &ps.count) || !positive(ctx, "max-fail", &ps.maxFail))
        return false;
    ps.station = ctx.isSet("station") ? ctx.value("station") : QSysInfo::machineHostName();
    const QString scheme = ctx.value("scheme");
    ps.job = ctx.isSet("job")    ? ctx.value("job")
             : !scheme.isEmpty() ? QFileInfo(scheme).completeBaseName()
                                 : ctx.session.chip.ChipName;
    ps.jobFile = scheme.isEmpty() || ctx.isSet("job")
                     ? JobRecord::inSettingsFolder(ctx.settings.fileName(), ps.job)
                     : JobRecord::besideScheme(scheme);
    ps.port = ctx.portName();
    if (!ctx.isSet("serial")) {
        for (const char* o : {"serial-initial", "serial-increment"})
            if (ctx.isSet(o)) {
                ctx.usage(Texts::tr("--%1 需要 --serial MEM:ADDR。").arg(QLatin1String(o)));
                return false;
            }
        return true;
    }
    const QStringList where = ctx.value("serial").split(u':');
    const QString memory = where.value(0).toLower();
    if (where.size() != 2 || (memory != u"flash" && memory != u"eeprom")) {
        ctx.usage(Texts::tr("--serial 须为 flash:ADDR 或 eeprom:ADDR (ADDR 为十六进制字节地址)。"));
        return false;
    }
    OfflinePanel p;
    p.serialToFlash = memory == u"flash";
    (p.serialToFlash ? p.serialFlashAddress : p.serialEepromAddress) = where[1];
    p.initialHex = ctx.isSet("serial-initial") ? ctx.value("serial-initial") : QStringLiteral("0");
    bool ok = true;
    p.increment = ctx.isSet("serial-increment") ? ctx.value("serial-increment").toInt(&ok) : 1;
    const Session& s = ctx.session;
    QString error;
    if (!ok || !serialFromPanel(p, s.chip.FlashSize, s.chip.EepromSize, ps.serial, &error)) {
        ctx.usage(ok ? error : Texts::tr("--serial-increment 须为 1..255。"));
        return false;
    }
    ps.serial.enabled = true;
    ps.serialGiven = ctx.isSet("serial-initial");
    return true;
}

} // namespace

int checkRepeatOptions(CliContext& ctx) {
    if (!ctx.isSet("repeat")) {
        for (const char* o : {"csv", "serial", "serial-initial", "serial-increment", "count",
                              "max-fail", "station", "job"})
            if (ctx.isSet(o))
                return ctx.usage(Texts::tr("--%1 只用于 --repeat。").arg(QLatin1String(o)));
        return -1;
    }
    ProductionSettings ps;
    return repeatSettings(ctx, ps) ? -1 : Exit::Usage;
}

namespace {

QJsonObject chipEvent(int n, const ChipRecord& r) {
    return {{QStringLiteral("type"), QStringLiteral("chip")},
            {QStringLiteral("n"), n},
            {QStringLiteral("time"), r.time},
            {QStringLiteral("signature"), r.signature},
            {QStringLiteral("serial"), r.serial},
            {QStringLiteral("result"), r.result()},
            {QStringLiteral("failedStep"), r.failedStep},
            {QStringLiteral("error"), r.error},
            {QStringLiteral("flashCrc32"), r.flashCrc},
            {QStringLiteral("eepromCrc32"), r.eepromCrc},
            {QStringLiteral("job"), r.job},
            {QStringLiteral("station"), r.station},
            {QStringLiteral("port"), r.port}};
}

QString endCode(RunEnd end) {
    switch (end) {
    case RunEnd::Count:
        return QStringLiteral("count");
    case RunEnd::MaxFail:
        return QStringLiteral("max_fail");
    case RunEnd::NoAnswer:
        return QStringLiteral("no_answer");
    case RunEnd::RecordFailed:
        return QStringLiteral("record_failed");
    case RunEnd::Stopped:
        break;
    }
    return QStringLiteral("stopped");
}

} // namespace

int runRepeat(CliContext& ctx, const ProgramJob& programJob) {
    ProductionSettings ps;
    if (!repeatSettings(ctx, ps))
        return Exit::Usage;
    ps.programJob = programJob;
    ps.programJob->serial = ps.serial;
    int passed = 0, failed = 0;
    RunEnd end = RunEnd::Stopped;
    QString recordError;
    JobTotals job;
    bool linkLost = true; // until the run returns
    // The production run judges each chip itself; a missing answer fails that chip only.
    const int code =
        ctx.run(OpId::Program, Need::ProgrammerJudged, [&](OpContext& c) {
            ProductionRun run(c, ps);
            QObject::connect(&run, &ProductionRun::chipDone, &run, [&](const ChipRecord& r) {
                ++(r.passed ? passed : failed);
                const int n = passed + failed;
                ctx.out.event(chipEvent(n, r));
                ctx.out.resultLine(r.passed
                                       ? ProductionTexts::chipPassed(n, r.signature, r.serial)
                                       : ProductionTexts::chipFailed(
                                             n, r.signature,
                                             r.failedStep.isEmpty()
                                                 ? ProductionTexts::errorCaption(r.error, r.stopped)
                                                 : stepCaption(r.failedStep)));
            });
            QObject::connect(&run, &ProductionRun::jobTotalsChanged, &run,
                             [&](const JobTotals& t) { job = t; });
            end = run.run();
            linkLost = false;
            recordError = run.recordError();
            job = run.jobTotals();
            return Step::Ok;
        });
    if (end != RunEnd::RecordFailed || passed + failed > 0)
        ctx.out.resultLine(ProductionTexts::summary(passed, failed));
    QJsonObject fields{
        {QStringLiteral("passed"), passed},
        {QStringLiteral("failed"), failed},
        {QStringLiteral("chips"), passed + failed},
        {QStringLiteral("end"), linkLost && code == Exit::NoAnswer && !ctx.stopRequested()
                                    ? QStringLiteral("link_lost")
                                    : endCode(end)},
        {QStringLiteral("job"), QJsonObject{{QStringLiteral("name"), ps.job},
                                            {QStringLiteral("passed"), job.passed},
                                            {QStringLiteral("failed"), job.failed}}}};
    if (ps.serial.enabled && job.hasNext)
        fields.insert(QStringLiteral("nextSerial"), hexField(job.next, 8));
    ctx.out.result(QString(), fields);
    if (code != Exit::Done) // the link failed: the summary is out, the run ends with 3
        return code;
    if (end == RunEnd::RecordFailed) {
        ctx.out.error(ErrorCode::csvRefused, recordError);
        return Exit::Failed;
    }
    if (end == RunEnd::NoAnswer)
        return ctx.portError(ErrorCode::noAnswer, Texts::noAnswer(), Exit::NoAnswer);
    return failed > 0 ? Exit::Failed : Exit::Done;
}
