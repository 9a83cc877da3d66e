// info (what an image file holds) and compare (the chip against image files, nothing
// written).
#include "cli/cmd_features.h"
#include "cli/cli.h"
#include "cli/cliopts.h"
#include "cli/clioutput.h"
#include "cli/clistreams.h"
#include "core/texts.h"
#include "image/imagesummary.h"
#include "ops/eepromops.h"
#include "ops/flashops.h"
#include "session/filechip.h"
#include "session/opcontext.h"
#include "session/session.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

QJsonArray rangesJson(const QVector<ByteRange>& ranges) {
    QJsonArray a;
    for (const ByteRange& r : ranges)
        a.append(QJsonArray{r.first, r.last});
    return a;
}

QJsonObject summaryJson(const ImageSummary& s) {
    QJsonObject o{{QStringLiteral("ranges"), rangesJson(s.ranges)},
                  {QStringLiteral("used"), s.usedBytes},
                  {QStringLiteral("bytes"), s.imageBytes},
                  {QStringLiteral("chipBytes"), s.chipBytes},
                  {QStringLiteral("crc32"), s.crc},
                  {QStringLiteral("fits"), s.fits()}};
    if (s.fileChip.saysChip()) // the chip the file was built for, as it names it
        o.insert(QStringLiteral("device"), fileChipName(s.fileChip));
    return o;
}

// The load logs the summary (and, for an ELF file, the EEPROM part and the fuse bytes);
// the result carries it for --json, and an image that does not fit the chip, or comes from
// a file built for another chip, is exit 1.
int info(CliContext& ctx) {
    const bool eeprom = ctx.isSet("eeprom");
    Session& s = ctx.session;
    s.loadSummary = {};
    if (!ctx.loadImage(eeprom, ctx.args[0], true)) // an empty image is an answer here
        return Exit::Failed;
    const ImageSummary& main = s.loadSummary[eeprom ? 1 : 0];
    QJsonObject fields{
        {QStringLiteral("file"), ctx.args[0]},
        {QStringLiteral("chip"), s.chip.ChipName},
        {eeprom ? QStringLiteral("eeprom") : QStringLiteral("flash"), summaryJson(main)}};
    const QString otherChip = chipMismatch(main.fileChip, s.chip);
    bool fits = main.fits() && otherChip.isEmpty();
    if (!eeprom && s.fileName[1] == s.fileName[0]) { // an ELF file with EEPROM contents
        fields.insert(QStringLiteral("eeprom"), summaryJson(s.loadSummary[1]));
        fits = fits && s.loadSummary[1].fits();
    }
    // The load logged the summary; -q prints it as the result.
    ctx.out.resultLine(summaryLines(main,
                                    eeprom ? QStringLiteral("EEPROM") : QStringLiteral("FLASH"),
                                    s.chip.ChipName)
                           .join(u'\n'));
    ctx.out.result(QString(), fields);
    if (!otherChip.isEmpty())
        ctx.out.error(ErrorCode::fileRefused, otherChip, ctx.args[0]);
    else if (!fits)
        ctx.out.error(ErrorCode::imageTooLarge,
                      Texts::tr("%1: 映像超出 %2 的容量。").arg(ctx.args[0], s.chip.ChipName));
    return fits ? Exit::Done : Exit::Failed;
}

int compare(CliContext& ctx) {
    const bool flash = ctx.isSet("flash");
    const bool eeprom = ctx.isSet("eeprom");
    if (!flash && !eeprom)
        return ctx.usage(Texts::tr("compare 需要 --flash FILE 和/或 --eeprom FILE。"));
    if (flash && !ctx.loadImage(false, ctx.value("flash")))
        return Exit::Failed;
    if (eeprom && !ctx.loadImage(true, ctx.value("eeprom")))
        return Exit::Failed;
    bool flashSame = true, eepromSame = true;
    const int code = ctx.run(OpId::CompareFlash, Need::Target, [&](OpContext& c) {
        if (flash)
            flashSame = VerifyFlash(c);
        if (eeprom)
            eepromSame = VerifyEeprom(c);
        return flashSame && eepromSame ? Step::Ok : Step::Failed;
    });
    if (code == Exit::Done || code == Exit::Failed) {
        const Session& s = ctx.session;
        ctx.out.result(
            code == Exit::Done ? Texts::tr("芯片与映像相同。") : Texts::tr("芯片与映像不同。"),
            {{QStringLiteral("same"), code == Exit::Done},
             {QStringLiteral("flashDiffering"), flash ? s.lastVerify[0].differing : 0},
             {QStringLiteral("eepromDiffering"), eeprom ? s.lastVerify[1].differing : 0}});
    }
    return code;
}

} // namespace

// The verify list of --json: one event per verify, with every differing range.
QJsonObject verifyEvent(int memory, const ImageDiff& d) {
    return {{QStringLiteral("type"), QStringLiteral("verify")},
            {QStringLiteral("memory"),
             memory == 0 ? QStringLiteral("FLASH") : QStringLiteral("EEPROM")},
            {QStringLiteral("compared"), d.compared},
            {QStringLiteral("differing"), d.differing},
            {QStringLiteral("first"), d.first()},
            {QStringLiteral("ranges"), rangesJson(d.ranges)}};
}

void addFeatureCommands(CliTable& t) {
    t << CliCommand{
        QStringLiteral("info"),
        QStringLiteral("FILE"),
        1,
        1,
        Texts::tr("显示映像文件的数据区、所选芯片容量中已用的字节数与 CRC-32 (不需要编程器)。"),
        Texts::tr(
            "FILE 为 Intel HEX、ELF (如 .ELF/.AXF)、.BIN 或 .EEP 文件; --eeprom 按EEPROM文件\n"
            "载入。映像超出所选芯片 (--chip) 的容量, 或程序为其他芯片编译时退出码为 1。"),
        QStringLiteral("hvpp-cli --chip ATMEGA8 info app.hex"),
        {QCommandLineOption(QStringLiteral("eeprom"), Texts::tr("按EEPROM文件载入。")),
         formatOption()},
        info};
    t << CliCommand{
        QStringLiteral("compare"),
        {},
        0,
        0,
        Texts::tr("读出芯片并与映像文件比较, 不写入; 列出所有不同的地址段, 不同时退出码为 1。"),
        {},
        QStringLiteral("hvpp-cli --port /dev/ttyUSB0 compare --flash app.hex"),
        {fileOption("flash", Texts::tr("FLASH 映像文件。")),
         fileOption("eeprom", Texts::tr("EEPROM 映像文件。")), formatOption()},
        compare};
}
