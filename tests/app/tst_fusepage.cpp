// The fuse page over the fuse editor: bit labels, byte frames and the option tree, driven
// through the widgets as a user would.
#include "app/appcontext.h"
#include "app/fuseoptiontree.h"
#include "app/fusepage.h"
#include "chips/chiptable.h"
#include "support/recordingui.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QStringEncoder>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

// A small description: lock bits 7..6 and the whole extended byte do not exist.
const char* const kDefault = "**111111********1101100111100001";

QByteArray testDescription() {
    QStringList lines;
    lines << QString::fromLatin1(kDefault);
    for (int p = 31; p >= 0; --p)
        lines << QStringLiteral("位%1").arg(p);
    lines << QStringLiteral("说明文字, 被忽略") << QStringLiteral("##");
    lines << QStringLiteral("  低位0 单比特{FSB00FFFE/0000>") // node 0: low bit 0
          << QStringLiteral("引导区 256字{FDB01F9FF/0600>")   // node 1..3: high bits 2..1
          << QStringLiteral("引导区 512字{FDB02F9FF/0400>")
          << QStringLiteral("引导区 1024字{FDB03F9FF/0200>")
          << QStringLiteral("低位7 危险{FSB01FF7F/0000>*") // node 4: red
          << QStringLiteral("不加密{FDL0100FC/0003>")      // node 5..6: lock 1..0
          << QStringLiteral("禁止编程{FDL0200FC/0002>") << QStringLiteral("##");
    QStringEncoder gbk("GBK");
    return QByteArray(gbk.encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

struct Harness {
    Session session;
    Link link{nullptr, &session.log};
    RecordingUi ui;
    AppContext app{session, link, ui};
};

QString bits(const FusePage& page) {
    QString t;
    for (int p = 31; p >= 0; --p)
        t += page.findChild<QLabel*>(QStringLiteral("Label1_%1").arg(p))->text();
    return t;
}

QString frame(const FusePage& page, int i) {
    return page.findChild<QGroupBox*>(QStringLiteral("Frame1_%1").arg(i))->title();
}

// A click on the check box of a node, where the user would click it.
void clickCheck(QTreeWidget* tree, int node) {
    QTreeWidgetItem* item = tree->topLevelItem(node);
    tree->scrollToItem(item);
    QStyleOptionViewItem opt;
    opt.initFrom(tree->viewport());
    opt.rect = tree->visualItemRect(item);
    opt.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration;
    opt.decorationSize = tree->iconSize();
    opt.checkState = item->checkState(0);
    const QRect check =
        tree->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, tree);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, check.center());
}

QList<bool> marks(QTreeWidget* tree) {
    QList<bool> m;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        m << (tree->topLevelItem(i)->checkState(0) == Qt::Checked);
    return m;
}

} // namespace

class TestFusePage : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QFile f(m_dir.filePath(QStringLiteral("TESTCHIP.FUS")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(testDescription());
    }

    void clicksFollowTheEditorRules() {
        Harness h;
        FuseEditor& fuses = h.session.fuses;
        fuses.setSetFolder(m_dir.path());
        FusePage page(h.app);
        page.resize(440, 400);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QVERIFY(fuses.LoadFuseDescription(QStringLiteral("TESTCHIP.FUS")));
        fuses.ApplyFuseText(fuses.defaultFuseText());

        QTreeWidget* tree = page.findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
        QVERIFY(tree);
        QCOMPARE(tree->topLevelItemCount(), 7);
        QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("低位0 单比特"));
        QCOMPARE(tree->topLevelItem(4)->text(0), QStringLiteral("低位7 危险"));
        QCOMPARE(tree->topLevelItem(4)->foreground(0).color(), QColor(205, 0, 0));
        QCOMPARE(tree->topLevelItem(0)->background(0).color(), QColor(205, 218, 204));
        QCOMPARE(tree->topLevelItem(2)->background(0).color(), QColor(205, 218, 204));
        QCOMPARE(tree->topLevelItem(1)->background(0).style(), Qt::NoBrush);
        QVERIFY(!tree->topLevelItem(3)->icon(0).isNull());
        QCOMPARE(page.findChild<QLabel*>(QStringLiteral("Label1Name_9"))->text(),
                 QStringLiteral("位9"));

        QCOMPARE(bits(page), QString::fromLatin1(kDefault));
        QCOMPARE(frame(page, 0), QStringLiteral("熔丝低字节[E1]"));
        QCOMPARE(frame(page, 1), QStringLiteral("熔丝高字节[D9]"));
        QCOMPARE(frame(page, 2), QStringLiteral("扩展熔丝位[FF]"));
        QCOMPARE(frame(page, 3), QStringLiteral("锁定位[FF]"));
        // High bits 2..1 are 00, which no choice of the group stands for; low bits 0 and 7
        // are 1 (unchecked); the lock bits 1..0 are 11, "不加密".
        QCOMPARE(marks(tree), (QList<bool>{false, false, false, false, false, true, false}));

        // The single bit: checked programs it (0, red), unchecked returns it to 1.
        clickCheck(tree, 0);
        QCOMPARE(marks(tree)[0], true);
        auto* low0 = page.findChild<QLabel*>(QStringLiteral("Label1_0"));
        QCOMPARE(low0->text(), QStringLiteral("0"));
        QCOMPARE(low0->palette().color(QPalette::Active, QPalette::WindowText), QColor(240, 0, 0));
        QCOMPARE(frame(page, 0), QStringLiteral("熔丝低字节[E0]"));
        clickCheck(tree, 0);
        QCOMPARE(marks(tree)[0], false);
        QCOMPARE(low0->text(), QStringLiteral("1"));
        QCOMPARE(low0->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(frame(page, 0), QStringLiteral("熔丝低字节[E1]"));

        // A group choice: writes its field and unchecks the others; clicking it again does
        // not uncheck it.
        clickCheck(tree, 2);
        QCOMPARE(marks(tree).mid(1, 3), (QList<bool>{false, true, false}));
        QCOMPARE(frame(page, 1), QStringLiteral("熔丝高字节[DD]"));
        clickCheck(tree, 2);
        QCOMPARE(marks(tree).mid(1, 3), (QList<bool>{false, true, false}));
        QCOMPARE(frame(page, 1), QStringLiteral("熔丝高字节[DD]"));
        clickCheck(tree, 1);
        QCOMPARE(marks(tree).mid(1, 3), (QList<bool>{true, false, false}));
        QCOMPARE(frame(page, 1), QStringLiteral("熔丝高字节[DF]"));
        QCOMPARE(frame(page, 0), QStringLiteral("熔丝低字节[E1]"));

        // A lock choice keeps the missing lock bits at "*".
        clickCheck(tree, 6);
        QCOMPARE(marks(tree).mid(5, 2), (QList<bool>{false, true}));
        QCOMPARE(frame(page, 3), QStringLiteral("锁定位[FE]"));
        QCOMPARE(bits(page).left(8), QStringLiteral("**111110"));

        // Clicking a bit label toggles it and the tree follows: high bit 2 to 0 leaves the
        // field at 01, the 1024-word choice.
        auto* high2 = page.findChild<QLabel*>(QStringLiteral("Label1_10"));
        QTest::mouseClick(high2, Qt::LeftButton);
        QCOMPARE(high2->text(), QStringLiteral("0"));
        QCOMPARE(frame(page, 1), QStringLiteral("熔丝高字节[DB]"));
        QCOMPARE(marks(tree).mid(1, 3), (QList<bool>{false, false, true}));

        // A bit the chip lacks is "*", disabled, and does not toggle.
        auto* lock7 = page.findChild<QLabel*>(QStringLiteral("Label1_31"));
        QCOMPARE(lock7->text(), QStringLiteral("*"));
        QVERIFY(!lock7->isEnabled());
        QVERIFY(!page.findChild<QLabel*>(QStringLiteral("Label1Name_31"))->isEnabled());
        QTest::mouseClick(lock7, Qt::LeftButton);
        QCOMPARE(lock7->text(), QStringLiteral("*"));

        // A double click on a frame brings the defaults back.
        auto* highFrame = page.findChild<QGroupBox*>(QStringLiteral("Frame1_1"));
        QTest::mouseDClick(highFrame, Qt::LeftButton, {}, QPoint(highFrame->width() / 2, 4));
        QCOMPARE(bits(page), QString::fromLatin1(kDefault));
        QCOMPARE(marks(tree), (QList<bool>{false, false, false, false, false, true, false}));
    }

    void keyboardCannotUncheckAGroupChoice() {
        Harness h;
        FuseEditor& fuses = h.session.fuses;
        fuses.setSetFolder(m_dir.path());
        FusePage page(h.app);
        QVERIFY(fuses.LoadFuseDescription(QStringLiteral("TESTCHIP.FUS")));
        fuses.ApplyFuseText(fuses.defaultFuseText());
        QTreeWidget* tree = page.tree();
        tree->topLevelItem(3)->setCheckState(0, Qt::Checked); // as the space bar does
        QCOMPARE(frame(page, 1), QStringLiteral("熔丝高字节[DB]"));
        tree->topLevelItem(3)->setCheckState(0, Qt::Unchecked);
        QCOMPARE(tree->topLevelItem(3)->checkState(0), Qt::Checked);
        QCOMPARE(frame(page, 1), QStringLiteral("熔丝高字节[DB]"));
    }

    // Every chip's page as the user sees it: the frames, and the tree at its full width
    // without cut-off rows. With HVPP_RENDER_DIR set, each page is also saved as a PNG.
    void everyChipsTreeFits() {
        const QString dir = qEnvironmentVariable("HVPP_RENDER_DIR");
        int loaded = 0;
        for (const QString& chip : ChipTable::names()) {
            Harness h;
            FuseEditor& fuses = h.session.fuses;
            fuses.setSetFolder(QStringLiteral(HVPP_SET_DIR));
            FusePage page(h.app);
            page.resize(440, 400);
            page.show();
            QVERIFY(QTest::qWaitForWindowExposed(&page));
            if (!fuses.LoadFuseDescription(chip + QStringLiteral(".FUS")))
                continue;
            ++loaded;
            fuses.ApplyFuseText(fuses.defaultFuseText());
            QCoreApplication::processEvents(); // the tree lays its rows out
            if (!dir.isEmpty())
                QVERIFY(page.grab().save(dir + QStringLiteral("/fuses_%1.png").arg(chip)));
            QTreeWidget* tree = page.tree();
            QVERIFY2(tree->topLevelItemCount() > 0, qPrintable(chip));
            QVERIFY2(tree->horizontalScrollBar()->maximum() == 0, qPrintable(chip));
            for (int i = 0; i < tree->topLevelItemCount(); ++i) {
                // A wrapped row is as tall as its caption: nothing of it is hidden.
                QTreeWidgetItem* item = tree->topLevelItem(i);
                QStyleOptionViewItem opt;
                opt.initFrom(tree->viewport());
                opt.rect = tree->visualItemRect(item);
                opt.features |= QStyleOptionViewItem::HasCheckIndicator |
                                QStyleOptionViewItem::HasDecoration |
                                QStyleOptionViewItem::HasDisplay;
                opt.decorationSize = tree->iconSize();
                opt.text = item->text(0);
                opt.font = tree->font();
                const QRect text = fuseOptionTextRect(opt, tree);
                QVERIFY2(opt.rect.height() >=
                             wrappedTextHeight(item->text(0), tree->font(), text.width()),
                         qPrintable(chip + u' ' + item->text(0)));
            }
            for (int f = 0; f < 4; ++f) {
                auto* box = page.findChild<QGroupBox*>(QStringLiteral("Frame1_%1").arg(f));
                QVERIFY(box->width() >= box->fontMetrics().horizontalAdvance(box->title()));
            }
        }
        if (loaded == 0)
            QSKIP("no description files in the Set folder");
    }
};

QTEST_MAIN(TestFusePage)
#include "tst_fusepage.moc"
