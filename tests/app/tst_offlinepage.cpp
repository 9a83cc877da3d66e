// The page "脱机选项": the number boxes' key rules as a user types, and the settings written
// to the simulated programmer and read back into the page.
#include "app/appcontext.h"
#include "app/offlinepage.h"
#include "support/recordingui.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

namespace {
struct Harness {
    Session session;
    Link link{nullptr, &session.log};
    RecordingUi ui;
    AppContext app{session, link, ui};
};

QLineEdit* box(const OfflinePage& page, const char* name) {
    return page.findChild<QLineEdit*>(QString::fromLatin1(name));
}
} // namespace

class TestOfflinePage : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void converterBoxes_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QString>("dec");
        QTest::newRow("ff") << "Text2"
                            << "ff"
                            << "FF"
                            << "255";
        QTest::newRow("g refused") << "Text2"
                                   << "g"
                                   << ""
                                   << "0";
        QTest::newRow("g inside") << "Text2"
                                  << "1g2"
                                  << "12"
                                  << "18";
        QTest::newRow("eight digits") << "Text2"
                                      << "ffffffff1"
                                      << "FFFFFFFF"
                                      << "4294967295";
        QTest::newRow("decimal max") << "Text3"
                                     << "4294967295"
                                     << "FFFFFFFF"
                                     << "4294967295";
        QTest::newRow("decimal beyond") << "Text3"
                                        << "4294967296"
                                        << "19999999"
                                        << "429496729";
        QTest::newRow("decimal letters") << "Text3"
                                         << "1a0"
                                         << "A"
                                         << "10";
    }
    void converterBoxes() {
        QFETCH(QString, target);
        QFETCH(QString, keys);
        QFETCH(QString, hex);
        QFETCH(QString, dec);
        Harness h;
        OfflinePage page(h.app);
        page.show();
        QLineEdit* edit = page.findChild<QLineEdit*>(target);
        QVERIFY(edit);
        edit->setFocus();
        QTest::keyClicks(edit, keys);
        QCOMPARE(box(page, "Text2")->text(), hex);
        QCOMPARE(box(page, "Text3")->text(), dec);
        QCOMPARE(h.session.offline.initialHex, hex);
        QVERIFY(h.ui.warnings.isEmpty());
    }

    void emptyingTheHexBoxShowsZero() {
        Harness h;
        OfflinePage page(h.app);
        page.show();
        QLineEdit* hex = box(page, "Text2");
        QTest::keyClicks(hex, QStringLiteral("1f"));
        QCOMPARE(box(page, "Text3")->text(), QStringLiteral("31"));
        QTest::keyClick(hex, Qt::Key_Backspace);
        QTest::keyClick(hex, Qt::Key_Backspace);
        QCOMPARE(hex->text(), QString());
        QCOMPARE(box(page, "Text3")->text(), QStringLiteral("0"));
    }

    void addressBoxesTakeHexOnly_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Text5") << "Text5"
                               << "1a"
                               << "1A";
        QTest::newRow("Text6 refuses") << "Text6"
                                       << "x1z"
                                       << "1";
        QTest::newRow("Text7 four digits") << "Text7"
                                           << "abcde"
                                           << "ABCD";
        QTest::newRow("Text8") << "Text8"
                               << "0f.f"
                               << "0FF";
    }
    void addressBoxesTakeHexOnly() {
        QFETCH(QString, target);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        Harness h;
        OfflinePage page(h.app);
        page.show();
        QLineEdit* edit = page.findChild<QLineEdit*>(target);
        QTest::keyClicks(edit, keys);
        QCOMPARE(edit->text(), shown);
        const OfflinePanel& p = h.session.offline;
        const QString stored = target == u"Text5"   ? p.serialFlashAddress
                               : target == u"Text6" ? p.serialEepromAddress
                               : target == u"Text7" ? p.calFlashAddress
                                                    : p.calEepromAddress;
        QCOMPARE(stored, shown);
        // The address boxes take part in no conversion.
        QCOMPARE(box(page, "Text2")->text(), QString());
    }

    void pastedTextIsFilteredAndConverted() {
        Harness h;
        OfflinePage page(h.app);
        page.show();
        QLineEdit* hex = box(page, "Text2");
        QTest::keyClicks(hex, QStringLiteral("12"));
        // A change without a key (a paste with the mouse) must pass the same rules.
        hex->setText(QStringLiteral("12zz"));
        Q_EMIT hex->textEdited(hex->text());
        QCOMPARE(hex->text(), QStringLiteral("12"));
        hex->setText(QStringLiteral("abc"));
        Q_EMIT hex->textEdited(hex->text());
        QCOMPARE(hex->text(), QStringLiteral("ABC"));
        QCOMPARE(box(page, "Text3")->text(), QStringLiteral("2748"));
    }

    void incrementFollowsTheScrollBar() {
        Harness h;
        OfflinePage page(h.app);
        page.show();
        auto* bar = page.findChild<QScrollBar*>(QStringLiteral("VScroll4"));
        QLineEdit* text9 = box(page, "Text9");
        QCOMPARE(text9->text(), QStringLiteral("1"));
        QCOMPARE(bar->value(), -1);
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub); // the up arrow
        QCOMPARE(text9->text(), QStringLiteral("2"));
        QCOMPARE(h.session.offline.increment, 2);
        text9->selectAll();
        QTest::keyClicks(text9, QStringLiteral("300"));
        QVERIFY(h.session.offline.increment <= 255);
        text9->selectAll();
        QTest::keyClicks(text9, QStringLiteral("17"));
        QCOMPARE(h.session.offline.increment, 17);
        QCOMPARE(bar->value(), -17);
    }

    void controlsWriteThePanel() {
        Harness h;
        OfflinePage page(h.app);
        page.show();
        auto* enable = page.findChild<QCheckBox*>(QStringLiteral("LeavePcCheck_7"));
        QTest::mouseClick(enable, Qt::LeftButton);
        QVERIFY(h.session.offline.steps[7]);
        page.findChild<QRadioButton*>(QStringLiteral("Option8"))->click();
        QVERIFY(!h.session.offline.calToFlash);
        page.findChild<QRadioButton*>(QStringLiteral("LeavePC_OA_2"))->click();
        QCOMPARE(h.session.offline.calSlot, 2);
        page.findChild<QRadioButton*>(QStringLiteral("Option6"))->click();
        QVERIFY(!h.session.offline.serialToFlash);

        // And a panel changed elsewhere (a read-back) shows on the page.
        h.session.offline.steps[3] = true;
        h.session.offline.calToFlash = true;
        h.session.offline.initialHex = QStringLiteral("1234");
        h.session.notifyPanels();
        QVERIFY(page.findChild<QCheckBox*>(QStringLiteral("LeavePcCheck_3"))->isChecked());
        QVERIFY(page.findChild<QRadioButton*>(QStringLiteral("Option7"))->isChecked());
        QCOMPARE(box(page, "Text2")->text(), QStringLiteral("1234"));
        QCOMPARE(box(page, "Text3")->text(), QStringLiteral("4660"));
    }

    // With HVPP_RENDER_DIR set, the page is drawn at its size in the window for review.
    void renderForReview() {
        const QString dir = qEnvironmentVariable("HVPP_RENDER_DIR");
        if (dir.isEmpty())
            QSKIP("HVPP_RENDER_DIR not set");
        Harness h;
        h.session.offline.steps = {true, true, false, true, false, false, true, true};
        h.session.offline.initialHex = QStringLiteral("12AB");
        h.session.offline.calFlashAddress = QStringLiteral("1FFF");
        OfflinePage page(h.app);
        page.resize(440, 400);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QVERIFY(page.grab().save(dir + QStringLiteral("/offlinepage.png")));
    }
};

QTEST_MAIN(TestOfflinePage)
#include "tst_offlinepage.moc"
