#include "image/imagesummary.h"

#include "core/session.h"
#include "image/crc32.h"
#include "image/filechip.h"
#include "image/summarytexts.h"

ImageSummary summarizeImage(const QString& image, const QByteArray& used, int chipBytes) {
    ImageSummary s;
    s.imageBytes = int(image.size() / 2);
    s.chipBytes = chipBytes;
    s.ranges = rangesOfMask(used.left(s.imageBytes));
    s.usedBytes = rangesBytes(s.ranges);
    s.crc = imageCrcText(image);
    return s;
}

QStringList summaryLines(const ImageSummary& s, const QString& memory, const QString& chipName) {
    QStringList lines;
    lines << SummaryTexts::summary(
        memory, s.ranges.isEmpty() ? SummaryTexts::noData() : rangesText(s.ranges), s.usedBytes,
        s.chipBytes, chipName, s.crc.isEmpty() ? QStringLiteral("-") : s.crc);
    if (s.fileChip.saysChip())
        lines.first() += SummaryTexts::deviceSuffix(fileChipName(s.fileChip));
    if (!s.fits())
        lines << SummaryTexts::tooLarge(memory, s.imageBytes, chipName, s.chipBytes);
    return lines;
}

ImageSummary logImageSummary(Session& session, bool eeprom, const QByteArray& used,
                             const ChipBytes& fileChip) {
    const QString& image = eeprom ? session.EepromBufferText : session.FlashBufferText;
    const int chipBytes = eeprom ? session.chip.EepromSize : session.chip.FlashSize;
    ImageSummary s = summarizeImage(image, used, chipBytes);
    s.fileChip = fileChip;
    session.loadSummary[eeprom ? 1 : 0] = s;
    for (const QString& line : summaryLines(
             s, eeprom ? QStringLiteral("EEPROM") : QStringLiteral("FLASH"), session.chip.ChipName))
        session.log.logMessage(line);
    const QString other = chipMismatch(fileChip, session.chip);
    if (!other.isEmpty())
        session.log.logMessage(SummaryTexts::notForThisChip(other));
    return s;
}
