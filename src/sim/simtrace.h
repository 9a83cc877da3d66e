#pragma once
// A trace of the conversation: one line each time the direction changes, with the time in
// milliseconds, "<" for what the program sent or ">" for what the programmer answered, and
// the characters (answers decoded from the programmer's code page, control characters as
// \xNN). A line of what the program sent ends with the time its last character had crossed
// the line ("| line until 12.345"). Kept in memory and, when a device is set, written to it
// as it grows.
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

class SimTrace {
public:
    SimTrace();
    void setDevice(QIODevice* device) { m_device = device; }
    void setKeepLines(bool keep) { m_keep = keep; }
    // lineUntilMs: when the last of bytes has crossed the line (what the program sent).
    void record(double ms, char direction, const QByteArray& bytes, double lineUntilMs = -1);
    // The lines so far, the one still growing included.
    QStringList lines() const;
    void clear();
    void flush();

private:
    QString decode(char direction, const QByteArray& bytes);
    QString closing(); // the end of the line being closed
    QIODevice* m_device = nullptr;
    bool m_keep = true;
    char m_direction = 0;
    double m_lineUntil = -1;
    QStringList m_lines;
    QStringDecoder m_fromProgram;
    QStringDecoder m_fromProgrammer;
};
