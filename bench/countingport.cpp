#include "countingport.h"

#include <algorithm>

CountingPort::CountingPort(Port* inner, QObject* parent) : Port(parent), m_inner(inner) {
    connect(inner, &Port::readyRead, this, &Port::readyRead);
    connect(inner, &Port::lost, this, &Port::lost);
}

void CountingPort::write(const QByteArray& bytes) {
    counts.sentChars += bytes.size();
    ++counts.writes;
    m_inner->write(bytes);
}

QByteArray CountingPort::readAll() {
    const QByteArray b = m_inner->readAll();
    counts.receivedChars += b.size();
    return b;
}

bool CountingPort::waitForInput(double deadlineMs) {
    const double t0 = m_inner->nowMs();
    const bool got = m_inner->waitForInput(deadlineMs);
    counts.answerWaitMs += m_inner->nowMs() - t0;
    return got;
}

void CountingPort::waitUntil(double deadlineMs) {
    counts.fixedWaitMs += std::max(0.0, deadlineMs - m_inner->nowMs());
    m_inner->waitUntil(deadlineMs);
}
