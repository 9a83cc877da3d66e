#include "app/firmwaredialog.h"

#include "app/appcontext.h"
#include "app/offlinepagetexts.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace T = OfflinePageTexts;

namespace {
QLabel* label(const QString& name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    return l;
}
} // namespace

FirmwareDialog::FirmwareDialog(AppContext& app, const QString& path, QWidget* parent)
    : QDialog(parent), m_app(app), m_claim(std::make_unique<Link::Claim>(app.link)),
      m_transfer(app.link) {
    setObjectName(QStringLiteral("FirmwareDialog"));
    setWindowTitle(T::firmwareCaption());
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildFileRow());
    layout->addWidget(buildPrompt());
    layout->addLayout(buildStatusRow());

    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(true);
    layout->addWidget(m_bar);

    layout->addLayout(buildButtons());
    connectTransfer();

    m_timer = new QTimer(this);
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &FirmwareDialog::onTick);

    openFile(path);
}

QLayout* FirmwareDialog::buildFileRow() {
    auto* grid = new QGridLayout;
    auto* fileCaption = label(QStringLiteral("FileCaption"), this);
    fileCaption->setText(T::firmwareFile());
    m_path = label(QStringLiteral("FilePath"), this);
    m_path->setWordWrap(true);
    m_path->setMinimumWidth(300);
    m_path->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(fileCaption, 0, 0, Qt::AlignTop);
    grid->addWidget(m_path, 0, 1);
    grid->setColumnStretch(1, 1);
    return grid;
}

QLabel* FirmwareDialog::buildPrompt() {
    m_prompt = label(QStringLiteral("Prompt"), this);
    QFont big = m_prompt->font();
    big.setPointSizeF(big.pointSizeF() * 1.25);
    big.setBold(true);
    m_prompt->setFont(big);
    m_prompt->setAlignment(Qt::AlignCenter);
    m_prompt->setMinimumHeight(m_prompt->fontMetrics().height() + 8);
    return m_prompt;
}

QLayout* FirmwareDialog::buildStatusRow() {
    m_status = label(QStringLiteral("Status"), this);
    m_status->setWordWrap(true);
    m_progress = label(QStringLiteral("Progress"), this);
    m_progress->setMinimumWidth(m_progress->fontMetrics().horizontalAdvance(T::exitButton()) * 4);
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(m_status, 1);
    statusRow->addWidget(m_progress);
    return statusRow;
}

QLayout* FirmwareDialog::buildButtons() {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_continue = new QPushButton(T::continueButton(), this);
    m_continue->setObjectName(QStringLiteral("Continue"));
    m_exit = new QPushButton(T::exitButton(), this);
    m_exit->setObjectName(QStringLiteral("Exit"));
    m_continue->setAutoDefault(false);
    m_exit->setAutoDefault(false);
    buttons->addWidget(m_continue);
    buttons->addWidget(m_exit);
    return buttons;
}

// The labels, the bar and "继 续" follow the transfer; the buttons drive it.
void FirmwareDialog::connectTransfer() {
    connect(&m_transfer, &FirmwareTransfer::promptChanged, m_prompt, &QLabel::setText);
    connect(&m_transfer, &FirmwareTransfer::statusChanged, m_status, &QLabel::setText);
    connect(&m_transfer, &FirmwareTransfer::progressChanged, m_progress, &QLabel::setText);
    connect(&m_transfer, &FirmwareTransfer::continueEnabledChanged, m_continue,
            &QPushButton::setEnabled);
    connect(&m_transfer, &FirmwareTransfer::bytesSentChanged, m_bar,
            [this](qint64 sent, qint64 total) {
                m_bar->setValue(total > 0 ? int(sent * 100 / total) : 0);
            });
    connect(&m_transfer, &FirmwareTransfer::stateChanged, this, [this](FirmwareTransfer::State s) {
        if (s == FirmwareTransfer::State::Done)
            m_bar->setValue(100);
        // The window goes; the log keeps why the update did not happen.
        if (s == FirmwareTransfer::State::Failed || s == FirmwareTransfer::State::TimedOut ||
            s == FirmwareTransfer::State::Refused)
            m_app.session.log.logMessage(m_transfer.status());
    });
    connect(&m_transfer, &FirmwareTransfer::closeRequested, this, [this] { reject(); });
    connect(m_continue, &QPushButton::clicked, this, &FirmwareDialog::onContinue);
    connect(m_exit, &QPushButton::clicked, this, [this] { reject(); });
}

// Opening: the path, the prompt, "继 续" off, the input discarded, the timer on.
void FirmwareDialog::openFile(const QString& path) {
    m_path->setText(QDir::toNativeSeparators(path));
    m_continue->setEnabled(false);
    bool opened = false;
    if (m_claim->held()) {
        runStep([this, &opened, path] { opened = m_transfer.open(path); });
    } else {
        m_app.session.log.logMessage(Texts::linkBusy());
        m_transfer.cancel();
    }
    m_prompt->setText(m_transfer.prompt());
    m_status->setText(m_transfer.status());
    m_progress->setText(m_transfer.progress());
    if (opened)
        m_timer->start();
}

FirmwareDialog::~FirmwareDialog() {
    m_transfer.cancel();
}

void FirmwareDialog::runStep(const std::function<void()>& step) {
    ++m_running;
    OpContext c = m_app.op();
    runOperationStep(c, step);
    --m_running;
}

void FirmwareDialog::onTick() {
    // Waiting for the loader: the user restarts the programmer, its loader says "B".
    m_timer->stop();
    runStep([this] { m_transfer.waitForLoader(); });
}

void FirmwareDialog::onContinue() {
    if (m_transfer.state() != FirmwareTransfer::State::Ready)
        return;
    m_continue->setEnabled(false);
    m_bar->setValue(0);
    runStep([this] { m_transfer.proceed(); });
}

void FirmwareDialog::done(int result) {
    // "退 出" at any time: a wait or a transfer still running stops at its next step.
    m_timer->stop();
    m_transfer.cancel();
    QDialog::done(result);
}

void FirmwareDialog::closeEvent(QCloseEvent* event) {
    m_timer->stop();
    m_transfer.cancel();
    QDialog::closeEvent(event);
}

void FirmwareDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}
