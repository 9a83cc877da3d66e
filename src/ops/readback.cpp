#include "ops/readback.h"

#include "core/opcontext.h"
#include "link/port.h"

namespace {

// The answer has ended only when a whole polling interval brought nothing: a serial adapter
// (or a terminal) hands characters over in bursts, and a gap of a millisecond between two
// bursts is no end of the answer.
bool inputWithin(OpContext& c, double ms) {
    if (ms <= 0)
        return false;
    Port* port = c.link.port();
    port->waitForInput(port->nowMs() + ms);
    return c.link.bytesAvailable() != 0;
}

} // namespace

QString collectReadBack(OpContext& c, const QString& bar, int bytes, const ReadBackPacing& pacing,
                        const QString& phase) {
    QString back;
    const qsizetype wanted = qsizetype(bytes) * 2;
    if (pacing.initialMs > 0)
        c.link.delayMs(pacing.initialMs);
    if (pacing.firstInputMs > 0 && c.link.bytesAvailable() == 0)
        inputWithin(c, pacing.firstInputMs);
    for (;;) {
        if (pacing.beforeMs > 0)
            c.link.delayMs(pacing.beforeMs);
        back += c.link.readText();
        if (phase.isEmpty())
            c.ui.progress(bar, int(qint64(back.size()) * 50 / qMax(1, bytes)));
        else
            c.ui.progressBytes(bar, phase, qMin<qint64>(back.size() / 2, bytes), bytes);
        if (back.size() >= wanted)
            break;
        c.link.delayMs(pacing.afterMs);
        if (c.link.bytesAvailable() == 0 && !inputWithin(c, pacing.beforeMs))
            break;
    }
    return back;
}
