#pragma once
// One direction of the serial line: characters queued with the times at which each one has
// fully arrived. A character takes 10 bits at the line rate; runs of characters are kept as
// chunks, so a 64k-character reply costs one entry.
#include <QByteArray>
#include <deque>
#include <limits>

class SimLine {
public:
    static constexpr double never = std::numeric_limits<double>::infinity();

    void setCharMs(double ms) { m_charMs = ms; }
    double charMs() const { return m_charMs; }
    // What has arrived is handed on only at the ticks of a timer of this period (a USB
    // adapter's latency timer); 0 hands on every character as it arrives.
    void setLatencyMs(double ms) { m_latencyMs = ms > 0 ? ms : 0; }
    double latencyMs() const { return m_latencyMs; }

    // Queues bytes that start on the line at startMs or when the line is free, whichever
    // is later. Returns the time the last one has arrived.
    double send(const QByteArray& bytes, double startMs);
    // Characters that have arrived and been handed on by ms.
    qint64 available(double ms) const;
    QByteArray take(double ms, qint64 max = -1);
    // Takes one character that has arrived by ms; false when none has.
    bool takeOne(double ms, char* c, double* arrivedMs);
    // When the next character will have arrived and been handed on (never when none is
    // queued).
    double nextArrival() const;
    // Drops everything that has not arrived by ms.
    void cutAfter(double ms);
    bool empty() const { return m_chunks.empty(); }
    double freeAt() const { return m_freeAt; }

  private:
    // The last tick of the latency timer at or before ms.
    double handedOnBy(double ms) const;
    struct Chunk {
        QByteArray data;
        double t0;   // start of the first character
        double step; // time of one character
        qint64 taken = 0;
        double arrival(qint64 i) const { return t0 + double(i + 1) * step; }
        qint64 arrivedBy(double ms) const;
    };
    std::deque<Chunk> m_chunks;
    double m_charMs = 0;
    double m_latencyMs = 0;
    double m_freeAt = 0;
};
