#include "ops/calibration.h"

#include "core/settings.h"
#include "image/images.h"
#include "link/answer.h"
#include "link/frames.h"
#include "ops/identify.h"
#include "ops/opstexts.h"
#include "session/opcontext.h"

namespace {

bool allDecimalDigits(const QString& text) {
    for (QChar ch : text)
        if (ch < u'0' || ch > u'9')
            return false;
    return true;
}

// How the answers fill the slots: slot for each answer, and the slot picked (-1 none).
struct SlotFill {
    QVector<int> slots;
    int picked;
};

SlotFill slotFill(const QString& chip) {
    if (chip == u"ATTINY2313")
        return {{3, 2}, 2};
    if (chip == u"ATMEGA48" || chip == u"ATMEGA88" || chip == u"ATMEGA168" || chip == u"ATMEGA162")
        return {{3}, 3};
    if (chip == u"ATMEGA163" || chip == u"ATMEGA323")
        return {{0}, 0};
    if (chip == u"ATMEGA161")
        return {{}, -1};
    return {{0, 1, 2, 3}, -1}; // ATMEGA8, 16, 32, 8515, 8535, ATTINY26
}

QString& addressBox(Session& s, int target) {
    return target == 0 ? s.cal.flashAddress : s.cal.eepromAddress;
}

int addressMax(const Session& s, int target) {
    return target == 0 ? s.cal.flashMax : s.cal.eepromMax;
}

} // namespace

QVector<int> calibrationIndexes(const QString& chipName) {
    QVector<int> indexes;
    for (int i = 0; i < slotFill(chipName).slots.size(); ++i)
        indexes << 0x80 + i;
    return indexes;
}

bool ReadOA(OpContext& c) {
    CalibrationPanel& cal = c.session.cal;
    cal.slotVisible.fill(false);
    cal.slotEnabled.fill(false);
    c.session.notifyPanels();
    const QString chip = c.session.chip.ChipName;
    const SlotFill fill = slotFill(chip);
    if (fill.slots.isEmpty())
        return false;
    // Each slot takes only its own answer: exactly two hex digits, after all earlier ones
    // came. A late answer leaves its slot (and any it would shift) not answered.
    AnswerSequence seq(c.link);
    QStringList shown;
    QStringList taken;
    for (int index : calibrationIndexes(chip)) {
        taken << seq.ask(Frames::readSignatureByte(index), 100);
        shown << seq.lastReceived();
    }
    c.log(OpsTexts::calibrationBytes() + shown.join(u'-'));
    bool any = false;
    QStringList missing;
    for (int i = 0; i < fill.slots.size(); ++i) {
        const int k = fill.slots[i];
        if (taken[i].isEmpty()) {
            cal.slotText[k].clear();
            missing << OpsTexts::slotName(k);
            continue;
        }
        cal.slotText[k] = taken[i];
        cal.slotVisible[k] = true;
        cal.slotEnabled[k] = true;
        any = true;
    }
    if (!missing.isEmpty())
        c.log(OpsTexts::slotsNotAnswered(missing.join(QStringLiteral(", "))));
    if (fill.picked >= 0 && cal.slotVisible[fill.picked])
        cal.pickedSlot = fill.picked;
    else if (cal.pickedSlot >= 0 && !cal.slotVisible[cal.pickedSlot])
        cal.pickedSlot = -1; // a slot without an answer cannot be written
    cal.writeEnabled = any;
    c.session.notifyPanels();
    return missing.isEmpty();
}

bool WriteOA(OpContext& c) {
    const CalibrationPanel& cal = c.session.cal;
    const int target = cal.target == 1 ? 1 : 0;
    return WriteCalibrationByte(c, cal.pickedSlot, target, addressBox(c.session, target));
}

int calibrationFixedSlot(const QString& chipName) {
    return slotFill(chipName).picked;
}

bool WriteCalibrationByte(OpContext& c, int slot, int target, const QString& box) {
    const CalibrationPanel& cal = c.session.cal;
    if (slot < 0 || slot > 3 || !cal.slotVisible[slot] || cal.slotText[slot].size() != 2 ||
        !isHexText(cal.slotText[slot])) {
        c.ui.warning(Texts::warningTitle(), OpsTexts::noSlotPicked());
        return false;
    }
    const QString data = cal.slotText[slot].toUpper();
    bool ok = false;
    const int address = box.toInt(&ok);
    // An empty box passes a digit test but is no address; nor is one beyond the memory.
    if (box.isEmpty() || !allDecimalDigits(box) || !ok || address > addressMax(c.session, target)) {
        c.ui.warning(Texts::warningTitle(), OpsTexts::badAddress());
        return false;
    }
    if (target == 0) {
        const QString word =
            address % 2 == 0 ? data + QStringLiteral("FF") : QStringLiteral("FF") + data;
        c.link.sendCommand(Frames::writeFlashWord(word, address / 2));
        c.link.waitForMarker(100, QStringLiteral("!"));
    } else {
        c.link.sendCommand(QStringLiteral("WE") + data + hexField(address, 4) + u'#');
        c.link.waitForMarker(50, QStringLiteral("!"));
        c.link.delayMs(1);
    }
    c.log(OpsTexts::calibrationWritten());
    c.link.drainInput();
    return true;
}

int calibrationScrollMinimum(const Session& session, int target) {
    return -addressMax(session, target);
}

int calibrationAddressChanged(Session& session, int target) {
    QString& box = addressBox(session, target);
    const int max = addressMax(session, target);
    qint64 number = lenientDecimal(box);
    if (number > max) {
        box = QString::number(max);
        number = max;
        session.notifyPanels();
    }
    return -int(qBound<qint64>(0, number, qint64(max)));
}

void calibrationScrollChanged(Session& session, int target, int value) {
    const int max = addressMax(session, target);
    addressBox(session, target) = QString::number(qBound(0, -value, max));
    session.notifyPanels();
}
