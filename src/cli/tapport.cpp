#include "cli/tapport.h"

TapPort::TapPort(std::unique_ptr<Port> inner, Tap tap)
    : m_inner(std::move(inner)), m_tap(std::move(tap)) {
    connect(m_inner.get(), &Port::readyRead, this, &Port::readyRead);
    connect(m_inner.get(), &Port::lost, this, &Port::lost);
}

void TapPort::write(const QByteArray& bytes) {
    m_tap(m_inner->nowMs(), true, bytes);
    m_inner->write(bytes);
}

QByteArray TapPort::readAll() {
    const QByteArray bytes = m_inner->readAll();
    if (!bytes.isEmpty())
        m_tap(m_inner->nowMs(), false, bytes);
    return bytes;
}
