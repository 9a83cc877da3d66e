// read-cal, write-cal, read-byte, write-byte: the calibration panel and the single bytes.
#include "cli/cli.h"
#include "cli/cliopts.h"
#include "cli/clioutput.h"
#include "core/texts.h"
#include "ops/calibration.h"
#include "ops/singlebyte.h"
#include "session/opcontext.h"
#include "session/session.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

QJsonObject slotsJson(const CalibrationPanel& cal) {
    QJsonArray arr;
    for (int k = 0; k < 4; ++k)
        arr.append(cal.slotVisible[k] ? QJsonValue(cal.slotText[k]) : QJsonValue());
    return {{QStringLiteral("slots"), arr}, {QStringLiteral("picked"), cal.pickedSlot}};
}

QString slotsText(const CalibrationPanel& cal) {
    static const char* const names[] = {"1MHz", "2MHz", "4MHz", "8MHz"};
    QStringList parts;
    for (int k = 0; k < 4; ++k)
        if (cal.slotVisible[k])
            parts << QLatin1String(names[k]) + u'=' + cal.slotText[k] +
                         (cal.pickedSlot == k ? QStringLiteral("*") : QString());
    return parts.join(u' ');
}

bool hasCalibration(CliContext& ctx) {
    if (ctx.session.chip.ChipName != u"ATMEGA161")
        return true;
    ctx.out.error(ErrorCode::refused, Texts::tr("ATMEGA161 没有校准字节。"));
    return false;
}

int readCal(CliContext& ctx) {
    if (!hasCalibration(ctx))
        return Exit::Failed;
    const int code = ctx.run(OpId::ReadCalibration, Need::Target,
                             [](OpContext& c) { return ReadOA(c) ? Step::Ok : Step::NoAnswer; });
    if (code == Exit::Done)
        ctx.out.result(slotsText(ctx.session.cal), slotsJson(ctx.session.cal));
    return code;
}

int writeCal(CliContext& ctx) {
    if (!hasCalibration(ctx))
        return Exit::Failed;
    const int picked = ctx.session.cal.pickedSlot;
    if (!applyCalOptions(ctx))
        return Exit::Usage;
    const int slot = ctx.isSet("cal-slot") ? ctx.session.cal.pickedSlot : -1;
    ctx.session.cal.pickedSlot = picked;
    return ctx.run(OpId::WriteCalibration, Need::Target, [&](OpContext& c) {
        if (!ReadOA(c))
            return Step::NoAnswer;
        if (slot >= 0) // the user's pick wins over the one the read made
            c.session.cal.pickedSlot = slot;
        return WriteOA(c) ? Step::Ok : Step::Failed;
    });
}

int memoryRow(const QString& word) {
    return word == u"flash" ? 0 : word == u"eeprom" ? 1 : -1;
}

int singleByte(CliContext& ctx, bool write) {
    const int row = memoryRow(ctx.args[0]);
    if (row < 0)
        return ctx.usage(Texts::tr("存储器须为 flash 或 eeprom, 而不是 \"%1\"。").arg(ctx.args[0]));
    SingleBytePanel& p = ctx.session.single;
    p.address[row] = ctx.args[1];
    if (write)
        p.data[row] = ctx.args[2];
    bool sent = false;
    const int code = ctx.run(singleByteOp(write, row), Need::Target, [&](OpContext& c) {
        sent = write ? WriteSingle(c, row) : ReadSingle(c, row);
        if (sent && !write && c.session.single.data[row].isEmpty())
            return Step::NoAnswer;
        return Step::Ok;
    });
    if (code == Exit::Done && !sent)
        return Exit::Usage; // the address or data was refused (the log says why)
    if (code == Exit::Done && !write)
        ctx.out.result(p.data[row], {{QStringLiteral("data"), p.data[row]},
                                     {QStringLiteral("address"), ctx.args[1]}});
    return code;
}

} // namespace

void addByteCommands(CliTable& t) {
    t << CliCommand{QStringLiteral("read-cal"),
                    {},
                    0,
                    0,
                    Texts::tr("读校准字节, 打印各槽 (1MHz 2MHz 4MHz 8MHz; * 为默认选中)。"),
                    {},
                    QStringLiteral("hvpp-cli --port sim read-cal"),
                    {},
                    readCal};
    t << CliCommand{
        QStringLiteral("write-cal"),
        {},
        0,
        0,
        Texts::tr("读校准字节, 把所选槽的字节写入 flash 或 eeprom 的一个字节地址。"),
        Texts::tr("默认: 芯片自动选中的槽, flash, 存储器的最后一个字节。"),
        QStringLiteral("hvpp-cli --port sim write-cal --cal-slot 8MHz --cal-target eeprom"),
        calOptions(),
        writeCal};
    t << CliCommand{
        QStringLiteral("read-byte"),
        QStringLiteral("flash|eeprom ADDR"),
        2,
        2,
        Texts::tr("读一个FLASH字 (字地址) 或一个EEPROM字节 (字节地址); ADDR 为十进制。"),
        {},
        QStringLiteral("hvpp-cli --port sim read-byte eeprom 16"),
        {},
        [](CliContext& c) { return singleByte(c, false); }};
    t << CliCommand{
        QStringLiteral("write-byte"),
        QStringLiteral("flash|eeprom ADDR DATA"),
        3,
        3,
        Texts::tr("写一个FLASH字 (DATA 至多4位十六进制, 低字节在前) 或一个EEPROM字节。"),
        Texts::tr("注:只有原地址数据为FF时,才能正确写入数据。"),
        QStringLiteral("hvpp-cli --port sim write-byte eeprom 16 A5"),
        {},
        [](CliContext& c) { return singleByte(c, true); }};
}
