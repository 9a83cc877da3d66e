#include "cli/cmd_repeat.h"

#include "cli/cli.h"
#include "cli/cliopts.h"
#include "cli/clioutput.h"
#include "core/opcontext.h"
#include "core/session.h"
#include "core/texts.h"
#include "ops/production.h"

#include <QJsonObject>

QList<QCommandLineOption> repeatOptions() {
    return {
        QCommandLineOption(QStringLiteral("repeat"),
                           Texts::tr("连续编程: 等待放入芯片, 编程, 等待取出, 再等下一片, 直到 Ctrl-C。")),
        fileOption("csv", Texts::tr("连续编程: 记录文件, 每片一行 (时间, 标识字, 序列号, 结果, 失败步骤, "
                             "两个映像的 CRC-32)。")),
        QCommandLineOption(QStringLiteral("serial"),
                           Texts::tr("连续编程: 编程成功后写入序列号 (4 字节, 高字节在前), 位置为 "
                              "flash:ADDR 或 eeprom:ADDR (十六进制字节地址)。"),
                           QStringLiteral("MEM:ADDR")),
        QCommandLineOption(QStringLiteral("serial-initial"),
                           Texts::tr("连续编程: 第一个序列号, 十六进制 (至多8位)。默认 0。"),
                           QStringLiteral("HEX")),
        QCommandLineOption(QStringLiteral("serial-increment"),
                           Texts::tr("连续编程: 每片序列号的增量 (1..255)。默认 1。"),
                           QStringLiteral("N")),
    };
}

namespace {

bool repeatSettings(CliContext& ctx, ProductionSettings& ps) {
    ps.csvPath = ctx.value("csv");
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
    return true;
}

} // namespace

int checkRepeatOptions(CliContext& ctx) {
    if (!ctx.isSet("repeat")) {
        for (const char* o : {"csv", "serial", "serial-initial", "serial-increment"})
            if (ctx.isSet(o))
                return ctx.usage(Texts::tr("--%1 只用于 --repeat。").arg(QLatin1String(o)));
        return -1;
    }
    ProductionSettings ps;
    return repeatSettings(ctx, ps) ? -1 : Exit::Usage;
}

int runRepeat(CliContext& ctx, const ProgramJob& job) {
    ProductionSettings ps;
    if (!repeatSettings(ctx, ps))
        return Exit::Usage;
    ps.job = job;
    ps.job->serial = ps.serial;
    int passed = 0, failed = 0;
    const int code = ctx.run(QStringLiteral("ProCommand"), Need::Programmer, [&](OpContext& c) {
        ProductionRun run(c, ps);
        QObject::connect(&run, &ProductionRun::chipDone, &run, [&](const ChipRecord& r) {
            ++(r.passed ? passed : failed);
            // The log line of the chip is its one line; --json adds the fields.
            ctx.out.result(QString(), {{QStringLiteral("chip"), passed + failed},
                                       {QStringLiteral("time"), r.time},
                                       {QStringLiteral("signature"), r.signature},
                                       {QStringLiteral("serial"), r.serial},
                                       {QStringLiteral("passed"), r.passed},
                                       {QStringLiteral("failedStep"), r.failedStep},
                                       {QStringLiteral("flashCrc32"), r.flashCrc},
                                       {QStringLiteral("eepromCrc32"), r.eepromCrc}});
        });
        run.run();
        return failed > 0 ? Step::Failed : Step::Ok;
    });
    // The summary line is in the log; --json gets the counts as the result.
    ctx.out.result(QString(),
                   {{QStringLiteral("passed"), passed}, {QStringLiteral("failed"), failed}});
    return failed > 0 ? Exit::Failed : code;
}
