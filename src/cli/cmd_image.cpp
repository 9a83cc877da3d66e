// The image and memory commands: erase, write/verify/read flash and EEPROM, calibration
// bytes, single bytes, file conversion and the program-chip sequence.
#include "chips/chiptable.h"
#include "cli/cli.h"
#include "core/opcontext.h"
#include "core/session.h"
#include "core/settings.h"
#include "core/texts.h"
#include "image/images.h"
#include "image/loader.h"
#include "image/saver.h"
#include "ops/calibration.h"
#include "ops/eepromops.h"
#include "ops/flashops.h"
#include "ops/identify.h"
#include "ops/program.h"
#include "ops/readops.h"
#include "ops/singlebyte.h"

#include <QJsonArray>
#include <QRegularExpression>

namespace {

struct OptionSwitch {
    const char* name;
    int index;
    const char* help;
};

// One named switch per program option, in the order of the option indexes.
const OptionSwitch kSwitches[] = {
    {"erase", OptErase, QT_TRANSLATE_NOOP("hvpp", "选项0 擦除芯片")},
    {"write-flash", OptWriteFlash, QT_TRANSLATE_NOOP("hvpp", "选项1 编程FLASH")},
    {"write-eeprom", OptWriteEeprom, QT_TRANSLATE_NOOP("hvpp", "选项2 编程EEPROM")},
    {"write-fuses", OptWriteFuses,
     QT_TRANSLATE_NOOP("hvpp", "选项3 编程熔丝位 (熔丝来自所选芯片的默认熔丝)")},
    {"write-lock", OptWriteLock, QT_TRANSLATE_NOOP("hvpp", "选项4 编程锁定位")},
    {"reload", OptReloadFiles,
     QT_TRANSLATE_NOOP("hvpp", "选项5 文件重载 (编程前重新载入 --flash/--eeprom 文件)")},
    {"check-signature", OptCheckSignature, QT_TRANSLATE_NOOP("hvpp", "选项6 校验标识字")},
    {"calibration", OptCalibration,
     QT_TRANSLATE_NOOP("hvpp", "选项7 写校准字节 (读校准字节并写入 --cal-* 所选位置)")},
    {"verify-flash", OptVerifyFlash, QT_TRANSLATE_NOOP("hvpp", "选项8 校验FLASH")},
    {"verify-eeprom", OptVerifyEeprom, QT_TRANSLATE_NOOP("hvpp", "选项9 校验EEPROM")},
};

QString opt(const char* name) {
    return QString::fromLatin1(name);
}

// Opens the programmer and checks that a chip answers; null (exit 3) otherwise.
OpContext* openTarget(CliContext& ctx, int* code) {
    OpContext* c = ctx.openLink();
    if (!c) {
        *code = Exit::NoAnswer;
        return nullptr;
    }
    bool present = false;
    if (!runOperation(*c, QString(), [&] { present = PresenceTest(*c); }) || !present) {
        *code = Exit::NoAnswer;
        return nullptr;
    }
    return c;
}

bool usage(CliContext& ctx, int positional, const QString& synopsis) {
    if (ctx.args.size() == positional)
        return true;
    ctx.out.error(Texts::tr("用法: hvpp-cli %1").arg(synopsis));
    return false;
}

// Loads path into the flash (or EEPROM) image as the open buttons do.
bool loadInto(CliContext& ctx, bool eeprom, const QString& path) {
    Session& s = ctx.session;
    s.fileName[eeprom ? 1 : 0] = path;
    QString copy = path;
    const LoadResult r = eeprom ? LoadEepromFile(s, ctx.ui, copy) : LoadFlashFile(s, ctx.ui, copy);
    if (r == LoadResult::UnknownKind) {
        ctx.out.error(eeprom ? Texts::tr("无法识别的文件类型: %1 (可用 .HEX, .BIN, .EEP)").arg(path)
                             : Texts::tr("无法识别的文件类型: %1 (可用 .HEX, .BIN)").arg(path));
        return false;
    }
    if (r != LoadResult::Loaded)
        return false;
    ctx.out.result(eeprom ? s.eepromSizePanel : s.flashSizePanel);
    return true;
}

int eraseCommand(CliContext& ctx) {
    int code = Exit::Done;
    OpContext* c = openTarget(ctx, &code);
    if (!c)
        return code;
    return runOperation(*c, QStringLiteral("EraserFlash"), [&] { EraseChip(*c); }) ? Exit::Done
                                                                                   : Exit::Failed;
}

int writeMemory(CliContext& ctx, bool eeprom) {
    if (!usage(ctx, 1,
               eeprom ? QStringLiteral("write-eeprom FILE") : QStringLiteral("write-flash FILE")))
        return Exit::Usage;
    if (!loadInto(ctx, eeprom, ctx.args[0]))
        return Exit::Failed;
    int code = Exit::Done;
    OpContext* c = openTarget(ctx, &code);
    if (!c)
        return code;
    bool written = false;
    const bool ok = runOperation(*c, QStringLiteral("ProCommand"),
                                 [&] { written = eeprom ? WriteEeprom(*c) : WriteFlash(*c); });
    return ok && written ? Exit::Done : Exit::Failed;
}

int verifyMemory(CliContext& ctx, bool eeprom) {
    if (!usage(ctx, 1,
               eeprom ? QStringLiteral("verify-eeprom FILE") : QStringLiteral("verify-flash FILE")))
        return Exit::Usage;
    if (!loadInto(ctx, eeprom, ctx.args[0]))
        return Exit::Failed;
    int code = Exit::Done;
    OpContext* c = openTarget(ctx, &code);
    if (!c)
        return code;
    bool same = false;
    const bool ok = runOperation(*c, QStringLiteral("ProCommand"),
                                 [&] { same = eeprom ? VerifyEeprom(*c) : VerifyFlash(*c); });
    return ok && same ? Exit::Done : Exit::Failed;
}

int readMemory(CliContext& ctx, bool eeprom) {
    if (!usage(ctx, 1,
               eeprom ? QStringLiteral("read-eeprom OUT.bin")
                      : QStringLiteral("read-flash OUT.bin")))
        return Exit::Usage;
    OpContext* c = ctx.openLink();
    if (!c)
        return Exit::NoAnswer;
    bool present = false;
    if (!runOperation(*c, eeprom ? QStringLiteral("ReadEEPROM") : QStringLiteral("ReadFlash"),
                      [&] { present = eeprom ? ReadEeprom(*c) : ReadFlash(*c); }))
        return Exit::Failed;
    if (!present)
        return Exit::NoAnswer;
    Session& s = ctx.session;
    const QString& image = eeprom ? s.EepromBufferText : s.FlashBufferText;
    QString error;
    if (!WriteImageFile(ctx.args[0], image, &error)) {
        ctx.out.error(Texts::tr("无法保存 %1: %2").arg(ctx.args[0], error));
        return Exit::Failed;
    }
    const int expected = eeprom ? s.chip.EepromSize : s.chip.FlashSize;
    ctx.out.result(
        eeprom ? s.eepromSizePanel : s.flashSizePanel,
        {{QStringLiteral("bytes"), imageBytes(image)}, {QStringLiteral("file"), ctx.args[0]}});
    if (imageBytes(image) != expected) {
        ctx.out.error(
            Texts::tr("只读到 %1 字节 (芯片有 %2 字节)。").arg(imageBytes(image)).arg(expected));
        return Exit::Failed;
    }
    return Exit::Done;
}

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
            parts << opt(names[k]) + u'=' + cal.slotText[k] +
                         (cal.pickedSlot == k ? QStringLiteral("*") : QString());
    return parts.join(u' ');
}

int readCal(CliContext& ctx) {
    if (!usage(ctx, 0, QStringLiteral("read-cal")))
        return Exit::Usage;
    if (ctx.session.chip.ChipName == u"ATMEGA161") {
        ctx.out.error(Texts::tr("ATMEGA161 没有校准字节。"));
        return Exit::Failed;
    }
    int code = Exit::Done;
    OpContext* c = openTarget(ctx, &code);
    if (!c)
        return code;
    bool filled = false;
    if (!runOperation(*c, QStringLiteral("ReadOA"), [&] { filled = ReadOA(*c); }))
        return Exit::Failed;
    if (!filled)
        return Exit::NoAnswer;
    ctx.out.result(slotsText(ctx.session.cal), slotsJson(ctx.session.cal));
    return Exit::Done;
}

// --cal-slot 0..3 or 1MHz/2MHz/4MHz/8MHz; --cal-target flash|eeprom; --cal-address N.
bool applyCalOptions(CliContext& ctx) {
    CalibrationPanel& cal = ctx.session.cal;
    const QString target = ctx.parser.value(QStringLiteral("cal-target")).toLower();
    if (!target.isEmpty()) {
        if (target != u"flash" && target != u"eeprom") {
            ctx.out.error(Texts::tr("--cal-target 须为 flash 或 eeprom。"));
            return false;
        }
        cal.target = target == u"eeprom" ? 1 : 0;
    }
    if (ctx.parser.isSet(QStringLiteral("cal-address")))
        (cal.target == 0 ? cal.flashAddress : cal.eepromAddress) =
            ctx.parser.value(QStringLiteral("cal-address"));
    return true;
}

// The slot named by --cal-slot: -1 when not given, -2 (after the message) when not a slot.
int calSlotOption(CliContext& ctx) {
    if (!ctx.parser.isSet(QStringLiteral("cal-slot")))
        return -1;
    const QString v = ctx.parser.value(QStringLiteral("cal-slot")).toUpper();
    static const char* const names[] = {"1MHZ", "2MHZ", "4MHZ", "8MHZ"};
    for (int k = 0; k < 4; ++k)
        if (v == QString::number(k) || v == opt(names[k]))
            return k;
    ctx.out.error(Texts::tr("--cal-slot 须为 0..3 或 1MHz, 2MHz, 4MHz, 8MHz。"));
    return -2;
}

int writeCal(CliContext& ctx) {
    if (!usage(ctx, 0,
               QStringLiteral(
                   "write-cal [--cal-slot K] [--cal-target flash|eeprom] [--cal-address N]")))
        return Exit::Usage;
    const int slot = calSlotOption(ctx);
    if (slot == -2 || !applyCalOptions(ctx))
        return Exit::Usage;
    int code = Exit::Done;
    OpContext* c = openTarget(ctx, &code);
    if (!c)
        return code;
    bool filled = false;
    bool written = false;
    const bool ok = runOperation(*c, QStringLiteral("WriteOA_Command"), [&] {
        filled = ReadOA(*c);
        if (!filled)
            return;
        if (slot >= 0) // the user's pick wins over the one the read made
            ctx.session.cal.pickedSlot = slot;
        written = WriteOA(*c);
    });
    if (!ok)
        return Exit::Failed;
    if (!filled)
        return Exit::NoAnswer;
    return written ? Exit::Done : Exit::Failed;
}

int memoryRow(CliContext& ctx, const QString& word) {
    if (word == u"flash")
        return 0;
    if (word == u"eeprom")
        return 1;
    ctx.out.error(Texts::tr("存储器须为 flash 或 eeprom, 而不是 \"%1\"。").arg(word));
    return -1;
}

int readByte(CliContext& ctx) {
    if (!usage(ctx, 2, QStringLiteral("read-byte flash|eeprom ADDR")))
        return Exit::Usage;
    const int row = memoryRow(ctx, ctx.args[0]);
    if (row < 0)
        return Exit::Usage;
    ctx.session.single.address[row] = ctx.args[1];
    int code = Exit::Done;
    OpContext* c = openTarget(ctx, &code);
    if (!c)
        return code;
    bool sent = false;
    if (!runOperation(*c, QStringLiteral("R_DataCommand_%1").arg(row),
                      [&] { sent = ReadSingle(*c, row); }))
        return Exit::Failed;
    if (!sent)
        return Exit::Usage;
    const QString data = ctx.session.single.data[row];
    if (data.isEmpty())
        return Exit::NoAnswer;
    ctx.out.result(data,
                   {{QStringLiteral("data"), data}, {QStringLiteral("address"), ctx.args[1]}});
    return Exit::Done;
}

int writeByte(CliContext& ctx) {
    if (!usage(ctx, 3, QStringLiteral("write-byte flash|eeprom ADDR DATA")))
        return Exit::Usage;
    const int row = memoryRow(ctx, ctx.args[0]);
    if (row < 0)
        return Exit::Usage;
    ctx.session.single.address[row] = ctx.args[1];
    ctx.session.single.data[row] = ctx.args[2];
    int code = Exit::Done;
    OpContext* c = openTarget(ctx, &code);
    if (!c)
        return code;
    bool sent = false;
    if (!runOperation(*c, QStringLiteral("W_DataCommand_%1").arg(row),
                      [&] { sent = WriteSingle(*c, row); }))
        return Exit::Failed;
    return sent ? Exit::Done : Exit::Usage;
}

int convert(CliContext& ctx) {
    if (!usage(ctx, 2, QStringLiteral("convert IN OUT.bin [--eeprom]")))
        return Exit::Usage;
    const bool eeprom = ctx.parser.isSet(QStringLiteral("eeprom"));
    if (!loadInto(ctx, eeprom, ctx.args[0]))
        return Exit::Failed;
    const QString& image = eeprom ? ctx.session.EepromBufferText : ctx.session.FlashBufferText;
    QString error;
    if (!WriteImageFile(ctx.args[1], image, &error)) {
        ctx.out.error(Texts::tr("无法保存 %1: %2").arg(ctx.args[1], error));
        return Exit::Failed;
    }
    return Exit::Done;
}

int program(CliContext& ctx) {
    Session& s = ctx.session;
    const bool eepromFlag = ctx.parser.isSet(QStringLiteral("eeprom"));
    if (ctx.args.size() != (eepromFlag ? 1 : 0)) {
        ctx.out.error(Texts::tr("用法: hvpp-cli program [--flash FILE] [--eeprom FILE] [--options "
                                "DIGITS] [选项开关...]"));
        return Exit::Usage;
    }
    if (ctx.parser.isSet(QStringLiteral("options"))) {
        const QString digits = ctx.parser.value(QStringLiteral("options"));
        if (digits.size() != 10 || digits.contains(QRegularExpression(QStringLiteral("[^01]")))) {
            ctx.out.error(Texts::tr("--options 须为 10 位 0/1, 如 1110000011。"));
            return Exit::Usage;
        }
        s.setOptionsText(digits);
    } else {
        s.setOptionsText(ctx.settings.read(SettingsKeys::ProgramOptions));
    }
    for (const OptionSwitch& sw : kSwitches)
        if (ctx.parser.isSet(opt(sw.name)))
            s.options[sw.index] = true;
    const int slot = calSlotOption(ctx);
    if (slot == -2 || !applyCalOptions(ctx))
        return Exit::Usage;
    if (slot >= 0)
        s.cal.pickedSlot = slot;

    const QString flashFile = ctx.parser.value(QStringLiteral("flash"));
    const QString eepromFile = eepromFlag ? ctx.args[0] : QString();
    if (!flashFile.isEmpty() && !loadInto(ctx, false, flashFile))
        return Exit::Failed;
    if (!eepromFile.isEmpty() && !loadInto(ctx, true, eepromFile))
        return Exit::Failed;
    ctx.out.logLine(Texts::tr("编程选项: %1").arg(s.optionsText()));

    OpContext* c = ctx.openLink();
    if (!c)
        return Exit::NoAnswer;
    ProgramOutcome r;
    if (!runOperation(*c, QStringLiteral("ProCommand"), [&] { r = ProgramChip(*c); }))
        return Exit::Failed;
    if (!r.targetPresent)
        return Exit::NoAnswer;
    // A reload of an empty file-name box is no failure of a file the user named.
    const bool loadFailed = (r.flashLoadFailed && !s.fileName[0].isEmpty()) ||
                            (r.eepromLoadFailed && !s.fileName[1].isEmpty());
    const bool failed = !r.signatureOk || loadFailed || r.flashRefused || r.eepromRefused ||
                        r.flashVerifyFailed || r.eepromVerifyFailed ||
                        (s.options[OptCalibration] && !r.calibrationWritten);
    ctx.out.result(failed ? Texts::tr("编程未完成。") : Texts::tr("编程完成。"),
                   {{QStringLiteral("ok"), !failed},
                    {QStringLiteral("signatureOk"), r.signatureOk},
                    {QStringLiteral("flashVerifyFailed"), r.flashVerifyFailed},
                    {QStringLiteral("eepromVerifyFailed"), r.eepromVerifyFailed}});
    return failed ? Exit::Failed : Exit::Done;
}

} // namespace

void addImageCommands(CliRegistry& r) {
    r.commands << CliCommand{QStringLiteral("erase"), QStringLiteral("erase"),
                             Texts::tr("擦除芯片 (EM000000#)。"), eraseCommand};
    r.commands << CliCommand{
        QStringLiteral("write-flash"), QStringLiteral("write-flash FILE"),
        Texts::tr("载入 FILE (.HEX/.BIN) 并写入芯片FLASH (不擦除; 需要时先 erase)。"),
        [](CliContext& c) { return writeMemory(c, false); }};
    r.commands << CliCommand{QStringLiteral("verify-flash"), QStringLiteral("verify-flash FILE"),
                             Texts::tr("载入 FILE 并与芯片FLASH校验; 不符时退出码为 1。"),
                             [](CliContext& c) { return verifyMemory(c, false); }};
    r.commands << CliCommand{QStringLiteral("write-eeprom"), QStringLiteral("write-eeprom FILE"),
                             Texts::tr("载入 FILE (.EEP/.HEX/.BIN) 并逐字节写入芯片EEPROM。"),
                             [](CliContext& c) { return writeMemory(c, true); }};
    r.commands << CliCommand{QStringLiteral("verify-eeprom"), QStringLiteral("verify-eeprom FILE"),
                             Texts::tr("载入 FILE 并与芯片EEPROM校验; 不符时退出码为 1。"),
                             [](CliContext& c) { return verifyMemory(c, true); }};
    r.commands << CliCommand{QStringLiteral("read-flash"), QStringLiteral("read-flash OUT.bin"),
                             Texts::tr("读出整个芯片FLASH, 存为二进制文件 OUT.bin。"),
                             [](CliContext& c) { return readMemory(c, false); }};
    r.commands << CliCommand{QStringLiteral("read-eeprom"), QStringLiteral("read-eeprom OUT.bin"),
                             Texts::tr("读出整个芯片EEPROM, 存为二进制文件 OUT.bin。"),
                             [](CliContext& c) { return readMemory(c, true); }};
    r.commands << CliCommand{
        QStringLiteral("read-cal"), QStringLiteral("read-cal"),
        Texts::tr("读校准字节, 打印各槽 (1MHz 2MHz 4MHz 8MHz; * 为默认选中)。"), readCal};
    r.commands << CliCommand{
        QStringLiteral("write-cal"),
        QStringLiteral("write-cal [--cal-slot K] [--cal-target flash|eeprom] [--cal-address N]"),
        Texts::tr("读校准字节, 把所选槽的字节写入 flash 或 eeprom 的字节地址 N (十进制)。\n"
                  "默认: 芯片自动选中的槽, flash, 存储器的最后一个字节。"),
        writeCal};
    r.commands << CliCommand{
        QStringLiteral("read-byte"), QStringLiteral("read-byte flash|eeprom ADDR"),
        Texts::tr("读一个FLASH字 (字地址) 或一个EEPROM字节 (字节地址); ADDR 为十进制。"), readByte};
    r.commands << CliCommand{
        QStringLiteral("write-byte"), QStringLiteral("write-byte flash|eeprom ADDR DATA"),
        Texts::tr("写一个FLASH字 (DATA 至多4位十六进制, 低字节在前) 或一个EEPROM字节\n"
                  "(至多2位)。注:只有原地址数据为FF时,才能正确写入数据。"),
        writeByte};
    r.commands << CliCommand{
        QStringLiteral("convert"), QStringLiteral("convert IN OUT.bin [--eeprom]"),
        Texts::tr("把 IN (.HEX/.BIN; 加 --eeprom 时按EEPROM文件, 也可为 .EEP) 转成二进制文件\n"
                  "OUT.bin。不需要编程器。"),
        convert};
    QString switches;
    for (const OptionSwitch& sw : kSwitches)
        switches += QStringLiteral("\n--") + opt(sw.name).leftJustified(16) + Texts::tr(sw.help);
    r.commands << CliCommand{
        QStringLiteral("program"),
        Texts::tr("program [--flash FILE] [--eeprom FILE] [--options DIGITS] [开关...]"),
        Texts::tr(
            "编程芯片: 按固定顺序执行所选步骤 (标识字检查, 擦除, 写FLASH, 写EEPROM, 校验, 熔丝,\n"
            "锁定位, 校准字节)。--flash/--eeprom 填入文件名框并先行载入。\n"
            "--options 为10位选项 (如 1110000011), 默认为保存的编程选项; 下列开关再勾选一项:") +
            switches,
        program};

    r.options << QCommandLineOption(QStringLiteral("flash"), Texts::tr("program: FLASH 映像文件。"),
                                    QStringLiteral("FILE"));
    r.options << QCommandLineOption(
        QStringLiteral("eeprom"),
        Texts::tr("program --eeprom FILE: EEPROM 映像文件; convert: 按EEPROM文件载入。"));
    r.options << QCommandLineOption(QStringLiteral("options"),
                                    Texts::tr("program: 10位编程选项, 如 1110000011。"),
                                    QStringLiteral("DIGITS"));
    for (const OptionSwitch& sw : kSwitches)
        r.options << QCommandLineOption(opt(sw.name), Texts::tr("program: ") + Texts::tr(sw.help));
    r.options << QCommandLineOption(
        QStringLiteral("cal-slot"),
        Texts::tr("write-cal/program: 校准字节槽 0..3 或 1MHz/2MHz/4MHz/8MHz。"),
        QStringLiteral("K"));
    r.options << QCommandLineOption(QStringLiteral("cal-target"),
                                    Texts::tr("write-cal/program: 校准字节写入 flash 或 eeprom。"),
                                    QStringLiteral("MEMORY"));
    r.options << QCommandLineOption(QStringLiteral("cal-address"),
                                    Texts::tr("write-cal/program: 校准字节的字节地址 (十进制)。"),
                                    QStringLiteral("N"));
}
