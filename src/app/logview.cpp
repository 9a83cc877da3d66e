#include "app/logview.h"

#include "core/messagelog.h"

#include <QScrollBar>

LogView::LogView(MessageLog& log, QWidget* parent) : QPlainTextEdit(parent), m_log(log) {
    setObjectName(QStringLiteral("InfoText"));
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setUndoRedoEnabled(false);
    connect(&m_log, &MessageLog::changed, this, &LogView::refresh);
    refresh();
}

void LogView::refresh() {
    QString shown = m_log.text();
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.remove(u'\r');
    setPlainText(shown);
    QTextCursor end = textCursor();
    end.movePosition(QTextCursor::End);
    setTextCursor(end);
    ensureCursorVisible();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void LogView::mouseDoubleClickEvent(QMouseEvent* event) {
    (void)event;
    m_log.clear();
}
