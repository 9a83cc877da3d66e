#include "session/session.h"

Session::Session(QObject* parent) : QObject(parent) {}

QString Session::optionsText() const {
    QString out;
    for (bool on : options)
        out += on ? u'1' : u'0';
    return out;
}

bool Session::setOptionsText(const QString& text) {
    if (text.size() != 10)
        return false;
    // Each character read as a decimal number: anything but a non-zero digit is unticked.
    for (int i = 0; i < 10; ++i)
        options[i] = text[i].isDigit() && text[i] != u'0';
    Q_EMIT panelsChanged();
    return true;
}
