#pragma once
// A Port for tests: a virtual clock, scripted answers, and a record of every write.
// Waits advance the clock to the next scheduled input or to their deadline at once.
#include "link/port.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <functional>

class ScriptedPort : public Port {
    Q_OBJECT
public:
    explicit ScriptedPort(QObject* parent = nullptr) : Port(parent) {}

    // When a write starts with prefix, reply arrives delayMs later (once, or every time).
    void answer(const QByteArray& prefix, const QByteArray& reply, double delayMs = 1.0,
                bool repeat = true);
    // Called for every write that no rule matched.
    std::function<void(ScriptedPort&, const QByteArray&)> responder;
    // Input that arrives at the given time (absolute, on this port's clock).
    void queueInput(const QByteArray& bytes, double atMs);
    void queueInputAfter(const QByteArray& bytes, double delayMs) { queueInput(bytes, m_now + delayMs); }
    // The adapter is unplugged: the port is lost from now on.
    void unplug();
    void setFailOpen(const QString& reason) { m_failOpen = reason; }

    // Every write as sent, and the same as text.
    QList<QByteArray> writes;
    QStringList writtenTexts() const;
    void clearWrites() { writes.clear(); }
    int waits = 0; // number of waits made (for checking that nothing spins)

    bool open() override;
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open && !m_lost; }
    QString errorString() const override { return m_error; }
    QString portName() const override { return QStringLiteral("script"); }
    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    qint64 bytesAvailable() override;
    double nowMs() const override { return m_now; }
    bool waitForInput(double deadlineMs) override;
    void waitUntil(double deadlineMs) override;
    bool isLost() const override { return m_lost; }
    void advance(double ms) { m_now += ms; }

private:
    struct Rule {
        QByteArray prefix;
        QByteArray reply;
        double delay;
        bool repeat;
    };
    struct Pending {
        double at;
        QByteArray bytes;
    };
    QList<Rule> m_rules;
    QList<Pending> m_pending; // sorted by time
    double m_now = 0;
    bool m_open = true;
    bool m_lost = false;
    QString m_error;
    QString m_failOpen;
};
