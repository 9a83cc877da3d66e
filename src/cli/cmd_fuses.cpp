// read-fuses, write-fuses, recover-fuses, write-lock and fuses: the fuse page from the
// command line.
#include "cli/cli.h"
#include "cli/clioutput.h"
#include "core/texts.h"
#include "fuses/fuseeditor.h"
#include "fuses/fuserisk.h"
#include "ops/fuseops.h"
#include "ops/identify.h"
#include "session/opcontext.h"
#include "session/session.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

const QString kBits = QStringLiteral("bits");
const QString kLow = QStringLiteral("low");
const QString kHigh = QStringLiteral("high");
const QString kExt = QStringLiteral("ext");
const QString kDefault = QStringLiteral("default");

bool parseByte(const QString& text, uint* value) {
    if (text.size() < 1 || text.size() > 2)
        return false;
    bool ok = false;
    *value = text.toUInt(&ok, 16);
    return ok;
}

QString byteBits(uint value) {
    return QString::number(value, 2).rightJustified(8, u'0');
}

// Replaces the 8 characters of the byte (0 low, 1 high, 2 extended, 3 lock) in a fuse text.
QString withByte(QString text, int byte, uint value) {
    text.replace((3 - byte) * 8, 8, byteBits(value));
    return text;
}

// Tells the user when a byte given has 0 at a position the chip does not have: it is
// written as 1 there.
void noteMissingBits(CliContext& ctx, int byte, uint value) {
    const FuseEditor& f = ctx.session.fuses;
    const QString given = byteBits(value);
    const QString def = f.defaultFuseText().mid((3 - byte) * 8, 8);
    for (int i = 0; i < 8; ++i) {
        if (def.size() == 8 && def[i] == u'*' && given[i] == u'0') {
            ctx.out.note(Texts::tr("注意: %1 没有第%2位, 该位按 1 写入。")
                             .arg(ctx.session.chip.ChipName)
                             .arg(7 - i + byte * 8));
        }
    }
}

// Dangerous values are refused unless --force: true when the write may go on.
bool allowedWrite(CliContext& ctx, const QString& text, int bytes) {
    const FuseEditor& f = ctx.session.fuses;
    const FuseRisk risk = assessFuseWrite(f, f.defaultFuseText(), text, bytes);
    for (const QString& change : risk.changes)
        ctx.out.note(change);
    if (!risk.dangerous() || ctx.parser.isSet(QStringLiteral("force")))
        return true;
    ctx.out.error(ErrorCode::dangerousFuses, risk.refusal());
    return false;
}

QJsonObject bytesJson(const FuseEditor& f) {
    return {{QStringLiteral("bits"), f.fuseText()},
            {QStringLiteral("low"), f.frameDigits(0)},
            {QStringLiteral("high"), f.frameDigits(1)},
            {QStringLiteral("ext"), f.frameDigits(2)},
            {QStringLiteral("lock"), f.frameDigits(3)}};
}

QString bytesLine(const FuseEditor& f) {
    return Texts::tr("熔丝位 %1  低字节 %2  高字节 %3  扩展 %4  锁定位 %5")
        .arg(f.fuseText(), f.frameDigits(0), f.frameDigits(1), f.frameDigits(2), f.frameDigits(3));
}

int readFuses(CliContext& ctx) {
    const int code = ctx.run(OpId::ReadFuses, Need::Target,
                             [](OpContext& c) { return ReadFuses(c) ? Step::Ok : Step::NoAnswer; });
    if (code == Exit::Done)
        ctx.out.result(bytesLine(ctx.session.fuses), bytesJson(ctx.session.fuses));
    return code;
}

int writeFuses(CliContext& ctx) {
    FuseEditor& f = ctx.session.fuses;
    const bool bits = ctx.parser.isSet(kBits);
    const bool bytes = ctx.parser.isSet(kLow) || ctx.parser.isSet(kHigh) || ctx.parser.isSet(kExt);
    const bool def = ctx.parser.isSet(kDefault);
    if (int(bits) + int(bytes) + int(def) != 1) {
        ctx.out.error(ErrorCode::usage,
                      Texts::tr("write-fuses 需要且只能用以下之一: --bits 文本, --low XX --high XX "
                                "[--ext XX], --default。"));
        return Exit::Usage;
    }
    QString text = f.defaultFuseText();
    if (bits) {
        text = ctx.parser.value(kBits);
        if (!FuseEditor::isFuseBitText(text)) {
            ctx.out.error(
                ErrorCode::usage,
                Texts::tr("--bits 应为32个字符, 每个为 0、1 或 *, 锁定位第7位在前: %1").arg(text));
            return Exit::Usage;
        }
    } else if (bytes) {
        if (!ctx.parser.isSet(kLow) || !ctx.parser.isSet(kHigh)) {
            ctx.out.error(ErrorCode::usage, Texts::tr("--low 与 --high 须同时给出。"));
            return Exit::Usage;
        }
        const QString names[3] = {kLow, kHigh, kExt};
        for (int b = 0; b < 3; ++b) {
            if (!ctx.parser.isSet(names[b]))
                continue;
            uint v = 0;
            if (!parseByte(ctx.parser.value(names[b]), &v)) {
                ctx.out.error(ErrorCode::usage, Texts::tr("--%1 应为两位十六进制数: %2")
                                                    .arg(names[b], ctx.parser.value(names[b])));
                return Exit::Usage;
            }
            noteMissingBits(ctx, b, v);
            text = withByte(text, b, v);
        }
    }
    if (!CanWriteFuses(ctx.session))
        return Exit::Failed;
    if (!allowedWrite(ctx, text, FuseBytesFuses))
        return Exit::Usage;
    f.ApplyFuseText(text);
    const int code = ctx.run(OpId::WriteFuses, Need::Target,
                             [](OpContext& c) { return WriteFuses(c) ? Step::Ok : Step::Failed; });
    if (code == Exit::Done)
        ctx.out.result(bytesLine(f), bytesJson(f));
    return code;
}

int recoverFuses(CliContext& ctx) {
    if (!CanWriteFuses(ctx.session))
        return Exit::Failed;
    return ctx.run(OpId::RecoverFuses, Need::Target,
                   [](OpContext& c) { return RecoverFuses(c) ? Step::Ok : Step::Failed; });
}

int writeLock(CliContext& ctx) {
    uint v = 0;
    if (!parseByte(ctx.args[0], &v))
        return ctx.usage(
            Texts::tr("write-lock 的锁定位应为两位十六进制数 (如 FC): %1").arg(ctx.args[0]));
    FuseEditor& f = ctx.session.fuses;
    if (!CanWriteFuses(ctx.session))
        return Exit::Failed;
    noteMissingBits(ctx, 3, v);
    const QString text = withByte(f.fuseText(), 3, v);
    if (!allowedWrite(ctx, text, FuseBytesLock))
        return Exit::Usage;
    f.ApplyFuseText(text);
    const int code = ctx.run(OpId::WriteLock, Need::Target,
                             [](OpContext& c) { return WriteLock(c) ? Step::Ok : Step::Failed; });
    if (code == Exit::Done)
        ctx.out.result(Texts::tr("锁定位 %1").arg(f.frameDigits(3)),
                       {{QStringLiteral("lock"), f.frameDigits(3)}});
    return code;
}

// The editor's view: every bit with its name and value, the four frames, every option with
// its check mark.
int showFuses(CliContext& ctx) {
    FuseEditor& f = ctx.session.fuses;
    if (f.options().isEmpty()) {
        ctx.out.error(ErrorCode::fileNotFound, Texts::tr("找不到 %1 的熔丝描述文件 (%2/%1.FUS)。")
                                                   .arg(ctx.session.chip.ChipName, f.setFolder()));
        return Exit::Failed;
    }
    if (ctx.parser.isSet(kBits)) {
        const QString text = ctx.parser.value(kBits);
        if (!FuseEditor::isFuseBitText(text)) {
            ctx.out.error(
                ErrorCode::usage,
                Texts::tr("--bits 应为32个字符, 每个为 0、1 或 *, 锁定位第7位在前: %1").arg(text));
            return Exit::Usage;
        }
        f.ApplyFuseText(text);
    }
    QTextStream& o = ctx.out.out();
    if (ctx.out.json()) {
        QJsonArray bits;
        for (int p = 31; p >= 0; --p)
            bits.append(QJsonObject{{QStringLiteral("position"), p},
                                    {QStringLiteral("name"), f.bitName(p)},
                                    {QStringLiteral("value"), f.bitCaption(p)},
                                    {QStringLiteral("enabled"), f.bitEnabled(p)}});
        QJsonArray options;
        for (const FuseOption& opt : f.options())
            options.append(QJsonObject{{QStringLiteral("key"), opt.key},
                                       {QStringLiteral("text"), opt.text},
                                       {QStringLiteral("checked"), opt.checked},
                                       {QStringLiteral("red"), opt.red}});
        QJsonObject fields = bytesJson(f);
        fields.insert(QStringLiteral("chip"), ctx.session.chip.ChipName);
        fields.insert(QStringLiteral("default"), f.defaultFuseText());
        fields.insert(QStringLiteral("bitList"), bits);
        fields.insert(QStringLiteral("options"), options);
        ctx.out.result(QString(), fields);
        return Exit::Done;
    }
    o << Texts::tr("芯片 %1  默认 %2").arg(ctx.session.chip.ChipName, f.defaultFuseText()) << u'\n';
    o << bytesLine(f) << QStringLiteral("\n\n");
    for (int frame = 3; frame >= 0; --frame) {
        o << f.frameCaption(frame) << u'\n';
        for (int k = 7; k >= 0; --k) {
            const int p = frame * 8 + k;
            o << QStringLiteral("  %1  %2 %3\n")
                     .arg(QString::number(p).rightJustified(2), f.bitName(p).leftJustified(10),
                          f.bitCaption(p));
        }
    }
    o << u'\n' << Texts::tr("选项 (%1 项, [x] 选中, ! 红色):").arg(f.options().size()) << u'\n';
    for (const FuseOption& opt : f.options())
        o << (opt.checked ? QStringLiteral("  [x] ") : QStringLiteral("  [ ] "))
          << (opt.red ? u'!' : u' ') << u' ' << opt.key << QStringLiteral("  ") << opt.text
          << u'\n';
    o << Qt::flush;
    return Exit::Done;
}

QCommandLineOption forceOption() {
    return QCommandLineOption(QStringLiteral("force"),
                              Texts::tr("写入危险的熔丝或锁定值 (否则拒绝, 退出码 2)。"));
}

} // namespace

void addFuseCommands(CliTable& t) {
    const QCommandLineOption bits(kBits,
                                  Texts::tr("32位熔丝文本, 每个为 0、1 或 *, 锁定位第7位在前。"),
                                  QStringLiteral("TEXT"));
    t << CliCommand{QStringLiteral("read-fuses"),
                    {},
                    0,
                    0,
                    Texts::tr("读熔丝位与锁定位 (RS000000#), 显示32位熔丝文本与四个字节。"),
                    {},
                    QStringLiteral("hvpp-cli --port sim read-fuses"),
                    {},
                    readFuses};
    t << CliCommand{
        QStringLiteral("write-fuses"),
        {},
        0,
        0,
        Texts::tr("写三个熔丝字节 (WS...#): --bits, --low/--high[/--ext] 或 --default 之一。"),
        Texts::tr(
            "未给的扩展字节取芯片默认值; --default 为芯片出厂值。芯片没有的位总按 1 写入。\n"
            "写入后读回核对, 不符时退出码 1。先列出改变的熔丝选项; 危险的值 (描述文件中\n"
            "标 * 的选项, SPIEN 不编程, RSTDISBL 或 DWEN 编程) 没有 --force 时拒绝, 退出码 2。"),
        QStringLiteral("hvpp-cli --port sim --chip ATMEGA8 write-fuses --low E1 --high D9"),
        {bits,
         QCommandLineOption(kLow, Texts::tr("熔丝低字节, 两位十六进制。"), QStringLiteral("XX")),
         QCommandLineOption(kHigh, Texts::tr("熔丝高字节, 两位十六进制。"), QStringLiteral("XX")),
         QCommandLineOption(kExt, Texts::tr("扩展熔丝字节, 两位十六进制。"), QStringLiteral("XX")),
         QCommandLineOption(kDefault, Texts::tr("写芯片出厂熔丝值。")), forceOption()},
        writeFuses};
    t << CliCommand{
        QStringLiteral("recover-fuses"),
        {},
        0,
        0,
        Texts::tr("写入芯片出厂熔丝值并读回比较: \"恢复成功！\" 或 \"恢复失败！\" (退出码 1)。"),
        {},
        QStringLiteral("hvpp-cli --port sim recover-fuses"),
        {},
        recoverFuses};
    t << CliCommand{QStringLiteral("write-lock"),
                    QStringLiteral("XX"),
                    1,
                    1,
                    Texts::tr("写锁定位 (WLXX0000#), XX 为两位十六进制数。"),
                    Texts::tr("写入后读回核对。危险的锁定模式没有 --force 时拒绝, 退出码 2。"),
                    QStringLiteral("hvpp-cli --port sim write-lock FC --force"),
                    {forceOption()},
                    writeLock};
    t << CliCommand{
        QStringLiteral("fuses"),
        {},
        0,
        0,
        Texts::tr("显示所选芯片的熔丝编辑器 (无需编程器)。"),
        Texts::tr("每一位的名称与值、四个字节、每个选项及其选中状态。熔丝文本取 --bits,\n"
                  "默认为芯片出厂值。"),
        QStringLiteral("hvpp-cli --chip ATMEGA16 fuses"),
        {bits},
        showFuses};
}
