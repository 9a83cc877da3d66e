#pragma once
// Where hvpp-cli writes. Log lines and results go to stdout; failures and errors to stderr,
// naming the file or port they concern. With --json every event is one JSON object on its
// own stdout line, in the shapes of docs/json-events.md: "start" first, "result" last, and
// codes (phase, error, step) that do not change with the language. On a terminal each long
// step draws one progress line. -q keeps errors and results.
#include "core/ui.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <optional>

// The error codes of "error" events: what a script may switch on. Listed in
// docs/json-events.md.
namespace ErrorCode {
inline constexpr char usage[] = "usage";
inline constexpr char portMissing[] = "port_missing";
inline constexpr char portBusy[] = "port_busy";
inline constexpr char noAnswer[] = "no_answer";
inline constexpr char noTarget[] = "no_target";
inline constexpr char linkLost[] = "link_lost";
inline constexpr char signatureMismatch[] = "signature_mismatch";
inline constexpr char verifyMismatch[] = "verify_mismatch";
inline constexpr char fileNotFound[] = "file_not_found";
inline constexpr char fileRefused[] = "file_refused";
inline constexpr char fileUnwritable[] = "file_unwritable";
inline constexpr char imageTooLarge[] = "image_too_large";
inline constexpr char schemeRefused[] = "scheme_refused";
inline constexpr char schemeChanged[] = "scheme_changed";
inline constexpr char csvRefused[] = "csv_refused";
inline constexpr char cancelled[] = "cancelled";
inline constexpr char refused[] = "refused"; // the programmer or the chip refused a step
inline constexpr char stepFailed[] = "step_failed";
inline constexpr char jobRefused[] = "job_refused";
inline constexpr char dangerousFuses[] = "dangerous_fuses"; // a step failed; the log says which
} // namespace ErrorCode

// The version of the event shapes; raised when a field changes meaning or goes away.
inline constexpr int kJsonSchemaVersion = 1;

class CliOutput {
  public:
    enum class Level { Quiet, Normal, Verbose };
    CliOutput(QTextStream& out, QTextStream& err, bool json, bool terminal, Level level);

    // The first event: the schema version and the command (empty when none was found).
    void start(const QString& command);
    void logLine(const QString& text);
    // A step's progress: its phase name (shown) and code (for --json), bytes done of total,
    // the milliseconds since the step began (on the port's clock).
    void progress(const QString& phase, const QString& code, qint64 done, qint64 total,
                  qint64 elapsedMs);
    // A result of the command: its text is printed at once (also with -q); with --json the
    // fields join the one "result" event that finish() writes.
    void result(const QString& text, const QJsonObject& fields = {});
    // A line that belongs to the results (a production run's chip and summary): the log
    // shows it already, -q prints it here.
    void resultLine(const QString& text);
    // A failure: code from ErrorCode, subject the file or port it concerns ("" for none).
    void error(const char* code, const QString& text, const QString& subject = QString());
    void note(const QString& text); // an instruction or remark for the person at the line
    // The last event: {"type":"result","exit":..,"ok":..,"stopped":..} with the fields of
    // result(). Once.
    void finish(int exitCode, bool stopped);
    void frame(double ms, bool sent, const QByteArray& bytes); // -v: one frame
    // An event of its own type, with --json only (plain output has it in the log lines).
    void event(const QJsonObject& o) {
        if (m_json)
            emitJson(o);
    }
    bool json() const { return m_json; }
    // How many warnings and errors were printed so far.
    int problems() const { return m_problems; }
    bool verbose() const { return m_level == Level::Verbose; }
    QTextStream& out() { return m_out; }
    // The data on standard output is the command's image ("-"): every text goes to stderr.
    void textToStderr() { m_toErr = true; }
    // Bytes of data on standard output, as they are.
    void writeData(const QByteArray& bytes);

  private:
    void emitJson(const QJsonObject& o);
    void endProgressLine();
    QTextStream& m_out;
    QTextStream& m_err;
    bool m_json;
    bool m_terminal;
    Level m_level;
    QTextStream& text() { return m_toErr ? m_err : m_out; }
    bool m_toErr = false;
    bool m_lineOpen = false;
    bool m_finished = false;
    int m_problems = 0;
    QJsonObject m_result;
};

// The Ui of the core operations: progress becomes the progress line (or a JSON event),
// warning boxes go to stderr with the subject the preamble set.
class CliUi : public Ui {
  public:
    CliUi(CliOutput& out, std::function<bool(const QString&)> ask);
    void progress(Progress bar, int percent) override;
    void progressBytes(Progress bar, const QString& phase, qint64 done, qint64 total) override;
    // Warnings are the boxes of the window: each one is an error event. Its code is the
    // one set for the next warning (setNextCode), else the one set for the step (setCode).
    void warning(const QString& title, const QString& text) override;
    void beep() override {}
    bool confirm(const QString& title, const QString& text) override;

    // What warnings concern from now on (a file name while loading, else the port).
    void setSubject(const QString& subject) { m_subject = subject; }
    void setCode(const char* code) { m_code = code; }
    void setNextCode(const char* code) { m_nextCode = code; }
    // While collecting (a file being loaded), warnings are kept instead of printed.
    void collect(bool on) {
        m_collecting = on;
        m_collected.clear();
    }
    const QStringList& collected() const { return m_collected; }
    // The clock that progress times are read from (the port's).
    void setClock(std::function<double()> nowMs) { m_nowMs = std::move(nowMs); }
    int warnings = 0;

  private:
    double now() const;
    CliOutput& m_out;
    std::function<bool(const QString&)> m_ask;
    std::function<double()> m_nowMs;
    QElapsedTimer m_wall;
    QString m_subject;
    const char* m_code = ErrorCode::refused;
    const char* m_nextCode = nullptr;
    bool m_collecting = false;
    QStringList m_collected;
    QString m_phase;
    double m_phaseStart = 0;
    std::optional<Progress> m_completeBar; // the bar whose step just reached its total
    qint64 m_lastDone = -1;
};

// The phase name of a progress bar moved without one (the core's plain progress calls).
QString phaseOfBar(const QString& bar);
// The language-free code of a phase name ("写FLASH" or "Write FLASH": write_flash).
QString phaseCode(const QString& phase);
