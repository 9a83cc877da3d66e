#include "session/filechip.h"

#include "core/hextext.h"
#include "image/crc32.h"
#include "image/images.h"
#include "image/summarytexts.h"
#include "session/session.h"

QString imageChipRefusal(const Session& s, int memory, const QString& image) {
    const ImageSummary& loaded = s.loadSummary[size_t(memory)];
    if (!loaded.fileChip.saysChip())
        return QString();
    if (imageBytes(image) != loaded.imageBytes || imageCrcText(image) != loaded.crc)
        return QString();
    return chipMismatch(loaded.fileChip, s.chip);
}

void TakeFileFuses(Session& s, const ChipBytes& file, const QString& kind) {
    if (!file.hasFuseOrLock())
        return;
    const QString other = chipMismatch(file, s.chip);
    if (!other.isEmpty()) {
        s.log.logMessage(SummaryTexts::fusesNotTaken(kind, other));
        return;
    }
    QString text = s.fuses.fuseText();
    if (!FuseEditor::isFuseBitText(text))
        text = QString(32, u'1');
    const QString def = s.fuses.defaultFuseText();
    auto put = [&](int firstChar, int value) {
        for (int b = 0; b < 8; ++b) {
            const int pos = firstChar + b;
            if (pos < def.size() && def[pos] == u'*')
                text[pos] = u'*';
            else
                text[pos] = (value & (0x80 >> b)) ? u'1' : u'0';
        }
    };
    // The text: lock (bit 7 first), extended, high, low.
    QStringList parts;
    if (file.lock >= 0) {
        put(0, file.lock);
        parts << SummaryTexts::lockNamed(hexField(file.lock, 2));
    }
    static const int offsets[3] = {24, 16, 8}; // low, high, extended
    for (int i = 0; i < 3; ++i) {
        if (file.fuse[size_t(i)] < 0)
            continue;
        put(offsets[i], file.fuse[size_t(i)]);
        parts << SummaryTexts::fuseNamed(i, hexField(file.fuse[size_t(i)], 2));
    }
    s.fuses.ApplyFuseText(text);
    s.elfFuseChip = s.selectedChipModel; // identifying this chip keeps them
    s.log.logMessage(SummaryTexts::fileFuses(kind, parts.join(QStringLiteral(", "))));
}
