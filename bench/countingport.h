#pragma once
// A Port in front of another that counts what crosses the line and how long the program
// waited in fixed delays (waitUntil) and in waits for an answer (waitForInput).
#include "link/port.h"

struct LineCounts {
    qint64 sentChars = 0;
    qint64 receivedChars = 0;
    qint64 writes = 0;
    double fixedWaitMs = 0;  // delays asked for (waitUntil), on the inner port's clock
    double answerWaitMs = 0; // time spent in waits for input
};

class CountingPort : public Port {
    Q_OBJECT
  public:
    explicit CountingPort(Port* inner, QObject* parent = nullptr);

    LineCounts counts;

    bool open() override { return m_inner->open(); }
    void close() override { m_inner->close(); }
    bool isOpen() const override { return m_inner->isOpen(); }
    QString errorString() const override { return m_inner->errorString(); }
    QString portName() const override { return m_inner->portName(); }
    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    qint64 bytesAvailable() override { return m_inner->bytesAvailable(); }
    double nowMs() const override { return m_inner->nowMs(); }
    bool waitForInput(double deadlineMs) override;
    void waitUntil(double deadlineMs) override;
    bool isLost() const override { return m_inner->isLost(); }

  private:
    Port* m_inner;
};
