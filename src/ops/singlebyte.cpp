#include "ops/singlebyte.h"

#include "core/settings.h"
#include "image/images.h"
#include "link/answer.h"
#include "link/frames.h"
#include "ops/opstexts.h"
#include "session/opcontext.h"

namespace {

// The address box as a number within the row's range, or -1 for a box that is empty,
// holds anything but decimal digits, or lies beyond the memory.
int rowAddress(const Session& s, int row) {
    const QString& box = s.single.address[row];
    if (box.isEmpty() || box.size() > 9)
        return -1;
    for (QChar ch : box)
        if (ch < u'0' || ch > u'9')
            return -1;
    const int address = box.toInt();
    return address <= s.single.max[row] ? address : -1;
}

} // namespace

bool WriteSingle(OpContext& c, int row) {
    row = row == 1 ? 1 : 0;
    Session& s = c.session;
    const int address = rowAddress(s, row);
    if (address < 0) {
        c.ui.warning(Texts::warningTitle(), OpsTexts::badAddress());
        return false;
    }
    const int digits = row == 0 ? 4 : 2;
    const QString typed = s.single.data[row].trimmed();
    if (typed.isEmpty() || typed.size() > digits || !isHexText(typed)) {
        c.ui.warning(Texts::warningTitle(), OpsTexts::badData(digits));
        return false;
    }
    const QString data = padText(typed.toUpper(), u'0', digits, true);
    const QString frame = (row == 0 ? QStringLiteral("WW") : QStringLiteral("WE")) + data +
                          hexField(address, 4) + u'#';
    c.link.sendCommand(frame);
    c.link.waitForMarker(100, QStringLiteral("!"));
    c.log(OpsTexts::singleWritten());
    return true;
}

bool ReadSingle(OpContext& c, int row) {
    row = row == 1 ? 1 : 0;
    Session& s = c.session;
    const int address = rowAddress(s, row);
    if (address < 0) {
        c.ui.warning(Texts::warningTitle(), OpsTexts::badAddress());
        return false;
    }
    c.link.drainInput();
    c.link.sendCommand(row == 0 ? Frames::readFlashWord(address) : Frames::readEepromByte(address));
    // The box takes the answer only when it is exactly the word or byte asked for: a stray
    // character in front of it, or one too many, would show a wrong value as read.
    const int digits = row == 0 ? 4 : 2;
    const QString answer = withoutStrayLead(c.link.readAfterDelay(150));
    const HexAnswer a = checkHexAnswer(answer, digits);
    if (!a.whole()) {
        c.log(OpsTexts::singleReadFailed(OpsTexts::answerFault(a, digits)));
        settleInput(c.link);
        return false;
    }
    s.single.data[row] = answer.toUpper();
    s.notifyPanels();
    return true;
}

int singleAddressChanged(Session& session, int row) {
    row = row == 1 ? 1 : 0;
    const int max = session.single.max[row];
    qint64 number = lenientDecimal(session.single.address[row]);
    if (number > max) {
        session.single.address[row] = QString::number(max);
        number = max;
        session.notifyPanels();
    }
    return int(qBound<qint64>(0, number, qint64(max)));
}

void singleScrollChanged(Session& session, int row, int position) {
    row = row == 1 ? 1 : 0;
    session.single.address[row] = QString::number(qBound(0, position, session.single.max[row]));
    session.notifyPanels();
}
