#include "ops/imagecheck.h"

#include "image/images.h"
#include "ops/opstexts.h"
#include "session/filechip.h"
#include "session/opcontext.h"

bool imageFitsChip(OpContext& c, const QString& image, int chipBytes, const QString& memory,
                   ImageUse use) {
    const bool verify = use == ImageUse::Verify;
    if (!isHexText(image) || image.size() % 2 != 0) {
        c.ui.warning(Texts::warningTitle(), OpsTexts::notHexImage(memory, verify));
        return false;
    }
    const int bytes = imageBytes(image);
    if (bytes > chipBytes) {
        c.ui.warning(Texts::warningTitle(),
                     memory == u"FLASH" ? OpsTexts::flashTooLarge(bytes, chipBytes, verify)
                                        : OpsTexts::eepromTooLarge(bytes, chipBytes, verify));
        return false;
    }
    return imageIsForChip(c, memory == u"FLASH" ? 0 : 1, image);
}

bool imageIsForChip(OpContext& c, int memory, const QString& image) {
    const QString refusal = imageChipRefusal(c.session, memory, image);
    if (refusal.isEmpty())
        return true;
    c.log(refusal);
    c.ui.warning(Texts::warningTitle(), refusal);
    return false;
}

int firstDifference(const QString& image, const QString& back) {
    for (qsizetype i = 0; i < image.size(); i += 2) {
        if (QStringView(image).mid(i, 2) != QStringView(back).mid(i, 2))
            return int(i / 2);
    }
    return -1;
}
