// Renders every tab of the window at its design size and checks that no caption is cut:
// each visible button, label and check box gets at least the width its text needs.
// With HVPP_RENDER_DIR set the pictures are kept there (scripts/render-tabs.sh).
#include "windowfixture.h"

#include "support/scriptedport.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTranslator>

class TestMainWindowRender : public QObject {
    Q_OBJECT
private Q_SLOTS:
  void everyTabFits_data();
  void everyTabFits();
};

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
    if (language == u"en") {
        QVERIFY(english.load(QStringLiteral(HVPP_BIN_DIR "/translations/hvpp_en.qm")));
        QCoreApplication::installTranslator(&english);
    }
    WindowFixture f;
    auto port = std::make_unique<ScriptedPort>();
    port->answer("RI00#", "1E");
    auto w = f.make(std::move(port));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    for (int i = 0; i < 40; ++i)
        w->session().log.logMessage(QStringLiteral("写FLASH......"));

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
            if (!c->isVisibleTo(w.get()) || !(qobject_cast<QAbstractButton*>(c) || qobject_cast<QLabel*>(c)))
                continue;
            if (auto* l = qobject_cast<QLabel*>(c); l && (l->wordWrap() || l->text().isEmpty()))
                continue;
            if (c->width() + 1 < c->minimumSizeHint().width())
                cut << QStringLiteral("%1 (%2 < %3)").arg(c->objectName().isEmpty() ? QString::fromLatin1(c->metaObject()->className()) : c->objectName())
                           .arg(c->width()).arg(c->minimumSizeHint().width());
        }
        QVERIFY2(cut.isEmpty(), qPrintable(tabs->tabText(t) + QStringLiteral(": ") + cut.join(QStringLiteral(", "))));
        // Every toolbar button in view: none pushed behind the toolbar's extension arrow.
        auto* more = w->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
        QVERIFY2(!more || !more->isVisible(), "toolbar buttons hidden behind its extension button");

        // In English no caption of the window is left in Chinese. The fuse page's bit and
        // option names come from the chip's fuse description file, not from us.
        if (language != u"en")
            continue;
        QStringList chinese;
        for (QWidget* c : w->findChildren<QWidget*>()) {
            if (!c->isVisibleTo(w.get()) || c->objectName().startsWith(QStringLiteral("Label1_")))
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
        QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(QStringLiteral(", "))));
    }
}

QTEST_MAIN(TestMainWindowRender)
#include "tst_mainwindow_render.moc"
