// Renders every tab of the window at its design size and checks that no caption is cut:
// each visible button, label, check box and group box gets at least the width its text
// needs, the port's path stands whole in the status bar, and a warning box is wide enough
// for its title. The window shows ATMEGA168 (the widest fuse frames) and two loaded images.
// With HVPP_RENDER_DIR set the pictures are kept there (scripts/render-tabs.sh).
#include "windowfixture.h"

#include "app/apptexts.h"
#include "app/portstatuslabel.h"
#include "app/widgetui.h"
#include "image/images.h"
#include "ops/opstexts.h"
#include "session/selectchip.h"
#include "support/scriptedport.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTranslator>
#include <QTreeWidget>

class TestMainWindowRender : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void everyTabFits_data();
    void everyTabFits();
    void boxesSayItWhole_data() { everyTabFits_data(); }
    void boxesSayItWhole();
};

namespace {
// A programmer on the usual Linux device.
struct UsbPort : ScriptedPort {
    QString portName() const override { return QStringLiteral("/dev/ttyUSB0"); }
};

void installEnglish(QTranslator& english, const QString& language) {
    if (language == u"en" && english.load(QStringLiteral(HVPP_BIN_DIR "/translations/hvpp_en.qm")))
        QCoreApplication::installTranslator(&english);
}
} // namespace

// Chinese is the source; English is the translation the build compiles beside the programs.
void TestMainWindowRender::everyTabFits_data() {
    QTest::addColumn<QString>("language");
    QTest::newRow("zh") << QStringLiteral("zh");
    QTest::newRow("en") << QStringLiteral("en");
}

static bool hasChinese(const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF)
            return true;
    return false;
}

void TestMainWindowRender::everyTabFits() {
    QFETCH(QString, language);
    QTranslator english;
    installEnglish(english, language);
    QVERIFY(language == u"zh" || !english.isEmpty());
    WindowFixture f;
    auto port = std::make_unique<UsbPort>();
    port->answer("RI00#", "1E");
    auto w = f.make(std::move(port), language);
    Session& s = w->session();
    SelectChip(s, QStringLiteral("ATMEGA168"));
    s.fuses.LoadFuseDescription(QStringLiteral("ATMEGA168.FUS"));
    s.fuses.ApplyFuseText(s.fuses.defaultFuseText());
    s.flashSizePanel = flashSizeText(16384);
    s.eepromSizePanel = eepromSizeText(512);
    s.selChipLabel = QStringLiteral("ATMEGA8535"); // the widest name of the table
    s.currentChipLabel = OpsTexts::programmerSilent();
    s.notifyPanels();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    for (int i = 0; i < 40; ++i)
        s.log.logMessage(QStringLiteral("写FLASH......"));

    const QString keep = qEnvironmentVariable("HVPP_RENDER_DIR");
    const QString out = keep.isEmpty() ? f.dir.path() : keep;
    QDir().mkpath(out);
    auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 5);
    for (int t = 0; t < tabs->count(); ++t) {
        tabs->setCurrentIndex(t);
        QCoreApplication::processEvents();
        const QString file = QDir(out).filePath(
            QStringLiteral("%3-tab%1-%2.png").arg(t).arg(tabs->widget(t)->objectName(), language));
        QVERIFY(w->grab().save(file));

        QStringList cut;
        for (QWidget* c : w->findChildren<QWidget*>()) {
            if (!c->isVisibleTo(w.get()) ||
                !(qobject_cast<QAbstractButton*>(c) || qobject_cast<QLabel*>(c) ||
                  qobject_cast<QGroupBox*>(c)))
                continue;
            if (auto* l = qobject_cast<QLabel*>(c); l && (l->wordWrap() || l->text().isEmpty()))
                continue;
            if (c->width() + 1 < c->minimumSizeHint().width())
                cut << QStringLiteral("%1 (%2 < %3)")
                           .arg(c->objectName().isEmpty()
                                    ? QString::fromLatin1(c->metaObject()->className())
                                    : c->objectName())
                           .arg(c->width())
                           .arg(c->minimumSizeHint().width());
        }
        QVERIFY2(cut.isEmpty(), qPrintable(tabs->tabText(t) + QStringLiteral(": ") +
                                           cut.join(QStringLiteral(", "))));
        auto* com = w->findChild<PortStatusLabel*>(QStringLiteral("COMStatus"));
        QVERIFY(com->text().contains(QStringLiteral("/dev/ttyUSB0")));
        QVERIFY2(com->shownText().contains(QStringLiteral("/dev/ttyUSB0:115200,N,8,1")),
                 qPrintable(com->shownText()));
        // Every toolbar button in view: none pushed behind the toolbar's extension arrow.
        auto* more = w->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
        QVERIFY2(!more || !more->isVisible(), "toolbar buttons hidden behind its extension button");

        // In English no caption of the window is left in Chinese, the fuse options (from the
        // English set of fuse description files) included.
        if (language != u"en")
            continue;
        QStringList chinese;
        for (QWidget* c : w->findChildren<QWidget*>()) {
            if (!c->isVisibleTo(w.get()))
                continue;
            QString text;
            if (auto* l = qobject_cast<QLabel*>(c))
                text = l->text();
            else if (auto* b = qobject_cast<QAbstractButton*>(c))
                text = b->text();
            else if (auto* g = qobject_cast<QGroupBox*>(c))
                text = g->title();
            if (hasChinese(text + c->toolTip()))
                chinese << text + u'|' + c->toolTip();
        }
        for (QAction* a : w->findChildren<QAction*>())
            if (hasChinese(a->text() + a->toolTip()) &&
                !a->objectName().startsWith(QStringLiteral("Chip_")))
                chinese << a->text();
        for (int i = 0; i < tabs->count(); ++i)
            if (hasChinese(tabs->tabText(i)))
                chinese << tabs->tabText(i);
        auto* tree = w->findChild<QTreeWidget*>();
        QVERIFY(tree && tree->topLevelItemCount() > 50);
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            if (hasChinese(tree->topLevelItem(i)->text(0)))
                chinese << tree->topLevelItem(i)->text(0);
        QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(QStringLiteral(", "))));
    }
}

// A warning box shows its whole title (not "警告…"), and the quit box still asks.
void TestMainWindowRender::boxesSayItWhole() {
    QFETCH(QString, language);
    QTranslator english;
    installEnglish(english, language);
    QMessageBox box(QMessageBox::Warning, Texts::warningTitle(), OpsTexts::flashMismatch(5),
                    QMessageBox::Ok);
    fitTitle(&box);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QFont bold = QApplication::font();
    bold.setBold(true);
    QCOMPARE(box.windowTitle(), box.windowTitle().trimmed());
    QVERIFY(box.width() >=
            QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + TitleBarChrome);
    QVERIFY2(AppTexts::quitWhileBusy().endsWith(u'?'), qPrintable(AppTexts::quitWhileBusy()));
    QVERIFY2(AppTexts::quitAfterRun().endsWith(u'?'), qPrintable(AppTexts::quitAfterRun()));
}

QTEST_MAIN(TestMainWindowRender)
#include "tst_mainwindow_render.moc"
