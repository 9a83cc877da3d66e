#include "ops/production.h"

#include "core/opcontext.h"
#include "core/session.h"
#include "image/crc32.h"
#include "link/frames.h"
#include "ops/identify.h"
#include "ops/productiontexts.h"
#include "ops/program.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>
#include <exception>

namespace T = ProductionTexts;

namespace {

// During a run a warning is no box to click away: it goes to the log, and the chip's result
// (beeps, counts, CSV) tells the operator.
class RunUi : public Ui {
  public:
    RunUi(Ui& inner, Session& s) : m_inner(inner), m_session(s) {}
    void progress(const QString& bar, int percent) override { m_inner.progress(bar, percent); }
    void progressBytes(const QString& bar, const QString& phase, qint64 done,
                       qint64 total) override {
        m_inner.progressBytes(bar, phase, done, total);
    }
    void warning(const QString&, const QString& text) override {
        m_session.log.logMessage(T::warningLogged(text));
    }
    void beep() override { m_inner.beep(); }
    void setControlEnabled(const QString& control, bool enabled) override {
        // The run's own button stays as the run set it.
        if (control != u"ProCommand")
            m_inner.setControlEnabled(control, enabled);
    }

  private:
    Ui& m_inner;
    Session& m_session;
};

QString csvField(const QString& s) {
    if (!s.contains(u',') && !s.contains(u'"') && !s.contains(u'\n'))
        return s;
    QString q = s;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

} // namespace

QString csvHeader() {
    return QStringLiteral("time,signature,serial,result,failed_step,flash_crc32,eeprom_crc32");
}

QString csvLine(const ChipRecord& r) {
    const QStringList f{r.time,       r.signature,
                        r.serial,     r.passed ? QStringLiteral("PASS") : QStringLiteral("FAIL"),
                        r.failedStep, r.flashCrc,
                        r.eepromCrc};
    QStringList out;
    for (const QString& s : f)
        out << csvField(s);
    return out.join(u',');
}

bool appendCsvLine(const QString& path, const QString& line, QString* error) {
    QByteArray old;
    {
        QFile in(path);
        if (in.exists()) {
            if (!in.open(QIODevice::ReadOnly)) {
                if (error)
                    *error = in.errorString();
                return false;
            }
            old = in.readAll();
        }
    }
    if (old.isEmpty())
        old = csvHeader().toUtf8() + "\r\n";
    else if (!old.endsWith('\n'))
        old += "\r\n";
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(old + line.toUtf8() + "\r\n") < 0 ||
        !out.commit()) {
        if (error)
            *error = out.errorString();
        return false;
    }
    return true;
}

ProductionRun::ProductionRun(OpContext& c, const ProductionSettings& settings, QObject* parent)
    : QObject(parent), m_c(c), m_settings(settings) {}

// The presence test without its log line: "RI00#" answered by "1E".
bool ProductionRun::probe() {
    // One cadence for every wait: a test right after the chip was taken out still keeps
    // its distance from the one before.
    const double since = m_c.link.nowMs() - m_lastProbe;
    if (m_lastProbe >= 0 && since < m_settings.pollMs)
        m_c.link.delayMs(m_settings.pollMs - since);
    m_lastProbe = m_c.link.nowMs();
    m_c.link.drainInput();
    const bool present = ReadSignatureByte(m_c, 0) == u"1E";
    Q_EMIT polled(present);
    return present;
}

// Polls until the socket holds a chip (present) or is empty; false when stopped first.
bool ProductionRun::waitFor(bool present) {
    bool said = false;
    for (;;) {
        if (m_stop)
            return false;
        if (probe() == present)
            return true;
        if (!said) {
            said = true;
            m_c.log(present ? T::waitingForChip() : T::waitingForRemoval());
            Q_EMIT present ? waitingForChip() : waitingForRemoval();
        }
    }
}

void ProductionRun::run() {
    m_c.log(T::started());
    if (!m_settings.job)
        m_settings.job = jobFromSession(m_c.session, m_c.ui);
    for (const QString& line : describeJob(*m_settings.job))
        m_c.log(line);
    // The summary also when a failure or a stop request of the link ends the run.
    struct Summary {
        ProductionRun* run;
        ~Summary() { run->m_c.log(T::summary(run->m_passed, run->m_failed)); }
    } summary{this};
    while (waitFor(true)) {
        finish(programOne());
        if (!waitFor(false))
            break;
    }
}

ChipRecord ProductionRun::programOne() {
    Session& s = m_c.session;
    RunUi runUi(m_c.ui, s);
    OpContext c{s, m_c.link, runUi};
    ChipRecord r;
    r.time = QDateTime::currentDateTime().toString(Qt::ISODate);
    try {
        for (int i = 0; i < 3; ++i)
            r.signature += ReadSignatureByte(c, i).left(2);
        RunPolicy policy;
        policy.endAtFailure = true; // a bad chip is never sealed
        policy.describe = false;    // said once, when the run started
        const ProgramOutcome o = RunProgramJob(c, *m_settings.job, policy);
        if (o.failed() == ProgramStep::Presence)
            r.failedStep = T::stepNoChip();
        else if (!o.ok())
            r.failedStep = programStepCaption(o.failed());
        r.flashCrc = imageCrcText(s.FlashBufferText);
        r.eepromCrc = imageCrcText(s.EepromBufferText);
        if (r.failedStep.isEmpty() && m_settings.serial.enabled) {
            const quint32 number = m_settings.serial.next;
            if (stampSerial(number))
                r.serial = hexField(number, 8);
            else
                r.failedStep = T::stepSerial();
        }
    } catch (...) {
        // The chip in the socket is not good: it is recorded once, then the failure ends
        // the run.
        r.failedStep = T::stepAborted();
        finish(r);
        throw;
    }
    r.passed = r.failedStep.isEmpty();
    return r;
}

bool ProductionRun::stampSerial(quint32 number) {
    const SerialStamp& st = m_settings.serial;
    QByteArray bytes(4, 0);
    for (int i = 0; i < 4; ++i)
        bytes[i] = char((number >> (8 * (3 - i))) & 0xFF);
    Link& link = m_c.link;
    if (!st.toFlash) {
        for (int i = 0; i < 4; ++i) {
            link.sendCommand(
                Frames::writeEepromByte(hexField(quint8(bytes[i]), 2), st.address + i));
            link.waitForMarker(100, QStringLiteral("!"));
        }
        for (int i = 0; i < 4; ++i) {
            link.drainInput();
            link.sendCommand(Frames::readEepromByte(st.address + i));
            if (link.readAfterDelay(150).left(2).toUpper() != hexField(quint8(bytes[i]), 2))
                return false;
        }
        return true;
    }
    // Flash takes words: the bytes beside the number in its first and last word are sent
    // as FF, which leaves them as they are.
    const int firstWord = st.address / 2;
    const int lastWord = (st.address + 3) / 2;
    QStringList words;
    for (int w = firstWord; w <= lastWord; ++w) {
        QString text;
        for (int b = 0; b < 2; ++b) {
            const int at = w * 2 + b - st.address;
            text += at >= 0 && at < 4 ? hexField(quint8(bytes[at]), 2) : QStringLiteral("FF");
        }
        words << text;
        link.sendCommand(Frames::writeFlashWord(text, w));
        link.waitForMarker(100, QStringLiteral("!"));
    }
    for (int w = firstWord; w <= lastWord; ++w) {
        link.drainInput();
        link.sendCommand(Frames::readFlashWord(w));
        const QString back = link.readAfterDelay(150).left(4).toUpper();
        const QString& want = words[w - firstWord];
        for (int b = 0; b < 2; ++b) {
            const int at = w * 2 + b - st.address;
            if (at >= 0 && at < 4 && back.mid(b * 2, 2) != want.mid(b * 2, 2))
                return false;
        }
    }
    return true;
}

void ProductionRun::finish(const ChipRecord& r) {
    Session& s = m_c.session;
    const int n = m_passed + m_failed + 1;
    if (r.passed) {
        ++m_passed;
        m_c.log(T::chipPassed(n, r.signature, r.serial));
        if (m_settings.serial.enabled) {
            SerialStamp& st = m_settings.serial;
            st.next += quint32(st.increment);
            // The page shows (and a later run starts from) the next number.
            s.offline.initialHex = hexField(st.next, 1);
            s.offline.initialDecimal = QString::number(st.next);
            s.notifyPanels();
            Q_EMIT serialAdvanced(st.next);
        }
    } else {
        ++m_failed;
        m_c.log(T::chipFailed(n, r.signature, r.failedStep));
    }
    if (!m_settings.csvPath.isEmpty()) {
        QString why;
        if (!appendCsvLine(m_settings.csvPath, csvLine(r), &why))
            m_c.log(T::csvFailed(why));
    }
    Q_EMIT chipDone(r);
    // One beep for a good chip, three for a bad one.
    const int beeps = r.passed ? 1 : 3;
    for (int i = 0; i < beeps; ++i) {
        m_c.ui.beep();
        if (i + 1 < beeps && !r.failedStep.startsWith(T::stepAborted()))
            m_c.link.delayMs(150);
    }
}
