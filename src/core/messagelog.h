#pragma once
// The message log: every progress line, result and most errors of the operations.
#include <QObject>
#include <QString>
#include <functional>

class MessageLog : public QObject {
    Q_OBJECT
public:
    explicit MessageLog(QObject* parent = nullptr);

    // Appends text and a time line; an empty text does nothing. Trims the log to the last
    // complete entries once it has grown past 1000 characters.
    void logMessage(const QString& text);
    const QString& text() const { return m_text; }
    // The greeting the log starts with; a double click on the log restores it.
    void setInitialText(const QString& text);
    const QString& initialText() const { return m_initial; }
    void clear();
    // Time-of-day source, replaceable in tests.
    void setClock(std::function<QString()> timeText) { m_timeText = std::move(timeText); }

Q_SIGNALS:
    void changed();
    // One message as logged (without its time line), for front ends that print lines.
    void messageLogged(const QString& text);

private:
    QString m_text;
    QString m_initial;
    std::function<QString()> m_timeText;
};
