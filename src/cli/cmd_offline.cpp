// offline-write, offline-read, offline-upload: stand-alone programming. offline-write is the
// one command that stores what it is given (settings section "脱机"), as the offline page
// does.
#include "chips/chiptable.h"
#include "cli/cli.h"
#include "cli/cliopts.h"
#include "cli/clioutput.h"
#include "core/settings.h"
#include "core/texts.h"
#include "link/link.h"
#include "offline/numberconverter.h"
#include "offline/offlinerecord.h"
#include "offline/offlinestore.h"
#include "offline/upload.h"
#include "session/opcontext.h"
#include "session/session.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

QString opt(const char* name) {
    return QString::fromLatin1(name);
}

// The step boxes of the offline page, box 0 first.
const char* const kStepNames[8] = {"flash", "eeprom", "fuses", "lock",
                                   "cal",   "serial", "erase", "enable"};

bool fail(CliContext& ctx, const QString& text) {
    ctx.out.error(ErrorCode::usage, text);
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
    if (ctx.isSet("fuse-bits")) {
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

int offlineWrite(CliContext& ctx) {
    if (!offlinePanelFromOptions(ctx) || !fuseBitsFromOptions(ctx))
        return Exit::Usage;
    const int code = ctx.run(OpId::WriteOfflineSettings, Need::Programmer, [](OpContext& c) {
        return WriteOfflineSettings(c) ? Step::Ok : Step::Failed;
    });
    if (code != Exit::Done)
        return code;
    StoreOfflinePanel(ctx.settings, ctx.session.offline);
    // Storing is what this command is for: settings that could not be kept are a failure.
    if (!ctx.settings.sync()) {
        ctx.out.error(ErrorCode::fileUnwritable,
                      Texts::settingsNotWritten(ctx.settings.fileName()));
        return Exit::Failed;
    }
    ctx.out.result(panelText(ctx.session), panelJson(ctx.session));
    return Exit::Done;
}

int offlineRead(CliContext& ctx) {
    LoadOfflinePanel(ctx.settings, ctx.session.offline);
    bool complete = false;
    const int warningsBefore = ctx.ui.warnings;
    const int code = ctx.run(OpId::ReadOfflineSettings, Need::Programmer, [&](OpContext& c) {
        complete = ReadOfflineSettings(c);
        return complete ? Step::Ok : Step::NoAnswer;
    });
    if (code == Exit::Done || complete) {
        QJsonObject fields = panelJson(ctx.session);
        fields.insert(QStringLiteral("complete"), complete);
        ctx.out.result(panelText(ctx.session), fields);
    }
    // A record naming no chip of the table ("无目标芯片或不支持!").
    return code == Exit::Done && ctx.ui.warnings > warningsBefore ? Exit::Failed : code;
}

int offlineUpload(CliContext& ctx) {
    const bool flash = ctx.isSet("flash");
    const bool eeprom = ctx.isSet("eeprom");
    const bool clear = ctx.isSet("clear");
    // Clearing the programmer's images is asked for by name, never the result of a
    // forgotten file.
    if (!flash && !eeprom && !clear)
        return ctx.usage(Texts::tr("offline-upload 需要 --flash FILE 和/或 --eeprom FILE; "
                                   "清除编程器中的脱机映像用 --clear。"));
    if (clear && (flash || eeprom))
        return ctx.usage(Texts::tr("--clear 不能与 --flash 或 --eeprom 同时使用。"));
    if (flash && !ctx.loadImage(false, ctx.value("flash")))
        return Exit::Failed;
    if (eeprom && !ctx.loadImage(true, ctx.value("eeprom")))
        return Exit::Failed;
    if (clear)
        ctx.out.note(Texts::tr("--clear: 只把长度 0 写入编程器 (清除脱机映像)。"));
    return ctx.run(OpId::UploadOffline, Need::Programmer,
                   [](OpContext& c) { return UploadOfflineImages(c) ? Step::Ok : Step::Failed; });
}

} // namespace

void addOfflineCommands(CliTable& t) {
    QList<QCommandLineOption> o;
    auto add = [&o](const char* name, const char* value, const QString& help) {
        o << QCommandLineOption(opt(name), help, QString::fromLatin1(value));
    };
    add("steps", "LIST",
        Texts::tr("步骤: flash,eeprom,fuses,lock,cal,serial,erase,enable 的组合, none, 或8位0/1 "
                  "(第0项在前); enable = 使能脱机编程。"));
    add("oa-slot", "N", Texts::tr("校准字节 OA1..OA4 (1..4)。"));
    add("oa-target", "MEMORY", Texts::tr("校准字节写入 flash 或 eeprom。"));
    add("oa-address", "HEX", Texts::tr("校准字节写入地址 (至多4位十六进制)。"));
    add("serial-target", "MEMORY", Texts::tr("序列号写入 flash 或 eeprom。"));
    add("serial-address", "HEX", Texts::tr("序列号写入地址 (至多4位十六进制)。"));
    add("increment", "N", Texts::tr("序列号自动增量 0..255。"));
    add("initial-hex", "HEX", Texts::tr("初始编号, 十六进制 (至多 FFFFFFFF)。"));
    add("initial-decimal", "N", Texts::tr("初始编号, 十进制 (至多 4294967295)。"));
    add("fuse-bits", "BITS",
        Texts::tr("记录中的熔丝位: 32位 0/1, 锁定位第7位在前; 默认为保存的熔丝设置。"));
    t << CliCommand{
        QStringLiteral("offline-write"),
        {},
        0,
        0,
        Texts::tr("写入设置: 把脱机编程设置写入编程器, 成功后保存为下次的默认值。"),
        Texts::tr("写入步骤, 芯片标识字与页大小, 熔丝, 校准字节与序列号选项。未给出的值取自上次\n"
                  "保存的设置 (设置段 \"脱机\"); 芯片由 --chip 或保存的型号决定。"),
        QStringLiteral(
            "hvpp-cli --port /dev/ttyUSB0 offline-write --steps flash,fuses,serial,enable "
            "--serial-address 1FC --increment 1 --initial-decimal 1000"),
        o,
        offlineWrite};
    t << CliCommand{QStringLiteral("offline-read"),
                    {},
                    0,
                    0,
                    Texts::tr("读取设置: 从编程器读回脱机编程设置并打印 (不保存)。"),
                    Texts::tr("有设置项无有效回答时退出码为 3; 记录中的芯片不受支持时为 1。"),
                    QStringLiteral("hvpp-cli --port /dev/ttyUSB0 offline-read"),
                    {},
                    offlineRead};
    t << CliCommand{
        QStringLiteral("offline-upload"),
        {},
        0,
        0,
        Texts::tr("写入数据: 载入映像文件并存入编程器供脱机编程。"),
        Texts::tr("FLASH 至多 20480 字节, EEPROM 至多 2048 字节。"),
        QStringLiteral(
            "hvpp-cli --port /dev/ttyUSB0 offline-upload --flash app.hex --eeprom data.eep"),
        {fileOption("flash", Texts::tr("FLASH 映像文件。")),
         fileOption("eeprom", Texts::tr("EEPROM 映像文件。")),
         QCommandLineOption(opt("clear"), Texts::tr("清除编程器中的脱机映像 (写入长度 0)。"))},
        offlineUpload};
}
