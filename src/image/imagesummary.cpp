#include "image/imagesummary.h"

#include "core/session.h"
#include "image/crc32.h"
#include "image/summarytexts.h"

#include <QFile>

ImageSummary summarizeImage(const QString& image, const QByteArray& used, int chipBytes) {
    ImageSummary s;
    s.imageBytes = int(image.size() / 2);
    s.chipBytes = chipBytes;
    s.ranges = rangesOfMask(used.left(s.imageBytes));
    s.usedBytes = rangesBytes(s.ranges);
    s.crc = imageCrcText(image);
    return s;
}

QByteArray usedMapOfFile(const QString& path, const QString& kind) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    if (kind != u"HEX")
        return QByteArray(int(qMin<qint64>(file.size(), 1 << 20)), 1);
    QByteArray used;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine(1024).trimmed();
        if (line == ":00000001FF")
            break;
        if (line.size() < 11 || line.mid(7, 2) != "00")
            continue;
        bool okCount = false, okAddr = false;
        const int count = line.mid(1, 2).toInt(&okCount, 16);
        const int address = line.mid(3, 4).toInt(&okAddr, 16);
        if (!okCount || !okAddr)
            continue;
        const int bytes = qMin(count, int(line.size() - 9) / 2);
        if (bytes <= 0)
            continue;
        if (used.size() < address + bytes)
            used.resize(address + bytes, 0);
        for (int i = 0; i < bytes; ++i)
            used[address + i] = 1;
    }
    return used;
}

QStringList summaryLines(const ImageSummary& s, const QString& memory, const QString& chipName) {
    QStringList lines;
    lines << SummaryTexts::summary(
        memory, s.ranges.isEmpty() ? SummaryTexts::noData() : rangesText(s.ranges), s.usedBytes,
        s.chipBytes, chipName, s.crc.isEmpty() ? QStringLiteral("-") : s.crc);
    if (!s.fits())
        lines << SummaryTexts::tooLarge(memory, s.imageBytes, chipName, s.chipBytes);
    return lines;
}

ImageSummary logImageSummary(Session& session, bool eeprom, const QByteArray& used) {
    const QString& image = eeprom ? session.EepromBufferText : session.FlashBufferText;
    const int chipBytes = eeprom ? session.chip.EepromSize : session.chip.FlashSize;
    const ImageSummary s = summarizeImage(image, used, chipBytes);
    session.loadSummary[eeprom ? 1 : 0] = s;
    for (const QString& line : summaryLines(
             s, eeprom ? QStringLiteral("EEPROM") : QStringLiteral("FLASH"), session.chip.ChipName))
        session.log.logMessage(line);
    return s;
}
