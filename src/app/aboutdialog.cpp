#include "app/aboutdialog.h"

#include "app/apptexts.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

AboutDialog::AboutDialog(const QString& windowTitleText, const QString& webLabel, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(AppTexts::tr("关于"));
    setModal(true);

    QString product = windowTitleText;
    while (product.endsWith(u' '))
        product.chop(1);

    auto* icon = new QLabel(this);
    icon->setPixmap(windowIcon().pixmap(48, 48));
    auto* name = new QLabel(product, this);
    name->setObjectName(QStringLiteral("lblProductName"));
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 3);
    big.setBold(true);
    name->setFont(big);
    name->setWordWrap(true);

    auto* web = new QLabel(QStringLiteral("<a href=\"#\">") + webLabel.toHtmlEscaped() + QStringLiteral("</a>"), this);
    web->setObjectName(QStringLiteral("Label2"));
    web->setTextFormat(Qt::RichText);
    web->setCursor(Qt::PointingHandCursor);
    connect(web, &QLabel::linkActivated, this, [this](const QString&) { Q_EMIT webPageRequested(); });

    auto* info = new QPlainTextEdit(this);
    info->setObjectName(QStringLiteral("Text1"));
    info->setReadOnly(true);
    QString text = AppTexts::aboutText();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    info->setPlainText(text);
    info->setFocusPolicy(Qt::NoFocus);

    auto* ok = new QPushButton(AppTexts::closeCaption(), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* head = new QHBoxLayout;
    head->addWidget(icon, 0, Qt::AlignTop);
    auto* titles = new QVBoxLayout;
    titles->addWidget(name);
    titles->addWidget(web);
    head->addLayout(titles, 1);
    auto* foot = new QHBoxLayout;
    foot->addStretch();
    foot->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(info, 1);
    layout->addLayout(foot);
    resize(420, 280);
}

void AboutDialog::keyPressEvent(QKeyEvent* event) {
    (void)event;
    accept();
}

void AboutDialog::mousePressEvent(QMouseEvent* event) {
    (void)event;
    accept();
}
