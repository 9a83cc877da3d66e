#include "app/mainwindow.h"

#include "app/aboutdialog.h"
#include "app/apptexts.h"
#include "app/clicklabel.h"
#include "app/connection.h"
#include "app/controltable.h"
#include "app/fonts.h"
#include "app/fusepage.h"
#include "app/helpwindow.h"
#include "app/icons.h"
#include "app/imagetab.h"
#include "app/logview.h"
#include "app/offlinepage.h"
#include "app/optionspage.h"
#include "app/portstatuslabel.h"
#include "app/productionpanel.h"
#include "core/datapaths.h"
#include "core/settings.h"
#include "link/port.h"
#include "ops/calibration.h"
#include "ops/identify.h"
#include "ops/readops.h"
#include "ops/singlebyte.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

using AppTexts::tr;

QSize MainWindow::designSize() {
    // 10605 x 7560 twips at 96 dpi (15 twips a pixel).
    return {10605 / 15, 7560 / 15};
}

// The file dialogs start where the last flash file was, until the user chooses another.
static QString startFolder(SettingsStore& settings) {
    const QString last = settings.read(SettingsKeys::FlashFile);
    return last.isEmpty() ? QString() : QFileInfo(last).absolutePath();
}

MainWindow::MainWindow(const AppOptions& options, std::unique_ptr<Port> port, QWidget* parent)
    : QMainWindow(parent), m_options(options),
      m_settings(std::make_unique<SettingsStore>(options.settingsFile)), m_ui(this),
      m_files(FileChooser::platform(startFolder(*m_settings))) {
    m_ui.warningHook = options.warningHook;
    m_ui.interlock = &m_lock;
    m_ui.log = &m_session.log;
    m_session.settings = m_settings.get();
    m_session.fuses.setSetFolder(options.setFolder.isEmpty()
                                     ? DataPaths::setFolder(options.language)
                                     : DataPaths::setFolderIn(options.setFolder, options.language));
    m_link = std::make_unique<Link>(nullptr, &m_session.log);
    m_conn = std::make_unique<Connection>(*m_link, options.sim);
    m_app = std::make_unique<AppContext>(AppContext{m_session, *m_link, m_ui, &m_lock});
    connect(m_conn.get(), &Connection::stateChanged, this, &MainWindow::updateConnectionState);

    setWindowIcon(appIcon());
    setFont(windowFont());
    buildWindow();
    holdControls();
    connect(m_link.get(), &Link::busyChanged, this, &MainWindow::onBusyChanged);
    startUp(std::move(port));
}

MainWindow::~MainWindow() {
    shutDown();
    m_conn.reset(); // closes the port before the link and the session go
}

Port* MainWindow::port() const {
    return m_conn->port();
}

void MainWindow::buildWindow() {
    buildToolbar();

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->setDocumentMode(false);
    m_fusePage = new FusePage(*m_app, m_tabs);
    m_flashTab = new ImageTab(*m_app, ImageTab::Flash, m_files, m_tabs);
    m_eepromTab = new ImageTab(*m_app, ImageTab::Eeprom, m_files, m_tabs);
    m_optionsPage = new OptionsPage(*m_app, m_tabs);
    m_offlinePage = new OfflinePage(*m_app, m_tabs);
    m_tabs->addTab(m_fusePage, AppTexts::tabFuses());
    m_tabs->addTab(m_flashTab, AppTexts::tabFlash());
    m_tabs->addTab(m_eepromTab, AppTexts::tabEeprom());
    m_tabs->addTab(m_optionsPage, AppTexts::tabOptions());
    m_tabs->addTab(m_offlinePage, AppTexts::tabOffline());
    connect(m_flashTab, &ImageTab::eepromFileDropped, m_eepromTab, [this](const QString& path) {
        m_eepromTab->loadFile(path);
        m_tabs->setCurrentWidget(m_eepromTab);
    });
    connect(m_offlinePage, &OfflinePage::chipMenuEntryRequested, this,
            &MainWindow::addChipMenuEntry);

    connect(m_optionsPage, &OptionsPage::readCalibrationRequested, this,
            [this] { runOp(OpId::ReadCalibration, [](OpContext& c) { ReadOA(c); }); });
    connect(m_optionsPage, &OptionsPage::writeCalibrationRequested, this,
            [this] { runOp(OpId::WriteCalibration, [](OpContext& c) { WriteOA(c); }); });
    connect(m_optionsPage, &OptionsPage::writeSingleRequested, this, [this](int row) {
        runOp(singleByteOp(true, row), [row](OpContext& c) { WriteSingle(c, row); });
    });
    connect(m_optionsPage, &OptionsPage::readSingleRequested, this, [this](int row) {
        runOp(singleByteOp(false, row), [row](OpContext& c) { ReadSingle(c, row); });
    });

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 2);
    layout->setSpacing(4);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buildRightColumn(), 0);
    setCentralWidget(central);
    buildStatusBar();

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &MainWindow::openHelp);

    connect(&m_session, &Session::panelsChanged, this, &MainWindow::refreshLabels);
    connect(&m_session, &Session::chipChanged, this, &MainWindow::refreshLabels);
    connect(&m_session, &Session::chipChanged, this, &MainWindow::rebuildChipMenu);
    connect(&m_session, &Session::flashChanged, this, &MainWindow::refreshLabels);
    connect(&m_session, &Session::eepromChanged, this, &MainWindow::refreshLabels);
}

static QPushButton* opButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

static QLabel* valueLabel(QWidget* parent, const QString& name) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

// The window's progress bars (the control table's), each with its caption.
static QGridLayout* progressBars(QWidget* column) {
    auto* bars = new QGridLayout;
    bars->setVerticalSpacing(2);
    int row = 0;
    for (const WindowBar& b : windowBars()) {
        auto* bar = new QProgressBar(column);
        bar->setObjectName(QString::fromLatin1(b.name));
        bar->setRange(0, 100);
        bar->setValue(100);
        bar->setTextVisible(true);
        bar->setFixedHeight(16);
        bars->addWidget(new QLabel(QString::fromLatin1(b.caption), column), row, 0);
        bars->addWidget(bar, row++, 1);
    }
    return bars;
}

QWidget* MainWindow::buildRightColumn() {
    auto* column = new QWidget(this);
    column->setObjectName(QStringLiteral("RightColumn"));
    column->setFixedWidth(236);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    layout->addWidget(buildChipBox(column));

    auto* buttons = new QGridLayout;
    buttons->setSpacing(4);
    auto* readSig = opButton(column, QStringLiteral("ReadSIG"), tr("读标识字"));
    auto* readFlash = opButton(column, QStringLiteral("ReadFlash"), tr("读取FLASH"));
    auto* readEeprom = opButton(column, QStringLiteral("ReadEEPROM"), tr("读取EEPROM"));
    auto* program = opButton(column, QStringLiteral("ProCommand"), tr("编 程"));
    program->setToolTip(tr("按“编程选项”页所勾选的步骤对芯片编程"));
    program->setMinimumHeight(34);
    QFont pf = program->font();
    pf.setPointSize(pf.pointSize() + 2);
    pf.setBold(true);
    program->setFont(pf);
    // Three captions in one row of the narrow column: less padding than the style's.
    for (QPushButton* b : {readSig, readFlash, readEeprom})
        b->setStyleSheet(QStringLiteral("QPushButton { padding: 4px 2px; }"));
    buttons->addWidget(readSig, 0, 0);
    buttons->addWidget(readFlash, 0, 1);
    buttons->addWidget(readEeprom, 0, 2);
    // "连续编程" beside the program button; the run's counts and stop button below it.
    m_production = new ProductionPanel(*m_app, column);
    m_production->setSettings(m_settings.get());
    buttons->addWidget(program, 1, 0, 1, 2);
    buttons->addWidget(m_production->continuousBox(), 1, 2);
    buttons->addWidget(m_production, 2, 0, 1, 3);
    layout->addLayout(buttons);
    connect(readSig, &QPushButton::clicked, this,
            [this] { runOp(OpId::ReadSignature, [](OpContext& c) { ReadSignature(c); }); });
    connect(readFlash, &QPushButton::clicked, this,
            [this] { runOp(OpId::ReadFlash, [](OpContext& c) { ReadFlash(c); }); });
    connect(readEeprom, &QPushButton::clicked, this,
            [this] { runOp(OpId::ReadEeprom, [](OpContext& c) { ReadEeprom(c); }); });
    connect(program, &QPushButton::clicked, this, [this] { startProgram(); });

    layout->addLayout(progressBars(column));

    m_log = new LogView(m_session.log, column);
    m_log->setToolTip(tr("双击清除信息"));
    layout->addWidget(m_log, 1);
    return column;
}

// The chip chosen, the chip in the socket and its signature, with the chip menu button.
QWidget* MainWindow::buildChipBox(QWidget* column) {
    auto* chipBox = new QGroupBox(tr("芯片"), column);
    auto* grid = new QGridLayout(chipBox);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);
    m_selChip = valueLabel(chipBox, QStringLiteral("SEL_MCUTYPE"));
    m_currentChip = valueLabel(chipBox, QStringLiteral("Crunt_MCUTYPE"));
    m_sigLabel = valueLabel(chipBox, QStringLiteral("SIG_LABEL"));
    auto* choose = new QPushButton(tr("选择型号"), chipBox);
    choose->setObjectName(QStringLiteral("ChipMenuButton"));
    choose->setAutoDefault(false);
    choose->setToolTip(tr("从芯片表中选择所要编程的芯片"));
    // Room for the widest chip name beside it (ATMEGA8535) in the narrow column.
    choose->setStyleSheet(QStringLiteral("QPushButton { padding: 4px 4px; }"));
    grid->setHorizontalSpacing(4);
    connect(choose, &QPushButton::clicked, this, [this, choose] {
        m_chipMenu->popup(choose->mapToGlobal(QPoint(0, choose->height())));
    });
    grid->addWidget(new QLabel(tr("所选芯片:"), chipBox), 0, 0);
    grid->addWidget(m_selChip, 0, 1);
    grid->addWidget(choose, 0, 2);
    grid->addWidget(new QLabel(tr("座上芯片:"), chipBox), 1, 0);
    grid->addWidget(m_currentChip, 1, 1, 1, 2);
    grid->addWidget(new QLabel(tr("标识字:"), chipBox), 2, 0);
    grid->addWidget(m_sigLabel, 2, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    return chipBox;
}

void MainWindow::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    m_pictures = new QStackedWidget(bar);
    m_pictures->setObjectName(QStringLiteral("ConnectionPictures"));
    auto* connected = new ClickLabel(m_pictures);
    connected->setObjectName(QStringLiteral("PicConnected"));
    connected->setPixmap(connectedPicture());
    connected->setToolTip(tr("串口已打开，单击关闭"));
    auto* notConnected = new ClickLabel(m_pictures);
    notConnected->setObjectName(QStringLiteral("PicNotConnected"));
    notConnected->setPixmap(notConnectedPicture());
    notConnected->setToolTip(tr("串口已关闭，单击打开"));
    m_pictures->addWidget(connected);
    m_pictures->addWidget(notConnected);
    m_pictures->setFixedSize(18, 18);
    m_pictures->setCursor(Qt::PointingHandCursor);
    connect(connected, &ClickLabel::clicked, this, &MainWindow::togglePort);
    connect(notConnected, &ClickLabel::clicked, this, &MainWindow::togglePort);

    auto panel = [bar](const QString& name) {
        auto* l = new QLabel(bar);
        l->setObjectName(name);
        l->setContentsMargins(2, 0, 2, 0);
        return l;
    };
    // The bar's panels are in the 8-point type of a status bar: at the window's fixed width
    // they all fit whole, in English too, with the largest chip and both images loaded.
    QFont small = bar->font();
    small.setPointSize(8);
    bar->setFont(small);
    m_comStatus = new PortStatusLabel(bar);
    m_comStatus->setObjectName(QStringLiteral("COMStatus"));
    m_comStatus->setContentsMargins(2, 0, 2, 0);
    m_mcuTypes = panel(QStringLiteral("MCUtypes"));
    m_flashSize = panel(QStringLiteral("FlashSizePanel"));
    m_eepromSize = panel(QStringLiteral("EepromSizePanel"));
    // Two pairs of FLASH/EEPROM numbers: the selected chip's memories and the images loaded.
    // Each pair has its caption.
    auto caption = [bar](const QString& name, const QString& text, const QString& tip) {
        auto* l = new QLabel(text, bar);
        l->setObjectName(name);
        l->setContentsMargins(4, 0, 0, 0);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->setToolTip(tip);
        return l;
    };
    m_mcuTypes->setToolTip(AppTexts::chipSizesTip());
    m_flashSize->setToolTip(AppTexts::imageSizesTip());
    m_eepromSize->setToolTip(AppTexts::imageSizesTip());
    bar->addWidget(m_pictures);
    bar->addWidget(m_comStatus);
    bar->addWidget(caption(QStringLiteral("ChipSizesCaption"), AppTexts::chipSizesCaption(),
                           AppTexts::chipSizesTip()));
    bar->addWidget(m_mcuTypes, 1);
    bar->addPermanentWidget(caption(QStringLiteral("ImageSizesCaption"),
                                    AppTexts::imageSizesCaption(), AppTexts::imageSizesTip()));
    bar->addPermanentWidget(m_flashSize);
    bar->addPermanentWidget(m_eepromSize);
}

void MainWindow::refreshLabels() {
    m_selChip->setText(m_session.selChipLabel);
    m_currentChip->setText(m_session.currentChipLabel);
    m_sigLabel->setText(m_session.sigLabel);
    // Beside its caption the chip's panel needs no wide ideographic gaps: plain blanks leave
    // the port its whole path.
    m_mcuTypes->setText(QString(m_session.mcuTypesPanel).replace(QChar(0x3000), u' ').trimmed());
    m_flashSize->setText(m_session.flashSizePanel);
    m_eepromSize->setText(m_session.eepromSizePanel);
    showComStatus();
}

void MainWindow::showComStatus() {
    m_comStatus->setStatus(m_conn->statusText());
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // Held at its design size; a minimised window is left alone.
    if (isMinimized())
        return;
    const QSize want = designSize();
    QSize now = size();
    QSize fixed = now;
    if (now.width() > want.width() || (now.width() < want.width() && now.width() > 2500 / 15))
        fixed.setWidth(want.width());
    if (now.height() > want.height() || (now.height() < want.height() && now.height() > 1000 / 15))
        fixed.setHeight(want.height());
    if (fixed != now)
        resize(fixed);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_link->busy()) {
        // The operation's frames are still on their way: it is stopped first, if the user
        // wants that, and the window closes when it has ended.
        event->ignore();
        if (!m_quitting)
            askStopAndQuit();
        return;
    }
    shutDown();
    m_conn->close();
    event->accept();
    if (m_quitting)
        Q_EMIT quitRequested();
}

bool MainWindow::runOp(OpId id, const std::function<void(OpContext&)>& body) {
    OpContext c = m_app->op();
    const bool ok = runOperation(c, id, [&] { body(c); });
    updateConnectionState();
    return ok;
}

void MainWindow::showAbout() {
    AboutDialog about(m_session.windowTitleText, m_webLabel, this);
    connect(&about, &AboutDialog::webPageRequested, this, &MainWindow::openWebPage);
    about.exec();
}

void MainWindow::openHelp() {
    if (!QFileInfo::exists(m_helpFile)) {
        m_ui.warning(Texts::warningTitle(), AppTexts::helpMissing().arg(m_helpFile));
        return;
    }
    // Our own window: it opens also where the desktop has no browser to hand the file to.
    if (!m_helpWindow)
        m_helpWindow = new HelpWindow(this);
    m_helpWindow->showDocument(m_helpFile);
}

void MainWindow::openWebPage() {
    // Our project page is the help document we ship.
    openHelp();
}
