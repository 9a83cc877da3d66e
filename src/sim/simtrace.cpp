#include "sim/simtrace.h"

SimTrace::SimTrace() : m_fromProgram("GBK"), m_fromProgrammer("GBK") {}

QString SimTrace::decode(char direction, const QByteArray& bytes) {
    QStringDecoder& decoder = direction == '<' ? m_fromProgram : m_fromProgrammer;
    const QString text = decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes);
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString SimTrace::closing() {
    if (m_lineUntil < 0)
        return QString();
    const QString end = QStringLiteral(" | line until ") + QString::number(m_lineUntil, 'f', 3);
    m_lineUntil = -1;
    if (m_keep && !m_lines.isEmpty())
        m_lines.last() += end;
    return end;
}

void SimTrace::record(double ms, char direction, const QByteArray& bytes, double lineUntilMs) {
    if (bytes.isEmpty())
        return;
    const QString text = decode(direction, bytes);
    QString piece;
    if (direction != m_direction) {
        const QString head = QString::number(ms, 'f', 3) + u' ' + QLatin1Char(direction) + u' ';
        const QString end = closing();
        if (m_keep)
            m_lines.append(head + text);
        piece = end + (m_direction ? QStringLiteral("\n") : QString()) + head + text;
        m_direction = direction;
    } else {
        if (m_keep && !m_lines.isEmpty())
            m_lines.last() += text;
        piece = text;
    }
    if (lineUntilMs >= 0)
        m_lineUntil = lineUntilMs;
    if (m_device)
        m_device->write(piece.toUtf8());
}

QStringList SimTrace::lines() const { return m_lines; }

void SimTrace::clear() {
    m_lines.clear();
    m_direction = 0;
    m_lineUntil = -1;
}

void SimTrace::flush() {
    const QString end = closing();
    if (m_device && m_direction)
        m_device->write((end + u'\n').toUtf8());
    m_direction = 0;
}
