#include "image/imagediff.h"

ImageDiff diffImages(const QString& image, const QString& back) {
    ImageDiff d;
    d.compared = int(image.size() / 2);
    QByteArray mask(d.compared, 0);
    for (int a = 0; a < d.compared; ++a) {
        const qsizetype i = qsizetype(a) * 2;
        if (QStringView(image).mid(i, 2) != QStringView(back).mid(i, 2)) {
            mask[a] = 1;
            ++d.differing;
        }
    }
    d.ranges = rangesOfMask(mask);
    if (d.differing > 0)
        d.chipText = back;
    return d;
}
