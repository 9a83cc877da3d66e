#include "countingport.h"

#include <algorithm>

void CountingPort::write(const QByteArray& bytes) {
    counts.sentChars += bytes.size();
    ++counts.writes;
    if (m_inputAt >= 0) {
        ++counts.replies;
        counts.replyMs += inner()->nowMs() - m_inputAt;
        m_inputAt = -1;
    }
    inner()->write(bytes);
}

QByteArray CountingPort::readAll() {
    const QByteArray b = inner()->readAll();
    counts.receivedChars += b.size();
    return b;
}

bool CountingPort::waitForInput(double deadlineMs) {
    ++counts.waits;
    const double t0 = inner()->nowMs();
    const bool got = inner()->waitForInput(deadlineMs);
    counts.answerWaitMs += inner()->nowMs() - t0;
    m_inputAt = got ? inner()->nowMs() : -1;
    return got;
}

void CountingPort::waitUntil(double deadlineMs) {
    ++counts.waits;
    m_inputAt = -1;
    counts.fixedWaitMs += std::max(0.0, deadlineMs - inner()->nowMs());
    inner()->waitUntil(deadlineMs);
}
