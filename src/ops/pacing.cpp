#include "ops/pacing.h"

#include "link/link.h"

namespace {
constexpr int WordFrameChars = 8;   // "&XXXXAA#"
constexpr double SingleSlackMs = 1; // a word alone: sleep once this far ahead
constexpr double BatchAheadMs = 40; // words held back: written once this far ahead...
constexpr double BatchLeftMs = 3;   // ...then sleep until this much of them is left
} // namespace

WordPacer::WordPacer(Link& link)
    : m_link(link), m_due(link.nowMs()), m_batching(link.lineMs(WordFrameChars) >= MsPerWord) {}

void WordPacer::send(const QByteArray& frame) {
    const double now = m_link.nowMs();
    // Behind the schedule (a slow send, a long sleep) the words catch up; ahead of it by
    // more than the slack, the write waits for it.
    m_due = qMax(m_due, now - 1000.0) + qMax(MsPerWord, m_link.lineMs(frame.size()));
    m_held += frame;
    const double ahead = m_due - now;
    if (!m_batching) {
        flush();
        if (ahead > SingleSlackMs)
            m_link.pauseUntil(m_due);
    } else if (ahead > BatchAheadMs) {
        flush();
        m_link.pauseUntil(m_due - BatchLeftMs); // the port still holds words then
    }
}

void WordPacer::flush() {
    if (m_held.isEmpty())
        return;
    m_link.sendBytes(m_held);
    m_held.clear();
}

void WordPacer::restart() {
    m_due = qMax(m_due, m_link.nowMs());
}
