#pragma once
// The transport primitives every device operation is written with. All waits block in the
// event loop on the port's monotonic clock; none of them spins.
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringDecoder>

#include "link/port.h"
class MessageLog;

class Link : public QObject {
    Q_OBJECT
public:
    Link(Port* port, MessageLog* log, QObject* parent = nullptr);

    Port* port() const { return m_port; }
    void setPort(Port* port);
    bool isOpen() const;

    // Writes the whole text at once; no terminator is added.
    void sendCommand(const QString& text);
    void sendBytes(const QByteArray& bytes);
    // Reads and discards everything waiting (kept in discardedInput()).
    void drainInput();
    void delayMs(double ms);
    QString readAfterDelay(double ms);
    void logReplyAfterDelay(double ms, const QString& prefix);
    // Collects input until the marker arrives or ms pass; what was collected is dropped.
    void waitForMarker(int ms, const QString& marker);
    bool waitForMarkerResult(int ms, const QString& marker);

    // One read of everything waiting, decoded in the programmer's code page.
    QString readText();
    qint64 bytesAvailable();
    double nowMs() const;
    const QString& discardedInput() const { return m_discarded; }
    MessageLog* log() const { return m_log; }

    // While an operation runs, input belongs to it; only outside operations does the
    // unsolicited-input handler write what arrives to the log.
    bool operationRunning() const { return m_busy > 0; }
    class Busy {
    public:
      explicit Busy(Link& link) : m_link(link) {
          ++m_link.m_busy;
          m_link.m_lastIdleText.clear();
      }
        ~Busy() { --m_link.m_busy; }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        Link& m_link;
    };

private:
    void requireOpen() const;
    void onReadyRead();

    QPointer<Port> m_port;
    MessageLog* m_log;
    QString m_discarded;
    QStringDecoder m_decoder;
    int m_busy = 0;
    QString m_lastIdleText; // what the unsolicited-input handler logged last
    QMetaObject::Connection m_readyConn;
};

// Pads text with fill characters up to width, on the left when padLeft is true.
QString padText(const QString& text, QChar fill, int width, bool padLeft);
// Upper-case hexadecimal, zero-padded on the left to width; wider values are not cut.
QString hexField(qint64 value, int width);
