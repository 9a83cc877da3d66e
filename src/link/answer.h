#pragma once
// Taking the programmer's short answers so that nothing but the answer becomes data.
//
// A marker that comes late from an earlier step ("!" after the last EEPROM byte, "$" after a
// page) may stand in front of an answer; it is dropped. Anything else in front of it (a
// stray digit, a NUL, a line end) makes the answer no answer: it cannot be told from data. A read
// that answers one command after the other ("RI80#", "RI81#", ...) takes an answer only when it is
// exactly what was asked for and every earlier answer has come: an answer that arrives late
// would otherwise be taken for the next command's, and shift all that follow.
#include <QString>
#include <functional>

class Link;

// The programmer's own words: its firmware answers in Chinese (GBK). An answer is compared
// as it stands, never with a translation.
namespace ProgrammerAnswer {
inline QString connected() {
    return QStringLiteral("连接成功!");
}
} // namespace ProgrammerAnswer

// text with each answer of the programmer's we know followed by its meaning when the program
// speaks another language than the programmer ("连接成功! (connected)"); anything else as
// it came.
QString explainAnswer(const QString& text);

// text without what stands in front of the answer: markers of other steps ("!", "$", "?").
QString withoutStrayLead(const QString& text);

// How an answer of hexadecimal text came, against the number of characters asked for.
struct HexAnswer {
    enum Fault { Whole, Nothing, Short, TooLong, NotHex };
    Fault fault = Whole;
    qsizetype got = 0; // characters received
    qsizetype at = 0;  // NotHex: the first character that is not a hexadecimal digit
    bool whole() const { return fault == Whole; }
};
// Whole only when text is exactly chars hexadecimal digits (either case).
HexAnswer checkHexAnswer(const QString& text, qsizetype chars);
// text with control characters and DEL shown as \xNN: what the line sent, fit for the log
// and a terminal.
QString printableText(const QString& text);

// Collects input until chars characters (after the stray lead) are in or ms have passed;
// returns what came, stray lead dropped (it may be longer or shorter than chars). raw, when
// given, gets everything that came (for the log).
QString collectAnswer(Link& link, int chars, double ms, QString* raw = nullptr);

// Collects a long answer (a memory read) until chars characters are in, or until silenceMs
// pass without any input (before the first character too; counted from when the line has
// carried the request). progress gets the count so far. Once chars are in, what follows
// within a short quiet is taken too: an answer one character too long is no answer.
// A pause shorter than silenceMs in the middle of the answer does not end it; input is read
// in batches a few milliseconds apart, so a pause ends it within that much of silenceMs.
QString collectStream(Link& link, int chars, double silenceMs,
                      const std::function<void(int)>& progress);

// Reads and discards input until silenceMs pass without any (at most maxMs in all): the rest
// of an answer that came too slowly must not stand in front of the next one.
void settleInput(Link& link, double silenceMs = 50, double maxMs = 1000);

// A run of one-byte answers, each asked after the previous one's wait.
class AnswerSequence {
  public:
    // endWhenIn: each wait ends as soon as two characters are in (the signature reads);
    // otherwise it lasts its whole time, and an answer that comes late is seen as late.
    explicit AnswerSequence(Link& link, bool endWhenIn = false)
        : m_link(link), m_endWhenIn(endWhenIn) {}
    // Drains what waits (a late answer of an earlier command), sends command, waits ms and
    // returns the two hex digits in upper case, or "" when this command's answer cannot be
    // told: nothing, something else than two hex digits, or earlier answers still missing.
    QString ask(const QString& command, double ms);
    // What the last ask() received, stray lead dropped (for the log).
    const QString& lastReceived() const { return m_last; }

  private:
    Link& m_link;
    bool m_endWhenIn;
    int m_asked = 0;
    qint64 m_digits = 0; // hex digits received so far, late ones included
    QString m_last;
};
