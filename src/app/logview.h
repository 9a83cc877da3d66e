#pragma once
// The message log InfoText: read-only, always showing the newest entry; a double click
// restores the greeting it started with.
#include <QPlainTextEdit>

class MessageLog;

class LogView : public QPlainTextEdit {
    Q_OBJECT
public:
    LogView(MessageLog& log, QWidget* parent = nullptr);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void refresh();
    MessageLog& m_log;
};
