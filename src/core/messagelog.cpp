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
        const qsizetype bracket = kept.indexOf(u']');
        // Keep what follows the "]" of a time line and its CR LF, so that the log always
        // starts with a whole entry.
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
