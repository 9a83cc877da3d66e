#include "app/helpwindow.h"

#include "app/apptexts.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(true);
    auto* inBrowser = new QPushButton(AppTexts::tr("在浏览器中打开"), this);
    inBrowser->setObjectName(QStringLiteral("HelpInBrowser"));
    inBrowser->setAutoDefault(false);
    connect(inBrowser, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(m_path)); });
    auto* close = new QPushButton(AppTexts::closeCaption(), this);
    close->setObjectName(QStringLiteral("HelpClose"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(inBrowser);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser, 1);
    layout->addLayout(buttons);
    resize(680, 560);
}

void HelpWindow::showDocument(const QString& path) {
    if (path != m_path) {
        m_path = path;
        m_browser->setSource(QUrl::fromLocalFile(path));
    }
    setWindowTitle(m_browser->documentTitle());
    show();
    raise();
    activateWindow();
}
