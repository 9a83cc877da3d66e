// What a user sees of the window beyond its operations: the help in a window of its own,
// the status bar at the fixed size, the hex view's header over its bytes, a readable hint,
// no maximise button, the keyboard focus after an operation, the dialogs' folder, and a
// failed save that names its file.
#include "windowfixture.h"

#include "app/aboutdialog.h"
#include "app/colours.h"
#include "app/filechooser.h"
#include "app/helpwindow.h"
#include "app/portstatuslabel.h"
#include "session/loader.h"
#include "support/scriptedport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTranslator>

namespace {

// A port with the long name udev gives a USB adapter.
class LongNamePort : public ScriptedPort {
  public:
    QString portName() const override {
        return QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    }
};

std::unique_ptr<ScriptedPort>
presentTarget(std::unique_ptr<ScriptedPort> port = std::make_unique<ScriptedPort>()) {
    port->answer("RI00#", "1E");
    port->answer("RI01#", "95");
    port->answer("RI02#", "02");
    return port;
}

// The English translation, installed while it lives (none for "zh").
struct Language {
    QTranslator translator;
    explicit Language(const QString& language) {
        if (language == u"en") {
            if (!translator.load(QStringLiteral(HVPP_BIN_DIR "/translations/hvpp_en.qm")))
                qFatal("no English translation in the build tree");
            QCoreApplication::installTranslator(&translator);
        }
    }
    ~Language() { QCoreApplication::removeTranslator(&translator); }
};

// Columns of an image that hold any pixel darker than the background.
QList<int> inkColumns(const QImage& image, int top, int bottom) {
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = qMax(0, top); y < qMin(image.height(), bottom); ++y)
            if (qGray(image.pixel(x, y)) < 128) {
                columns << x;
                break;
            }
    return columns;
}

} // namespace

class TestWindowPolish : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void helpOpensInOwnWindow_data();
    void helpOpensInOwnWindow();
    void missingHelpNamesTheFile();
    void statusBarKeepsEveryPanelWhole_data();
    void statusBarKeepsEveryPanelWhole();
    void hexHeaderStandsOverItsBytes();
    void standAloneHintIsReadable();
    void contrastRatioOfKnownColours_data();
    void contrastRatioOfKnownColours();
    void noMaximiseButton();
    void focusStaysOnTheOperationsButton();
    void dialogsStartInTheFolderLastUsed();
    void failedSaveNamesTheFile();
};

void TestWindowPolish::helpOpensInOwnWindow_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("titleWord");
    for (const QString& language : {QStringLiteral("zh"), QStringLiteral("en")}) {
        const QString word =
            language == u"en" ? QStringLiteral("user guide") : QStringLiteral("使用说明");
        for (const char* how : {"F1", "HELP", "About"})
            QTest::newRow(qPrintable(language + u' ' + QLatin1String(how)))
                << language << QString::fromLatin1(how) << word;
    }
}

void TestWindowPolish::helpOpensInOwnWindow() {
    QFETCH(QString, language);
    QFETCH(QString, how);
    QFETCH(QString, titleWord);
    WindowFixture f;
    AppOptions o;
    o.settingsFile = f.ini();
    o.setFolder = QStringLiteral(HVPP_SET_DIR);
    o.language = language; // the help document of the language, from the build tree
    o.warningHook = [&f](const QString&, const QString& text) { f.warnings << text; };
    MainWindow w(o, std::make_unique<ScriptedPort>());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    if (how == u"F1") {
        QTest::keyClick(&w, Qt::Key_F1);
    } else if (how == u"HELP") {
        w.findChild<QAction*>(QStringLiteral("HELP"))->trigger();
    } else {
        // The About window's link, then the About window closes.
        QTimer::singleShot(0, &w, [&w] {
            auto* about = w.findChild<AboutDialog*>(QStringLiteral("frmAbout"));
            QVERIFY(about);
            Q_EMIT child<QLabel>(about, QStringLiteral("Label2"))
                ->linkActivated(QStringLiteral("#"));
            about->accept();
        });
        w.findChild<QAction*>(QStringLiteral("About"))->trigger();
    }
    auto* help = w.findChild<HelpWindow*>(QStringLiteral("HelpWindow"));
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QVERIFY2(help->windowTitle().contains(titleWord), qPrintable(help->windowTitle()));
    QVERIFY(help->browser()->toPlainText().size() > 1000);
    QVERIFY(f.warnings.isEmpty());
    // Asked again, the same window comes to the front.
    QTest::keyClick(&w, Qt::Key_F1);
    QCOMPARE(w.findChildren<HelpWindow*>().size(), 1);
}

void TestWindowPolish::missingHelpNamesTheFile() {
    WindowFixture f;
    AppOptions o;
    o.settingsFile = f.ini();
    o.setFolder = QStringLiteral(HVPP_SET_DIR);
    o.helpFile = f.file(QStringLiteral("no-help.html"));
    o.warningHook = [&f](const QString&, const QString& text) { f.warnings << text; };
    MainWindow w(o, std::make_unique<ScriptedPort>());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keyClick(&w, Qt::Key_F1);
    QCOMPARE(f.warnings.size(), 1);
    QVERIFY(f.warnings.first().contains(o.helpFile));
    QVERIFY(!w.findChild<HelpWindow*>());
}

void TestWindowPolish::statusBarKeepsEveryPanelWhole_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("longPort");
    QTest::newRow("zh, short port") << QStringLiteral("zh") << false;
    QTest::newRow("zh, /dev/serial/by-id") << QStringLiteral("zh") << true;
    QTest::newRow("en, short port") << QStringLiteral("en") << false;
    QTest::newRow("en, /dev/serial/by-id") << QStringLiteral("en") << true;
}

void TestWindowPolish::statusBarKeepsEveryPanelWhole() {
    QFETCH(QString, language);
    QFETCH(bool, longPort);
    Language lang(language);
    WindowFixture f;
    auto w = f.make(presentTarget(longPort ? std::make_unique<LongNamePort>()
                                           : std::make_unique<ScriptedPort>()));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    // The largest chip and both images loaded: the longest panel texts there are.
    w->findChild<QAction*>(QStringLiteral("Chip_ATMEGA32"))->trigger();
    QString flash = QStringLiteral(HVPP_TEST_DATA "/full32k.bin");
    QString eeprom = QStringLiteral(HVPP_TEST_DATA "/full1k.eep");
    LoadFlashFile(w->session(), w->ui(), flash);
    LoadEepromFile(w->session(), w->ui(), eeprom);
    w->session().notifyPanels();
    QCoreApplication::processEvents();

    QStatusBar* bar = w->statusBar();
    QVERIFY(bar->width() <= MainWindow::designSize().width());
    for (QLabel* l : bar->findChildren<QLabel*>())
        qDebug() << "DBG" << l->objectName() << l->text() << l->width() << l->sizeHint().width()
                 << l->x() << bar->width();
    QStringList cut;
    for (const char* name :
         {"ConnectionPictures", "COMStatus", "MCUtypes", "FlashSizePanel", "EepromSizePanel"}) {
        QWidget* panel = child<QWidget>(w.get(), QString::fromLatin1(name));
        // The port panel may give way (see below); every other panel is whole.
        const int need = qobject_cast<PortStatusLabel*>(panel) ? panel->minimumSizeHint().width()
                         : qobject_cast<QLabel*>(panel)        ? panel->sizeHint().width()
                                                               : panel->minimumWidth();
        const QRect inBar(panel->mapTo(bar, QPoint(0, 0)), panel->size());
        if (panel->width() < need || inBar.right() > bar->width() || !panel->isVisible())
            cut << QStringLiteral("%1 (%2 < %3 at %4)")
                       .arg(QLatin1String(name))
                       .arg(panel->width())
                       .arg(need)
                       .arg(inBar.x());
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(", "))));
    QVERIFY(child<QLabel>(w.get(), QStringLiteral("FlashSizePanel"))
                ->text()
                .contains(QStringLiteral("32768")));
    QVERIFY(child<QLabel>(w.get(), QStringLiteral("EepromSizePanel"))
                ->text()
                .contains(QStringLiteral("1024")));

    // The port name gives way in its middle; the line settings stay; the whole is the tooltip.
    auto* com = child<PortStatusLabel>(w.get(), QStringLiteral("COMStatus"));
    const QString full =
        QStringLiteral("　　") + w->port()->portName() + QStringLiteral(":115200,N,8,1");
    QCOMPARE(com->text(), full);
    QCOMPARE(com->toolTip(), full);
    const QString shown = com->shownText();
    QVERIFY(QFontMetrics(com->font()).horizontalAdvance(shown) <= com->contentsRect().width());
    QVERIFY2(shown.endsWith(QStringLiteral(":115200,N,8,1")), qPrintable(shown));
    if (longPort)
        QVERIFY2(shown.startsWith(QStringLiteral("/dev/")) && // the lead goes first
                     shown.contains(QStringLiteral("port0:")),
                 qPrintable(shown));
    QCOMPARE(shown.contains(QChar(0x2026)), longPort);
    if (!longPort)
        QCOMPARE(shown, full);
}

void TestWindowPolish::hexHeaderStandsOverItsBytes() {
    WindowFixture f;
    auto w = f.make(std::make_unique<ScriptedPort>());
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    // 16 bytes whose digits are all ink: the line's data is one dark run after the address.
    QString path = QStringLiteral(HVPP_TEST_DATA "/full32k.bin");
    LoadFlashFile(w->session(), w->ui(), path);
    w->session().notifyFlash();
    auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    tabs->setCurrentIndex(1);
    QCoreApplication::processEvents();

    auto* header = child<QLabel>(w.get(), QStringLiteral("FlashHeader"));
    auto* view = child<QListView>(w.get(), QStringLiteral("RichTextFLASH"));
    QWidget* page = tabs->currentWidget();
    const QImage headerImage = header->grab().toImage();
    const QList<int> headerInk = inkColumns(headerImage, 0, headerImage.height());
    QVERIFY(!headerInk.isEmpty());
    const int headerFirst = header->mapTo(page, QPoint(headerInk.first(), 0)).x();
    const int headerLast = header->mapTo(page, QPoint(headerInk.last(), 0)).x();

    const QRect row = view->visualRect(view->model()->index(0, 0));
    const QImage viewImage = view->viewport()->grab().toImage();
    const QList<int> rowInk = inkColumns(viewImage, row.top(), row.bottom());
    QVERIFY(rowInk.size() > 10);
    // The widest gap between inked columns is the U+3000 between address and data.
    int gapAt = 1;
    for (int i = 1; i < rowInk.size(); ++i)
        if (rowInk[i] - rowInk[i - 1] > rowInk[gapAt] - rowInk[gapAt - 1])
            gapAt = i;
    const int dataFirst = view->viewport()->mapTo(page, QPoint(rowInk[gapAt], 0)).x();
    const int dataLast = view->viewport()->mapTo(page, QPoint(rowInk.last(), 0)).x();
    const int digit = QFontMetrics(view->font()).horizontalAdvance(QLatin1Char('0'));
    // "0" over the first byte, "F" over the sixteenth (the last digit's ink ends a digit later).
    QVERIFY2(qAbs(headerFirst - dataFirst) <= 2,
             qPrintable(QStringLiteral("%1 vs %2").arg(headerFirst).arg(dataFirst)));
    QVERIFY2(qAbs(headerLast - (dataLast - digit)) <= 3,
             qPrintable(QStringLiteral("%1 vs %2").arg(headerLast).arg(dataLast - digit)));
}

void TestWindowPolish::standAloneHintIsReadable() {
    WindowFixture f;
    auto w = f.make(std::make_unique<ScriptedPort>());
    auto* hint = child<QLabel>(w.get(), QStringLiteral("LeavePcHint"));
    QVERIFY(hint->isEnabled());
    const QPalette p = hint->palette();
    const QColor back = hint->parentWidget()->palette().color(QPalette::Window);
    QVERIFY(contrastRatio(p.color(QPalette::WindowText), back) >= 4.5);
    // Still a note: lighter than the window's own text.
    QVERIFY(contrastRatio(p.color(QPalette::WindowText), back) <
            contrastRatio(w->palette().color(QPalette::WindowText), back));
}

void TestWindowPolish::contrastRatioOfKnownColours_data() {
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("same") << QColor(0x77, 0x77, 0x77) << QColor(0x77, 0x77, 0x77) << 1.0;
    QTest::newRow("#767676 on white") << QColor(0x76, 0x76, 0x76) << QColor(Qt::white) << 4.54;
    QTest::newRow("disabled grey on #efefef")
        << QColor(0xa0, 0xa0, 0xa0) << QColor(0xef, 0xef, 0xef) << 2.27;
}

void TestWindowPolish::contrastRatioOfKnownColours() {
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, ratio);
    QVERIFY(qAbs(contrastRatio(a, b) - ratio) < 0.02);
    QVERIFY(qAbs(contrastRatio(b, a) - ratio) < 0.02);
    // A muted colour on either kind of palette stays readable.
    QPalette p;
    p.setColor(QPalette::WindowText, a);
    p.setColor(QPalette::Window, b);
    const QColor muted = mutedTextColor(p);
    QVERIFY(contrastRatio(muted, b) >= qMin(4.5, ratio - 0.01));
}

void TestWindowPolish::noMaximiseButton() {
    WindowFixture f;
    auto w = f.make(std::make_unique<ScriptedPort>());
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
}

void TestWindowPolish::focusStaysOnTheOperationsButton() {
    WindowFixture f;
    auto w = f.make(presentTarget());
    w->show();
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    for (const char* name : {"ReadSIG", "ReadFlash", "ReadEEPROM"}) {
        auto* button = child<QPushButton>(w.get(), QString::fromLatin1(name));
        button->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), button);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(button->isEnabled());
        QVERIFY2(QApplication::focusWidget() == button,
                 qPrintable(QLatin1String(name) + QStringLiteral(" -> ") +
                            (QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                         : QString())));
        QVERIFY(!qobject_cast<QLineEdit*>(QApplication::focusWidget()));
    }
}

void TestWindowPolish::dialogsStartInTheFolderLastUsed() {
    QStringList asked; // "open|save folder" for each dialog shown
    QString answer;
    auto dialog = [&](const char* kind) {
        return [&, kind](QWidget*, const QString&, const QString& folder, const QString&) {
            asked << QLatin1String(kind) + u'|' + folder;
            return answer;
        };
    };
    FileChooser files =
        FileChooser::rememberingFolder(dialog("open"), dialog("save"), QStringLiteral("/start"));
    const struct {
        bool open;
        const char* answer;
        const char* expectedFolder;
    } steps[] = {
        {true, "", "/start"}, // Cancel: nothing changes
        {true, "/data/images/app.hex", "/start"},
        {true, "", "/data/images"}, // starts where the last file was
        {false, "/out/read.bin", "/data/images"},
        {true, "/x/y.eep", "/out"}, // open and save share the folder
        {false, "", "/x"},
    };
    for (const auto& step : steps) {
        answer = QString::fromLatin1(step.answer);
        const QString got = step.open ? files.open(nullptr, QString(), QString())
                                      : files.save(nullptr, QString(), QString());
        QCOMPARE(got, answer);
        QCOMPARE(asked.takeLast(),
                 QLatin1String(step.open ? "open|" : "save|") + QLatin1String(step.expectedFolder));
    }
}

void TestWindowPolish::failedSaveNamesTheFile() {
    WindowFixture f;
    auto w = f.make(std::make_unique<ScriptedPort>());
    QString path = QStringLiteral(HVPP_TEST_DATA "/blink.bin");
    LoadFlashFile(w->session(), w->ui(), path);
    const QString target = f.file(QStringLiteral("no-such-folder/saved.bin"));
    w->fileChooser().save = [&](QWidget*, const QString&, const QString&) { return target; };
    child<QPushButton>(w.get(), QStringLiteral("SaveFlash"))->click();
    QCOMPARE(f.warnings.size(), 1);
    QVERIFY2(f.warnings.first().contains(QDir::toNativeSeparators(target)),
             qPrintable(f.warnings.first()));
    QVERIFY(!QFileInfo::exists(target));
}

QTEST_MAIN(TestWindowPolish)
#include "tst_window_polish.moc"
