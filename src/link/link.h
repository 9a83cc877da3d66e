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

    ~Link() override;

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
    // ASCII as it stands; each run of bytes above 0x7F decoded as GBK on its own.
    static QString decodeInput(const QByteArray& bytes);
    qint64 bytesAvailable();
    double nowMs() const;
    const QString& discardedInput() const { return m_discarded; }
    // How many waits for an answer ended without one (a marker that did not come, a reply
    // logged as "编程器无反应!"), since the link was made. A front end compares it before
    // and after an operation to tell a programmer that did not answer.
    int unansweredCount() const { return m_unanswered; }
    MessageLog* log() const { return m_log; }

    // While an operation runs, input belongs to it; only outside operations does the
    // unsolicited-input handler write what arrives to the log.
    bool operationRunning() const { return m_busy > 0 || m_claimed; }

    // One device operation at a time. The entry point of an operation claims the link for
    // the whole operation; while it holds it, a second claim fails and runOperation()
    // refuses that operation before it sends anything.
    bool busy() const { return m_claimed; }
    class Claim {
    public:
        explicit Claim(Link& link);
        ~Claim();
        bool held() const { return m_held; }
        Claim(const Claim&) = delete;
        Claim& operator=(const Claim&) = delete;

    private:
        Link& m_link;
        bool m_held = false;
    };

    // Asks the running operation to stop: the next transport primitive throws LinkStopped,
    // which runOperation() reports as stopped. The request stays: a link that was asked to
    // stop runs nothing more (the program is on its way out).
    void requestStop() { m_stop = true; }
    bool stopRequested() const { return m_stop; }
    // The same for every link of the process (SIGINT, SIGTERM).
    static void requestStopAll();
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

Q_SIGNALS:
    // An operation claimed the link (true) or ended (false).
    void busyChanged(bool busy);

private:
    void requireOpen() const;
    void onReadyRead();

    QPointer<Port> m_port;
    MessageLog* m_log;
    QString m_discarded;
    QByteArray m_pendingLead; // the first byte of a GBK character whose second is to come
    int m_busy = 0;
    QString m_lastIdleText; // what the unsolicited-input handler logged last
    int m_unanswered = 0;
    bool m_claimed = false;
    bool m_stop = false;
    QMetaObject::Connection m_readyConn;
};

// Pads text with fill characters up to width, on the left when padLeft is true.
QString padText(const QString& text, QChar fill, int width, bool padLeft);
// Upper-case hexadecimal, zero-padded on the left to width; wider values are not cut.
QString hexField(qint64 value, int width);
