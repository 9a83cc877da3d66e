#include "scriptedport.h"

#include <algorithm>

void ScriptedPort::answer(const QByteArray& prefix, const QByteArray& reply, double delayMs, bool repeat) {
    m_rules.append(Rule{prefix, reply, delayMs, repeat});
}

void ScriptedPort::queueInput(const QByteArray& bytes, double atMs) {
    Pending p{atMs, bytes};
    auto it = std::upper_bound(m_pending.begin(), m_pending.end(), atMs,
                               [](double t, const Pending& q) { return t < q.at; });
    m_pending.insert(it, p);
}

void ScriptedPort::unplug() {
    m_lost = true;
    m_error = QStringLiteral("device removed");
    Q_EMIT lost(m_error);
}

QStringList ScriptedPort::writtenTexts() const {
    QStringList out;
    for (const QByteArray& w : writes)
        out << QString::fromLatin1(w);
    return out;
}

bool ScriptedPort::open() {
    if (!m_failOpen.isEmpty()) {
        m_error = m_failOpen;
        return false;
    }
    m_open = true;
    m_lost = false;
    return true;
}

void ScriptedPort::write(const QByteArray& bytes) {
    writes.append(bytes);
    for (int i = 0; i < m_rules.size(); ++i) {
        const Rule r = m_rules[i];
        if (bytes.startsWith(r.prefix)) {
            if (!r.reply.isEmpty())
                queueInput(r.reply, m_now + r.delay);
            if (!r.repeat)
                m_rules.removeAt(i);
            return;
        }
    }
    if (responder)
        responder(*this, bytes);
}

QByteArray ScriptedPort::readAll() {
    QByteArray out;
    while (!m_pending.isEmpty() && m_pending.first().at <= m_now)
        out += m_pending.takeFirst().bytes;
    return out;
}

qint64 ScriptedPort::bytesAvailable() {
    qint64 n = 0;
    for (const Pending& p : m_pending)
        if (p.at <= m_now)
            n += p.bytes.size();
    return n;
}

bool ScriptedPort::waitForInput(double deadlineMs) {
    ++waits;
    if (bytesAvailable() > 0)
        return true;
    if (!m_pending.isEmpty() && m_pending.first().at <= deadlineMs) {
        m_now = std::max(m_now, m_pending.first().at);
        return true;
    }
    m_now = std::max(m_now, deadlineMs);
    return false;
}

void ScriptedPort::waitUntil(double deadlineMs) {
    ++waits;
    m_now = std::max(m_now, deadlineMs);
}
