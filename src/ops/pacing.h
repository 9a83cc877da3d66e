#pragma once
// The pace of the flash-word stream: each word takes the larger of 0.5 ms and its own time
// on the line, kept on average by a schedule on the port's monotonic clock, so that no more
// than some tens of milliseconds of words queue up in the port ahead of the page commit that
// follows them (whose wait counts the line's time anyway).
//
// Where the line is slower than 0.5 ms a word, the line itself keeps the words apart: they
// go to the port up to 40 ms of them at a time, in one write, and the host sleeps until the
// port has a few milliseconds of them left, so the line never runs dry and the host wakes
// once for some 37 ms of words (27 words at 57600 baud). On a faster line each word goes
// alone and the host sleeps once it is a millisecond ahead. Either way a sleep that lasts too
// long (a coarse system timer) is made up by the words that follow it without a pause.
#include <QByteArray>

class Link;

class WordPacer {
  public:
    static constexpr double MsPerWord = 0.5;

    explicit WordPacer(Link& link);
    // Sends a word frame (now, or with the next ones in one write).
    void send(const QByteArray& frame);
    // Sends what is held back; before any other frame (the page commit).
    void flush();
    // After a wait of the write's own (the page commit): its time is no credit for the words
    // that follow, while time still owed to the words before is kept.
    void restart();

  private:
    Link& m_link;
    double m_due;    // when the words sent so far have had their time
    bool m_batching; // the line is slower than MsPerWord: words go several to a write
    QByteArray m_held;
};
