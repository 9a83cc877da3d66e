// Identifying the target: presence test, the signature button, the signature check and
// chip detection, against a scripted programmer.
#include "core/texts.h"
#include "ops/identify.h"
#include "ops/opstexts.h"
#include "support/rig.h"

#include <QtTest>

namespace {
struct Rig : ScriptedRig {
    Rig() : ScriptedRig(QString(), FixedClock) {}
    void chipAnswers(const QByteArray& b0, const QByteArray& b1, const QByteArray& b2,
                     double delay = 2) {
        port.answer("RI00#", b0, delay);
        port.answer("RI01#", b1, delay);
        port.answer("RI02#", b2, delay);
    }
};
} // namespace

class TestIdentify : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void presence_data();
    void presence();
    void readSignatureNamesTheChipButKeepsTheSelection();
    void noChipOfTheTable_data();
    void noChipOfTheTable();
    void signatureCheck();
    void detectSelectsTheChip();
    void lateAnswerIsNotTakenForTheNextReply();
    void unpluggedAdapterEndsWithAWarning();
};

void TestIdentify::presence_data() {
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<double>("delay");
    QTest::addColumn<bool>("present");
    QTest::newRow("1E") << QByteArray("1E") << 5.0 << true;
    QTest::newRow("lower case") << QByteArray("1e") << 5.0 << false;
    QTest::newRow("silent") << QByteArray() << 5.0 << false;
    QTest::newRow("late") << QByteArray("1E") << 150.0 << false;
    QTest::newRow("with noise") << QByteArray("1E\r\n") << 5.0 << false;
}

void TestIdentify::presence() {
    QFETCH(QByteArray, answer);
    QFETCH(double, delay);
    QFETCH(bool, present);
    Rig r;
    r.port.queueInput("stale", 0); // a late answer to an earlier command is discarded first
    if (!answer.isEmpty())
        r.port.answer("RI00#", answer, delay);
    QCOMPARE(PresenceTest(r.c), present);
    QCOMPARE(r.port.writtenTexts(), QStringList{QStringLiteral("RI00#")});
    QCOMPARE(r.log().contains(Texts::noTarget()), !present);
    // Done when two characters are in, else after 100 ms.
    QCOMPARE(r.port.nowMs(), answer.size() >= 2 && delay < 100 ? delay : 100.0);
}

void TestIdentify::readSignatureNamesTheChipButKeepsTheSelection() {
    Rig r;
    r.chipAnswers("1E", "95", "02");
    QCOMPARE(ReadSignature(r.c), QStringLiteral("ATMEGA32"));
    QCOMPARE(r.port.writtenTexts(),
             (QStringList{QStringLiteral("RI01#"), QStringLiteral("RI02#")}));
    QCOMPARE(r.session.currentChipLabel, QStringLiteral("ATMEGA32"));
    QCOMPARE(r.session.sigLabel, QStringLiteral("1E9502"));
    QCOMPARE(r.session.chip.ChipName, QStringLiteral("ATMEGA8"));
    QVERIFY(r.log().startsWith(QStringLiteral("读标识字:1E9502\r\n")));
}

// Nothing of the table answers: the labels say which case it is and show no signature that
// was not read; the button logs it, detection warns with it.
void TestIdentify::noChipOfTheTable_data() {
    QTest::addColumn<QByteArray>("b1");
    QTest::addColumn<QByteArray>("b2");
    QTest::addColumn<QString>("inSocket");
    QTest::addColumn<QString>("sig");
    QTest::addColumn<QString>("said");       // the button's log line
    QTest::addColumn<QString>("detectSaid"); // detection's warning
    QTest::newRow("silent") << QByteArray() << QByteArray() << OpsTexts::programmerSilent()
                            << QString() << Texts::noAnswer() << Texts::noAnswer();
    QTest::newRow("empty socket") << QByteArray("FF") << QByteArray("FF") << OpsTexts::socketEmpty()
                                  << QString() << OpsTexts::noChipInSocket()
                                  << OpsTexts::noChipInSocket();
    QTest::newRow("unknown") << QByteArray("93") << QByteArray("FF") << OpsTexts::unknownChip()
                             << QStringLiteral("1E93FF") << Texts::noTarget()
                             << Texts::unsupportedChip();
    QTest::newRow("half") << QByteArray("93") << QByteArray() << OpsTexts::unknownChip()
                          << QStringLiteral("1E93--") << Texts::noTarget()
                          << Texts::unsupportedChip();
}

void TestIdentify::noChipOfTheTable() {
    QFETCH(QByteArray, b1);
    QFETCH(QByteArray, b2);
    QFETCH(QString, inSocket);
    QFETCH(QString, sig);
    QFETCH(QString, said);
    QFETCH(QString, detectSaid);
    for (bool detect : {false, true}) {
        Rig r;
        r.session.currentChipLabel = QStringLiteral("ATMEGA8"); // what an earlier read found
        r.session.sigLabel = QStringLiteral("1E9307");
        if (!b1.isEmpty())
            r.port.answer("RI01#", b1, 2);
        if (!b2.isEmpty())
            r.port.answer("RI02#", b2, 2);
        QCOMPARE(detect ? DetectChip(r.c) : ReadSignature(r.c), QString());
        QCOMPARE(r.session.currentChipLabel, inSocket);
        QCOMPARE(r.session.sigLabel, sig);
        if (detect) {
            QCOMPARE(r.ui.warnings, QStringList{detectSaid});
            QCOMPARE(r.session.chip.ChipName, QStringLiteral("ATMEGA8"));
        } else {
            QVERIFY2(r.log().startsWith(said), qPrintable(r.log()));
        }
    }
}

void TestIdentify::signatureCheck() {
    {
        Rig r;
        r.chipAnswers("1E", "93", "07");
        QVERIFY(SignatureCheck(r.c));
        QVERIFY(r.log().startsWith(QStringLiteral("读标识字:1E9307\r\n")));
    }
    {
        Rig r;
        r.chipAnswers("1E", "95", "02");
        QVERIFY(!SignatureCheck(r.c));
        QVERIFY(r.log().contains(QStringLiteral("标识字与所选芯片不符!")));
        // The refusal names the chip found beside the one selected, and shows it.
        QCOMPARE(r.ui.warnings, QStringList{OpsTexts::wrongChip().arg(
                                    QStringLiteral("ATMEGA32"), QStringLiteral("1E9502"),
                                    QStringLiteral("ATMEGA8"), QStringLiteral("1E9307"))});
        QCOMPARE(r.session.currentChipLabel, QStringLiteral("ATMEGA32"));
        QCOMPARE(r.session.sigLabel, QStringLiteral("1E9502"));
    }
}

void TestIdentify::detectSelectsTheChip() {
    Rig r;
    r.chipAnswers("1E", "94", "06");
    QCOMPARE(DetectChip(r.c), QStringLiteral("ATMEGA168"));
    QCOMPARE(r.session.chip.ChipName, QStringLiteral("ATMEGA168"));
    QCOMPARE(r.session.selectedChipModel, QStringLiteral("ATMEGA168"));
    QCOMPARE(r.session.sigLabel, QStringLiteral("1E9406"));
    QCOMPARE(r.session.currentChipLabel, QStringLiteral("ATMEGA168"));
    QVERIFY(r.ui.warnings.isEmpty());
}

void TestIdentify::lateAnswerIsNotTakenForTheNextReply() {
    Rig r;
    r.port.answer("RI01#", "93", 180, false); // arrives during the next command's wait
    r.port.answer("RI02#", "07", 5, false);
    QCOMPARE(ReadSignature(r.c), QString()); // "1E" + "0793": the late byte spoils it
    r.port.clearWrites();
    r.chipAnswers("1E", "93", "07");
    QVERIFY(SignatureCheck(r.c));
}

void TestIdentify::unpluggedAdapterEndsWithAWarning() {
    Rig r;
    r.port.responder = [](ScriptedPort& p, const QByteArray&) { p.unplug(); };
    bool finished = false;
    const bool ok = runOperation(r.c, OpId::ReadSignature, [&] {
        ReadSignature(r.c);
        finished = true;
    });
    QVERIFY(!ok);
    QVERIFY(!finished);
    QCOMPARE(r.ui.warnings.size(), 1);
    QCOMPARE(r.ui.opEvents, (QList<RecordingUi::OpEvent>{{OpId::ReadSignature, true}, {OpId::ReadSignature, false}}));
    QVERIFY(!r.link.operationRunning());
}

QTEST_GUILESS_MAIN(TestIdentify)
#include "tst_identify.moc"
