#pragma once
// Where hvpp-cli writes. Log lines and results go to stdout; failures, warnings and errors
// to stderr, naming the file or port they concern. With --json every event is one JSON
// object on its own stdout line. On a terminal each long step draws one progress line.
#include "core/ui.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QString>
#include <QTextStream>
#include <functional>

class CliOutput {
  public:
    enum class Level { Quiet, Normal, Verbose };
    CliOutput(QTextStream& out, QTextStream& err, bool json, bool terminal, Level level);

    void logLine(const QString& text);
    // A step's progress: its phase name, bytes done of total, the milliseconds since the
    // step began (on the port's clock).
    void progress(const QString& phase, qint64 done, qint64 total, qint64 elapsedMs);
    // A failure the core reported (a warning box in the window); subject names the file or
    // port it concerns.
    void warning(const QString& subject, const QString& text);
    // A result of the command: printed as text, or {"type":"result",...} with --json.
    void result(const QString& text, const QJsonObject& fields = {});
    void error(const QString& text); // usage and set-up errors
    void note(const QString& text);  // an instruction or remark for the person at the line
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

  private:
    void emitJson(const QJsonObject& o);
    void endProgressLine();
    QTextStream& m_out;
    QTextStream& m_err;
    bool m_json;
    bool m_terminal;
    Level m_level;
    bool m_lineOpen = false;
    int m_problems = 0;
};

// The Ui of the core operations: progress becomes the progress line (or a JSON event),
// warning boxes go to stderr with the subject the preamble set.
class CliUi : public Ui {
  public:
    CliUi(CliOutput& out, std::function<bool(const QString&)> ask);
    void progress(const QString& bar, int percent) override;
    void progressBytes(const QString& bar, const QString& phase, qint64 done,
                       qint64 total) override;
    void warning(const QString& title, const QString& text) override;
    void beep() override {}
    void setControlEnabled(const QString&, bool) override {}
    bool confirm(const QString& title, const QString& text) override;

    // What warnings concern from now on (a file name while loading, else the port).
    void setSubject(const QString& subject) { m_subject = subject; }
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
    QString m_phase;
    double m_phaseStart = 0;
    QString m_completeBar; // the bar whose step just reached its total
    qint64 m_lastDone = -1;
};

// The phase name of a progress bar moved without one (the core's plain progress calls).
QString phaseOfBar(const QString& bar);
