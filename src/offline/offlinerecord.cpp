#include "offline/offlinerecord.h"

#include "chips/chiptable.h"
#include "link/answer.h"
#include "link/frames.h"
#include "offline/numberconverter.h"
#include "offline/offlinetexts.h"
#include "session/opcontext.h"
#include "session/selectchip.h"
#include "session/session.h"

#include <QMap>
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

// Asks for items one after the other. Before each item what waits is discarded (a late
// answer of the one before), and an answer counts only when it is two hex digits and every
// earlier item's answer came: a late answer is never taken for the next item's.
class RecordReader {
  public:
    explicit RecordReader(OpContext& c) : m_seq(c.link) {}
    std::optional<QString> item(int address) {
        const QString d = m_seq.ask(Frames::readSettingsByte(address), 100);
        if (d.isEmpty()) {
            m_missing << hexField(address, 4);
            return std::nullopt;
        }
        m_values.insert(address, d);
        return d;
    }
    void items(std::initializer_list<int> addresses) {
        for (int a : addresses)
            item(a);
    }
    // The items joined in the order given.
    QString joined(std::initializer_list<int> addresses) const {
        QString out;
        for (int a : addresses)
            out += m_values.value(a);
        return out;
    }
    int value(int address) const { return m_values.value(address).toInt(nullptr, 16); }
    const QStringList& missing() const { return m_missing; }

  private:
    AnswerSequence m_seq;
    QMap<int, QString> m_values;
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
    const QVector<OfflineRecordItem> items = OfflineRecordItems(c.session);
    int unconfirmed = 0;
    for (const OfflineRecordItem& item : items) {
        c.link.sendCommand(QStringLiteral("ME") + item.digits + hexField(item.address, 4) + u'#');
        unconfirmed += c.link.waitForMarkerResult(100, QStringLiteral("!")) ? 0 : 1;
    }
    c.log(OfflineTexts::writingSettings());
    // What became of it: the programmer confirms each byte with "!".
    if (unconfirmed > 0) {
        c.log(OfflineTexts::settingsNotConfirmed().arg(unconfirmed).arg(items.size()));
        return false;
    }
    c.log(OfflineTexts::settingsWritten().arg(items.size()));
    return true;
}

bool ReadOfflineSettings(OpContext& c) {
    Session& s = c.session;
    OfflinePanel& p = s.offline;
    c.link.drainInput();
    c.log(OfflineTexts::readingSettings());
    RecordReader r(c);
    using namespace OfflineItem;
    r.items({Steps,
             CalTarget,
             CalSlot,
             CalAddressHigh,
             CalAddressLow,
             SerialTarget,
             SerialAddressHigh,
             SerialAddressLow,
             Increment,
             Initial0,
             Initial1,
             Initial2,
             Initial3,
             Signature0,
             Signature1,
             Signature2,
             Lock,
             Extended,
             High,
             Low});
    // A record read in part is no record: nothing of it is taken, so nothing of it can be
    // stored in the settings either.
    if (!r.missing().isEmpty()) {
        c.log(OfflineTexts::itemsNotAnswered().arg(r.missing().join(QStringLiteral(", "))));
        return false;
    }

    const int steps = r.value(Steps);
    for (int n = 0; n < 8; ++n)
        p.steps[n] = (steps >> n) & 1;
    if (r.value(CalTarget) <= 1)
        p.calToFlash = r.value(CalTarget) == 1;
    if (r.value(CalSlot) <= 3)
        p.calSlot = r.value(CalSlot);
    (p.calToFlash ? p.calFlashAddress : p.calEepromAddress) =
        r.joined({CalAddressHigh, CalAddressLow});
    if (r.value(SerialTarget) <= 1)
        p.serialToFlash = r.value(SerialTarget) == 1;
    (p.serialToFlash ? p.serialFlashAddress : p.serialEepromAddress) =
        r.joined({SerialAddressHigh, SerialAddressLow});
    p.increment = r.value(Increment);
    const QString initial = r.joined({Initial0, Initial1, Initial2, Initial3});
    p.initialHex = initial;
    p.initialDecimal = QString::number(BinaryToDecimal(HexToBinary(initial)));
    s.notifyPanels();

    const QString name = ChipNameFromSignature(r.joined({Signature0, Signature1, Signature2}));
    if (!name.isEmpty()) {
        SelectChip(s, name);
        s.fuses.LoadFuseDescription(name + QStringLiteral(".FUS"), &s.log);
    } else {
        c.ui.warning(Texts::warningTitle(), Texts::unsupportedChip());
    }
    s.fuses.ApplyFuseText(HexToBinary(r.joined({Lock, Extended, High, Low})));
    c.log(OfflineTexts::settingsRead().arg(
        name.isEmpty() ? r.joined({Signature0, Signature1, Signature2}) : name,
        r.joined({Extended, High, Low}), r.joined({Lock})));
    return true;
}
