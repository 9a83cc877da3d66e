// The page "脱机选项" against the simulated programmer: the settings written with "写入设置"
// land in its settings memory and come back into the page with "读取设置"; "写入数据" and
// "存熔丝数据" fill its image copy and chip table.
#include "app/appcontext.h"
#include "app/offlinepage.h"
#include "session/selectchip.h"
#include "support/rig.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {
struct Harness : SimRig {
    AppContext app{session, link, ui};
};

template <typename W> W* child(const QWidget& page, const QString& name) {
    W* w = page.findChild<W*>(name);
    if (!w)
        qWarning("no control %s", qPrintable(name));
    return w;
}

void type(const QWidget& page, const char* name, const QString& keys) {
    auto* edit = child<QLineEdit>(page, QString::fromLatin1(name));
    edit->selectAll();
    QTest::keyClicks(edit, keys);
}

quint8 settingsByte(const Harness& h, int address) {
    return quint8(h.port.model().settingsMemory().at(address));
}
} // namespace

class TestOfflinePageSim : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void settingsWrittenAndReadBack() {
        Harness h;
        SelectChip(h.session, QStringLiteral("ATMEGA16"));
        h.session.fuses.LoadFuseDescription(QStringLiteral("ATMEGA16.FUS"));
        h.session.fuses.ApplyFuseText(QStringLiteral("11111100111111111001100111100001"));
        OfflinePage page(h.app);
        page.show();

        for (int n : {0, 2, 7})
            QTest::mouseClick(child<QCheckBox>(page, QStringLiteral("LeavePcCheck_%1").arg(n)),
                              Qt::LeftButton);
        child<QRadioButton>(page, QStringLiteral("Option8"))->click();
        child<QRadioButton>(page, QStringLiteral("LeavePC_OA_2"))->click();
        type(page, "Text8", QStringLiteral("1fe"));
        child<QRadioButton>(page, QStringLiteral("Option5"))->click();
        type(page, "Text5", QStringLiteral("0f00"));
        child<QScrollBar>(page, QStringLiteral("VScroll4"))->setValue(-3);
        type(page, "Text3", QStringLiteral("305419896"));
        QCOMPARE(child<QLineEdit>(page, QStringLiteral("Text2"))->text(),
                 QStringLiteral("12345678"));

        QTest::mouseClick(child<QPushButton>(page, QStringLiteral("WriteLeaveSet")),
                          Qt::LeftButton);
        QVERIFY2(h.ui.warnings.isEmpty(), qPrintable(h.ui.warnings.join(u'\n')));
        QCOMPARE(settingsByte(h, 0x01), quint8(0x85));
        QCOMPARE(settingsByte(h, 0x08), quint8(64)); // ATMEGA16: 64-word pages
        QCOMPARE(settingsByte(h, 0x0A), quint8(0x1E));
        QCOMPARE(settingsByte(h, 0x0B), quint8(0x94));
        QCOMPARE(settingsByte(h, 0x0C), quint8(0x03));
        QCOMPARE(settingsByte(h, 0x10), quint8(0xFC));
        QCOMPARE(settingsByte(h, 0x12), quint8(0x99));
        QCOMPARE(settingsByte(h, 0x13), quint8(0xE1));
        QCOMPARE(settingsByte(h, 0x20), quint8(0));
        QCOMPARE(settingsByte(h, 0x21), quint8(2));
        QCOMPARE(settingsByte(h, 0x22), quint8(0x01));
        QCOMPARE(settingsByte(h, 0x23), quint8(0xFE));
        QCOMPARE(settingsByte(h, 0x25), quint8(1));
        QCOMPARE(settingsByte(h, 0x26), quint8(0x0F));
        QCOMPARE(settingsByte(h, 0x27), quint8(0x00));
        QCOMPARE(settingsByte(h, 0x28), quint8(3));
        QCOMPARE(settingsByte(h, 0x2A), quint8(0x12));
        QCOMPARE(settingsByte(h, 0x2D), quint8(0x78));
        QVERIFY(h.session.log.text().contains(QStringLiteral("写入脱机编程设置。")));

        // Another job on the page and another chip, then the programmer's record back.
        QTest::mouseClick(child<QCheckBox>(page, QStringLiteral("LeavePcCheck_0")), Qt::LeftButton);
        child<QRadioButton>(page, QStringLiteral("Option7"))->click();
        child<QRadioButton>(page, QStringLiteral("LeavePC_OA_0"))->click();
        type(page, "Text2", QStringLiteral("1"));
        child<QScrollBar>(page, QStringLiteral("VScroll4"))->setValue(-9);
        SelectChip(h.session, QStringLiteral("ATMEGA8"));

        QTest::mouseClick(child<QPushButton>(page, QStringLiteral("ReadLeaveSet")), Qt::LeftButton);
        QVERIFY2(h.ui.warnings.isEmpty(), qPrintable(h.ui.warnings.join(u'\n')));
        for (int n = 0; n < 8; ++n)
            QCOMPARE(child<QCheckBox>(page, QStringLiteral("LeavePcCheck_%1").arg(n))->isChecked(),
                     n == 0 || n == 2 || n == 7);
        QVERIFY(child<QRadioButton>(page, QStringLiteral("Option8"))->isChecked());
        QVERIFY(child<QRadioButton>(page, QStringLiteral("LeavePC_OA_2"))->isChecked());
        QCOMPARE(child<QLineEdit>(page, QStringLiteral("Text8"))->text(), QStringLiteral("01FE"));
        QVERIFY(child<QRadioButton>(page, QStringLiteral("Option5"))->isChecked());
        QCOMPARE(child<QLineEdit>(page, QStringLiteral("Text5"))->text(), QStringLiteral("0F00"));
        QCOMPARE(child<QLineEdit>(page, QStringLiteral("Text9"))->text(), QStringLiteral("3"));
        QCOMPARE(child<QScrollBar>(page, QStringLiteral("VScroll4"))->value(), -3);
        QCOMPARE(child<QLineEdit>(page, QStringLiteral("Text2"))->text(),
                 QStringLiteral("12345678"));
        QCOMPARE(child<QLineEdit>(page, QStringLiteral("Text3"))->text(),
                 QStringLiteral("305419896"));
        QCOMPARE(h.session.chip.ChipName, QStringLiteral("ATMEGA16"));
        QCOMPARE(h.session.fuses.frameDigits(1), QStringLiteral("99"));
        QCOMPARE(h.session.fuses.frameDigits(0), QStringLiteral("E1"));
    }

    void uploadAndFuseTable() {
        Harness h;
        h.session.FlashBufferText = QStringLiteral("0C9434000C94").repeated(50);
        h.session.EepromBufferText = QStringLiteral("A55A");
        OfflinePage page(h.app);
        page.show();
        QTest::mouseClick(child<QPushButton>(page, QStringLiteral("Upload_leaveDATA")),
                          Qt::LeftButton);
        QVERIFY2(h.ui.warnings.isEmpty(), qPrintable(h.ui.warnings.join(u'\n')));
        QCOMPARE(h.port.model().offlineFlash().left(300),
                 QByteArray::fromHex(h.session.FlashBufferText.toLatin1()));
        QCOMPARE(h.port.model().offlineEeprom().left(2), QByteArray::fromHex("A55A"));
        QCOMPARE(h.ui.lastProgress.value(Progress::Flash), 100);
        QVERIFY(h.ui.opEvents.contains(RecordingUi::OpEvent(OpId::UploadOffline, true)));

        QTest::mouseClick(child<QPushButton>(page, QStringLiteral("Command1")), Qt::LeftButton);
        QCOMPARE(settingsByte(h, 0x40), quint8(0x93));
        QCOMPARE(settingsByte(h, 0x80), quint8(0xE1));
        QCOMPARE(h.ui.beeps, 1);

        QSignalSpy entry(&page, &OfflinePage::chipMenuEntryRequested);
        QTest::mouseClick(child<QPushButton>(page, QStringLiteral("Command2")), Qt::LeftButton);
        QCOMPARE(entry.size(), 1);
        QCOMPARE(entry.at(0).at(0).toString(), QStringLiteral("ATTINY24"));
    }

    void lostPortEndsWithAWarning() {
        Harness h;
        h.port.close();
        OfflinePage page(h.app);
        page.show();
        auto* write = child<QPushButton>(page, QStringLiteral("WriteLeaveSet"));
        QTest::mouseClick(write, Qt::LeftButton);
        QCOMPARE(h.ui.warnings.size(), 1);
        // The page is usable again afterwards.
        QVERIFY(write->isEnabled());
    }
};

QTEST_MAIN(TestOfflinePageSim)
#include "tst_offlinepage_sim.moc"
