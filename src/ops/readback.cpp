#include "ops/readback.h"

#include "core/opcontext.h"
#include "link/answer.h"

QString collectReadBack(OpContext& c, const QString& bar, int bytes) {
    const int wanted = bytes * 2;
    c.ui.progress(bar, 0);
    return collectStream(c.link, wanted, ReadBackSilenceMs, [&](int got) {
        c.ui.progress(bar, int(qint64(qMin(got, wanted)) * 50 / qMax(1, bytes)));
    });
}
