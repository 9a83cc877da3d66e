#pragma once
// The pace of the flash-word stream: 0.5 ms after each word, kept on average by a schedule
// on the port's monotonic clock. It sleeps only when it is more than a millisecond ahead of
// the schedule, so a platform whose sleeps last 1-16 ms (a coarse system timer) neither
// makes the write many times slower nor wakes the host for every word: a sleep that lasts
// too long is made up by the words that follow it without a pause.
class Link;

class WordPacer {
  public:
    static constexpr double MsPerWord = 0.5;
    static constexpr double SlackMs = 1.0;

    explicit WordPacer(Link& link);
    // A word went out: its half millisecond joins the schedule.
    void wordSent();
    // After a wait of the write's own (the page commit): its time is no credit for the words
    // that follow, while time still owed to the words before is kept.
    void restart();

  private:
    Link& m_link;
    double m_due; // when the words sent so far have had their time
};
