#pragma once
#include <QString>
#include <stdexcept>

// Raised by the Link when the port fails under a running operation (port closed, adapter
// unplugged). The operation's entry point catches it, re-enables its controls and shows
// the description in a warning box.
class LinkError : public std::runtime_error {
public:
    explicit LinkError(const QString& text)
        : std::runtime_error(text.toStdString()), m_text(text) {}
    QString text() const { return m_text; }

private:
    QString m_text;
};

// Raised by the Link at the next step of an operation that was asked to stop (the window
// closing, SIGINT, SIGTERM). Not a failure of the link: it is reported as stopped.
class LinkStopped : public LinkError {
public:
    using LinkError::LinkError;
};
