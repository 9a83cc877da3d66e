// The window's side of verify reports, ELF jobs, HEX out and production runs, against the
// simulated programmer on a virtual clock.
#include "windowfixture.h"

#include "app/colours.h"
#include "app/hexlinedelegate.h"
#include "app/hexlinemodel.h"
#include "app/productionpanel.h"
#include "sim/simport.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {
QString elf() {
    return QStringLiteral(HVPP_TEST_DATA "/elf/app.elf");
}
} // namespace

class TestWindowFeatures : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // An ELF dropped on the FLASH tab fills both images and the fuse page; after writing
    // it, a compare with three bad bytes marks them and F3 walks from one to the next.
    void elfDropCompareAndMarks() {
        WindowFixture f;
        SimConfig config;
        auto port = std::make_unique<SimPort>(config);
        SimPort* sim = port.get();
        auto w = f.make(std::move(port));
        QVERIFY(drop(child<QWidget>(w.get(), QStringLiteral("FlashTab")), elf()));
        QVERIFY2(f.warnings.isEmpty(), qPrintable(f.warnings.join(u'|')));
        QCOMPARE(w->session().EepromBufferText, QStringLiteral("112233445566"));
        QCOMPARE(child<QLineEdit>(w.get(), QStringLiteral("FileNameText_1"))->text(), elf());
        QCOMPARE(w->session().fuses.frameDigits(0), QStringLiteral("E4"));
        QCOMPARE(w->session().fuses.frameDigits(3), QStringLiteral("FC"));
        QVERIFY(w->session().log.text().contains(QStringLiteral("ELF 熔丝位")));

        setOptions(*w, QStringLiteral("1110000000"));
        QTest::mouseClick(child<QPushButton>(w.get(), QStringLiteral("ProCommand")),
                          Qt::LeftButton);
        QByteArray& chip = sim->model().chip()->flash();
        for (int a : {0x05, 0x06, 0x42})
            chip[a] = char(chip[a] ^ 0x80);
        sim->clearSent();
        child<QPushButton>(w.get(), QStringLiteral("CompareFLASH"))->click();
        QCOMPARE(f.warnings, QStringList{QStringLiteral("FLASH地址0005数据校验失败！")});
        QVERIFY(!sim->sent().contains("WF#") && !sim->sent().contains("EM"));
        QVERIFY(w->session().log.text().contains(QStringLiteral("3 字节不符")));
        // The chip's value beside the file's: in the log and in a marked line's tooltip.
        const QString file5 = w->session().FlashBufferText.mid(10, 2);
        const QString chip5 =
            QString::number(quint8(chip[5]), 16).toUpper().rightJustified(2, u'0');
        QVERIFY(w->session().log.text().contains(QStringLiteral("0005 %1/%2").arg(file5, chip5)));

        auto* view = child<QListView>(w.get(), QStringLiteral("RichTextFLASH"));
        auto* model = view->model();
        QCOMPARE(model->index(0, 0).data(HexLineModel::DiffMaskRole).toUInt(), 0x60u);
        QCOMPARE(model->index(4, 0).data(HexLineModel::DiffMaskRole).toUInt(), 0x04u);
        QCOMPARE(model->index(1, 0).data(HexLineModel::DiffMaskRole).toUInt(), 0u);
        QVERIFY(model->index(0, 0)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .contains(QStringLiteral("0005: 文件 %1, 芯片 %2").arg(file5, chip5)));
        QVERIFY(model->index(1, 0).data(Qt::ToolTipRole).toString().isEmpty());

        QCOMPARE(view->currentIndex().row(), 0);
        auto* tab = child<QWidget>(w.get(), QStringLiteral("FlashTab"));
        w->findChild<QTabWidget*>()->setCurrentWidget(tab);
        w->show();
        QApplication::setActiveWindow(w.get());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        // The marked bytes stand on a box of their own on the selected line too, so that
        // they read as on any other (dark red on light red, 4.5:1 at least).
        QVERIFY(view->selectionModel()->isSelected(model->index(0, 0)));
        const QImage shot = view->viewport()->grab().toImage();
        const QRect line0 = view->visualRect(model->index(0, 0));
        int boxed = 0;
        for (int x = line0.left(); x < line0.right(); ++x)
            boxed += shot.pixelColor(x, line0.top() + 2) == HexLineDelegate::diffBox();
        QVERIFY2(boxed > 10, qPrintable(QString::number(boxed)));
        QVERIFY(contrastRatio(HexLineDelegate::diffText(), HexLineDelegate::diffBox()) >= 4.5);
        child<QPushButton>(w.get(), QStringLiteral("NextDiffFLASH"))->click();
        QCOMPARE(view->currentIndex().row(), 4);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_F3);
        QCOMPARE(view->currentIndex().row(), 0); // round to the first again

        // Loading anew takes the marks away.
        QVERIFY(drop(child<QWidget>(w.get(), QStringLiteral("FlashTab")), elf()));
        QCOMPARE(model->index(0, 0).data(HexLineModel::DiffMaskRole).toUInt(), 0u);
    }

    // "另存为" with a .hex name writes Intel HEX that loads back the same.
    void saveAsHex() {
        WindowFixture f;
        auto w = f.make(std::make_unique<SimPort>(SimConfig()));
        QVERIFY(drop(child<QWidget>(w.get(), QStringLiteral("FlashTab")), elf()));
        const QString image = w->session().FlashBufferText;
        const QString saved = f.file(QStringLiteral("copy.hex"));
        w->fileChooser().save = [&](QWidget*, const QString&, const QString&) { return saved; };
        child<QPushButton>(w.get(), QStringLiteral("SaveFlash"))->click();
        QFile out(saved);
        QVERIFY(out.open(QIODevice::ReadOnly));
        QVERIFY(out.readAll().startsWith(":10000000"));
        QVERIFY(w->session().log.text().contains(
            QStringLiteral("FLASH已另存为 copy.hex (%1 字节, Intel HEX)").arg(image.size() / 2)));
        child<QPushButton>(w.get(), QStringLiteral("ClearFLASH"))->click();
        QVERIFY(drop(child<QWidget>(w.get(), QStringLiteral("FlashTab")), saved));
        QCOMPARE(w->session().FlashBufferText, image);
    }

    // "连续编程": two chips, one bad; the counts, the CSV log and the stop button.
    void continuousProgramming() {
        WindowFixture f;
        auto port = std::make_unique<SimPort>(SimConfig());
        SimPort* sim = port.get();
        auto w = f.make(std::move(port));
        QVERIFY(drop(child<QWidget>(w.get(), QStringLiteral("FlashTab")), elf()));
        setOptions(*w, QStringLiteral("1110000010"));
        const QString csv = f.file(QStringLiteral("run.csv"));
        w->production()->setCsvPath(csv);
        auto* box = child<QCheckBox>(w.get(), QStringLiteral("ContinuousCheck"));
        box->click();
        QVERIFY(box->isChecked());
        auto* stop = child<QPushButton>(w.get(), QStringLiteral("StopProduction"));
        QVERIFY(!stop->isEnabled());
        int chips = 1;
        QObject::connect(
            &w->session().log, &MessageLog::messageLogged, w.get(), [&](const QString& t) {
                if (t.contains(QStringLiteral("请取出芯片"))) {
                    QVERIFY(stop->isEnabled());
                    sim->model().setChip(QStringLiteral("none"));
                } else if (t.contains(QStringLiteral("等待放入芯片"))) {
                    if (chips == 2) {
                        stop->click();
                        return;
                    }
                    ++chips;
                    sim->model().setChip(QStringLiteral("ATMEGA8"));
                    sim->model().faults().corruptFlashAddress = 0x10; // the second chip is bad
                }
            });
        QTest::mouseClick(child<QPushButton>(w.get(), QStringLiteral("ProCommand")),
                          Qt::LeftButton);
        QVERIFY(f.warnings.isEmpty()); // a bad chip is counted, not boxed
        QCOMPARE(child<QLabel>(w.get(), QStringLiteral("PassCount"))->text(),
                 QStringLiteral("通过: 1"));
        QCOMPARE(child<QLabel>(w.get(), QStringLiteral("FailCount"))->text(),
                 QStringLiteral("失败: 1"));
        QVERIFY(!stop->isEnabled());
        QVERIFY(child<QPushButton>(w.get(), QStringLiteral("ProCommand"))->isEnabled());
        QFile log(csv);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = log.readAll().trimmed().split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[1].contains(",PASS,"));
        QVERIFY(lines[2].contains(",FAIL,"));
    }
};

QTEST_MAIN(TestWindowFeatures)
#include "tst_window_features.moc"
