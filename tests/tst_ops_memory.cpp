// Erase, flash write and verify, EEPROM write and verify: the exact frames, waits, log
// lines and warnings, against a scripted programmer on a virtual clock.
#include "ops/eepromops.h"
#include "ops/flashops.h"
#include "session/selectchip.h"
#include "support/rig.h"

#include <QTest>
#include <memory>

namespace {

struct Rig : ScriptedRig {
    explicit Rig(const char* chip = "ATMEGA8") : ScriptedRig(QString::fromLatin1(chip)) {}
};

// The programmer answers a read with text at the line rate (11.52 characters per ms).
void streamAnswer(ScriptedPort& port, const QByteArray& text, double startMs = 1.0) {
    const int chunk = 8;
    for (int i = 0; i < text.size(); i += chunk)
        port.queueInputAfter(text.mid(i, chunk), startMs + (i + chunk) / 11.52);
}

QString ramp(int bytes) {
    QString s;
    for (int i = 0; i < bytes; ++i)
        s += QStringLiteral("%1").arg((i * 7 + 3) & 0xFF, 2, 16, QChar(u'0')).toUpper();
    return s;
}

} // namespace

class TestOpsMemory : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void eraseLogsTheAnswer();
    void flashWriteFramesAndPages_data();
    void flashWriteFramesAndPages();
    void flashWriteTiming();
    void flashWriteRefusesOversizedAndBrokenImages();
    void flashVerify_data();
    void flashVerify();
    void eepromWriteFrames();
    void eepromWriteRefusesOversizedImage();
    void eepromVerify_data();
    void eepromVerify();
    void lostPortEndsTheOperation();
};

void TestOpsMemory::eraseLogsTheAnswer() {
    Rig r;
    r.port.answer("EM", "OK", 20);
    EraseChip(r.c);
    QCOMPARE(r.frames(), QStringList{QStringLiteral("EM000000#")});
    QVERIFY(r.logged(QStringLiteral("OK")));
    QCOMPARE(r.port.nowMs(), 20.0 + ReplyQuietMs); // the reply's end and a short quiet
    Rig silent;
    EraseChip(silent.c);
    QVERIFY(silent.logged(QStringLiteral("编程器无反应!")));
}

void TestOpsMemory::flashWriteFramesAndPages_data() {
    QTest::addColumn<QString>("chip");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QStringList>("expected"); // frames between "WF#" and "!#"
    QStringList blank;
    for (int p = 0; p < 128; ++p)
        blank << QStringLiteral("$%1#").arg(p * 32 / 256, 2, 16, QChar(u'0')).toUpper();
    QTest::newRow("all FFFF on ATMEGA8: 128 commits, no words")
        << QStringLiteral("ATMEGA8") << QString(16384, u'F') << blank;
    // Word 0x0123 holds 0C 94: "&0C9423#", its page is committed with "$01#".
    QString at123 = QString(0x123 * 4, u'F') + QStringLiteral("0C94");
    QStringList f123;
    for (int p = 0; p < 9; ++p)
        f123 << QStringLiteral("$%1#").arg(((p + 1) * 32 - 1) / 256, 2, 16, QChar(u'0')).toUpper();
    f123 << QStringLiteral("&0C9423#") << QStringLiteral("$01#");
    QTest::newRow("word at 0123") << QStringLiteral("ATMEGA8") << at123 << f123;
    QTest::newRow("odd byte count: last word completed with FF, last page committed")
        << QStringLiteral("ATMEGA8") << QStringLiteral("0C9412")
        << QStringList{QStringLiteral("&0C9400#"), QStringLiteral("&12FF01#"),
                       QStringLiteral("$00#")};
    QTest::newRow("lower-case digits go out in upper case, ffff skipped")
        << QStringLiteral("ATMEGA8") << QStringLiteral("0c94ffffab12")
        << QStringList{QStringLiteral("&0C9400#"), QStringLiteral("&AB1202#"),
                       QStringLiteral("$00#")};
    QTest::newRow("16-word pages on ATTINY26")
        << QStringLiteral("ATTINY26") << QStringLiteral("0102").repeated(17) << [] {
               QStringList l;
               for (int w = 0; w < 16; ++w)
                   l << QStringLiteral("&0102%1#").arg(w, 2, 16, QChar(u'0')).toUpper();
               l << QStringLiteral("$00#") << QStringLiteral("&010210#") << QStringLiteral("$00#");
               return l;
           }();
}

void TestOpsMemory::flashWriteFramesAndPages() {
    QFETCH(QString, chip);
    QFETCH(QString, image);
    QFETCH(QStringList, expected);
    Rig r(chip.toLatin1().constData());
    r.port.answer("$", "$", 2);
    r.session.FlashBufferText = image;
    QVERIFY(WriteFlash(r.c));
    QStringList frames = r.frames();
    QCOMPARE(frames.takeFirst(), QStringLiteral("WF#"));
    QCOMPARE(frames.takeLast(), QStringLiteral("!#"));
    QCOMPARE(frames, expected);
    QVERIFY(r.logged(QStringLiteral("写FLASH......")));
    QCOMPARE(r.ui.lastProgress.value(Progress::Flash), 100);
    QVERIFY(r.ui.warnings.isEmpty());
}

void TestOpsMemory::flashWriteTiming() {
    // 64 words (two pages of 32 on ATMEGA8), none blank: 100 ms after "WF#", 0.5 ms after
    // each word, each commit until its "$" (3 ms), 100 ms after "!#". The words keep their
    // pace on a schedule that may run up to a millisecond ahead before it sleeps, so each
    // page's commit may go out up to a millisecond early.
    Rig r;
    r.port.answer("$", "$", 3);
    r.session.FlashBufferText = QStringLiteral("1234").repeated(64);
    WriteFlash(r.c);
    QVERIFY(r.port.nowMs() <= 100 + 64 * 0.5 + 2 * 3 + 100);
    QVERIFY(r.port.nowMs() >= 100 + 64 * 0.5 + 2 * 3 + 100 - 2);
    // A programmer that never answers "$" costs 100 ms per page and nothing is reported.
    Rig silent;
    silent.session.FlashBufferText = QStringLiteral("1234").repeated(64);
    WriteFlash(silent.c);
    QVERIFY(silent.port.nowMs() <= 100 + 64 * 0.5 + 2 * 100 + 100);
    QVERIFY(silent.port.nowMs() >= 100 + 64 * 0.5 + 2 * 100 + 100 - 2);
    // An empty image sends nothing and logs nothing.
    Rig empty;
    QVERIFY(WriteFlash(empty.c));
    QVERIFY(empty.frames().isEmpty());
    QVERIFY(!empty.logged(QStringLiteral("写FLASH")));
}

void TestOpsMemory::flashWriteRefusesOversizedAndBrokenImages() {
    Rig r("ATTINY2313");
    r.session.FlashBufferText = QString(2049 * 2, u'0');
    QVERIFY(!WriteFlash(r.c));
    QVERIFY(r.frames().isEmpty());
    QCOMPARE(r.ui.warnings.size(), 1);
    QVERIFY(r.ui.warnings[0].contains(QStringLiteral("2049")));
    // Exactly the chip's size is written.
    r.session.FlashBufferText = QString(2048 * 2, u'0');
    QVERIFY(WriteFlash(r.c));
    int commits = 0;
    for (const QString& f : r.frames())
        commits += f.startsWith(u'$');
    QCOMPARE(commits, 64);
    // Characters that are not hex digits never reach the line.
    Rig noise;
    noise.session.FlashBufferText = QStringLiteral("12G4");
    QVERIFY(!WriteFlash(noise.c));
    QVERIFY(noise.frames().isEmpty());
    QCOMPARE(noise.ui.warnings.size(), 1);
}

void TestOpsMemory::flashVerify_data() {
    QTest::addColumn<QString>("image");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("warning"); // empty: passes
    const QString img = ramp(8192);
    QTest::newRow("whole ATMEGA8 matches") << img << img.toLatin1() << QString();
    QTest::newRow("two characters more are no answer")
        << img << img.toLatin1() + "!!"
        << QStringLiteral("FLASH校验失败, 回答不可用: 收到 16386 个字符, 多于所请求的 16384 个");
    QByteArray second = img.toLatin1();
    second[3] = second[3] == '0' ? '1' : '0';
    QTest::newRow("second byte differs")
        << img << second << QStringLiteral("FLASH地址0001数据校验失败！");
    QByteArray ninth = img.toLatin1();
    ninth[16] = ninth[16] == '0' ? '1' : '0';
    QTest::newRow("offset 8 differs")
        << img << ninth << QStringLiteral("FLASH地址0008数据校验失败！");
    QTest::newRow("short answer")
        << img << img.toLatin1().left(4000)
        << QStringLiteral("FLASH校验失败, 回答不可用: 只收到 4000 个字符 (应为 16384 个)");
    QTest::newRow("nothing answered")
        << img << QByteArray() << QStringLiteral("FLASH校验失败, 回答不可用: 编程器无反应!");
    QTest::newRow("lower-case answer differs") << QStringLiteral("ABCD") << QByteArray("abcd")
                                               << QStringLiteral("FLASH地址0000数据校验失败！");
}

void TestOpsMemory::flashVerify() {
    QFETCH(QString, image);
    QFETCH(QByteArray, answer);
    QFETCH(QString, warning);
    Rig r;
    r.port.queueInput("late", 0); // drained before the command
    r.session.FlashBufferText = image;
    r.port.responder = [&](ScriptedPort& p, const QByteArray& w) {
        if (w.startsWith("RF"))
            streamAnswer(p, answer);
    };
    QCOMPARE(VerifyFlash(r.c), warning.isEmpty());
    QCOMPARE(
        r.frames(),
        QStringList{QStringLiteral("RF00%1#").arg(image.size() / 2, 4, 16, QChar(u'0')).toUpper()});
    QVERIFY(r.logged(QStringLiteral("校验FLASH......")));
    if (warning.isEmpty()) {
        QVERIFY(r.ui.warnings.isEmpty());
        QVERIFY(r.logged(QStringLiteral("校验FLASH通过。")));
    } else {
        QCOMPARE(r.ui.warnings, QStringList{warning});
        QVERIFY(!r.logged(QStringLiteral("校验FLASH通过。")));
    }
}

void TestOpsMemory::eepromWriteFrames() {
    Rig r;
    r.port.answer("WE", "!", 4);
    r.session.EepromBufferText = QString(1024, u'F'); // all FF: written in full
    QVERIFY(WriteEeprom(r.c));
    const QStringList f = r.frames();
    QCOMPARE(f.size(), 512);
    QCOMPARE(f.first(), QStringLiteral("WEFF0000#"));
    QCOMPARE(f.last(), QStringLiteral("WEFF01FF#"));
    QVERIFY(r.logged(QStringLiteral("写EEPROM......")));
    QVERIFY(r.logged(QStringLiteral("写EEPROM结束!")));
    QCOMPARE(r.port.nowMs(), 512 * 4 + 10.0);
    Rig one;
    one.session.EepromBufferText = QStringLiteral("a5");
    one.port.answer("WE", "!", 1);
    WriteEeprom(one.c);
    QCOMPARE(one.frames(), QStringList{QStringLiteral("WEA50000#")});
    // A missing "!" costs 50 ms a byte and is not reported.
    Rig silent;
    silent.session.EepromBufferText = QStringLiteral("0102");
    WriteEeprom(silent.c);
    QCOMPARE(silent.port.nowMs(), 2 * 50 + 10.0);
    QVERIFY(silent.ui.warnings.isEmpty());
}

void TestOpsMemory::eepromWriteRefusesOversizedImage() {
    Rig r("ATMEGA48");
    r.session.EepromBufferText = QString(257 * 2, u'0');
    QVERIFY(!WriteEeprom(r.c));
    QVERIFY(r.frames().isEmpty());
    QCOMPARE(r.ui.warnings.size(), 1);
    QVERIFY(!r.logged(QStringLiteral("写EEPROM......")));
}

void TestOpsMemory::eepromVerify_data() {
    QTest::addColumn<QString>("image");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<double>("pauseAt"); // characters after which the answer pauses
    QTest::addColumn<double>("pauseMs");
    QTest::addColumn<QString>("warning");
    const QString img = ramp(512);
    QTest::newRow("matches") << img << img.toLatin1() << -1.0 << 0.0 << QString();
    QByteArray first = img.toLatin1();
    first[0] = first[0] == '0' ? '1' : '0';
    QTest::newRow("first byte differs")
        << img << first << -1.0 << 0.0 << QStringLiteral("EEPROM地址0000数据校验失败！");
    QTest::newRow("answer pauses longer than 50 ms")
        << img << img.toLatin1() << 512.0 << 60.0
        << QStringLiteral("EEPROM校验失败, 回答不可用: 只收到 512 个字符 (应为 1024 个)");
    QTest::newRow("a 40 ms pause is no end") << img << img.toLatin1() << 512.0 << 40.0 << QString();
    QTest::newRow("a gap shorter than a poll is no end")
        << img << img.toLatin1() << 512.0 << 4.0 << QString();
    QTest::newRow("answer begins 30 ms late") << img << img.toLatin1() << 0.0 << 30.0 << QString();
    QTest::newRow("answer begins 60 ms late")
        << img << img.toLatin1() << 0.0 << 60.0
        << QStringLiteral("EEPROM校验失败, 回答不可用: 编程器无反应!");
}

void TestOpsMemory::eepromVerify() {
    QFETCH(QString, image);
    QFETCH(QByteArray, answer);
    QFETCH(double, pauseAt);
    QFETCH(double, pauseMs);
    QFETCH(QString, warning);
    Rig r;
    r.session.EepromBufferText = image;
    r.port.responder = [&](ScriptedPort& p, const QByteArray& w) {
        if (!w.startsWith("RE"))
            return;
        if (pauseAt < 0) {
            streamAnswer(p, answer);
            return;
        }
        if (pauseAt > 0)
            streamAnswer(p, answer.left(int(pauseAt)));
        streamAnswer(p, answer.mid(int(pauseAt)), 1 + pauseAt / 11.52 + pauseMs);
    };
    QCOMPARE(VerifyEeprom(r.c), warning.isEmpty());
    QCOMPARE(r.frames(), QStringList{QStringLiteral("RE000200#")});
    QCOMPARE(r.ui.warnings, warning.isEmpty() ? QStringList() : QStringList{warning});
    QCOMPARE(r.logged(QStringLiteral("校验EEPROM通过。")), warning.isEmpty());
    // An empty image is reported in the log, and nothing is sent.
    Rig empty;
    QVERIFY(VerifyEeprom(empty.c));
    QVERIFY(empty.logged(QStringLiteral("EEPROM缓冲区无数据！")));
    QVERIFY(empty.frames().isEmpty());
    QVERIFY(VerifyFlash(empty.c));
    QVERIFY(empty.logged(QStringLiteral("FLASH缓冲区无数据！")));
}

void TestOpsMemory::lostPortEndsTheOperation() {
    Rig r;
    r.session.EepromBufferText = QString(64, u'0');
    int sent = 0;
    r.port.responder = [&](ScriptedPort& p, const QByteArray&) {
        if (++sent == 5)
            p.unplug();
    };
    const bool ok = runOperation(r.c, OpId::Program, [&] { WriteEeprom(r.c); });
    QVERIFY(!ok);
    QCOMPARE(sent, 5);
    QCOMPARE(r.ui.warnings.size(), 1);
    QCOMPARE(r.ui.opEvents, (QList<RecordingUi::OpEvent>{{OpId::Program, true}, {OpId::Program, false}}));
}

QTEST_GUILESS_MAIN(TestOpsMemory)
#include "tst_ops_memory.moc"
