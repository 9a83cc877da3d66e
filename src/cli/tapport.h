#pragma once
// A port that passes everything through to the real one and tells each frame sent and each
// answer received, with the port clock's time (hvpp-cli -v). The line brings an answer a few
// characters at a time: pieces that follow each other closely are told as one answer, so a
// GBK character is never cut in two and an answer reads as the programmer sent it.
#include "link/forwardingport.h"

#include <functional>
#include <memory>

class TapPort : public ForwardingPort {
    Q_OBJECT
  public:
    using Tap = std::function<void(double ms, bool sent, const QByteArray& bytes)>;
    TapPort(std::unique_ptr<Port> inner, Tap tap);
    ~TapPort() override;

    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;

  private:
    void flush();

    std::unique_ptr<Port> m_owned;
    Tap m_tap;
    QByteArray m_pending;  // the answer being received
    double m_firstMs = 0;  // when its first piece came
    double m_lastMs = 0;   // when its last piece came
};
