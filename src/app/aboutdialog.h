#pragma once
// The About window: product title, the web-page label and an information text. Any key,
// a click on the window or the button closes it.
#include <QDialog>

class QLabel;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(const QString& windowTitleText, const QString& webLabel, QWidget* parent = nullptr);

Q_SIGNALS:
    void webPageRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
