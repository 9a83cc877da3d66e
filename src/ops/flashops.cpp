#include "ops/flashops.h"

#include "core/phases.h"
#include "image/images.h"
#include "link/frames.h"
#include "ops/imagecheck.h"
#include "ops/opstexts.h"
#include "ops/pacing.h"
#include "ops/readback.h"
#include "ops/verifyreport.h"
#include "session/opcontext.h"

void EraseChip(OpContext& c) {
    c.link.drainInput(); // a late answer to an earlier command is not the erase's
    c.link.sendCommand(Frames::chipErase());
    // The reply is free text: done at its end and a short quiet, within the 100 ms.
    c.link.logReplyAfterQuiet(100, ReplyQuietMs, QString());
}

bool WriteFlash(OpContext& c) {
    return WriteFlashImage(c, c.session.FlashBufferText, c.session.chip);
}

bool WriteFlashImage(OpContext& c, QString image, const ChipInfo& chip) {
    if (image.isEmpty())
        return true;
    if (!imageFitsChip(c, image, chip.FlashSize, QStringLiteral("FLASH"), ImageUse::Write))
        return false;
    image = image.toUpper();
    const qint64 total = imageBytes(image);
    // The last word of an odd byte count gets FF as its high byte (the erased state), so
    // that the frame is whole and the last page is committed.
    if (image.size() % 4 != 0)
        image += QStringLiteral("FF");

    c.link.sendCommand(Frames::flashWriteMode());
    c.link.delayMs(100);
    c.log(OpsTexts::writingFlash());
    const int words = int(image.size() / 4);
    const int pageWords = qMax<int>(1, chip.PageWords);
    int page = 0;
    WordPacer pacer(c.link);
    for (int w = 0; w < words; ++w) {
        const QString word = image.mid(qsizetype(w) * 4, 4);
        if (word != u"FFFF") {
            pacer.send(Frames::flashWord(word, w).toLatin1());
        }
        ++page;
        if (w == words - 1 || page == pageWords) {
            c.ui.progressBytes(Progress::Flash, Phases::writeFlash(),
                               qMin<qint64>((qint64(w) + 1) * 2, total), total);
            page = 0;
            pacer.flush();
            c.link.sendCommand(Frames::flashPageCommit(w));
            c.link.waitForMarker(100, QStringLiteral("$"));
            pacer.restart();
        }
    }
    c.ui.progress(Progress::Flash, 100);
    c.link.sendCommand(Frames::flashWriteEnd());
    c.link.logReplyAfterQuiet(100, ReplyQuietMs, QString());
    return true;
}

bool VerifyFlash(OpContext& c) {
    // The image as it was when the verify began: clearing or replacing it while the answer
    // comes in must not change what the chip is compared with.
    return VerifyFlashImage(c, c.session.FlashBufferText, c.session.chip);
}

bool VerifyFlashImage(OpContext& c, const QString& text, const ChipInfo& chip) {
    const QString image = text.toUpper();
    const int n = imageBytes(image);
    if (n == 0) {
        c.log(OpsTexts::flashEmpty());
        return true;
    }
    if (!imageFitsChip(c, image, chip.FlashSize, QStringLiteral("FLASH"), ImageUse::Verify))
        return false;
    c.link.drainInput();
    c.link.sendCommand(Frames::readFlash(n));
    c.log(OpsTexts::verifyingFlash());
    const QString back = collectReadBack(c, Progress::Flash, n, Phases::verifyFlash());
    if (!reportVerify(c, false, image, back))
        return false;
    c.log(OpsTexts::flashVerified());
    return true;
}
