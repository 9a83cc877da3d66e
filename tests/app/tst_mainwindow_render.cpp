// Renders every tab of the window at its design size and checks that no caption is cut:
// each visible button, label and check box gets at least the width its text needs.
// With HVPP_RENDER_DIR set the pictures are kept there (scripts/render-tabs.sh).
#include "windowfixture.h"

#include "support/scriptedport.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QTabWidget>
#include <QTest>

class TestMainWindowRender : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyTabFits();
};

void TestMainWindowRender::everyTabFits() {
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
        const QString file = QDir(out).filePath(QStringLiteral("tab%1-%2.png").arg(t).arg(tabs->widget(t)->objectName()));
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
    }
}

QTEST_MAIN(TestMainWindowRender)
#include "tst_mainwindow_render.moc"
