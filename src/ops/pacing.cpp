#include "ops/pacing.h"

#include "link/link.h"

WordPacer::WordPacer(Link& link) : m_link(link), m_due(link.nowMs()) {}

void WordPacer::wordSent(int chars) {
    const double now = m_link.nowMs();
    // Behind the schedule (a slow send, a long sleep) the words catch up; ahead of it by
    // more than the slack, the write waits for it.
    m_due = qMax(m_due, now - 1000.0) + qMax(MsPerWord, m_link.lineMs(chars));
    if (m_due - now > SlackMs)
        m_link.pauseUntil(m_due);
}

void WordPacer::restart() {
    m_due = qMax(m_due, m_link.nowMs());
}
