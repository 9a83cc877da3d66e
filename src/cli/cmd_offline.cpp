// Stand-alone programming, the programmer's own maintenance and scheme files:
// offline-write, offline-read, offline-upload, store-fuse-table, firmware-mode,
// firmware-update, programmer-eeprom, scheme-save, and program --scheme.
#include "chips/chiptable.h"
#include "cli/cli.h"
#include "core/opcontext.h"
#include "core/session.h"
#include "core/settings.h"
#include "core/texts.h"
#include "firmware/firmwareupdate.h"
#include "image/loader.h"
#include "link/link.h"
#include "offline/fusetable.h"
#include "offline/offlinerecord.h"
#include "offline/offlinestore.h"
#include "offline/offlinetexts.h"
#include "offline/upload.h"
#include "ops/program.h"
#include "scheme/scheme.h"
#include "tools/numberconverter.h"

#include <QJsonArray>

namespace {

QString opt(const char* name) {
    return QString::fromLatin1(name);
}

// The step boxes of the offline page, box 0 first.
const char* const kStepNames[8] = {"flash", "eeprom", "fuses", "lock",
                                   "cal",   "serial", "erase", "enable"};

bool fail(CliContext& ctx, const QString& text) {
    ctx.out.error(text);
    return false;
}

bool parseTarget(CliContext& ctx, const char* option, bool& toFlash) {
    if (!ctx.parser.isSet(opt(option)))
        return true;
    const QString v = ctx.parser.value(opt(option)).toLower();
    if (v != u"flash" && v != u"eeprom")
        return fail(ctx, Texts::tr("--%1 须为 flash 或 eeprom。").arg(opt(option)));
    toFlash = v == u"flash";
    return true;
}

bool parseSteps(CliContext& ctx, std::array<bool, 8>& steps) {
    if (!ctx.parser.isSet(opt("steps")))
        return true;
    const QString v = ctx.parser.value(opt("steps")).trimmed().toLower();
    std::array<bool, 8> out{};
    if (v.size() == 8 && v.count(u'0') + v.count(u'1') == 8) {
        for (int n = 0; n < 8; ++n)
            out[n] = v.at(n) == u'1';
    } else if (v != u"none") {
        for (const QString& name : v.split(u',', Qt::SkipEmptyParts)) {
            int found = -1;
            for (int n = 0; n < 8; ++n)
                if (name.trimmed() == opt(kStepNames[n]))
                    found = n;
            if (found < 0)
                return fail(ctx, Texts::tr("--steps: 未知步骤 \"%1\" (可用: "
                                           "flash,eeprom,fuses,lock,cal,serial,erase,enable, "
                                           "none, 或8位0/1, 第0项在前)。")
                                     .arg(name));
            out[found] = true;
        }
    }
    steps = out;
    return true;
}

bool parseHexBox(CliContext& ctx, const char* option, NumberConverter::Box box, QString& field) {
    if (!ctx.parser.isSet(opt(option)))
        return true;
    const QString v = ctx.parser.value(opt(option)).trimmed();
    if (v.isEmpty() || !NumberConverter::accepts(box, v))
        return fail(
            ctx, box == NumberConverter::Hex
                     ? Texts::tr("--%1 须为至多8位十六进制数 (不超过 FFFFFFFF)。").arg(opt(option))
                     : Texts::tr("--%1 须为至多4位十六进制数。").arg(opt(option)));
    field = v.toUpper();
    return true;
}

// The offline page from the stored settings ("脱机"), then the options given.
bool offlinePanelFromOptions(CliContext& ctx) {
    OfflinePanel& p = ctx.session.offline;
    LoadOfflinePanel(ctx.settings, p);
    if (!parseSteps(ctx, p.steps) || !parseTarget(ctx, "oa-target", p.calToFlash) ||
        !parseTarget(ctx, "serial-target", p.serialToFlash))
        return false;
    if (ctx.parser.isSet(opt("oa-slot"))) {
        QString v = ctx.parser.value(opt("oa-slot")).trimmed().toUpper();
        if (v.startsWith(u"OA"))
            v = v.mid(2);
        bool ok = false;
        const int slot = v.toInt(&ok);
        if (!ok || slot < 1 || slot > 4)
            return fail(ctx, Texts::tr("--oa-slot 须为 1..4 (OA1..OA4)。"));
        p.calSlot = slot - 1;
    }
    if (!parseHexBox(ctx, "oa-address", NumberConverter::CalFlash,
                     p.calToFlash ? p.calFlashAddress : p.calEepromAddress) ||
        !parseHexBox(ctx, "serial-address", NumberConverter::SerialFlash,
                     p.serialToFlash ? p.serialFlashAddress : p.serialEepromAddress))
        return false;
    if (ctx.parser.isSet(opt("increment"))) {
        bool ok = false;
        const int inc = ctx.parser.value(opt("increment")).trimmed().toInt(&ok);
        if (!ok || inc < 0 || inc > 255)
            return fail(ctx, Texts::tr("--increment 须为 0..255。"));
        p.increment = inc;
    }
    if (ctx.parser.isSet(opt("initial-hex")) && ctx.parser.isSet(opt("initial-decimal")))
        return fail(ctx, Texts::tr("--initial-hex 与 --initial-decimal 只能给一个。"));
    if (!parseHexBox(ctx, "initial-hex", NumberConverter::Hex, p.initialHex))
        return false;
    if (ctx.parser.isSet(opt("initial-hex")))
        p.initialDecimal = QString::number(BinaryToDecimal(HexToBinary(p.initialHex)));
    if (ctx.parser.isSet(opt("initial-decimal"))) {
        const QString v = ctx.parser.value(opt("initial-decimal")).trimmed();
        if (v.isEmpty() || !NumberConverter::accepts(NumberConverter::Decimal, v))
            return fail(ctx, Texts::tr("--initial-decimal 须为 0..4294967295 的十进制整数。"));
        p.initialDecimal = QString::number(v.toULongLong());
        p.initialHex = BinaryToHex(DecimalToBinary(v.toULongLong()));
    }
    const QString problem = OfflinePanelProblem(p);
    if (!problem.isEmpty())
        return fail(ctx, problem);
    return true;
}

bool isFuseBits(const QString& t) {
    if (t.size() != 32)
        return false;
    for (QChar ch : t)
        if (ch != u'0' && ch != u'1' && ch != u'*')
            return false;
    return true;
}

// The fuse bits: --fuse-bits, else the stored text of 32 characters, else the chip's default.
bool fuseBitsFromOptions(CliContext& ctx) {
    Session& s = ctx.session;
    if (ctx.parser.optionNames().contains(opt("fuse-bits"))) {
        const QString bits = ctx.parser.value(opt("fuse-bits")).trimmed();
        if (!isFuseBits(bits))
            return fail(
                ctx,
                Texts::tr("--fuse-bits 须为32位 0/1 (锁定位第7位在前, 然后扩展, 高, 低字节)。"));
        s.fuses.ApplyFuseText(bits);
        return true;
    }
    const QString stored = ctx.settings.read(SettingsKeys::FuseBits);
    s.fuses.ApplyFuseText(isFuseBits(stored) ? stored : s.fuses.defaultFuseText());
    return true;
}

// The values as the record carries them: addresses of four digits, the initial number of
// eight, so that what offline-write prints and what offline-read prints compare equal.
QJsonObject panelJson(const Session& s) {
    const OfflinePanel& p = s.offline;
    const QString oa =
        padText(p.calToFlash ? p.calFlashAddress : p.calEepromAddress, u'0', 4, true);
    const QString serial =
        padText(p.serialToFlash ? p.serialFlashAddress : p.serialEepromAddress, u'0', 4, true);
    QJsonArray steps;
    for (int n = 0; n < 8; ++n)
        if (p.steps[n])
            steps.append(opt(kStepNames[n]));
    return {{QStringLiteral("steps"), steps},
            {QStringLiteral("oaTarget"),
             p.calToFlash ? QStringLiteral("flash") : QStringLiteral("eeprom")},
            {QStringLiteral("oaSlot"), p.calSlot + 1},
            {QStringLiteral("oaAddress"), oa},
            {QStringLiteral("serialTarget"),
             p.serialToFlash ? QStringLiteral("flash") : QStringLiteral("eeprom")},
            {QStringLiteral("serialAddress"), serial},
            {QStringLiteral("increment"), p.increment},
            {QStringLiteral("initialHex"), padText(p.initialHex, u'0', 8, true)},
            {QStringLiteral("initialDecimal"), p.initialDecimal},
            {QStringLiteral("chip"), s.chip.ChipName},
            {QStringLiteral("lock"), s.fuses.frameDigits(3)},
            {QStringLiteral("extended"), s.fuses.frameDigits(2)},
            {QStringLiteral("high"), s.fuses.frameDigits(1)},
            {QStringLiteral("low"), s.fuses.frameDigits(0)}};
}

QString panelText(const Session& s) {
    const QJsonObject o = panelJson(s);
    QStringList steps;
    for (const QJsonValue& v : o.value(QStringLiteral("steps")).toArray())
        steps << v.toString();
    const OfflinePanel& p = s.offline;
    return Texts::tr("步骤: %1\n校准字节: OA%2 -> %3 地址 %4\n序列号: %5 地址 %6, 自动增量 %7, "
                     "初始编号 %8 (%9)\n"
                     "芯片: %10  熔丝: 锁定位 %11 扩展 %12 高 %13 低 %14")
        .arg(steps.isEmpty() ? Texts::tr("无") : steps.join(u','))
        .arg(p.calSlot + 1)
        .arg(o.value(QStringLiteral("oaTarget")).toString(),
             o.value(QStringLiteral("oaAddress")).toString(),
             o.value(QStringLiteral("serialTarget")).toString(),
             o.value(QStringLiteral("serialAddress")).toString())
        .arg(p.increment)
        .arg(o.value(QStringLiteral("initialHex")).toString(), p.initialDecimal, s.chip.ChipName,
             s.fuses.frameDigits(3), s.fuses.frameDigits(2), s.fuses.frameDigits(1),
             s.fuses.frameDigits(0));
}

bool noArgs(CliContext& ctx, const QString& synopsis) {
    if (ctx.args.isEmpty())
        return true;
    ctx.out.error(Texts::tr("用法: hvpp-cli %1").arg(synopsis));
    return false;
}

int offlineWrite(CliContext& ctx) {
    if (!noArgs(ctx, Texts::tr("offline-write [脱机选项...]")))
        return Exit::Usage;
    if (!offlinePanelFromOptions(ctx) || !fuseBitsFromOptions(ctx))
        return Exit::Usage;
    OpContext* c = ctx.openLink();
    if (!c)
        return Exit::NoAnswer;
    bool written = false;
    if (!runOperation(*c, QStringLiteral("LeavePcWrite"),
                      [&] { written = WriteOfflineSettings(*c); }) ||
        !written)
        return Exit::Failed;
    StoreOfflinePanel(ctx.settings, ctx.session.offline);
    ctx.out.result(panelText(ctx.session), panelJson(ctx.session));
    return Exit::Done;
}

int offlineRead(CliContext& ctx) {
    if (!noArgs(ctx, QStringLiteral("offline-read")))
        return Exit::Usage;
    LoadOfflinePanel(ctx.settings, ctx.session.offline);
    OpContext* c = ctx.openLink();
    if (!c)
        return Exit::NoAnswer;
    bool complete = false;
    const int warningsBefore = ctx.ui.warnings;
    if (!runOperation(*c, QStringLiteral("LeavePcRead"),
                      [&] { complete = ReadOfflineSettings(*c); }))
        return Exit::Failed;
    StoreOfflinePanel(ctx.settings, ctx.session.offline);
    QJsonObject fields = panelJson(ctx.session);
    fields.insert(QStringLiteral("complete"), complete);
    ctx.out.result(panelText(ctx.session), fields);
    if (!complete)
        return Exit::NoAnswer;
    // A record naming no chip of the table ("无目标芯片或不支持!").
    return ctx.ui.warnings > warningsBefore ? Exit::Failed : Exit::Done;
}

bool loadImage(CliContext& ctx, bool eeprom, const QString& path) {
    Session& s = ctx.session;
    s.fileName[eeprom ? 1 : 0] = path;
    QString copy = path;
    const LoadResult r = eeprom ? LoadEepromFile(s, ctx.ui, copy) : LoadFlashFile(s, ctx.ui, copy);
    if (r == LoadResult::UnknownKind)
        ctx.out.error(Texts::tr("无法识别的文件类型: %1").arg(path));
    return r == LoadResult::Loaded;
}

int offlineUpload(CliContext& ctx) {
    const bool eepromFlag = ctx.parser.isSet(opt("eeprom"));
    if (ctx.args.size() != (eepromFlag ? 1 : 0)) {
        ctx.out.error(Texts::tr("用法: hvpp-cli offline-upload [--flash FILE] [--eeprom FILE]"));
        return Exit::Usage;
    }
    const QString flashFile = ctx.parser.value(opt("flash"));
    if (!flashFile.isEmpty() && !loadImage(ctx, false, flashFile))
        return Exit::Failed;
    if (eepromFlag && !loadImage(ctx, true, ctx.args[0]))
        return Exit::Failed;
    if (flashFile.isEmpty() && !eepromFlag)
        ctx.out.prompt(Texts::tr("未给出映像文件: 只把长度 0 写入编程器 (清除脱机映像)。"));
    OpContext* c = ctx.openLink();
    if (!c)
        return Exit::NoAnswer;
    bool ok = false;
    if (!runOperation(*c, QStringLiteral("Upload_leaveDATA"),
                      [&] { ok = UploadOfflineImages(*c); }))
        return Exit::Failed;
    return ok ? Exit::Done : Exit::Failed;
}

int storeFuseTable(CliContext& ctx) {
    if (!noArgs(ctx, QStringLiteral("store-fuse-table")))
        return Exit::Usage;
    OpContext* c = ctx.openLink();
    if (!c)
        return Exit::NoAnswer;
    return runOperation(*c, QStringLiteral("Command1"), [&] { StoreFuseTable(*c); }) ? Exit::Done
                                                                                     : Exit::Failed;
}

int firmwareMode(CliContext& ctx) {
    if (!noArgs(ctx, QStringLiteral("firmware-mode")))
        return Exit::Usage;
    OpContext* c = ctx.openLink();
    if (!c)
        return Exit::NoAnswer;
    return runOperation(*c, QString(), [&] { EnterFirmwareLoader(*c); }) ? Exit::Done
                                                                         : Exit::Failed;
}

int firmwareUpdate(CliContext& ctx) {
    if (ctx.args.size() != 1) {
        ctx.out.error(Texts::tr("用法: hvpp-cli firmware-update FILE.BIN [--yes]"));
        return Exit::Usage;
    }
    OpContext* c = ctx.openLink();
    if (!c)
        return Exit::NoAnswer;
    FirmwareTransfer t(c->link);
    if (!t.open(ctx.args[0])) {
        ctx.out.error(t.status());
        return Exit::Failed;
    }
    ctx.out.prompt(t.prompt() + Texts::tr(" (等待编程器的引导程序, 最多10秒)"));
    if (!t.waitForLoader()) {
        ctx.out.error(t.status());
        return Exit::NoAnswer;
    }
    if (!ctx.yes && !ctx.ui.confirm(Texts::tr("升级固件"),
                                    Texts::tr("引导程序已应答。把 %1 (%2 字节) 写入编程器?")
                                        .arg(ctx.args[0])
                                        .arg(t.imageBytes()))) {
        t.cancel();
        ctx.out.error(Texts::tr("升级已取消, 未发送固件数据。"));
        return Exit::Failed;
    }
    int shown = -1;
    QObject::connect(&t, &FirmwareTransfer::bytesSentChanged, &t, [&](qint64 sent, qint64 total) {
        const int percent = int(sent * 100 / qMax<qint64>(1, total));
        if (percent != shown)
            ctx.ui.progress(QStringLiteral("FirmwareProgress"), shown = percent);
    });
    ctx.out.logLine(OfflineTexts::updateStarting());
    if (!t.proceed()) {
        ctx.out.error(t.status());
        return Exit::Failed;
    }
    ctx.ui.progress(QStringLiteral("FirmwareProgress"), 100);
    ctx.out.result(t.progress(), {{QStringLiteral("bytes"), t.imageBytes()}});
    return Exit::Done;
}

int programmerEeprom(CliContext& ctx) {
    if (ctx.args.size() != 1) {
        ctx.out.error(Texts::tr("用法: hvpp-cli programmer-eeprom FILE.BIN"));
        return Exit::Usage;
    }
    OpContext* c = ctx.openLink();
    if (!c)
        return Exit::NoAnswer;
    bool connected = false;
    bool written = false;
    if (!runOperation(*c, QString(), [&] {
            connected = UpdateProgrammerEepromCheck(*c);
            if (connected)
                written = UpdateProgrammerEepromFile(*c, ctx.args[0]);
        }))
        return Exit::Failed;
    if (!connected)
        return Exit::NoAnswer;
    return written ? Exit::Done : Exit::Failed;
}

// A calibration address: decimal within 0..max.
bool addressWithin(const QString& text, qint32 max) {
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    return ok && IsDecimalText(text.trimmed()) && v >= 0 && v <= max;
}

int schemeSave(CliContext& ctx) {
    Session& s = ctx.session;
    const bool eepromFlag = ctx.parser.isSet(opt("eeprom"));
    if (ctx.args.size() != (eepromFlag ? 2 : 1)) {
        ctx.out.error(Texts::tr("用法: hvpp-cli scheme-save FILE.SET [--flash FILE] [--eeprom "
                                "FILE] [--options DIGITS] ..."));
        return Exit::Usage;
    }
    if (!fuseBitsFromOptions(ctx))
        return Exit::Usage;
    if (ctx.parser.isSet(opt("options"))) {
        const QString digits = ctx.parser.value(opt("options"));
        if (digits.size() != 10 || digits.count(u'0') + digits.count(u'1') != 10) {
            ctx.out.error(Texts::tr("--options 须为 10 位 0/1, 如 1110000011。"));
            return Exit::Usage;
        }
        s.setOptionsText(digits);
    } else {
        s.setOptionsText(ctx.settings.read(SettingsKeys::ProgramOptions));
    }
    static const char* const switches[10] = {
        "erase",  "write-flash",     "write-eeprom", "write-fuses",  "write-lock",
        "reload", "check-signature", "calibration",  "verify-flash", "verify-eeprom"};
    for (int i = 0; i < 10; ++i)
        if (ctx.parser.optionNames().contains(opt(switches[i])))
            s.options[i] = true;

    s.fileName[0] = ctx.parser.isSet(opt("flash")) ? ctx.parser.value(opt("flash"))
                                                   : ctx.settings.read(SettingsKeys::FlashFile);
    s.fileName[1] = eepromFlag ? ctx.args[1] : ctx.settings.read(SettingsKeys::EepromFile);

    CalibrationPanel& cal = s.cal;
    cal.pickedSlot = qBound(0, ctx.settings.calFrequency(), 3);
    cal.target = qBound(0, ctx.settings.calTarget(), 1);
    if (addressWithin(ctx.settings.calFlashAddress(), cal.flashMax))
        cal.flashAddress = ctx.settings.calFlashAddress().trimmed();
    if (addressWithin(ctx.settings.calEepromAddress(), cal.eepromMax))
        cal.eepromAddress = ctx.settings.calEepromAddress().trimmed();
    if (ctx.parser.isSet(opt("cal-slot"))) {
        const QString v = ctx.parser.value(opt("cal-slot")).toUpper();
        static const char* const names[] = {"1MHZ", "2MHZ", "4MHZ", "8MHZ"};
        int found = -1;
        for (int k = 0; k < 4; ++k)
            if (v == QString::number(k) || v == opt(names[k]))
                found = k;
        if (found < 0) {
            ctx.out.error(Texts::tr("--cal-slot 须为 0..3 或 1MHz, 2MHz, 4MHz, 8MHz。"));
            return Exit::Usage;
        }
        cal.pickedSlot = found;
    }
    if (ctx.parser.isSet(opt("cal-target"))) {
        const QString v = ctx.parser.value(opt("cal-target")).toLower();
        if (v != u"flash" && v != u"eeprom") {
            ctx.out.error(Texts::tr("--cal-target 须为 flash 或 eeprom。"));
            return Exit::Usage;
        }
        cal.target = v == u"eeprom" ? 1 : 0;
    }
    if (ctx.parser.isSet(opt("cal-address"))) {
        const QString v = ctx.parser.value(opt("cal-address")).trimmed();
        const qint32 max = cal.target == 0 ? cal.flashMax : cal.eepromMax;
        if (!addressWithin(v, max)) {
            ctx.out.error(Texts::tr("--cal-address 须为 0..%1 的十进制地址。").arg(max));
            return Exit::Usage;
        }
        (cal.target == 0 ? cal.flashAddress : cal.eepromAddress) = QString::number(v.toLongLong());
    }
    QString error;
    if (!SaveSet(s, ctx.args[0], &error)) {
        ctx.out.error(Texts::tr("无法保存方案 %1: %2").arg(ctx.args[0], error));
        return Exit::Failed;
    }
    const QStringList lines = SchemeLines(s);
    ctx.out.result(lines.join(u'\n'),
                   {{QStringLiteral("file"), ctx.args[0]},
                    {QStringLiteral("lines"), QJsonArray::fromStringList(lines)}});
    return Exit::Done;
}

// program --scheme FILE: the chip, fuse bits, options, files and calibration choices of
// the scheme, then the program-chip sequence.
int programScheme(CliContext& ctx) {
    Session& s = ctx.session;
    for (const char* other : {"options", "flash", "eeprom"}) {
        if (ctx.parser.isSet(opt(other))) {
            ctx.out.error(
                Texts::tr("--scheme 已给出编程选项与文件, 不能再用 --%1。").arg(opt(other)));
            return Exit::Usage;
        }
    }
    if (!ctx.args.isEmpty()) {
        ctx.out.error(Texts::tr("用法: hvpp-cli program --scheme FILE.SET"));
        return Exit::Usage;
    }
    const QString path = ctx.parser.value(opt("scheme"));
    const int applied = LoadSet(s, ctx.ui, path);
    if (applied < 9) {
        ctx.out.error(applied == 0
                          ? Texts::tr("无法读取方案文件 %1。").arg(path)
                          : Texts::tr("方案文件 %1 在第 %2 行出错 (只用了前 %3 行), 未编程。")
                                .arg(path)
                                .arg(applied + 1)
                                .arg(applied));
        return Exit::Failed;
    }
    // Without "文件重载" the window programs the images it holds; here the images are
    // those of the files the scheme names.
    if (!s.options[OptReloadFiles]) {
        if (!s.fileName[0].isEmpty() && !loadImage(ctx, false, s.fileName[0]))
            return Exit::Failed;
        if (!s.fileName[1].isEmpty() && !loadImage(ctx, true, s.fileName[1]))
            return Exit::Failed;
    }
    ctx.out.logLine(
        Texts::tr("方案: %1  芯片: %2  编程选项: %3").arg(path, s.chip.ChipName, s.optionsText()));
    OpContext* c = ctx.openLink();
    if (!c)
        return Exit::NoAnswer;
    ProgramOutcome r;
    if (!runOperation(*c, QStringLiteral("ProCommand"), [&] { r = ProgramChip(*c); }))
        return Exit::Failed;
    if (!r.targetPresent)
        return Exit::NoAnswer;
    const bool loadFailed = (r.flashLoadFailed && !s.fileName[0].isEmpty()) ||
                            (r.eepromLoadFailed && !s.fileName[1].isEmpty());
    const bool failed = !r.signatureOk || loadFailed || r.flashRefused || r.eepromRefused ||
                        r.flashVerifyFailed || r.eepromVerifyFailed ||
                        (s.options[OptCalibration] && !r.calibrationWritten);
    ctx.out.result(failed ? Texts::tr("编程未完成。") : Texts::tr("编程完成。"),
                   {{QStringLiteral("ok"), !failed},
                    {QStringLiteral("scheme"), path},
                    {QStringLiteral("chip"), s.chip.ChipName},
                    {QStringLiteral("signatureOk"), r.signatureOk},
                    {QStringLiteral("flashVerifyFailed"), r.flashVerifyFailed},
                    {QStringLiteral("eepromVerifyFailed"), r.eepromVerifyFailed}});
    return failed ? Exit::Failed : Exit::Done;
}

bool hasOption(const CliRegistry& r, const QString& name) {
    for (const QCommandLineOption& o : r.options)
        if (o.names().contains(name))
            return true;
    return false;
}

void addOption(CliRegistry& r, const QCommandLineOption& o) {
    if (!hasOption(r, o.names().first()))
        r.options << o;
}

} // namespace

void addOfflineCommands(CliRegistry& r) {
    const QString offlineOptions = Texts::tr(
        "脱机选项 (offline-write; 未给出的值取自上次保存的设置, 成功后保存):\n"
        "  --steps LIST           步骤: flash,eeprom,fuses,lock,cal,serial,erase,enable 的组合, "
        "none,\n"
        "                         或8位0/1 (第0项在前); enable = 使能脱机编程\n"
        "  --oa-slot N            校准字节 OA1..OA4 (1..4)\n"
        "  --oa-target MEM        校准字节写入 flash 或 eeprom\n"
        "  --oa-address HEX       校准字节写入地址 (至多4位十六进制)\n"
        "  --serial-target MEM    序列号写入 flash 或 eeprom\n"
        "  --serial-address HEX   序列号写入地址 (至多4位十六进制)\n"
        "  --increment N          序列号自动增量 0..255\n"
        "  --initial-hex HEX      初始编号, 十六进制 (至多 FFFFFFFF)\n"
        "  --initial-decimal N    初始编号, 十进制 (至多 4294967295)\n"
        "  --fuse-bits BITS       记录中的熔丝位: 32位 0/1, 锁定位第7位在前; 默认为保存的熔丝设置");
    r.optionGroupHelp << offlineOptions;

    r.commands << CliCommand{
        QStringLiteral("offline-write"), Texts::tr("offline-write [脱机选项...]"),
        Texts::tr(
            "写入设置: 把脱机编程设置 (步骤, 芯片标识字与页大小, 熔丝, 校准字节与序列号选项)\n"
            "写入编程器。芯片由 --chip 或保存的型号决定。"),
        offlineWrite};
    r.commands << CliCommand{
        QStringLiteral("offline-read"), QStringLiteral("offline-read"),
        Texts::tr("读取设置: 从编程器读回脱机编程设置, 打印并保存; 选中记录中的芯片。\n"
                  "有设置项无有效回答时退出码为 3 (这些值保持不变); 记录中的芯片不受支持时为 1。"),
        offlineRead};
    r.commands << CliCommand{
        QStringLiteral("offline-upload"),
        QStringLiteral("offline-upload [--flash FILE] [--eeprom FILE]"),
        Texts::tr("写入数据: 载入映像文件并存入编程器供脱机编程 (FLASH 至多 20480 字节,\n"
                  "EEPROM 至多 2048 字节)。"),
        offlineUpload};
    r.commands << CliCommand{
        QStringLiteral("store-fuse-table"), QStringLiteral("store-fuse-table"),
        Texts::tr("存熔丝数据: 把编程器自己的芯片与熔丝表 (13 种芯片) 写入编程器。"),
        storeFuseTable};
    r.commands << CliCommand{QStringLiteral("firmware-mode"), QStringLiteral("firmware-mode"),
                             Texts::tr("让编程器固件转入引导程序 (FM000000#), 显示其回答。"),
                             firmwareMode};
    r.commands << CliCommand{
        QStringLiteral("firmware-update"), QStringLiteral("firmware-update FILE.BIN [--yes]"),
        Texts::tr("升级固件: 提示重启编程器, 等待引导程序应答 \"B\" (10秒), 询问确认\n"
                  "(--yes 时不问), 然后发送固件。文件须小于 32768 字节。"),
        firmwareUpdate};
    r.commands << CliCommand{
        QStringLiteral("programmer-eeprom"), QStringLiteral("programmer-eeprom FILE.BIN"),
        Texts::tr(
            "升级EEPROM数据: 检查连接 (\"连接成功!\") 后把文件逐字节写入编程器自己的EEPROM。"),
        programmerEeprom};
    r.commands << CliCommand{
        QStringLiteral("scheme-save"),
        Texts::tr(
            "scheme-save FILE.SET [--flash FILE] [--eeprom FILE] [--options DIGITS] [开关...]"),
        Texts::tr(
            "保存方案: 芯片 (--chip), 熔丝位 (--fuse-bits), 编程选项 (--options 与 program "
            "的开关),\n"
            "两个文件名 (--flash, --eeprom) 与校准选项 (--cal-slot, --cal-target, --cal-address);\n"
            "未给出的取自保存的设置。不需要编程器。"),
        schemeSave};

    addOption(
        r, QCommandLineOption(opt("flash"), Texts::tr("FLASH 映像文件。"), QStringLiteral("FILE")));
    addOption(r, QCommandLineOption(opt("eeprom"), Texts::tr("--eeprom FILE: EEPROM 映像文件。")));
    addOption(r, QCommandLineOption(opt("options"), Texts::tr("10位编程选项, 如 1110000011。"),
                                    QStringLiteral("DIGITS")));
    addOption(r, QCommandLineOption(opt("cal-slot"),
                                    Texts::tr("校准字节槽 0..3 或 1MHz/2MHz/4MHz/8MHz。"),
                                    QStringLiteral("K")));
    addOption(r, QCommandLineOption(opt("cal-target"), Texts::tr("校准字节写入 flash 或 eeprom。"),
                                    QStringLiteral("MEMORY")));
    addOption(r, QCommandLineOption(opt("cal-address"), Texts::tr("校准字节的字节地址 (十进制)。"),
                                    QStringLiteral("N")));
    addOption(r, QCommandLineOption(opt("fuse-bits"),
                                    Texts::tr("offline-write/scheme-save: 32位熔丝位 0/1。"),
                                    QStringLiteral("BITS")));
    addOption(r, QCommandLineOption(opt("steps"), Texts::tr("offline-write: 脱机编程步骤。"),
                                    QStringLiteral("LIST")));
    addOption(r, QCommandLineOption(opt("oa-slot"), Texts::tr("offline-write: 校准字节 OA1..OA4。"),
                                    QStringLiteral("N")));
    addOption(r, QCommandLineOption(opt("oa-target"),
                                    Texts::tr("offline-write: 校准字节写入 flash 或 eeprom。"),
                                    QStringLiteral("MEMORY")));
    addOption(r, QCommandLineOption(opt("oa-address"),
                                    Texts::tr("offline-write: 校准字节写入地址 (十六进制)。"),
                                    QStringLiteral("HEX")));
    addOption(r, QCommandLineOption(opt("serial-target"),
                                    Texts::tr("offline-write: 序列号写入 flash 或 eeprom。"),
                                    QStringLiteral("MEMORY")));
    addOption(r, QCommandLineOption(opt("serial-address"),
                                    Texts::tr("offline-write: 序列号写入地址 (十六进制)。"),
                                    QStringLiteral("HEX")));
    addOption(r, QCommandLineOption(opt("increment"),
                                    Texts::tr("offline-write: 序列号自动增量 0..255。"),
                                    QStringLiteral("N")));
    addOption(r, QCommandLineOption(opt("initial-hex"),
                                    Texts::tr("offline-write: 初始编号 (十六进制)。"),
                                    QStringLiteral("HEX")));
    addOption(r, QCommandLineOption(opt("initial-decimal"),
                                    Texts::tr("offline-write: 初始编号 (十进制)。"),
                                    QStringLiteral("N")));
    addOption(r, QCommandLineOption(opt("scheme"), Texts::tr("program: 按方案文件编程。"),
                                    QStringLiteral("FILE")));

    // program --scheme FILE runs the program-chip sequence with the scheme's setup.
    bool wrapped = false;
    for (CliCommand& c : r.commands) {
        if (c.name != u"program")
            continue;
        auto plain = c.run;
        c.run = [plain](CliContext& ctx) {
            return ctx.parser.isSet(QStringLiteral("scheme")) ? programScheme(ctx) : plain(ctx);
        };
        c.synopsis += QStringLiteral("\nprogram --scheme FILE.SET");
        c.help += Texts::tr(
            "\n--scheme FILE.SET: 芯片, 熔丝位, 编程选项, 文件与校准选项全部取自方案文件。");
        wrapped = true;
    }
    if (!wrapped)
        r.commands << CliCommand{QStringLiteral("program"),
                                 QStringLiteral("program --scheme FILE.SET"),
                                 Texts::tr("按方案文件编程芯片。"), programScheme};
}
