// erase, write/verify/read of flash and EEPROM, and convert.
#include "cli/cli.h"
#include "cli/cliopts.h"
#include "cli/clioutput.h"
#include "cli/clistreams.h"
#include "cli/clitexts.h"
#include "core/texts.h"
#include "image/images.h"
#include "image/saver.h"
#include "ops/eepromops.h"
#include "ops/flashops.h"
#include "ops/readops.h"
#include "session/opcontext.h"
#include "session/session.h"

#include <QJsonObject>

namespace {

int eraseChip(CliContext& ctx) {
    const int code = ctx.run(OpId::Erase, Need::Target, [](OpContext& c) {
        EraseChip(c);
        return Step::Ok;
    });
    if (code == Exit::Done)
        ctx.out.result(Texts::tr("芯片已擦除。"), {{QStringLiteral("erased"), true}});
    return code;
}

// The memory's image and the bytes it holds, for the result of a write or verify.
QJsonObject imageFields(const Session& s, bool eeprom, const QString& file) {
    const QString& image = eeprom ? s.EepromBufferText : s.FlashBufferText;
    return {{QStringLiteral("memory"), eeprom ? QStringLiteral("eeprom") : QStringLiteral("flash")},
            {QStringLiteral("file"), file},
            {QStringLiteral("bytes"), imageBytes(image)}};
}

int writeMemory(CliContext& ctx, bool eeprom) {
    if (!ctx.loadImage(eeprom, ctx.args[0]) || !ctx.imageForChip(eeprom))
        return Exit::Failed;
    const int code = ctx.run(OpId::Program, Need::Target, [eeprom](OpContext& c) {
        return (eeprom ? WriteEeprom(c) : WriteFlash(c)) ? Step::Ok : Step::Failed;
    });
    if (code == Exit::Done)
        ctx.out.result(Texts::tr("写入完成。"), imageFields(ctx.session, eeprom, ctx.args[0]));
    return code;
}

int verifyMemory(CliContext& ctx, bool eeprom) {
    if (!ctx.loadImage(eeprom, ctx.args[0]) || !ctx.imageForChip(eeprom))
        return Exit::Failed;
    const int code = ctx.run(OpId::Program, Need::Target, [eeprom](OpContext& c) {
        return (eeprom ? VerifyEeprom(c) : VerifyFlash(c)) ? Step::Ok : Step::Failed;
    });
    if (code == Exit::Done || code == Exit::Failed) {
        QJsonObject fields = imageFields(ctx.session, eeprom, ctx.args[0]);
        fields.insert(QStringLiteral("same"), code == Exit::Done);
        ctx.out.result(code == Exit::Done ? Texts::tr("校验通过。") : QString(), fields);
    }
    return code;
}

// The whole memory into a binary file; a read cut short replaces no file.
int readMemory(CliContext& ctx, bool eeprom) {
    Session& s = ctx.session;
    const QString path = ctx.args[0];
    if (const int code = claimStdout(ctx, path); code >= 0)
        return code;
    const int code =
        ctx.run(eeprom ? OpId::ReadEeprom : OpId::ReadFlash, Need::Programmer, [&](OpContext& c) {
            if (!(eeprom ? ReadEeprom(c) : ReadFlash(c)))
                return Step::NoAnswer;
            const QString& image = eeprom ? s.EepromBufferText : s.FlashBufferText;
            const int expected = eeprom ? s.chip.EepromSize : s.chip.FlashSize;
            if (imageBytes(image) != expected) {
                ctx.out.error(ErrorCode::noAnswer, Texts::tr("%1: 只读到 %2 字节 (芯片有 %3 字节), "
                                                             "未写入文件。")
                                                       .arg(ctx.portName())
                                                       .arg(imageBytes(image))
                                                       .arg(expected));
                return Step::NoAnswer;
            }
            return Step::Ok;
        });
    if (code != Exit::Done)
        return code;
    const QString& image = eeprom ? s.EepromBufferText : s.FlashBufferText;
    QString error;
    if (!writeImageTo(ctx, path, image, &error)) {
        ctx.out.error(ErrorCode::fileUnwritable, CliTexts::cannotSave().arg(path, error));
        return Exit::Failed;
    }
    ctx.out.result(eeprom ? s.eepromSizePanel : s.flashSizePanel,
                   {{QStringLiteral("bytes"), imageBytes(image)}, {QStringLiteral("file"), path}});
    return Exit::Done;
}

// convert IN OUT (a flash image), or convert --flash IN OUT / --eeprom IN OUT.
int convert(CliContext& ctx) {
    const bool eeprom = ctx.isSet("eeprom");
    const bool named = eeprom || ctx.isSet("flash");
    if ((eeprom && ctx.isSet("flash")) || ctx.args.size() != (named ? 1 : 2))
        return ctx.usage(Texts::tr("用法: hvpp-cli convert IN OUT, 或 convert --flash IN OUT, 或 "
                                   "convert --eeprom IN OUT。"));
    const QString in = named ? ctx.value(eeprom ? "eeprom" : "flash") : ctx.args[0];
    const QString out = ctx.args.last();
    if (const int code = claimStdout(ctx, out); code >= 0)
        return code;
    if (!ctx.loadImage(eeprom, in))
        return Exit::Failed;
    const QString& image = eeprom ? ctx.session.EepromBufferText : ctx.session.FlashBufferText;
    QString error;
    if (!writeImageTo(ctx, out, image, &error)) {
        ctx.out.error(ErrorCode::fileUnwritable, CliTexts::cannotSave().arg(out, error));
        return Exit::Failed;
    }
    ctx.out.result(
        Texts::tr("已存入 %1。").arg(out),
        {{QStringLiteral("memory"), eeprom ? QStringLiteral("eeprom") : QStringLiteral("flash")},
         {QStringLiteral("bytes"), imageBytes(image)},
         {QStringLiteral("file"), out}});
    return Exit::Done;
}

CliCommand memoryCommand(const char* name, const QString& args, const QString& summary,
                         const QString& example, std::function<int(CliContext&)> run) {
    return CliCommand{QString::fromLatin1(name),
                      args,
                      1,
                      1,
                      summary,
                      Texts::tr("FILE 或 OUT 为 - 时为标准输入或标准输出, 须给出 --format。"),
                      example,
                      {formatOption()},
                      std::move(run)};
}

} // namespace

void addMemoryCommands(CliTable& t) {
    t << CliCommand{QStringLiteral("erase"),
                    {},
                    0,
                    0,
                    Texts::tr("擦除芯片 (EM000000#)。"),
                    {},
                    QStringLiteral("hvpp-cli --port /dev/ttyUSB0 erase"),
                    {},
                    eraseChip};
    const QString file = QStringLiteral("FILE");
    t << memoryCommand(
        "write-flash", file,
        Texts::tr("载入 FILE (.HEX/.BIN) 并写入芯片FLASH (不擦除; 需要时先 erase)。"),
        QStringLiteral("hvpp-cli --port /dev/ttyUSB0 write-flash app.hex"),
        [](CliContext& c) { return writeMemory(c, false); });
    t << memoryCommand("verify-flash", file,
                       Texts::tr("载入 FILE 并与芯片FLASH校验; 不符时退出码为 1。"),
                       QStringLiteral("hvpp-cli --port /dev/ttyUSB0 verify-flash app.hex"),
                       [](CliContext& c) { return verifyMemory(c, false); });
    t << memoryCommand("write-eeprom", file,
                       Texts::tr("载入 FILE (.EEP/.HEX/.BIN) 并逐字节写入芯片EEPROM。"),
                       QStringLiteral("hvpp-cli --port /dev/ttyUSB0 write-eeprom data.eep"),
                       [](CliContext& c) { return writeMemory(c, true); });
    t << memoryCommand("verify-eeprom", file,
                       Texts::tr("载入 FILE 并与芯片EEPROM校验; 不符时退出码为 1。"),
                       QStringLiteral("hvpp-cli --port /dev/ttyUSB0 verify-eeprom data.eep"),
                       [](CliContext& c) { return verifyMemory(c, true); });
    const QString out = QStringLiteral("OUT");
    t << memoryCommand(
        "read-flash", out,
        Texts::tr("读出整个芯片FLASH, 存入 OUT (.hex/.eep 为 Intel HEX, 否则为二进制)。"),
        QStringLiteral("hvpp-cli --port /dev/ttyUSB0 read-flash backup.bin"),
        [](CliContext& c) { return readMemory(c, false); });
    t << memoryCommand(
        "read-eeprom", out,
        Texts::tr("读出整个芯片EEPROM, 存入 OUT (.hex/.eep 为 Intel HEX, 否则为二进制)。"),
        QStringLiteral("hvpp-cli --port /dev/ttyUSB0 read-eeprom data.bin"),
        [](CliContext& c) { return readMemory(c, true); });
    t << CliCommand{
        QStringLiteral("convert"),
        QStringLiteral("[IN] OUT"),
        1,
        2,
        Texts::tr("把 FLASH 或 EEPROM 映像文件转存为 OUT (不需要编程器)。"),
        Texts::tr("IN 或 --flash IN 按FLASH文件载入, --eeprom IN 按EEPROM文件载入 (也可为 "
                  ".EEP)。\nOUT 以 .hex 或 .eep 结尾时存为 Intel HEX, 否则为二进制。\n"
                  "IN 为 - 时读标准输入, OUT 为 - 时写标准输出; 这时须给出 --format。"),
        QStringLiteral("hvpp-cli convert --flash app.hex app.bin"),
        {fileOption("flash", Texts::tr("FLASH 映像文件。")),
         fileOption("eeprom", Texts::tr("EEPROM 映像文件。")), formatOption()},
        convert};
}
