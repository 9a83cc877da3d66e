#include "cli/tapport.h"

TapPort::TapPort(std::unique_ptr<Port> inner, Tap tap)
    : ForwardingPort(inner.get()), m_owned(std::move(inner)), m_tap(std::move(tap)) {}

void TapPort::write(const QByteArray& bytes) {
    m_tap(inner()->nowMs(), true, bytes);
    inner()->write(bytes);
}

QByteArray TapPort::readAll() {
    const QByteArray bytes = inner()->readAll();
    if (!bytes.isEmpty())
        m_tap(inner()->nowMs(), false, bytes);
    return bytes;
}
