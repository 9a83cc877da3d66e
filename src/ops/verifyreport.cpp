#include "ops/verifyreport.h"

#include "core/opcontext.h"
#include "image/imagediff.h"
#include "ops/opstexts.h"

QString verifyRangesLine(bool eeprom, const ImageDiff& d) {
    return Texts::tr("%1校验: %2 字节不符 (共 %3 字节), %4 段: %5")
        .arg(eeprom ? QStringLiteral("EEPROM") : QStringLiteral("FLASH"))
        .arg(d.differing)
        .arg(d.compared)
        .arg(d.ranges.size())
        .arg(rangesText(d.ranges));
}

bool reportVerify(OpContext& c, bool eeprom, const QString& image, const QString& back) {
    const ImageDiff d = diffImages(image, back);
    c.session.lastVerify[eeprom ? 1 : 0] = d;
    c.session.notifyVerify(eeprom ? 1 : 0);
    if (d.same())
        return true;
    c.log(verifyRangesLine(eeprom, d));
    c.ui.warning(Texts::warningTitle(),
                 eeprom ? OpsTexts::eepromMismatch(d.first()) : OpsTexts::flashMismatch(d.first()));
    return false;
}
