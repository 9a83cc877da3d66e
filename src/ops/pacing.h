#pragma once
// The pace of the flash-word stream: each word takes the larger of 0.5 ms and its own time
// on the line, kept on average by a schedule on the port's monotonic clock, so that the
// words never queue up in the port ahead of the page commit that follows them. It sleeps only when
// it is more than a millisecond ahead of the schedule, so a platform whose sleeps last 1-16 ms (a
// coarse system timer) neither makes the write many times slower nor wakes the host for every word:
// a sleep that lasts too long is made up by the words that follow it without a pause.
class Link;

class WordPacer {
  public:
    static constexpr double MsPerWord = 0.5;
    static constexpr double SlackMs = 1.0;

    explicit WordPacer(Link& link);
    // A word frame of chars characters went out: its time joins the schedule.
    void wordSent(int chars);
    // After a wait of the write's own (the page commit): its time is no credit for the words
    // that follow, while time still owed to the words before is kept.
    void restart();

  private:
    Link& m_link;
    double m_due; // when the words sent so far have had their time
};
