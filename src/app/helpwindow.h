#pragma once
// The help document in a window of our own: it opens wherever the program runs, also on a
// desktop without a browser. "在浏览器中打开" still hands it to the browser for those
// who have one.
#include <QWidget>

class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Shows the document (an HTML file) and brings the window to the front.
    void showDocument(const QString& path);
    QTextBrowser* browser() const { return m_browser; }

  private:
    QTextBrowser* m_browser = nullptr;
    QString m_path;
};
