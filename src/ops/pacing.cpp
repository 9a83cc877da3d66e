#include "ops/pacing.h"

#include "link/link.h"

namespace {
constexpr int WordFrameChars = 8; // "&XXXXAA#"
} // namespace

WordPacer::WordPacer(Link& link)
    : m_link(link), m_due(link.nowMs()),
      m_slackMs(link.lineMs(WordFrameChars) >= MsPerWord ? 12.0 : 1.0) {}

void WordPacer::send(const QByteArray& frame) {
    const double now = m_link.nowMs();
    // Behind the schedule (a slow send, a long sleep) the words catch up; ahead of it by
    // more than the slack, the write waits for it.
    m_due = qMax(m_due, now - 1000.0) + qMax(MsPerWord, m_link.lineMs(frame.size()));
    m_held += frame;
    if (m_slackMs <= 1.0 || m_due - now > m_slackMs)
        flush();
    if (m_due - now > m_slackMs)
        m_link.pauseUntil(m_slackMs > 1.0 ? m_due - 3.0 : m_due); // words still queued then
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
