#include "cli/clioutput.h"

#include "cli/clitexts.h"
#include "core/phases.h"
#include "link/answer.h"
#include "link/link.h"

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

void CliOutput::logLine(const QString& text) {
    if (m_level == Level::Quiet)
        return;
    if (m_json) {
        emitJson({{QStringLiteral("type"), QStringLiteral("log")}, {QStringLiteral("text"), text}});
        return;
    }
    endProgressLine();
    m_out << text << u'\n' << Qt::flush;
}

namespace {
QString seconds(qint64 ms) {
    return QString::number(double(ms) / 1000.0, 'f', 1) + QStringLiteral(" s");
}
} // namespace

void CliOutput::progress(const QString& phase, qint64 done, qint64 total, qint64 elapsedMs) {
    if (m_level == Level::Quiet)
        return;
    if (m_json) {
        emitJson({{QStringLiteral("type"), QStringLiteral("progress")},
                  {QStringLiteral("phase"), phase},
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

void CliOutput::warning(const QString& subject, const QString& text) {
    ++m_problems;
    if (m_json) {
        emitJson({{QStringLiteral("type"), QStringLiteral("warning")},
                  {QStringLiteral("subject"), subject},
                  {QStringLiteral("text"), text}});
        return;
    }
    endProgressLine();
    m_err << QStringLiteral("hvpp-cli: ");
    if (!subject.isEmpty())
        m_err << subject << QStringLiteral(": ");
    m_err << text << u'\n' << Qt::flush;
}

void CliOutput::result(const QString& text, const QJsonObject& fields) {
    if (m_json) {
        QJsonObject o = fields;
        o.insert(QStringLiteral("type"), QStringLiteral("result"));
        if (!text.isEmpty() && !o.contains(QStringLiteral("text")))
            o.insert(QStringLiteral("text"), text);
        emitJson(o);
        return;
    }
    endProgressLine();
    if (!text.isEmpty())
        m_out << text << u'\n' << Qt::flush;
}

void CliOutput::error(const QString& text) {
    ++m_problems;
    if (m_json) {
        emitJson(
            {{QStringLiteral("type"), QStringLiteral("error")}, {QStringLiteral("text"), text}});
        return;
    }
    endProgressLine();
    m_err << QStringLiteral("hvpp-cli: ") << text << u'\n' << Qt::flush;
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
    m_out << u'[' << QString::number(ms, 'f', 3).rightJustified(10) << QStringLiteral(" ms] ")
          << (sent ? QStringLiteral("> ") : QStringLiteral("< "))
          << (sent ? text : explainAnswer(text)) << u'\n' << Qt::flush;
}

CliUi::CliUi(CliOutput& out, std::function<bool(const QString&)> ask)
    : m_out(out), m_ask(std::move(ask)) {
    m_wall.start();
}

double CliUi::now() const {
    return m_nowMs ? m_nowMs() : double(m_wall.elapsed());
}

QString phaseOfBar(const QString& bar) {
    if (bar.startsWith(u"Eeprom"))
        return Phases::writeEeprom();
    if (bar.startsWith(u"Firmware"))
        return Phases::firmware();
    return Phases::writeFlash();
}

void CliUi::progress(const QString& bar, int percent) {
    if (bar == m_completeBar)
        return; // the bar set full after a step that told its bytes
    progressBytes(bar, phaseOfBar(bar), qBound(0, percent, 100), 100);
}

void CliUi::progressBytes(const QString& bar, const QString& phase, qint64 done, qint64 total) {
    m_completeBar = done >= total ? bar : QString();
    if (phase != m_phase || done < m_lastDone) {
        m_phase = phase;
        m_phaseStart = now();
        m_lastDone = -1;
    }
    if (done == m_lastDone)
        return;
    m_lastDone = done;
    m_out.progress(phase, done, total, qint64(now() - m_phaseStart));
    if (done >= total)
        m_phase.clear(); // the next move starts a new step, even of the same name
}

void CliUi::warning(const QString& title, const QString& text) {
    (void)title;
    ++warnings;
    m_out.warning(m_subject, text);
}

bool CliUi::confirm(const QString& title, const QString& text) {
    (void)title;
    return m_ask && m_ask(text);
}
