#include "ops/readback.h"

#include "link/answer.h"
#include "session/opcontext.h"

QString collectReadBack(OpContext& c, Progress bar, int bytes, const QString& phase) {
    const int wanted = bytes * 2;
    auto progress = [&](int got) {
        got = qMin(got, wanted);
        if (phase.isEmpty())
            c.ui.progress(bar, int(qint64(got) * 50 / qMax(1, bytes)));
        else
            c.ui.progressBytes(bar, phase, got / 2, bytes);
    };
    progress(0);
    return collectStream(c.link, wanted, ReadBackSilenceMs, progress);
}
