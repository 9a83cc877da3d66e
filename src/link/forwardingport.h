#pragma once
// A port in front of another: every call goes through to the inner port and its signals come
// out of this one. Ports that watch the line (hvpp-cli -v, the benchmark's counters) override
// only what they watch.
#include "link/port.h"

class ForwardingPort : public Port {
    Q_OBJECT
  public:
    explicit ForwardingPort(Port* inner, QObject* parent = nullptr) : Port(parent), m_inner(inner) {
        connect(inner, &Port::readyRead, this, &Port::readyRead);
        connect(inner, &Port::lost, this, &Port::lost);
    }

    bool open() override { return m_inner->open(); }
    void close() override { m_inner->close(); }
    bool isOpen() const override { return m_inner->isOpen(); }
    QString errorString() const override { return m_inner->errorString(); }
    QString portName() const override { return m_inner->portName(); }
    void write(const QByteArray& bytes) override { m_inner->write(bytes); }
    QByteArray readAll() override { return m_inner->readAll(); }
    qint64 bytesAvailable() override { return m_inner->bytesAvailable(); }
    double nowMs() const override { return m_inner->nowMs(); }
    bool waitForInput(double deadlineMs) override { return m_inner->waitForInput(deadlineMs); }
    void waitUntil(double deadlineMs) override { m_inner->waitUntil(deadlineMs); }
    bool setLineSettings(const LineSettings& line) override {
        return m_inner->setLineSettings(line);
    }
    bool isLost() const override { return m_inner->isLost(); }
    double charMs() const override { return m_inner->charMs(); }
    QString lineNotice() const override { return m_inner->lineNotice(); }

  protected:
    Port* inner() const { return m_inner; }

  private:
    Port* m_inner;
};
