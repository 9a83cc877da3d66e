#include "firmware/firmwareupdate.h"

#include "link/answer.h"
#include "link/frames.h"
#include "link/link.h"
#include "link/linkerror.h"
#include "firmware/firmwaretexts.h"
#include "session/opcontext.h"

#include <QFile>

void EnterFirmwareLoader(OpContext& c) {
    c.link.drainInput();
    c.link.sendCommand(Frames::firmwareMode());
    c.link.logReplyAfterDelay(100, QString());
}

FirmwareTransfer::FirmwareTransfer(Link& link, QObject* parent) : QObject(parent), m_link(link) {}

void FirmwareTransfer::setState(State s) {
    if (m_state == s)
        return;
    m_state = s;
    Q_EMIT stateChanged(s);
}
void FirmwareTransfer::setPrompt(const QString& t) {
    m_prompt = t;
    Q_EMIT promptChanged(t);
}
void FirmwareTransfer::setStatus(const QString& t) {
    m_status = t;
    Q_EMIT statusChanged(t);
}
void FirmwareTransfer::setProgress(const QString& t) {
    m_progress = t;
    Q_EMIT progressChanged(t);
}
void FirmwareTransfer::setContinueEnabled(bool on) {
    if (m_continueEnabled == on)
        return;
    m_continueEnabled = on;
    Q_EMIT continueEnabledChanged(on);
}

void FirmwareTransfer::fail(const QString& text) {
    setContinueEnabled(false);
    setStatus(text);
    setState(State::Failed);
}

bool FirmwareTransfer::open(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        m_path = path;
        setStatus(FirmwareTexts::fileUnreadable().arg(path, f.errorString()));
        setState(State::Refused);
        return false;
    }
    if (f.size() > MaxFileBytes) {
        m_path = path;
        m_image.clear();
        setContinueEnabled(false);
        setPrompt(QString());
        setStatus(FirmwareTexts::firmwareTooLarge().arg(f.size()));
        setState(State::Refused);
        return false;
    }
    return openData(f.readAll(), path);
}

bool FirmwareTransfer::openData(const QByteArray& image, const QString& path) {
    m_path = path;
    m_cancelled = false;
    m_sent = 0;
    setContinueEnabled(false);
    setProgress(QString());
    if (image.isEmpty() || image.size() > MaxFileBytes) {
        m_image.clear();
        setPrompt(QString());
        setStatus(image.isEmpty() ? FirmwareTexts::firmwareEmpty()
                                  : FirmwareTexts::firmwareTooLarge().arg(image.size()));
        setState(State::Refused);
        return false;
    }
    m_image = image;
    setPrompt(FirmwareTexts::restartProgrammer());
    setStatus(QString());
    setState(State::Opening);
    try {
        m_link.drainInput();
    } catch (const LinkError& e) {
        fail(e.text());
        return false;
    }
    return true;
}

bool FirmwareTransfer::waitForLoaderMarker() {
    // In slices, so that "退 出" ends the wait; the loader's "B" is one character, so no
    // marker is lost between two slices.
    const double deadline = m_link.nowMs() + LoaderWaitMs;
    while (!m_cancelled) {
        const double left = deadline - m_link.nowMs();
        if (left <= 0)
            return false;
        if (m_link.waitForMarkerResult(int(qMin(left, 100.0) + 0.999), QStringLiteral("B")))
            return true;
    }
    return false;
}

bool FirmwareTransfer::waitForLoader() {
    if (m_state != State::Opening)
        return false;
    Link::Busy busy(m_link);
    setState(State::WaitingForLoader);
    try {
        if (waitForLoaderMarker()) {
            m_link.sendCommand(QStringLiteral("B"));
            setPrompt(FirmwareTexts::confirmUpdate());
            setContinueEnabled(true);
            setState(State::Ready);
            return true;
        }
        if (m_cancelled) {
            setState(State::Cancelled);
            return false;
        }
        setStatus(FirmwareTexts::loaderTimeout());
        setState(State::TimedOut);
        m_link.delayMs(3000);
    } catch (const LinkError& e) {
        fail(e.text());
        return false;
    }
    Q_EMIT closeRequested();
    return false;
}

void FirmwareTransfer::askForBlock() {
    m_link.waitForMarkerResult(100, QStringLiteral("?"));
    m_link.sendCommand(QStringLiteral(">"));
}

void FirmwareTransfer::sendByte(const QString& digits) {
    m_link.sendCommand(digits);
    m_link.delayMs(0.5);
}

bool FirmwareTransfer::proceed() {
    if (m_state != State::Ready)
        return false;
    Link::Busy busy(m_link);
    setStatus(QString());
    setProgress(QString());
    setContinueEnabled(false);
    setState(State::Transfer);
    try {
        m_link.sendCommand(QStringLiteral("00"));
        setStatus(FirmwareTexts::updateStarting());
        const qint64 length = m_image.size();
        const qint64 blocks = length / BlockBytes;
        const int rest = int(length % BlockBytes);
        auto sendData = [&](qint64 from, qint64 count) {
            for (qint64 i = from; i < from + count; ++i) {
                if (m_cancelled)
                    return false;
                const QString digits = hexField(quint8(m_image.at(i)), 2);
                sendByte(digits);
                setProgress(digits);
                m_sent = i + 1;
                Q_EMIT bytesSentChanged(m_sent, length);
            }
            return true;
        };
        for (qint64 k = 0; k < blocks; ++k) {
            askForBlock();
            if (!sendData(k * BlockBytes, BlockBytes))
                break;
        }
        if (!m_cancelled) {
            askForBlock();
            if (rest && sendData(blocks * BlockBytes, rest))
                for (int i = rest; i < BlockBytes && !m_cancelled; ++i)
                    sendByte(QStringLiteral("FF"));
        }
        if (m_cancelled) {
            setState(State::Cancelled);
            return false;
        }
        m_link.waitForMarkerResult(100, QStringLiteral("?"));
        m_link.sendCommand(QStringLiteral("!"));
    } catch (const LinkError& e) {
        fail(e.text());
        return false;
    }
    setProgress(FirmwareTexts::updateDone());
    // The prompt asked for "继 续"; now it says what comes next.
    setPrompt(FirmwareTexts::afterUpdate());
    setState(State::Done);
    return true;
}

void FirmwareTransfer::cancel() {
    m_cancelled = true;
    setContinueEnabled(false);
    if (m_state == State::Opening || m_state == State::Ready || m_state == State::Idle)
        setState(State::Cancelled);
}

bool UpdateProgrammerEepromCheck(OpContext& c) {
    c.link.drainInput();
    c.link.sendCommand(Frames::connectionCheck());
    c.link.delayMs(100);
    // The programmer's own words, exactly: never their translation.
    if (c.link.readAfterDelay(100) != ProgrammerAnswer::connected()) {
        c.log(FirmwareTexts::cannotConnect());
        return false;
    }
    return true;
}

bool UpdateProgrammerEepromFile(OpContext& c, const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        c.ui.warning(Texts::warningTitle(),
                     FirmwareTexts::fileUnreadable().arg(path, f.errorString()));
        return false;
    }
    constexpr qint64 maxBytes = 65536; // four hex digits of address
    if (f.size() > maxBytes) {
        c.ui.warning(Texts::warningTitle(), FirmwareTexts::programmerEepromTooLarge().arg(f.size()));
        return false;
    }
    const QByteArray data = f.readAll();
    c.log(FirmwareTexts::eepromUpdating());
    for (qint64 i = 0; i < data.size(); ++i) {
        c.link.sendCommand(Frames::writeSettingsByte(quint8(data.at(i)), int(i)));
        c.link.waitForMarker(100, QStringLiteral("!"));
    }
    c.log(FirmwareTexts::eepromUpdated());
    return true;
}

bool UpdateProgrammerEeprom(OpContext& c, const QString& path) {
    return UpdateProgrammerEepromCheck(c) && UpdateProgrammerEepromFile(c, path);
}
