#include "cli/clioutput.h"

#include "cli/clitexts.h"
#include "core/phases.h"
#include "link/answer.h"
#include "link/link.h"

#include <QIODevice>
#include <QJsonDocument>

CliOutput::CliOutput(QTextStream& out, QTextStream& err, bool json, bool terminal, Level level)
    : m_out(out), m_err(err), m_json(json), m_terminal(terminal), m_level(level) {}

void CliOutput::emitJson(const QJsonObject& o) {
    m_out << QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) << u'\n'
          << Qt::flush;
}

void CliOutput::endProgressLine() {
    if (m_lineOpen) {
        m_err << u'\n' << Qt::flush;
        m_lineOpen = false;
    }
}

void CliOutput::start(const QString& command) {
    if (m_json)
        emitJson({{QStringLiteral("type"), QStringLiteral("start")},
                  {QStringLiteral("schema"), kJsonSchemaVersion},
                  {QStringLiteral("program"), QStringLiteral("hvpp-cli")},
                  {QStringLiteral("version"), QStringLiteral(HVPP_VERSION)},
                  {QStringLiteral("command"), command}});
}

void CliOutput::logLine(const QString& text) {
    if (m_level == Level::Quiet)
        return;
    if (m_json) {
        emitJson({{QStringLiteral("type"), QStringLiteral("log")}, {QStringLiteral("text"), text}});
        return;
    }
    endProgressLine();
    this->text() << text << u'\n' << Qt::flush;
}

namespace {
QString seconds(qint64 ms) {
    return QString::number(double(ms) / 1000.0, 'f', 1) + QStringLiteral(" s");
}
} // namespace

void CliOutput::progress(const QString& phase, const QString& code, qint64 done, qint64 total,
                         qint64 elapsedMs) {
    if (m_level == Level::Quiet)
        return;
    if (m_json) {
        emitJson({{QStringLiteral("type"), QStringLiteral("progress")},
                  {QStringLiteral("phase"), code},
                  {QStringLiteral("done"), done},
                  {QStringLiteral("total"), total},
                  {QStringLiteral("elapsedMs"), elapsedMs}});
        return;
    }
    if (!m_terminal)
        return; // a log file gets the log lines only
    const int width = 30;
    const qint64 shown = qBound<qint64>(0, done, total);
    const int filled = total > 0 ? int(shown * width / total) : width;
    const qint64 leftMs = shown > 0 ? elapsedMs * (total - shown) / shown : -1;
    m_err << u'\r' << phase.leftJustified(8) << QStringLiteral(" [") << QString(filled, u'#')
          << QString(width - filled, u'.') << QStringLiteral("] ")
          << CliTexts::bytesOf().arg(shown).arg(total) << QStringLiteral("  ") << seconds(elapsedMs)
          << QStringLiteral("  ")
          << CliTexts::timeLeft().arg(leftMs < 0 ? QStringLiteral("?") : seconds(leftMs))
          << QStringLiteral("   ") << Qt::flush;
    m_lineOpen = true;
    if (shown >= total)
        endProgressLine();
}

void CliOutput::result(const QString& text, const QJsonObject& fields) {
    if (m_json) {
        for (auto it = fields.begin(); it != fields.end(); ++it)
            m_result.insert(it.key(), it.value());
        if (!text.isEmpty() && !fields.contains(QStringLiteral("text")))
            m_result.insert(QStringLiteral("text"), text);
        return;
    }
    endProgressLine();
    if (!text.isEmpty())
        this->text() << text << u'\n' << Qt::flush;
}

void CliOutput::resultLine(const QString& text) {
    if (m_json || m_level != Level::Quiet)
        return;
    this->text() << text << u'\n' << Qt::flush;
}

void CliOutput::error(const char* code, const QString& text, const QString& subject) {
    ++m_problems;
    if (m_json) {
        QJsonObject o{{QStringLiteral("type"), QStringLiteral("error")},
                      {QStringLiteral("code"), QString::fromLatin1(code)},
                      {QStringLiteral("text"), text}};
        if (!subject.isEmpty())
            o.insert(QStringLiteral("subject"), subject);
        emitJson(o);
        return;
    }
    endProgressLine();
    m_err << QStringLiteral("hvpp-cli: ");
    if (!subject.isEmpty())
        m_err << subject << QStringLiteral(": ");
    m_err << text << u'\n' << Qt::flush;
}

void CliOutput::writeData(const QByteArray& bytes) {
    m_out.flush();
    if (QIODevice* d = m_out.device())
        d->write(bytes);
    else
        m_out << QString::fromLatin1(bytes) << Qt::flush;
}

void CliOutput::finish(int exitCode, bool stopped) {
    if (m_finished)
        return;
    m_finished = true;
    endProgressLine();
    if (!m_json)
        return;
    QJsonObject o = m_result;
    o.insert(QStringLiteral("type"), QStringLiteral("result"));
    o.insert(QStringLiteral("exit"), exitCode);
    o.insert(QStringLiteral("ok"), exitCode == 0);
    o.insert(QStringLiteral("stopped"), stopped);
    emitJson(o);
}

void CliOutput::note(const QString& text) {
    // An instruction ("请重启编程器") is needed even with -q.
    if (m_json) {
        emitJson(
            {{QStringLiteral("type"), QStringLiteral("note")}, {QStringLiteral("text"), text}});
        return;
    }
    endProgressLine();
    m_err << text << u'\n' << Qt::flush;
}

void CliOutput::frame(double ms, bool sent, const QByteArray& bytes) {
    if (m_level != Level::Verbose)
        return;
    // The programmer's answers decoded as the log decodes them (its own words are GBK).
    const QString text = sent ? QString::fromLatin1(bytes) : Link::decodeInput(bytes);
    if (m_json) {
        emitJson(
            {{QStringLiteral("type"), QStringLiteral("frame")},
             {QStringLiteral("ms"), qRound64(ms * 1000) / 1000.0},
             {QStringLiteral("dir"), sent ? QStringLiteral("sent") : QStringLiteral("received")},
             {QStringLiteral("text"), text}});
        return;
    }
    endProgressLine();
    this->text() << u'[' << QString::number(ms, 'f', 3).rightJustified(10)
                 << QStringLiteral(" ms] ") << (sent ? QStringLiteral("> ") : QStringLiteral("< "))
                 << (sent ? text : explainAnswer(text)) << u'\n' << Qt::flush;
}

CliUi::CliUi(CliOutput& out, std::function<bool(const QString&)> ask)
    : m_out(out), m_ask(std::move(ask)) {
    m_wall.start();
}

double CliUi::now() const {
    return m_nowMs ? m_nowMs() : double(m_wall.elapsed());
}

QString phaseCode(const QString& phase) {
    static const struct {
        QString (*name)();
        const char* code;
    } phases[] = {{Phases::writeFlash, "write_flash"},
                  {Phases::verifyFlash, "verify_flash"},
                  {Phases::readFlash, "read_flash"},
                  {Phases::writeEeprom, "write_eeprom"},
                  {Phases::verifyEeprom, "verify_eeprom"},
                  {Phases::readEeprom, "read_eeprom"},
                  {Phases::upload, "upload"},
                  {Phases::firmware, "firmware"}};
    for (const auto& p : phases)
        if (p.name() == phase)
            return QString::fromLatin1(p.code);
    return QStringLiteral("other");
}

QString phaseOfBar(Progress bar) {
    switch (bar) {
    case Progress::Eeprom:
        return Phases::writeEeprom();
    case Progress::Firmware:
        return Phases::firmware();
    case Progress::Flash:
        break;
    }
    return Phases::writeFlash();
}

void CliUi::progress(Progress bar, int percent) {
    if (bar == m_completeBar)
        return; // the bar set full after a step that told its bytes
    progressBytes(bar, phaseOfBar(bar), qBound(0, percent, 100), 100);
}

void CliUi::progressBytes(Progress bar, const QString& phase, qint64 done, qint64 total) {
    m_completeBar = done >= total ? std::optional<Progress>(bar) : std::nullopt;
    if (phase != m_phase || done < m_lastDone) {
        m_phase = phase;
        m_phaseStart = now();
        m_lastDone = -1;
    }
    if (done == m_lastDone)
        return;
    m_lastDone = done;
    m_out.progress(phase, phaseCode(phase), done, total, qint64(now() - m_phaseStart));
    if (done >= total)
        m_phase.clear(); // the next move starts a new step, even of the same name
}

void CliUi::warning(const QString& title, const QString& text) {
    (void)title;
    ++warnings;
    const char* code = m_nextCode ? m_nextCode : m_code;
    m_nextCode = nullptr;
    if (m_collecting)
        m_collected << text;
    else
        m_out.error(code, text, m_subject);
}

bool CliUi::confirm(const QString& title, const QString& text) {
    (void)title;
    return m_ask && m_ask(text);
}
