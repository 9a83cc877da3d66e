#include "image/imagesummary.h"

#include "image/crc32.h"
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
