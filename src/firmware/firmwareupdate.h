#pragma once
// The programmer itself: "FIRMWARE" hands over to its loader, the firmware transfer of the
// window "升级固件" (a state machine that the window and the command line both drive), and
// "UPEEPROM", the programmer's own EEPROM data.
#include <QByteArray>
#include <QObject>
#include <QString>

struct OpContext;
class Link;

// "FIRMWARE": drains the input, sends "FM000000#" and logs the reply after 100 ms (or
// "编程器无反应!").
void EnterFirmwareLoader(OpContext& c);

// The firmware transfer. Drive it like this:
//   open(path)       -> Opening (prompt "请重启编程器！", input discarded), or Refused
//   waitForLoader()  -> waits up to 10 s for "B"; Ready (sent "B", prompt "确认升级，请点击
//                       <继续>！", continue enabled), or TimedOut (status "超时，连接不成功！",
//                       after a 3 s pause closeRequested())
//   proceed()        -> Transfer ("00", status "启动升级......", blocks, FF padding, "?", "!")
//                       -> Done (progress "升级完毕。")
//   cancel()         -> "退 出": any wait or transfer still running stops at its next step.
// The window calls waitForLoader() from its 100 ms timer tick after open().
class FirmwareTransfer : public QObject {
    Q_OBJECT
  public:
    enum class State {
        Idle,
        Opening,
        WaitingForLoader,
        Ready,
        Transfer,
        Done,
        TimedOut,
        Refused,
        Failed,
        Cancelled
    };
    Q_ENUM(State)

    static constexpr int BlockBytes = 128;
    static constexpr qint64 MaxFileBytes = 32767; // 255 whole blocks and a partial one
    static constexpr int LoaderWaitMs = 10000;

    explicit FirmwareTransfer(Link& link, QObject* parent = nullptr);

    // Reads the file. A file that cannot be read, is empty or has 32768 bytes or more is
    // refused before anything is sent: state Refused, status() says why. Returns false then.
    bool open(const QString& path);
    // The same with the image in memory (path only for the label).
    bool openData(const QByteArray& image, const QString& path = QString());
    // Returns true when the loader answered "B".
    bool waitForLoader();
    // "继 续": only in state Ready. Returns true when the transfer ran to its end.
    bool proceed();
    void cancel();

    State state() const { return m_state; }
    QString path() const { return m_path; }
    QString prompt() const { return m_prompt; }
    QString status() const { return m_status; }
    QString progress() const { return m_progress; }
    bool continueEnabled() const { return m_continueEnabled; }
    qint64 imageBytes() const { return m_image.size(); }
    qint64 bytesSent() const { return m_sent; }

  Q_SIGNALS:
    void stateChanged(FirmwareTransfer::State state);
    void promptChanged(const QString& text);
    void statusChanged(const QString& text);
    void progressChanged(const QString& text);
    void continueEnabledChanged(bool enabled);
    // File bytes sent so far (the padding not counted) of imageBytes().
    void bytesSentChanged(qint64 sent, qint64 total);
    // The window closes itself (after the time-out pause).
    void closeRequested();

  private:
    void setState(State s);
    void setPrompt(const QString& t);
    void setStatus(const QString& t);
    void setProgress(const QString& t);
    void setContinueEnabled(bool on);
    bool waitForLoaderMarker(); // true on "B", false on time-out or cancel
    void askForBlock();         // "?" wait, then ">"
    void sendByte(const QString& digits);
    void fail(const QString& text);

    Link& m_link;
    QString m_path;
    QByteArray m_image;
    State m_state = State::Idle;
    QString m_prompt, m_status, m_progress;
    bool m_continueEnabled = false;
    bool m_cancelled = false;
    qint64 m_sent = 0;
};

// "UPEEPROM", first half: drains, sends "CC000000#" and checks that the reply is exactly
// "连接成功!"; otherwise logs "无法连接编程器!" and returns false.
bool UpdateProgrammerEepromCheck(OpContext& c);
// Second half: writes the file byte by byte ("ME" + byte + address + "#", each followed by
// the wait for "!"), between "升级EEPROM数据......" and "EEPROM数据升级完毕！". A file that
// cannot be read or has more than 65536 bytes (the address field's reach) is refused with a
// warning before anything is sent. Returns false when refused.
bool UpdateProgrammerEepromFile(OpContext& c, const QString& path);
// Both halves, for callers without a file dialog in between.
bool UpdateProgrammerEeprom(OpContext& c, const QString& path);
