#include "ops/readback.h"

#include "core/opcontext.h"

QString collectReadBack(OpContext& c, const QString& bar, int bytes, const ReadBackPacing& pacing) {
    QString back;
    const qsizetype wanted = qsizetype(bytes) * 2;
    if (pacing.initialMs > 0)
        c.link.delayMs(pacing.initialMs);
    for (;;) {
        if (pacing.beforeMs > 0)
            c.link.delayMs(pacing.beforeMs);
        back += c.link.readText();
        c.ui.progress(bar, int(qint64(back.size()) * 50 / qMax(1, bytes)));
        if (back.size() >= wanted)
            break;
        c.link.delayMs(pacing.afterMs);
        if (c.link.bytesAvailable() == 0)
            break;
    }
    return back;
}
