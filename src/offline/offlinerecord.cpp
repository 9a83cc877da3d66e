#include "offline/offlinerecord.h"

#include "chips/chiptable.h"
#include "chips/selectchip.h"
#include "core/opcontext.h"
#include "core/session.h"
#include "link/frames.h"
#include "offline/offlinetexts.h"
#include "tools/numberconverter.h"

#include <optional>

namespace {

QString addressProblem(const QString& text) {
    if (!IsHexText(text))
        return OfflineTexts::addressNotHex().arg(text);
    if (text.size() > NumberConverter::MaxAddressDigits)
        return OfflineTexts::addressTooLong().arg(text);
    return {};
}

QString byteDigits(int value) {
    return hexField(value & 0xFF, 2);
}

void add(QVector<OfflineRecordItem>& items, int address, const QString& digits) {
    items.append({address, digits.toUpper()});
}

// The two digits of a reply, or nothing when the reply is not one hexadecimal byte.
std::optional<QString> replyByte(const QString& reply) {
    const QString t = reply.trimmed();
    if (t.size() != 2 || !IsHexText(t))
        return std::nullopt;
    return t.toUpper();
}

class RecordReader {
  public:
    explicit RecordReader(OpContext& c) : m_c(c) {}
    std::optional<QString> item(int address) {
        m_c.link.sendCommand(Frames::readSettingsByte(address));
        const auto digits = replyByte(m_c.link.readAfterDelay(100));
        if (!digits)
            m_missing << hexField(address, 4);
        return digits;
    }
    // Several items joined in item order; nothing unless every one was answered.
    std::optional<QString> items(std::initializer_list<int> addresses) {
        QString joined;
        bool all = true;
        for (int a : addresses) {
            const auto d = item(a);
            if (d)
                joined += *d;
            else
                all = false;
        }
        if (!all)
            return std::nullopt;
        return joined;
    }
    const QStringList& missing() const { return m_missing; }

  private:
    OpContext& m_c;
    QStringList m_missing;
};

} // namespace

QString OfflinePanelProblem(const OfflinePanel& p) {
    for (const QString* a :
         {&p.calFlashAddress, &p.calEepromAddress, &p.serialFlashAddress, &p.serialEepromAddress}) {
        const QString problem = addressProblem(*a);
        if (!problem.isEmpty())
            return problem;
    }
    if (!IsHexText(p.initialHex))
        return OfflineTexts::initialNotHex().arg(p.initialHex);
    if (!NumberConverter::accepts(NumberConverter::Hex, p.initialHex))
        return OfflineTexts::initialTooLarge().arg(p.initialHex);
    if (p.increment < 0 || p.increment > 255)
        return OfflineTexts::incrementOutOfRange().arg(p.increment);
    if (p.calSlot < 0 || p.calSlot > 3)
        return OfflineTexts::calSlotOutOfRange().arg(p.calSlot + 1);
    return {};
}

QVector<OfflineRecordItem> OfflineRecordItems(const Session& s) {
    const OfflinePanel& p = s.offline;
    QVector<OfflineRecordItem> items;
    int steps = 0;
    for (int n = 0; n < 8; ++n)
        if (p.steps[n])
            steps |= 1 << n;
    add(items, OfflineItem::Steps, byteDigits(steps));
    add(items, OfflineItem::PageWords, byteDigits(s.chip.PageWords));
    // The signature as the "MCUtypes" panel shows it; a panel not (yet) filled by the chip
    // selection must not give short frames.
    QString sig = s.mcuTypesPanel.right(6);
    if (sig.size() != 6 || !IsHexText(sig))
        sig = s.chip.SignatureText;
    add(items, OfflineItem::Signature0, sig.mid(0, 2));
    add(items, OfflineItem::Signature1, sig.mid(2, 2));
    add(items, OfflineItem::Signature2, sig.mid(4, 2));
    add(items, OfflineItem::Low, s.fuses.frameDigits(0));
    add(items, OfflineItem::High, s.fuses.frameDigits(1));
    add(items, OfflineItem::Extended, s.fuses.frameDigits(2));
    add(items, OfflineItem::Lock, s.fuses.frameDigits(3));
    add(items, OfflineItem::CalTarget, byteDigits(p.calToFlash ? 1 : 0));
    add(items, OfflineItem::CalSlot, byteDigits(p.calSlot));
    const QString cal =
        padText(p.calToFlash ? p.calFlashAddress : p.calEepromAddress, u'0', 4, true);
    add(items, OfflineItem::CalAddressHigh, cal.left(2));
    add(items, OfflineItem::CalAddressLow, cal.mid(2, 2));
    add(items, OfflineItem::SerialTarget, byteDigits(p.serialToFlash ? 1 : 0));
    const QString ser =
        padText(p.serialToFlash ? p.serialFlashAddress : p.serialEepromAddress, u'0', 4, true);
    add(items, OfflineItem::SerialAddressHigh, ser.left(2));
    add(items, OfflineItem::SerialAddressLow, ser.mid(2, 2));
    add(items, OfflineItem::Increment, byteDigits(p.increment));
    const QString initial = padText(p.initialHex, u'0', 8, true);
    add(items, OfflineItem::Initial0, initial.mid(0, 2));
    add(items, OfflineItem::Initial1, initial.mid(2, 2));
    add(items, OfflineItem::Initial2, initial.mid(4, 2));
    add(items, OfflineItem::Initial3, initial.mid(6, 2));
    return items;
}

bool WriteOfflineSettings(OpContext& c) {
    const QString problem = OfflinePanelProblem(c.session.offline);
    if (!problem.isEmpty()) {
        c.ui.warning(Texts::warningTitle(), problem);
        return false;
    }
    for (const OfflineRecordItem& item : OfflineRecordItems(c.session)) {
        c.link.sendCommand(QStringLiteral("ME") + item.digits + hexField(item.address, 4) + u'#');
        c.link.waitForMarker(100, QStringLiteral("!"));
    }
    c.log(OfflineTexts::writingSettings());
    return true;
}

bool ReadOfflineSettings(OpContext& c) {
    Session& s = c.session;
    OfflinePanel& p = s.offline;
    c.link.drainInput();
    c.log(OfflineTexts::readingSettings());
    RecordReader r(c);

    if (const auto steps = r.item(OfflineItem::Steps)) {
        const int v = steps->toInt(nullptr, 16);
        for (int n = 0; n < 8; ++n)
            p.steps[n] = (v >> n) & 1;
    }
    const auto calTarget = r.item(OfflineItem::CalTarget);
    if (calTarget && (*calTarget == u"00" || *calTarget == u"01"))
        p.calToFlash = *calTarget == u"01";
    if (const auto slot = r.item(OfflineItem::CalSlot)) {
        const int v = slot->toInt(nullptr, 16);
        if (v <= 3)
            p.calSlot = v;
    }
    if (const auto cal = r.items({OfflineItem::CalAddressHigh, OfflineItem::CalAddressLow}))
        (p.calToFlash ? p.calFlashAddress : p.calEepromAddress) = *cal;

    const auto serialTarget = r.item(OfflineItem::SerialTarget);
    if (serialTarget && (*serialTarget == u"00" || *serialTarget == u"01"))
        p.serialToFlash = *serialTarget == u"01";
    if (const auto ser = r.items({OfflineItem::SerialAddressHigh, OfflineItem::SerialAddressLow}))
        (p.serialToFlash ? p.serialFlashAddress : p.serialEepromAddress) = *ser;
    if (const auto inc = r.item(OfflineItem::Increment))
        p.increment = inc->toInt(nullptr, 16);
    if (const auto initial = r.items({OfflineItem::Initial0, OfflineItem::Initial1,
                                      OfflineItem::Initial2, OfflineItem::Initial3})) {
        p.initialHex = *initial;
        p.initialDecimal = QString::number(BinaryToDecimal(HexToBinary(*initial)));
    }
    s.notifyPanels();

    const auto sig =
        r.items({OfflineItem::Signature0, OfflineItem::Signature1, OfflineItem::Signature2});
    const QString name = sig ? ChipNameFromSignature(*sig) : QString();
    if (!name.isEmpty()) {
        SelectChip(s, name);
        s.fuses.LoadFuseDescription(name + QStringLiteral(".FUS"), &s.log);
    } else {
        c.ui.warning(Texts::warningTitle(), Texts::unsupportedChip());
    }

    if (const auto fuse = r.items(
            {OfflineItem::Lock, OfflineItem::Extended, OfflineItem::High, OfflineItem::Low}))
        s.fuses.ApplyFuseText(HexToBinary(*fuse));

    if (!r.missing().isEmpty()) {
        c.log(OfflineTexts::itemsNotAnswered().arg(r.missing().join(QStringLiteral(", "))));
        return false;
    }
    return true;
}
