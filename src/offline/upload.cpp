#include "offline/upload.h"

#include "core/phases.h"
#include "link/frames.h"
#include "offline/offlinetexts.h"
#include "session/opcontext.h"
#include "session/session.h"

namespace {

struct Stream {
    const QString& text;
    bool flash;
};

void writeLength(OpContext& c, int bytes, int highAddress) {
    const QString count = hexField(bytes, 4);
    c.link.sendCommand(QStringLiteral("ME") + count.left(2) + hexField(highAddress, 4) + u'#');
    c.link.waitForMarker(100, QStringLiteral("!"));
    c.link.sendCommand(QStringLiteral("ME") + count.right(2) + hexField(highAddress + 1, 4) + u'#');
    c.link.waitForMarker(100, QStringLiteral("!"));
}

void handshake(OpContext& c) {
    c.link.waitForMarker(100, QStringLiteral("?"));
    c.link.sendCommand(QStringLiteral(">"));
}

// One image as 128-byte blocks; false when the programmer did not announce itself.
bool sendStream(OpContext& c, const Stream& s) {
    const Progress bar = s.flash ? Progress::Flash : Progress::Eeprom;
    c.link.drainInput();
    c.link.sendCommand(Frames::bulkUploadStart());
    if (!c.link.waitForMarkerResult(s.flash ? 1000 : 10000, QStringLiteral("B"))) {
        c.ui.warning(Texts::warningTitle(), s.flash ? OfflineTexts::transferFailed()
                                                    : OfflineTexts::eepromTransferFailed());
        return false;
    }
    c.link.sendCommand(QStringLiteral("D"));
    c.link.delayMs(400);
    c.link.sendCommand(s.flash ? QStringLiteral("68") : QStringLiteral("60"));
    c.link.delayMs(2);

    QString padded = s.text;
    if (padded.size() % OfflineUpload::BlockChars)
        padded +=
            QString(OfflineUpload::BlockChars - padded.size() % OfflineUpload::BlockChars, u'F');
    handshake(c);
    const int pairs = int(padded.size() / 2);
    int shown = -1;
    for (int i = 0; i < pairs - 1; ++i) {
        c.link.delayMs(0); // serve the event loop
        c.link.sendCommand(padded.mid(2 * i, 2));
        if ((i + 1) % 128 == 0) {
            handshake(c);
            c.link.delayMs(1);
        }
        const int percent = int(qint64(2 * i + 1) * 100 / padded.size());
        if (percent != shown) {
            c.ui.progressBytes(bar, Phases::upload(), i + 1, pairs);
            shown = percent;
        }
    }
    c.link.sendCommand(padded.right(2));
    c.link.waitForMarker(100, QStringLiteral("?"));
    c.link.sendCommand(QStringLiteral("!"));
    c.log(s.flash ? OfflineTexts::flashUploaded() : OfflineTexts::eepromUploaded());
    c.ui.progressBytes(bar, Phases::upload(), pairs, pairs);
    return true;
}

} // namespace

bool UploadOfflineImages(OpContext& c) {
    const Session& s = c.session;
    c.link.drainInput();
    // An image over its limit is not sent, so it is announced with length 0: the programmer
    // must not take its old copy (or nothing) for an image of that length.
    const bool flashFits = s.FlashBufferText.size() <= OfflineUpload::MaxFlashChars;
    const bool eepromFits = s.EepromBufferText.size() <= OfflineUpload::MaxEepromChars;
    writeLength(c, flashFits ? int(s.FlashBufferText.size() / 2) : 0, 0x0003);
    writeLength(c, eepromFits ? int(s.EepromBufferText.size() / 2) : 0, 0x0005);

    bool ok = true;
    if (!s.FlashBufferText.isEmpty()) {
        if (!flashFits) {
            c.ui.warning(Texts::warningTitle(), OfflineTexts::flashTooLarge());
            ok = false;
        } else {
            c.log(OfflineTexts::uploading());
            if (!sendStream(c, {s.FlashBufferText, true}))
                return false;
        }
    }
    if (s.EepromBufferText.isEmpty())
        return ok;
    if (!eepromFits) {
        c.ui.warning(Texts::warningTitle(), OfflineTexts::eepromTooLarge());
        return false;
    }
    return sendStream(c, {s.EepromBufferText, false}) && ok;
}
