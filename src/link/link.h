#pragma once
// The transport primitives every device operation is written with. All waits block in the
// event loop on the port's monotonic clock; none of them spins.
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringDecoder>
#include <algorithm>

#include "core/hextext.h"
#include "link/port.h"
class MessageLog;

// The quiet that ends a free-text reply: longer than a USB adapter's latency timer (16 ms by
// default), which may hold the rest of a reply that long.
constexpr double ReplyQuietMs = 50;
// The quiet after a reply's closing "!" (or three characters' time on a slow line).
constexpr double ReplyEndQuietMs = 2;

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
    // The waits below that follow a send count from lineClearMs(), not from the moment the
    // frame was handed to the port: the programmer cannot answer what has not reached it.
    // 0 ms serves the event loop and returns.
    void delayMs(double ms);
    QString readAfterDelay(double ms);
    void logReplyAfterDelay(double ms, const QString& prefix);
    // As logReplyAfterDelay, but done once a reply has come and quietMs have passed without
    // more of it (at most ms): for free text. After a closing "!" the quiet is only a few
    // characters' time.
    void logReplyAfterQuiet(double ms, double quietMs, const QString& prefix);
    // Collects input until the marker arrives or ms pass; what was collected is dropped.
    // "$" and "!" acknowledge one frame each: when a wait for one ran out with none seen,
    // the next one that comes is that frame's, late, and not the next frame's.
    void waitForMarker(int ms, const QString& marker);
    bool waitForMarkerResult(int ms, const QString& marker);

    // When the line will have carried everything sent so far, on the port's clock (now, when
    // it has): the characters still queued at the port's rate, from the bytes written and
    // the line settings.
    double lineClearMs() const;
    // How long chars characters take on the line.
    double lineMs(qint64 chars) const;
    // The quiet that shows nothing follows an answer's last character: a few characters'
    // time, ReplyEndQuietMs at least.
    double replyEndQuietMs() const { return std::max(ReplyEndQuietMs, lineMs(3)); }
    // Waits until the port's clock reaches atMs, the line not counted (pacing).
    void pauseUntil(double atMs);

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
    QString readInput();
    // Takes the late acknowledgements in text of frames whose wait ran out; returns how many
    // markers of kind marker are left over for the wait that reads it.
    qsizetype takeLateMarkers(const QString& text, QChar marker = QChar());
    int& owed(QChar marker) { return marker == u'$' ? m_owedPage : m_owedBang; }

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
    double m_lineFreeAt = 0;
    int m_owedPage = 0; // a "$" still to come for an earlier page commit
    int m_owedBang = 0; // a "!" still to come for an earlier write
};
