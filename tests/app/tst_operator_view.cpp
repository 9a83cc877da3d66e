// The operator's view of a production run in the window, on the simulated programmer's
// virtual clock: the large verdict, the job's counts against the target, the log file
// that keeps every line, and a locked scheme whose file changed refusing the run.
#include "windowfixture.h"

#include "app/productionpanel.h"
#include "scheme/scheme.h"
#include "sim/simport.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

class TestOperatorView : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Target 2, the second chip bad: WAITING between chips, FAIL at the end, the job's
    // totals, every chip's line in the log file.
    void verdictCountsAndLogFile() {
        WindowFixture f;
        auto port = std::make_unique<SimPort>(SimConfig());
        SimPort* sim = port.get();
        auto w = f.make(std::move(port));
        w->session().FlashBufferText = QStringLiteral("0C94").repeated(64);
        setOptions(*w, QStringLiteral("0100000010"));
        QFile::remove(ProductionPanel::logFilePath());
        ProductionPanel* panel = w->production();
        panel->setTargetCount(2);
        child<QCheckBox>(w.get(), QStringLiteral("ContinuousCheck"))->click();
        auto* verdict = child<QLabel>(w.get(), QStringLiteral("ProductionVerdict"));
        QVERIFY(!verdict->isHidden());
        QStringList seen;
        QObject::connect(&w->session().log, &MessageLog::messageLogged, w.get(),
                         [&](const QString& t) {
                             if (t.contains(QStringLiteral("请取出芯片"))) {
                                 seen << verdict->text();
                                 sim->model().setChip(QStringLiteral("none"));
                             } else if (t.contains(QStringLiteral("等待放入芯片"))) {
                                 seen << verdict->text();
                                 sim->model().setChip(QStringLiteral("ATMEGA8"));
                                 sim->model().faults().corruptFlashAddress = 0x10;
                             }
                         });
        QTest::mouseClick(child<QPushButton>(w.get(), QStringLiteral("ProCommand")),
                          Qt::LeftButton);
        QCOMPARE(seen, (QStringList{QStringLiteral("PASS"), QStringLiteral("等待芯片")}));
        QCOMPARE(verdict->text(), QStringLiteral("FAIL"));
        const QString job = child<QLabel>(w.get(), QStringLiteral("JobCounts"))->text();
        QVERIFY2(job.contains(QStringLiteral("通过 1, 失败 1")) &&
                     job.contains(QStringLiteral("2 / 目标 2")),
                 qPrintable(job));
        QFile log(ProductionPanel::logFilePath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(log.readAll());
        QVERIFY(text.contains(QStringLiteral("第 1 片: 通过")) &&
                text.contains(QStringLiteral("第 2 片: 失败")));
        QVERIFY(f.warnings.isEmpty());
    }

    // A locked scheme whose flash file changed: a box naming the file, not one frame sent.
    void lockedSchemeRefusesTheRun() {
        WindowFixture f;
        auto port = std::make_unique<SimPort>(SimConfig());
        SimPort* sim = port.get();
        auto w = f.make(std::move(port));
        const QString app = f.file(QStringLiteral("app.hex"));
        QVERIFY(QFile::copy(QStringLiteral(HVPP_TEST_DATA "/blink.hex"), app));
        QFile::setPermissions(app, QFile::ReadOwner | QFile::WriteOwner);
        w->session().fileName[0] = app;
        const QString set = f.file(QStringLiteral("job.SET"));
        QVERIFY(SaveSet(w->session(), set, nullptr, true));
        w->production()->setScheme(set);
        QFile file(app);
        QVERIFY(file.open(QIODevice::Append) && file.write("\r\n") == 2);
        file.close();
        child<QCheckBox>(w.get(), QStringLiteral("ContinuousCheck"))->click();
        const qsizetype before = sim->writes().size();
        QTest::mouseClick(child<QPushButton>(w.get(), QStringLiteral("ProCommand")),
                          Qt::LeftButton);
        QCOMPARE(f.warnings.size(), 1);
        QVERIFY2(f.warnings[0].startsWith(QStringLiteral("app.hex 已改变: 方案 ")),
                 qPrintable(f.warnings[0]));
        QCOMPARE(sim->writes().size(), before);
    }
};

QTEST_MAIN(TestOperatorView)
#include "tst_operator_view.moc"
