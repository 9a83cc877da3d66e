// The program-chip sequence: its fixed order, its skips and what ends it.
#include "ops/program.h"
#include "session/selectchip.h"
#include "support/rig.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Rig : ScriptedRig {
    QTemporaryDir dir;
    QByteArray flash = QByteArray(64, '\xFF'); // what the scripted chip holds
    QByteArray eeprom = QByteArray(32, '\xFF');
    Rig() {
        port.answer("RI00#", "1E", 2);
        port.answer("RI01#", "93", 2);
        port.answer("RI02#", "07", 2);
        port.answer("RI8", "A7", 2);
        port.answer("$", "$", 2);
        port.answer("WE", "!", 1);
        port.answer("WW", "!", 1);
        port.responder = [this](ScriptedPort& p, const QByteArray& w) {
            // The programmer answers as many bytes as asked for.
            const int count = w.mid(4, 4).toInt(nullptr, 16);
            if (w.startsWith("RF"))
                p.queueInputAfter(flash.left(count).toHex().toUpper(), 2);
            else if (w.startsWith("RE"))
                p.queueInputAfter(eeprom.left(count).toHex().toUpper(), 2);
        };
    }
    void options(const char* digits) {
        QVERIFY(session.setOptionsText(QString::fromLatin1(digits)));
    }
    QString file(const char* name, const QByteArray& bytes) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return path;
    }
    // The kinds of frame in the order sent, repeats folded: "RI00", "EM", "WF", "&", ...
    QStringList steps() const {
        QStringList out;
        for (const QString& w : port.writtenTexts()) {
            QString k = w.startsWith(u'&') || w.startsWith(u'$') || w.startsWith(u'!') ? w.left(1)
                        : w.startsWith(QStringLiteral("RI"))                           ? w.left(4)
                                                                                       : w.left(2);
            if (out.isEmpty() || out.last() != k)
                out << k;
        }
        return out;
    }
};

} // namespace

class TestOpsProgram : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void nothingTickedOnlyTestsPresence();
    void noTargetEndsAtOnce();
    void fullSequenceInItsFixedOrder();
    void signatureMismatchStopsBeforeErase();
    void wrongChipWithoutSignatureCheckStillWrites();
    void verifyFailureDoesNotStopTheSequence();
};

void TestOpsProgram::nothingTickedOnlyTestsPresence() {
    Rig r;
    const ProgramOutcome o = ProgramChip(r.c);
    QCOMPARE(o.ran, QList<ProgramStep>{ProgramStep::Presence});
    QVERIFY(o.ok());
    QCOMPARE(r.port.writtenTexts(), QStringList{QStringLiteral("RI00#")});
}

void TestOpsProgram::noTargetEndsAtOnce() {
    Rig r;
    ScriptedPort silent;
    Link link(&silent, &r.session.log);
    OpContext c{r.session, link, r.ui};
    r.options("0000001000");
    const ProgramOutcome o = ProgramChip(c);
    QCOMPARE(o.failed(), ProgramStep::Presence);
    QCOMPARE(silent.writtenTexts(), QStringList{QStringLiteral("RI00#")});
    QVERIFY(r.logged(QStringLiteral("无目标芯片或无连接!")));
}

void TestOpsProgram::fullSequenceInItsFixedOrder() {
    Rig r;
    r.session.fileName[0] = r.file("f.bin", QByteArray::fromHex("0C94AABB"));
    r.session.fileName[1] = r.file("e.bin", QByteArray::fromHex("1122"));
    r.flash = QByteArray::fromHex("0C94AABB");
    r.eeprom = QByteArray::fromHex("1122");
    r.options("1110011111");      // all but fuses and lock
    r.session.cal.pickedSlot = 1; // as the settings restore it; ATMEGA8's read picks none
    const ProgramOutcome o = ProgramChip(r.c);
    QVERIFY2(o.ok(), qPrintable(r.session.log.text()));
    QVERIFY(o.ran.contains(ProgramStep::Calibration));
    QCOMPARE(r.steps(),
             (QStringList{QStringLiteral("RI00"), QStringLiteral("RI01"), QStringLiteral("RI02"),
                          QStringLiteral("EM"), QStringLiteral("WF"), QStringLiteral("&"),
                          QStringLiteral("$"), QStringLiteral("!"), QStringLiteral("WE"),
                          QStringLiteral("RF"), QStringLiteral("RE"), QStringLiteral("RI80"),
                          QStringLiteral("RI81"), QStringLiteral("RI82"), QStringLiteral("RI83"),
                          QStringLiteral("WW")}));
    QVERIFY(r.logged(QStringLiteral("读标识字:1E9307")));
    // One presence test: its byte 0 serves the signature check.
    QCOMPARE(r.port.writtenTexts().count(QStringLiteral("RI00#")), 1);
    QVERIFY(r.logged(QStringLiteral("校验FLASH通过。")));
    QVERIFY(r.logged(QStringLiteral("校验EEPROM通过。")));
    QCOMPARE(r.session.FlashBufferText, QStringLiteral("0C94AABB"));
    QCOMPARE(r.port.writtenTexts().last(), QStringLiteral("WWFFA70FFF#")); // byte 8191: high byte
}

void TestOpsProgram::signatureMismatchStopsBeforeErase() {
    Rig r;
    SelectChip(r.session, QStringLiteral("ATMEGA16"));
    r.session.FlashBufferText = QStringLiteral("0C94");
    r.options("1100001010");
    const ProgramOutcome o = ProgramChip(r.c);
    QCOMPARE(o.failed(), ProgramStep::Signature);
    QCOMPARE(r.steps(),
             (QStringList{QStringLiteral("RI00"), QStringLiteral("RI01"), QStringLiteral("RI02")}));
    QVERIFY(r.logged(QStringLiteral("标识字与所选芯片不符!")));
}

void TestOpsProgram::wrongChipWithoutSignatureCheckStillWrites() {
    Rig r;
    SelectChip(r.session, QStringLiteral("ATMEGA16"));
    r.session.FlashBufferText = QStringLiteral("0C94");
    r.flash = QByteArray::fromHex("0C94");
    r.options("1100000010");
    QVERIFY(ProgramChip(r.c).ok());
    QCOMPARE(r.steps(), (QStringList{QStringLiteral("RI00"), QStringLiteral("EM"),
                                     QStringLiteral("WF"), QStringLiteral("&"), QStringLiteral("$"),
                                     QStringLiteral("!"), QStringLiteral("RF")}));
}

void TestOpsProgram::verifyFailureDoesNotStopTheSequence() {
    Rig r;
    r.session.FlashBufferText = QStringLiteral("0C94");
    r.session.EepromBufferText = QStringLiteral("11");
    r.eeprom = QByteArray::fromHex("11");
    r.options("0000000110"); // verify flash, calibration
    const ProgramOutcome o = ProgramChip(r.c);
    QVERIFY(o.failedAt(ProgramStep::VerifyFlash));
    QCOMPARE(r.ui.warnings.first(), QStringLiteral("FLASH地址0000数据校验失败！"));
    QVERIFY(r.steps().contains(QStringLiteral("RI80"))); // calibration still ran
    QVERIFY(!o.ok());
}

QTEST_GUILESS_MAIN(TestOpsProgram)
#include "tst_ops_program.moc"
