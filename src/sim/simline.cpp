#include "sim/simline.h"

#include <algorithm>
#include <cmath>

qint64 SimLine::Chunk::arrivedBy(double ms) const {
    const qint64 n = data.size();
    if (step <= 0)
        return ms >= t0 ? n : 0;
    // A tiny tolerance keeps a character due exactly now from slipping by rounding.
    const double k = std::floor((ms - t0) / step + 1e-9);
    if (k <= 0)
        return 0;
    return std::min<qint64>(n, qint64(k));
}

double SimLine::handedOnBy(double ms) const {
    if (m_latencyMs <= 0 || ms == never)
        return ms;
    return std::floor(ms / m_latencyMs + 1e-9) * m_latencyMs;
}

double SimLine::send(const QByteArray& bytes, double startMs) {
    if (bytes.isEmpty())
        return std::max(startMs, m_freeAt);
    Chunk c;
    c.data = bytes;
    c.t0 = std::max(startMs, m_freeAt);
    c.step = m_charMs;
    m_freeAt = c.arrival(bytes.size() - 1);
    if (m_charMs <= 0)
        m_freeAt = c.t0;
    m_chunks.push_back(std::move(c));
    return m_freeAt;
}

qint64 SimLine::available(double ms) const {
    ms = handedOnBy(ms);
    qint64 total = 0;
    for (const Chunk& c : m_chunks) {
        const qint64 k = c.arrivedBy(ms);
        total += k - c.taken;
        if (k < c.data.size())
            break;
    }
    return total;
}

QByteArray SimLine::take(double ms, qint64 max) {
    ms = handedOnBy(ms);
    QByteArray out;
    while (!m_chunks.empty() && (max < 0 || out.size() < max)) {
        Chunk& c = m_chunks.front();
        qint64 k = c.arrivedBy(ms);
        if (max >= 0)
            k = std::min(k, c.taken + (max - out.size()));
        if (k > c.taken) {
            out.append(c.data.constData() + c.taken, k - c.taken);
            c.taken = k;
        }
        if (c.taken < c.data.size())
            break;
        m_chunks.pop_front();
    }
    return out;
}

bool SimLine::takeOne(double ms, char* ch, double* arrivedMs) {
    if (m_chunks.empty())
        return false;
    Chunk& c = m_chunks.front();
    const double t = c.arrival(c.taken);
    if (c.step > 0 ? t > ms + 1e-9 : c.t0 > ms)
        return false;
    *ch = c.data[c.taken];
    *arrivedMs = c.step > 0 ? t : c.t0;
    if (++c.taken == c.data.size())
        m_chunks.pop_front();
    return true;
}

double SimLine::nextArrival() const {
    if (m_chunks.empty())
        return never;
    const Chunk& c = m_chunks.front();
    const double t = c.step > 0 ? c.arrival(c.taken) : c.t0;
    if (m_latencyMs <= 0)
        return t;
    return std::ceil(t / m_latencyMs - 1e-12) * m_latencyMs;
}

void SimLine::cutAfter(double ms) {
    for (size_t i = 0; i < m_chunks.size(); ++i) {
        Chunk& c = m_chunks[i];
        const qint64 k = c.arrivedBy(ms);
        if (k < c.data.size()) {
            c.data.truncate(k);
            m_chunks.erase(m_chunks.begin() + qint64(i) + (c.taken < k ? 1 : 0), m_chunks.end());
            break;
        }
    }
    m_freeAt = std::min(m_freeAt, ms);
}
