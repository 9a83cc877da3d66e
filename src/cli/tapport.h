#pragma once
// A port that passes everything through to the real one and tells each frame sent and each
// piece of input received, with the port clock's time (hvpp-cli -v).
#include "link/forwardingport.h"

#include <functional>
#include <memory>

class TapPort : public ForwardingPort {
    Q_OBJECT
  public:
    using Tap = std::function<void(double ms, bool sent, const QByteArray& bytes)>;
    TapPort(std::unique_ptr<Port> inner, Tap tap);

    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;

  private:
    std::unique_ptr<Port> m_owned;
    Tap m_tap;
};
