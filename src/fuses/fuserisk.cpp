#include "fuses/fuserisk.h"

#include "core/texts.h"
#include "fuses/fuseeditor.h"

namespace {

// Byte b of a fuse bit text (0 low, 1 high, 2 extended, 3 lock); "*" reads as 1.
uint byteOf(const QString& text, int b) {
    uint v = 0;
    for (int i = 0; i < 8; ++i) {
        const int at = (3 - b) * 8 + i;
        v = (v << 1) | ((at < text.size() && text[at] == u'0') ? 0u : 1u);
    }
    return v;
}

struct OptionState {
    int bytes = 0; // bit b set: the option acts on byte b
    bool checked = false;
};

int wordBytes(uint field) {
    return ((field & 0x00FF) ? 1 : 0) | ((field & 0xFF00) ? 2 : 0);
}

// How the fuse editor shows an option for text: a single bit is checked when it is 0, a
// choice when its field holds its value.
OptionState stateOf(const FuseOption& o, const QString& text) {
    const QString kind = o.key.left(3);
    const uint mask = o.key.mid(5, 4).toUInt(nullptr, 16);
    const uint value = o.key.right(4).toUInt(nullptr, 16);
    const uint word = (byteOf(text, 1) << 8) | byteOf(text, 0);
    const uint field16 = ~mask & 0xFFFF;
    const uint field8 = ~mask & 0xFF;
    if (kind == u"FSB")
        return {wordBytes(field16), (word & field16) == 0};
    if (kind == u"FDB")
        return {wordBytes(field16), (word & field16) == value};
    if (kind == u"FSE")
        return {4, (byteOf(text, 2) & field8) == 0};
    if (kind == u"FDE")
        return {4, (byteOf(text, 2) & field8) == value};
    if (kind == u"FDL")
        return {8, (byteOf(text, 3) & field8) == value};
    return {};
}

// The bits whose state decides whether the chip still takes low-voltage programming: the
// state that shuts it out.
struct IspBit {
    const char* name;
    QChar shutOut;
    const char* words;
};
const IspBit kIspBits[] = {
    {"SPIEN", u'1', QT_TRANSLATE_NOOP("hvpp", "SPIEN 不编程: 芯片将不能再用低压串行编程 (ISP)")},
    {"RSTDISBL", u'0',
     QT_TRANSLATE_NOOP("hvpp", "RSTDISBL 编程: 复位脚变为I/O, 芯片将不能再用低压串行编程 (ISP)")},
    {"DWEN", u'0',
     QT_TRANSLATE_NOOP("hvpp", "DWEN 编程: 复位脚用作debugWIRE, 芯片将不能再用低压串行编程 (ISP)")},
};

} // namespace

FuseRisk assessFuseWrite(const FuseEditor& d, const QString& before, const QString& after,
                         int bytes) {
    const int written = ((bytes & FuseBytesFuses) ? 7 : 0) | ((bytes & FuseBytesLock) ? 8 : 0);
    FuseRisk risk;
    for (const FuseOption& o : d.options()) {
        const OptionState was = stateOf(o, before);
        const OptionState now = stateOf(o, after);
        if (!(now.bytes & written) || was.checked == now.checked)
            continue;
        const bool single = o.key.mid(1, 1) == u"S";
        if (now.checked) {
            risk.changes << Texts::tr("选中: %1").arg(o.text);
            if (o.red)
                risk.dangers << o.text;
        } else if (single) {
            risk.changes << Texts::tr("取消: %1").arg(o.text);
        }
    }
    for (int p = 0; p < 32; ++p) {
        const int at = 31 - p;
        if (!(written & (1 << (p / 8))) || at >= after.size() || at >= before.size())
            continue;
        for (const IspBit& bit : kIspBits) {
            if (d.bitName(p).trimmed() != QLatin1String(bit.name))
                continue;
            if (after[at] == bit.shutOut && before[at] != bit.shutOut) {
                risk.changes << Texts::tr(bit.words);
                risk.dangers << Texts::tr(bit.words);
            }
        }
    }
    return risk;
}

QString FuseRisk::question() const {
    QString text = Texts::tr("将要写入的熔丝值改变以下选项:") + u'\n';
    for (const QString& c : changes)
        text += QStringLiteral("  ") + c + u'\n';
    text += u'\n' + Texts::tr("其中危险的:") + u'\n';
    for (const QString& d : dangers)
        text += QStringLiteral("  ") + d + u'\n';
    return text + u'\n' + Texts::tr("仍要写入吗?");
}

QString FuseRisk::refusal() const {
    return Texts::tr("危险的熔丝值, 未写入 (确认无误请加 --force): %1")
        .arg(dangers.join(QStringLiteral("; ")));
}
