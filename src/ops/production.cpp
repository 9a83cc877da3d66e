#include "ops/production.h"

#include "image/crc32.h"
#include "link/frames.h"
#include "link/linkerror.h"
#include "ops/identify.h"
#include "ops/productiontexts.h"
#include "ops/program.h"
#include "ops/stepcode.h"
#include "session/opcontext.h"
#include "session/session.h"

#include <QDateTime>
#include <exception>

namespace T = ProductionTexts;

namespace {

// During a run a warning is no box to click away: it goes to the log, and the chip's result
// (beeps, counts, CSV) tells the operator.
class RunUi : public Ui {
  public:
    RunUi(Ui& inner, Session& s) : m_inner(inner), m_session(s) {}
    void progress(Progress bar, int percent) override { m_inner.progress(bar, percent); }
    void progressBytes(Progress bar, const QString& phase, qint64 done, qint64 total) override {
        m_inner.progressBytes(bar, phase, done, total);
    }
    void warning(const QString&, const QString& text) override {
        m_session.log.logMessage(T::warningLogged(text));
    }
    void beep() override { m_inner.beep(); }
    // The run's own control stays as the run set it.
    void operationStarted(OpId id) override {
        if (id != OpId::Program)
            m_inner.operationStarted(id);
    }
    void operationEnded(OpId id) override {
        if (id != OpId::Program)
            m_inner.operationEnded(id);
    }

  private:
    Ui& m_inner;
    Session& m_session;
};

} // namespace

ProductionRun::ProductionRun(OpContext& c, const ProductionSettings& settings, QObject* parent)
    : QObject(parent), m_c(c), m_settings(settings), m_record(settings.jobFile) {}

// Nothing is programmed that could not be recorded: the CSV and the job's record are
// written once before the first chip.
bool ProductionRun::prepare() {
    if (!m_settings.csvPath.isEmpty() && !prepareCsv(m_settings.csvPath, &m_recordError))
        return false;
    JobLock lock(m_record, &m_recordError);
    if (!lock.held() || !m_record.read(&m_job, &m_recordError))
        return false;
    SerialStamp& st = m_settings.serial;
    if (st.enabled && m_job.hasNext && !m_settings.serialGiven)
        st.next = m_job.next; // the job goes on where it stopped
    if (st.enabled) {
        m_job.hasNext = true;
        m_job.next = st.next;
    }
    return m_record.write(m_job, &m_recordError);
}

// The presence test without its log line: "RI00#" answered by "1E".
int ProductionRun::probe() {
    // One cadence for every wait: a test right after the chip was taken out still keeps
    // its distance from the one before.
    const double since = m_c.link.nowMs() - m_lastProbe;
    if (m_lastProbe >= 0 && since < m_settings.pollMs)
        m_c.link.delayMs(m_settings.pollMs - since);
    m_lastProbe = m_c.link.nowMs();
    m_c.link.drainInput();
    const QString answer = ReadSignatureByte(m_c, 0);
    // An empty socket still answers (FF); a programmer that answers nothing is no socket.
    m_silentPolls = answer.isEmpty() ? m_silentPolls + 1 : 0;
    const bool present = answer == u"1E";
    Q_EMIT polled(present);
    return answer.isEmpty() ? -1 : present ? 1 : 0;
}

// Polls until the socket holds a chip (present) or is empty; false when stopped first or
// the programmer went silent.
bool ProductionRun::waitFor(bool present) {
    bool said = false;
    for (;;) {
        if (m_stop) // a stop request of the link ends the run at its next frame
            return false;
        const int p = probe();
        if (p == int(present))
            return true;
        if (m_silentPolls >= m_settings.silentPolls) {
            m_silent = true;
            m_c.log(T::programmerSilent());
            return false;
        }
        if (!said) {
            said = true;
            Q_EMIT present ? waitingForChip() : waitingForRemoval();
            m_c.log(present ? T::waitingForChip() : T::waitingForRemoval());
        }
    }
}

bool ProductionRun::ended() const {
    const ProductionSettings& ps = m_settings;
    return (ps.count > 0 && m_passed + m_failed >= ps.count) ||
           (ps.maxFail > 0 && m_failed >= ps.maxFail);
}

RunEnd ProductionRun::run() {
    if (!prepare()) {
        m_c.log(T::recordFailed(m_recordError));
        return RunEnd::RecordFailed;
    }
    m_c.log(T::started());
    if (!m_settings.programJob)
        m_settings.programJob = jobFromSession(m_c.session, m_c.ui);
    for (const QString& line : describeJob(*m_settings.programJob))
        m_c.log(line);
    // The summary also when a failure or a stop request of the link ends the run.
    struct Summary {
        ProductionRun* run;
        ~Summary() { run->m_c.log(T::summary(run->m_passed, run->m_failed)); }
    } summary{this};
    while (waitFor(true)) {
        if (!finish(programOne()))
            return RunEnd::RecordFailed;
        if (ended())
            break;
        if (!waitFor(false))
            break;
    }
    const ProductionSettings& ps = m_settings;
    if (ps.maxFail > 0 && m_failed >= ps.maxFail)
        return RunEnd::MaxFail;
    if (ps.count > 0 && m_passed + m_failed >= ps.count)
        return RunEnd::Count;
    return m_silent ? RunEnd::NoAnswer : RunEnd::Stopped;
}

// The one judgement of a chip: the first failed step of the sequence; then a programmer
// that left a frame unanswered (the single run's exit 3) fails it too.
void ProductionRun::judge(ChipRecord& r, const ProgramOutcome& o, int unansweredBefore) {
    r.failedStep = o.failedCode();
    if (o.ok() && m_c.link.unansweredCount() != unansweredBefore)
        r.error = QStringLiteral("no_answer");
    else if (r.failedStep == StepCode::verifyFlash || r.failedStep == StepCode::verifyEeprom)
        r.error = QStringLiteral("verify_mismatch");
    r.passed = o.ok() && r.error.isEmpty();
}

ChipRecord ProductionRun::programOne() {
    Session& s = m_c.session;
    RunUi runUi(m_c.ui, s);
    OpContext c{s, m_c.link, runUi};
    ChipRecord r;
    r.time = QDateTime::currentDateTime().toString(Qt::ISODate);
    r.job = m_settings.job;
    r.station = m_settings.station;
    r.port = m_settings.port;
    const int unansweredBefore = m_c.link.unansweredCount();
    try {
        r.signature = ReadSignatureBytes(c); // the chip's one signature read
        RunPolicy policy;
        policy.signature = r.signature;
        policy.endAtFailure = true; // a bad chip is never sealed
        policy.describe = false;    // said once, when the run started
        const ProgramOutcome o = RunProgramJob(c, *m_settings.programJob, policy);
        r.flashCrc = imageCrcText(m_settings.programJob->image[0]);
        r.eepromCrc = imageCrcText(m_settings.programJob->image[1]);
        judge(r, o, unansweredBefore);
        if (r.passed && m_settings.serial.enabled && !stampSerial(r)) {
            r.passed = false;
            if (r.failedStep.isEmpty() && r.error.isEmpty())
                r.failedStep = StepCode::serial;
        }
    } catch (const LinkError& e) {
        // The chip in the socket is not good: it is recorded once, then the failure (or
        // the stop) ends the run.
        r.passed = false;
        r.stopped = dynamic_cast<const LinkStopped*>(&e) != nullptr;
        r.error = r.stopped ? QString() : QStringLiteral("link_lost");
        finish(r);
        throw;
    }
    return r;
}

// The number is taken under the job's lock, read back from the chip, and only then used
// up: a chip that failed never takes a number, two stations never the same one.
bool ProductionRun::stampSerial(ChipRecord& r) {
    JobLock lock(m_record, &m_recordError);
    JobTotals now = m_job;
    if (!lock.held() || !m_record.read(&now, &m_recordError)) {
        r.error = QStringLiteral("record_failed");
        return false;
    }
    SerialStamp& st = m_settings.serial;
    if (now.hasNext)
        st.next = now.next;
    if (!writeSerial(st.next))
        return false;
    r.serial = hexField(st.next, 8);
    st.next += quint32(st.increment);
    now.hasNext = true;
    now.next = st.next;
    if (!m_record.write(now, &m_recordError)) {
        r.error = QStringLiteral("record_failed");
        return false;
    }
    m_job.hasNext = true;
    m_job.next = st.next;
    return true;
}

bool ProductionRun::writeSerial(quint32 number) {
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

bool ProductionRun::finish(const ChipRecord& r) {
    Session& s = m_c.session;
    const int n = m_passed + m_failed + 1;
    ++(r.passed ? m_passed : m_failed);
    if (r.passed) {
        m_c.log(T::chipPassed(n, r.signature, r.serial));
        if (m_settings.serial.enabled) {
            // The page shows (and a later run starts from) the next number.
            const quint32 next = m_settings.serial.next;
            s.offline.initialHex = hexField(next, 1);
            s.offline.initialDecimal = QString::number(next);
            s.notifyPanels();
            Q_EMIT serialAdvanced(next);
        }
    } else {
        m_c.log(T::chipFailed(n, r.signature,
                              r.failedStep.isEmpty() ? T::errorCaption(r.error, r.stopped)
                                                     : stepCaption(r.failedStep)));
    }
    bool recorded = true;
    if (!m_settings.csvPath.isEmpty() &&
        !appendCsvLine(m_settings.csvPath, csvLine(r), &m_recordError)) {
        m_c.log(T::csvFailed(m_recordError));
        recorded = false;
    }
    {
        JobLock lock(m_record, &m_recordError);
        JobTotals now = m_job;
        if (lock.held() && m_record.read(&now, &m_recordError)) {
            ++(r.passed ? now.passed : now.failed);
            m_job = now;
            if (!m_record.write(now, &m_recordError))
                recorded = false;
        } else {
            recorded = false;
        }
    }
    Q_EMIT jobTotalsChanged(m_job);
    Q_EMIT chipDone(r);
    // One beep for a good chip, three for a bad one.
    const int beeps = r.passed ? 1 : 3;
    for (int i = 0; i < beeps; ++i) {
        m_c.ui.beep();
        if (i + 1 < beeps && r.error != u"link_lost" && !r.stopped)
            m_c.link.delayMs(150);
    }
    return recorded;
}
