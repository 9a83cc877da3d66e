#pragma once
// A port that passes everything through to the real one and tells each frame sent and each
// piece of input received, with the port clock's time (hvpp-cli -v).
#include "link/port.h"

#include <functional>
#include <memory>

class TapPort : public Port {
    Q_OBJECT
  public:
    using Tap = std::function<void(double ms, bool sent, const QByteArray& bytes)>;
    TapPort(std::unique_ptr<Port> inner, Tap tap);

    bool open() override { return m_inner->open(); }
    void close() override { m_inner->close(); }
    bool isOpen() const override { return m_inner->isOpen(); }
    QString errorString() const override { return m_inner->errorString(); }
    QString portName() const override { return m_inner->portName(); }
    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    qint64 bytesAvailable() override { return m_inner->bytesAvailable(); }
    double nowMs() const override { return m_inner->nowMs(); }
    bool waitForInput(double deadlineMs) override { return m_inner->waitForInput(deadlineMs); }
    void waitUntil(double deadlineMs) override { m_inner->waitUntil(deadlineMs); }
    bool isLost() const override { return m_inner->isLost(); }

  private:
    std::unique_ptr<Port> m_inner;
    Tap m_tap;
};
