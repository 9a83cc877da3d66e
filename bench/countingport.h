#pragma once
// A Port in front of another that counts what crosses the line and how long the program
// waited in fixed delays (waitUntil) and in waits for an answer (waitForInput).
#include "link/forwardingport.h"

struct LineCounts {
    qint64 sentChars = 0;
    qint64 receivedChars = 0;
    qint64 writes = 0;
    qint64 waits = 0;        // calls of waitForInput and waitUntil
    double fixedWaitMs = 0;  // delays asked for (waitUntil), on the inner port's clock
    double answerWaitMs = 0; // time spent in waits for input
    qint64 replies = 0;      // frames written right after a wait that input ended
    double replyMs = 0;      // from the end of that wait to the write, summed
};

class CountingPort : public ForwardingPort {
    Q_OBJECT
  public:
    explicit CountingPort(Port* inner, QObject* parent = nullptr) : ForwardingPort(inner, parent) {}

    LineCounts counts;

    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    bool waitForInput(double deadlineMs) override;
    void waitUntil(double deadlineMs) override;

  private:
    double m_inputAt = -1; // when the last wait for input ended with input
};
