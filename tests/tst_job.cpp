// The job of a program run on the simulated programmer's virtual clock: refused before any
// frame when it cannot run, fuse and lock writes read back, a stop between steps, the
// serial fields named by their captions, identify keeping an ELF's fuse bytes.
#include "ops/fuseops.h"
#include "ops/identify.h"
#include "ops/program.h"
#include "session/selectchip.h"
#include "support/rig.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString file(QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

int countOf(const QString& log, const QString& text) {
    return int(log.count(text));
}

} // namespace

class TestJob : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void refusedBeforeAnyFrame_data();
    void refusedBeforeAnyFrame();
    void fuseAndLockWritesAreReadBack_data();
    void fuseAndLockWritesAreReadBack();
    void recoverOnALockedChipSaysItOnce();
    void stopEndsTheRunBetweenSteps();
    void failedVerifyIsSaidAndTheRunGoesOn();
    void serialFieldsNamedByCaption();
    void identifyKeepsTheElfFuseBytesOfItsChip();
};

void TestJob::refusedBeforeAnyFrame_data() {
    QTest::addColumn<QString>("chip");    // selected; the socket holds an ATMEGA8
    QTest::addColumn<QString>("options"); // CheckPRO(0..9)
    QTest::addColumn<QString>("flash");   // the image, or "@bad" / "@missing" for a file
    QTest::addColumn<bool>("described");  // the fuse description is loaded
    QTest::addColumn<QString>("says");
    QTest::newRow("write flash, no data") << "ATMEGA8"
                                          << "1100000000"
                                          << "" << true << "编程FLASH 已勾选, 但没有FLASH数据";
    QTest::newRow("verify EEPROM, no data") << "ATMEGA8"
                                            << "1000000001"
                                            << "" << true << "校验EEPROM 已勾选, 但没有EEPROM数据";
    QTest::newRow("ATMEGA32 image, ATMEGA8 chosen")
        << "ATMEGA8"
        << "1100000010" << QString(20000 * 2, u'0') << true
        << "FLASH数据有 20000 字节, 超出所选芯片 ATMEGA8 的 8192 字节";
    QTest::newRow("reload: missing file") << "ATMEGA8"
                                          << "1100010000"
                                          << "@missing" << true << "未能载入";
    QTest::newRow("reload: damaged file") << "ATMEGA8"
                                          << "1100010000"
                                          << "@bad" << true << "未能载入";
    QTest::newRow("fuses without description") << "ATMEGA8"
                                               << "1001000000"
                                               << "" << false << "没有熔丝描述文件";
    QTest::newRow("lock without description") << "ATMEGA8"
                                              << "1000100000"
                                              << "" << false << "没有熔丝描述文件";
}

void TestJob::refusedBeforeAnyFrame() {
    QFETCH(QString, chip);
    QFETCH(QString, options);
    QFETCH(QString, flash);
    QFETCH(bool, described);
    QFETCH(QString, says);
    QTemporaryDir dir;
    SimRig r(QStringLiteral("ATMEGA8"), {}, described ? SessionRig::WithFuses : SessionRig::Plain);
    r.select(chip);
    QVERIFY(r.session.setOptionsText(options));
    if (flash == u"@missing")
        r.session.fileName[0] = dir.filePath(QStringLiteral("gone.hex"));
    else if (flash == u"@bad")
        r.session.fileName[0] = file(dir, "bad.hex", ":020000001234B8\n:0200000056");
    else
        r.session.FlashBufferText = flash;
    const ProgramOutcome o = ProgramChip(r.c);
    QVERIFY(o.refused);
    QVERIFY(!o.ok());
    QCOMPARE(r.trace(), QStringList()); // not even the presence test
    QVERIFY2(r.logged(says), qPrintable(r.log()));
    QVERIFY(r.logged(QStringLiteral("编程未开始, 什么也没有发送")));
    QCOMPARE(r.ui.warnings.size(), flash.startsWith(u"@bad") ? 2 : 1); // the loader's box too
}

void TestJob::fuseAndLockWritesAreReadBack_data() {
    QTest::addColumn<bool>("locked");  // the chip is locked (LB mode 3)
    QTest::addColumn<bool>("dropped"); // the simulator answers the write but drops it
    QTest::addColumn<bool>("lock");    // the lock byte is written instead of the fuses
    QTest::addColumn<bool>("took");
    QTest::addColumn<QString>("says");
    QTest::newRow("fuses take") << false << false << false << true << "读回核对一致";
    QTest::newRow("locked chip keeps its fuses") << true << false << false << false << "芯片已加密";
    QTest::newRow("fuse write dropped") << false << true << false << false << "写入未生效";
    QTest::newRow("lock takes") << false << false << true << true << "读回核对一致";
    QTest::newRow("a locked chip cannot be unlocked")
        << true << false << true << false << "写入未生效";
}

void TestJob::fuseAndLockWritesAreReadBack() {
    QFETCH(bool, locked);
    QFETCH(bool, dropped);
    QFETCH(bool, lock);
    QFETCH(bool, took);
    QFETCH(QString, says);
    SimFaults faults;
    faults.dropFuseWrite = dropped;
    SimRig r(QStringLiteral("ATMEGA8"), faults, SessionRig::WithFuses);
    if (locked)
        r.chip().writeLock(0xFC);
    // Low fuse E4 (internal 8 MHz) on the page; the lock byte: mode 2 over a locked chip's
    // mode 3, or mode 3 over an open chip.
    FuseEditor& f = r.session.fuses;
    QString text = f.fuseText();
    text.replace(24, 8, QStringLiteral("11100100"));
    text.replace(0, 8, locked ? QStringLiteral("11111110") : QStringLiteral("11111100"));
    f.ApplyFuseText(text);
    const quint8 lowBefore = r.chip().lowFuse();
    const bool ok = lock ? WriteLock(r.c) : WriteFuses(r.c);
    QCOMPARE(ok, took);
    QVERIFY2(r.logged(says), qPrintable(r.log()));
    // The programmer's "done" is said only when the chip agrees.
    const QString done =
        lock ? QStringLiteral("锁定位写入完毕!") : QStringLiteral("熔丝位写入完毕!");
    QCOMPARE(r.logged(done), took);
    if (!lock)
        QCOMPARE(r.chip().lowFuse(), took ? quint8(0xE4) : lowBefore);
}

void TestJob::recoverOnALockedChipSaysItOnce() {
    SimRig r(QStringLiteral("ATMEGA8"), {}, SessionRig::WithFuses);
    r.chip().setFuses(0xFF, 0xD9, 0xE4);
    r.chip().writeLock(0xFC);
    QVERIFY(!RecoverFuses(r.c));
    const QString log = r.log();
    QCOMPARE(countOf(log, QStringLiteral("恢复失败！")), 1);
    QVERIFY(!log.contains(QStringLiteral("恢复成功！")));
    QVERIFY(!log.contains(QStringLiteral("熔丝位写入完毕!")));
    QVERIFY2(log.contains(QStringLiteral("读回 低字节 E4")), qPrintable(log));
}

void TestJob::stopEndsTheRunBetweenSteps() {
    SimRig r;
    r.session.FlashBufferText = QStringLiteral("0C94AABB");
    QVERIFY(r.session.setOptionsText(QStringLiteral("1100000010")));
    bool stop = false;
    QObject::connect(&r.session.log, &MessageLog::messageLogged, &r.session.log,
                     [&stop](const QString& line) {
                         if (line.startsWith(QStringLiteral("写FLASH")))
                             stop = true; // the stop button, clicked while flash is written
                     });
    RunPolicy policy;
    policy.stopRequested = [&stop] { return stop; };
    const ProgramOutcome o = ProgramChip(r.c, policy);
    QVERIFY(o.stopped);
    QCOMPARE(o.ran, (QList<ProgramStep>{ProgramStep::Presence, ProgramStep::Erase,
                                        ProgramStep::WriteFlash}));
    QVERIFY(r.logged(QStringLiteral("编程已停止。已执行的步骤: 目标芯片检查, 擦除芯片, 编程FLASH。"
                                    "芯片未编程完整。")));
    QVERIFY(!r.trace().join(QString()).contains(QStringLiteral("RF"))); // no verify
    QCOMPARE(r.chip().flash().left(4), QByteArray::fromHex("0C94AABB"));
}

void TestJob::failedVerifyIsSaidAndTheRunGoesOn() {
    SimFaults faults;
    faults.corruptFlashAddress = 1;
    SimRig r(QStringLiteral("ATMEGA8"), faults, SessionRig::WithFuses);
    r.session.FlashBufferText = QStringLiteral("0C94AABB");
    QVERIFY(r.session.setOptionsText(QStringLiteral("1101000010"))); // + fuses
    const ProgramOutcome o = ProgramChip(r.c);
    QCOMPARE(o.failed(), ProgramStep::VerifyFlash);
    QCOMPARE(o.failedCode(), QStringLiteral("verify_flash"));
    QVERIFY(o.ran.contains(ProgramStep::WriteFuses));
    QVERIFY(r.logged(QStringLiteral("芯片未通过校验, 其后的步骤仍将执行: 编程熔丝位。")));

    // A production run never seals a chip that failed.
    SimRig p(QStringLiteral("ATMEGA8"), faults, SessionRig::WithFuses);
    p.session.FlashBufferText = QStringLiteral("0C94AABB");
    QVERIFY(p.session.setOptionsText(QStringLiteral("1101100010")));
    RunPolicy production;
    production.endAtFailure = true;
    const ProgramOutcome q = ProgramChip(p.c, production);
    QCOMPARE(q.ran.last(), ProgramStep::VerifyFlash);
    QVERIFY(!p.trace().join(QString()).contains(QStringLiteral("WS")));
}

void TestJob::serialFieldsNamedByCaption() {
    struct Case {
        const char* address;
        const char* initial;
        int increment;
        const char* says;
    };
    const Case cases[] = {{"zz", "1", 1, "序列号写入地址 (FLASH)"},
                          {"1FFE", "1", 1, "序列号写入地址 (FLASH)"}, // beyond the chip
                          {"100", "XYZ", 1, "初始编号 (HEX)"},
                          {"100", "1", 0, "自动增量"}};
    for (const Case& k : cases) {
        OfflinePanel p;
        p.serialFlashAddress = QString::fromLatin1(k.address);
        p.initialHex = QString::fromLatin1(k.initial);
        p.increment = k.increment;
        SerialStamp st;
        QString error;
        QVERIFY(!serialFromPanel(p, 8192, 512, st, &error));
        QCOMPARE(error, QStringLiteral("序列号设置有误: ") + QString::fromUtf8(k.says));
    }
}

void TestJob::identifyKeepsTheElfFuseBytesOfItsChip() {
    for (const QString& socket : {QStringLiteral("ATMEGA8"), QStringLiteral("ATMEGA16")}) {
        SimRig r(socket, {}, SessionRig::WithFuses);
        r.select(QStringLiteral("ATMEGA8"));
        QString text = r.session.fuses.fuseText();
        text.replace(24, 8, QStringLiteral("11100100"));
        r.session.fuses.ApplyFuseText(text); // as the ELF loader puts its bytes
        r.session.elfFuseChip = QStringLiteral("ATMEGA8");
        QCOMPARE(DetectChip(r.c), socket);
        const bool same = socket == u"ATMEGA8";
        QCOMPARE(r.session.fuses.frameDigits(0),
                 same ? QStringLiteral("E4") : QStringLiteral("E1"));
        QVERIFY2(r.logged(same ? QStringLiteral("保留ELF文件的熔丝值")
                               : QStringLiteral("熔丝页已重置为 ATMEGA16 的出厂默认值")),
                 qPrintable(r.log()));
    }
}

QTEST_GUILESS_MAIN(TestJob)
#include "tst_job.moc"
