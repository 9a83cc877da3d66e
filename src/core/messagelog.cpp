#include "core/messagelog.h"

#include <QLocale>
#include <QTime>

MessageLog::MessageLog(QObject* parent) : QObject(parent) {
    m_timeText = [] { return QLocale().toString(QTime::currentTime(), QLocale::ShortFormat); };
}

void MessageLog::logMessage(const QString& text) {
    if (text.isEmpty())
        return;
    if (m_text.size() > 1000) {
        QString kept = m_text.right(950);
        // Keep what follows the end of the first time line ("]" CR LF), so that the log
        // always starts with a whole entry, also when a message holds a "]" of its own.
        const qsizetype bracket = kept.indexOf(QStringLiteral("]\r\n"));
        kept = bracket < 0 ? QString() : kept.mid(bracket + 3);
        m_text = kept;
    }
    m_text += text + QStringLiteral("\r\n");
    m_text += u'[' + m_timeText() + QStringLiteral("]\r\n");
    Q_EMIT messageLogged(text);
    Q_EMIT changed();
}

void MessageLog::setInitialText(const QString& text) {
    m_initial = text;
    m_text = text;
    Q_EMIT changed();
}

void MessageLog::clear() {
    m_text = m_initial;
    Q_EMIT changed();
}
