#include "cli/tapport.h"

namespace {
// Pieces of one answer come a character time or an adapter's tick apart; a longer pause
// starts another answer.
constexpr double kAnswerGapMs = 20;
} // namespace

TapPort::TapPort(std::unique_ptr<Port> inner, Tap tap)
    : ForwardingPort(inner.get()), m_owned(std::move(inner)), m_tap(std::move(tap)) {}

TapPort::~TapPort() {
    flush();
}

void TapPort::flush() {
    if (m_pending.isEmpty())
        return;
    m_tap(m_firstMs, false, m_pending);
    m_pending.clear();
}

void TapPort::write(const QByteArray& bytes) {
    flush();
    // Flash words go out several in one write: each frame is its own line.
    const double now = inner()->nowMs();
    qsizetype from = 0;
    while (from < bytes.size()) {
        qsizetype end = bytes.indexOf('#', from);
        end = end < 0 ? bytes.size() : end + 1;
        m_tap(now, true, bytes.mid(from, end - from));
        from = end;
    }
    inner()->write(bytes);
}

QByteArray TapPort::readAll() {
    const QByteArray bytes = inner()->readAll();
    if (bytes.isEmpty())
        return bytes;
    const double now = inner()->nowMs();
    if (!m_pending.isEmpty() && now - m_lastMs > kAnswerGapMs)
        flush();
    if (m_pending.isEmpty())
        m_firstMs = now;
    m_pending += bytes;
    m_lastMs = now;
    return bytes;
}
