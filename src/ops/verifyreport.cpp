#include "ops/verifyreport.h"

#include "image/imagediff.h"
#include "ops/opstexts.h"
#include "ops/readback.h"
#include "session/opcontext.h"

QString verifyRangesLine(bool eeprom, const ImageDiff& d) {
    return Texts::tr("%1校验: %2 字节不符 (共 %3 字节), %4 段: %5")
        .arg(eeprom ? QStringLiteral("EEPROM") : QStringLiteral("FLASH"))
        .arg(d.differing)
        .arg(d.compared)
        .arg(d.ranges.size())
        .arg(rangesText(d.ranges));
}

QString verifyBytesLine(bool eeprom, const QString& image, const ImageDiff& d) {
    // The first bytes that differ, each with the file's value and the chip's.
    constexpr int shown = 8;
    QStringList bytes;
    for (const ByteRange& r : d.ranges)
        for (int a = r.first; a <= r.last && bytes.size() < shown; ++a)
            bytes << QStringLiteral("%1 %2/%3")
                         .arg(hexField(a, 4), image.mid(qsizetype(a) * 2, 2), d.chipByte(a));
    return Texts::tr("%1不符的字节 (地址 文件/芯片): %2%3")
        .arg(eeprom ? QStringLiteral("EEPROM") : QStringLiteral("FLASH"),
             bytes.join(QStringLiteral(", ")),
             d.differing > shown ? QStringLiteral(", …") : QString());
}

bool reportVerify(OpContext& c, bool eeprom, const QString& image, const QString& back) {
    // Nothing, less or more than asked, or noise in it: the chip was not compared at all,
    // and saying "N bytes differ" would blame a chip that may be right.
    const HexAnswer a = checkHexAnswer(back, image.size());
    if (!a.whole()) {
        const QString text =
            OpsTexts::verifyNoAnswer(eeprom, OpsTexts::answerFault(a, image.size()));
        c.log(text);
        c.ui.warning(Texts::warningTitle(), text);
        // The rest of a cut-short answer is not the next command's: it may come after a pause
        // longer than the one that ended the read.
        settleInput(c.link, 3 * ReadBackSilenceMs, 3000);
        return false;
    }
    const ImageDiff d = diffImages(image, back);
    c.session.lastVerify[eeprom ? 1 : 0] = d;
    c.session.notifyVerify(eeprom ? 1 : 0);
    if (d.same())
        return true;
    c.log(verifyRangesLine(eeprom, d));
    c.log(verifyBytesLine(eeprom, image, d));
    c.ui.warning(Texts::warningTitle(),
                 eeprom ? OpsTexts::eepromMismatch(d.first()) : OpsTexts::flashMismatch(d.first()));
    return false;
}
