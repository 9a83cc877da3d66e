// Stand-alone programming: the settings record, the image upload and the programmer's chip
// and fuse table, against a scripted programmer that keeps a settings memory.
#include "core/texts.h"
#include "offline/fusetable.h"
#include "offline/offlinerecord.h"
#include "offline/offlinetexts.h"
#include "offline/upload.h"
#include "session/selectchip.h"
#include "support/rig.h"

#include <QMap>
#include <QtTest>
#include <optional>

namespace {

// A programmer that keeps the settings memory ("ME" answered "!", "RM" with the byte) and
// takes an upload stream ("RT" -> "B", then "?" for each block).
struct Programmer {
    QMap<int, QString> memory;
    bool announce = true;              // answers "B" to "RT000000#"
    std::optional<QString> rmOverride; // when set, every "RM" is answered with this
    QByteArray stream;                 // the uploaded digits
    QList<QByteArray> selectors;       // "68" / "60"
    int blocksAsked = 0;
    int pairsInBlock = 0;
    bool streaming = false;

    void attach(ScriptedPort& port) {
        port.responder = [this](ScriptedPort& p, const QByteArray& w) { take(p, w); };
    }
    void take(ScriptedPort& p, const QByteArray& w) {
        if (w.startsWith("ME") && w.size() == 9) {
            memory[w.mid(4, 4).toInt(nullptr, 16)] = QString::fromLatin1(w.mid(2, 2));
            p.queueInputAfter("!", 2);
        } else if (w.startsWith("RM00") && w.size() == 9) {
            const QString v =
                rmOverride ? *rmOverride
                           : memory.value(w.mid(4, 4).toInt(nullptr, 16), QStringLiteral("FF"));
            if (!v.isEmpty())
                p.queueInputAfter(v.toLatin1(), 5);
        } else if (w == "RT000000#") {
            if (announce)
                p.queueInputAfter("B", 20);
        } else if (!streaming && (w == "68" || w == "60")) {
            selectors << w;
            streaming = true;
            p.queueInputAfter("?", 1);
        } else if (w == ">") {
            ++blocksAsked;
            pairsInBlock = 0;
        } else if (w == "!") {
            streaming = false;
        } else if (streaming && w.size() == 2) {
            stream += w;
            if (++pairsInBlock == 128)
                p.queueInputAfter("?", 1);
        }
    }
};

struct Rig : ScriptedRig {
    Programmer prog;
    Rig() : ScriptedRig(QStringLiteral("ATMEGA8"), FixedClock) { prog.attach(port); }
    QStringList meFrames() const {
        QStringList out;
        for (const QString& w : port.writtenTexts())
            if (w.startsWith(u"ME"))
                out << w;
        return out;
    }
};

QString hexImage(int bytes, int seed = 0) {
    QString out;
    for (int i = 0; i < bytes; ++i)
        out += QStringLiteral("%1").arg((i * 7 + seed) & 0xFF, 2, 16, QChar(u'0')).toUpper();
    return out;
}

} // namespace

class TestOffline : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void recordFrames();
    void refusesValuesThatWouldShiftTheItems_data();
    void refusesValuesThatWouldShiftTheItems();
    void recordRoundTrip();
    void badRepliesLeaveThePageAlone();
    void unknownSignatureKeepsTheChip();
    void upload_data();
    void upload();
    void uploadLimits();
    void uploadWithoutLoader();
    void fuseTable();
};

void TestOffline::recordFrames() {
    Rig r;
    r.session.offline.steps[0] = true;
    r.session.offline.calToFlash = false;
    r.session.offline.calEepromAddress = QStringLiteral("1F");
    r.session.offline.calSlot = 2;
    r.session.offline.serialFlashAddress = QStringLiteral("abc");
    r.session.offline.increment = 10;
    r.session.offline.initialHex = QStringLiteral("1234");
    r.session.fuses.LoadFuseDescription(QStringLiteral("ATMEGA8.FUS"));
    r.session.fuses.ApplyFuseText(QStringLiteral("11111100") + QStringLiteral("11111111") +
                                  QStringLiteral("11011001") + QStringLiteral("11100001"));
    QVERIFY(WriteOfflineSettings(r.c));
    const QStringList expected = {
        QStringLiteral("ME010001#"), QStringLiteral("ME200008#"), QStringLiteral("ME1E000A#"),
        QStringLiteral("ME93000B#"), QStringLiteral("ME07000C#"), QStringLiteral("MEE10013#"),
        QStringLiteral("MED90012#"), QStringLiteral("MEFF0011#"), QStringLiteral("MEFC0010#"),
        QStringLiteral("ME000020#"), QStringLiteral("ME020021#"), QStringLiteral("ME000022#"),
        QStringLiteral("ME1F0023#"), QStringLiteral("ME010025#"), QStringLiteral("ME0A0026#"),
        QStringLiteral("MEBC0027#"), QStringLiteral("ME0A0028#"), QStringLiteral("ME00002A#"),
        QStringLiteral("ME00002B#"), QStringLiteral("ME12002C#"), QStringLiteral("ME34002D#"),
    };
    QCOMPARE(r.port.writtenTexts(), expected);
    QVERIFY(r.session.log.text().contains(OfflineTexts::writingSettings()));
    QVERIFY(r.session.log.text().contains(OfflineTexts::settingsWritten().arg(expected.size())));
    Rig silent; // nothing confirmed is no "written"
    silent.port.responder = nullptr;
    QVERIFY(!WriteOfflineSettings(silent.c));
    QVERIFY(
        silent.session.log.text().contains(OfflineTexts::settingsNotConfirmed().arg(21).arg(21)));

    // A panel that no chip selection has filled yet still gives the chip's signature.
    Rig blank;
    blank.session.mcuTypesPanel.clear();
    QVERIFY(WriteOfflineSettings(blank.c));
    QCOMPARE(blank.meFrames().mid(2, 3), expected.mid(2, 3));

    // A chip with 64-word pages, every step box ticked.
    Rig r2;
    SelectChip(r2.session, QStringLiteral("ATMEGA16"));
    r2.session.offline.steps.fill(true);
    QVERIFY(WriteOfflineSettings(r2.c));
    QCOMPARE(r2.meFrames().mid(0, 5),
             (QStringList{QStringLiteral("MEFF0001#"), QStringLiteral("ME400008#"),
                          QStringLiteral("ME1E000A#"), QStringLiteral("ME94000B#"),
                          QStringLiteral("ME03000C#")}));
}

void TestOffline::refusesValuesThatWouldShiftTheItems_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("address of five digits") << QStringLiteral("serial") << QStringLiteral("12345");
    QTest::newRow("address not hex") << QStringLiteral("cal") << QStringLiteral("12G");
    QTest::newRow("initial of nine digits")
        << QStringLiteral("initial") << QStringLiteral("100000000");
    QTest::newRow("increment 256") << QStringLiteral("increment") << QStringLiteral("256");
    QTest::newRow("increment -1") << QStringLiteral("increment") << QStringLiteral("-1");
}

void TestOffline::refusesValuesThatWouldShiftTheItems() {
    QFETCH(QString, field);
    QFETCH(QString, value);
    Rig r;
    OfflinePanel& p = r.session.offline;
    if (field == u"serial")
        p.serialFlashAddress = value;
    else if (field == u"cal")
        p.calFlashAddress = value;
    else if (field == u"initial")
        p.initialHex = value;
    else
        p.increment = value.toInt();
    QVERIFY(!OfflinePanelProblem(p).isEmpty());
    QVERIFY(!WriteOfflineSettings(r.c));
    QVERIFY(r.port.writes.isEmpty());
    QCOMPARE(r.ui.warnings.size(), 1);
}

void TestOffline::recordRoundTrip() {
    Rig r;
    SelectChip(r.session, QStringLiteral("ATMEGA168"));
    r.session.fuses.LoadFuseDescription(QStringLiteral("ATMEGA168.FUS"));
    const QString fuses = QStringLiteral("11111100") + QStringLiteral("11111001") +
                          QStringLiteral("11011111") + QStringLiteral("01100010");
    r.session.fuses.ApplyFuseText(fuses);
    OfflinePanel& p = r.session.offline;
    p.steps = {true, false, true, true, false, true, false, true};
    p.calToFlash = true;
    p.calSlot = 3;
    p.calFlashAddress = QStringLiteral("3FFF");
    p.serialToFlash = false;
    p.serialEepromAddress = QStringLiteral("0010");
    p.increment = 255;
    p.initialHex = QStringLiteral("DEADBEEF");
    QVERIFY(WriteOfflineSettings(r.c));
    const QString expectedText = r.session.fuses.fuseText();

    Rig back;
    back.prog.memory = r.prog.memory;
    QVERIFY(ReadOfflineSettings(back.c));
    const OfflinePanel& q = back.session.offline;
    QCOMPARE(q.steps, p.steps);
    QCOMPARE(q.calToFlash, true);
    QCOMPARE(q.calSlot, 3);
    QCOMPARE(q.calFlashAddress, QStringLiteral("3FFF"));
    QCOMPARE(q.serialToFlash, false);
    QCOMPARE(q.serialEepromAddress, QStringLiteral("0010"));
    QCOMPARE(q.increment, 255);
    QCOMPARE(q.initialHex, QStringLiteral("DEADBEEF"));
    QCOMPARE(q.initialDecimal, QStringLiteral("3735928559"));
    QCOMPARE(back.session.chip.ChipName, QStringLiteral("ATMEGA168"));
    QCOMPARE(back.session.fuses.fuseText(), expectedText);
    QVERIFY(back.session.log.text().contains(OfflineTexts::readingSettings()));
    QVERIFY(back.session.log.text().contains(OfflineTexts::settingsRead().arg(
        QStringLiteral("ATMEGA168"), QStringLiteral("F9DF62"), QStringLiteral("FC"))));
    QVERIFY(back.ui.warnings.isEmpty());
    // The read asks for the items in their documented order.
    const QStringList reads = back.port.writtenTexts();
    QCOMPARE(reads.first(), QStringLiteral("RM000001#"));
    QCOMPARE(reads.size(), 20);
    QCOMPARE(reads.last(), QStringLiteral("RM000013#"));
}

void TestOffline::badRepliesLeaveThePageAlone() {
    for (const QString& reply :
         {QString(), QStringLiteral("ZZ"), QStringLiteral("123"), QStringLiteral("!")}) {
        Rig r;
        OfflinePanel& p = r.session.offline;
        p.steps = {true, true, false, false, false, false, false, false};
        p.calFlashAddress = QStringLiteral("1234");
        p.increment = 7;
        p.initialHex = QStringLiteral("42");
        const QString fusesBefore = r.session.fuses.fuseText();
        r.prog.rmOverride = reply;
        QVERIFY(!ReadOfflineSettings(r.c));
        QCOMPARE(p.steps[0], true);
        QCOMPARE(p.steps[2], false);
        QCOMPARE(p.calFlashAddress, QStringLiteral("1234"));
        QCOMPARE(p.increment, 7);
        QCOMPARE(p.initialHex, QStringLiteral("42"));
        QCOMPARE(r.session.fuses.fuseText(), fusesBefore);
        QCOMPARE(r.session.chip.ChipName, QStringLiteral("ATMEGA8"));
        QVERIFY(r.ui.warnings.isEmpty()); // nothing of the record is taken, not even its chip
        QVERIFY(r.session.log.text().contains(QStringLiteral("0001, 0020")));
    }
    // Lower-case digits are a byte all the same; a slot beyond OA4 is not taken.
    Rig r;
    r.prog.memory[OfflineItem::Increment] = QStringLiteral("0c");
    r.prog.memory[OfflineItem::CalSlot] = QStringLiteral("07");
    r.session.offline.calSlot = 1;
    ReadOfflineSettings(r.c);
    QCOMPARE(r.session.offline.increment, 12);
    QCOMPARE(r.session.offline.calSlot, 1);
}

void TestOffline::unknownSignatureKeepsTheChip() {
    Rig r;
    SelectChip(r.session, QStringLiteral("ATMEGA32"));
    r.prog.memory[OfflineItem::Signature0] = QStringLiteral("1E");
    r.prog.memory[OfflineItem::Signature1] = QStringLiteral("99");
    r.prog.memory[OfflineItem::Signature2] = QStringLiteral("99");
    ReadOfflineSettings(r.c);
    QCOMPARE(r.session.chip.ChipName, QStringLiteral("ATMEGA32"));
    QCOMPARE(r.ui.warnings, QStringList{Texts::unsupportedChip()});
}

void TestOffline::upload_data() {
    QTest::addColumn<int>("flashBytes");
    QTest::addColumn<int>("eepromBytes");
    QTest::addColumn<QStringList>("lengths");
    QTest::addColumn<int>("blocks");
    QTest::newRow("8192 bytes, 64 blocks")
        << 8192 << 0
        << QStringList{QStringLiteral("ME200003#"), QStringLiteral("ME000004#"),
                       QStringLiteral("ME000005#"), QStringLiteral("ME000006#")}
        << 64;
    QTest::newRow("100 bytes, one padded block")
        << 100 << 0
        << QStringList{QStringLiteral("ME000003#"), QStringLiteral("ME640004#"),
                       QStringLiteral("ME000005#"), QStringLiteral("ME000006#")}
        << 1;
    QTest::newRow("128 flash, 300 EEPROM")
        << 128 << 300
        << QStringList{QStringLiteral("ME000003#"), QStringLiteral("ME800004#"),
                       QStringLiteral("ME010005#"), QStringLiteral("ME2C0006#")}
        << 1 + 3;
    QTest::newRow("both empty") << 0 << 0
                                << QStringList{QStringLiteral("ME000003#"),
                                               QStringLiteral("ME000004#"),
                                               QStringLiteral("ME000005#"),
                                               QStringLiteral("ME000006#")}
                                << 0;
}

void TestOffline::upload() {
    QFETCH(int, flashBytes);
    QFETCH(int, eepromBytes);
    QFETCH(QStringList, lengths);
    QFETCH(int, blocks);
    Rig r;
    r.session.FlashBufferText = hexImage(flashBytes);
    r.session.EepromBufferText = hexImage(eepromBytes, 3);
    QVERIFY(UploadOfflineImages(r.c));
    const QStringList w = r.port.writtenTexts();
    QCOMPARE(w.mid(0, 4), lengths);
    QCOMPARE(r.prog.blocksAsked, blocks);
    auto padded = [](QString t) {
        if (t.size() % 256)
            t += QString(256 - t.size() % 256, u'F');
        return t;
    };
    QCOMPARE(QString::fromLatin1(r.prog.stream),
             padded(r.session.FlashBufferText) + padded(r.session.EepromBufferText));
    if (blocks == 0) {
        QCOMPARE(w.size(), 4);
        return;
    }
    QCOMPARE(w.at(4), QStringLiteral("RT000000#"));
    QCOMPARE(w.at(5), QStringLiteral("D"));
    QCOMPARE(w.at(6), flashBytes ? QStringLiteral("68") : QStringLiteral("60"));
    QCOMPARE(w.at(7), QStringLiteral(">"));
    QCOMPARE(w.last(), QStringLiteral("!"));
    QVERIFY(r.session.log.text().contains(OfflineTexts::uploading()));
    QVERIFY(r.session.log.text().contains(OfflineTexts::flashUploaded()));
    QCOMPARE(r.ui.lastProgress.value(Progress::Flash), 100);
    QCOMPARE(r.session.log.text().contains(OfflineTexts::eepromUploaded()), eepromBytes > 0);
}

void TestOffline::uploadLimits() {
    { // exactly the flash limit is accepted
        Rig r;
        r.session.FlashBufferText = hexImage(20480);
        QVERIFY(UploadOfflineImages(r.c));
        QCOMPARE(r.prog.blocksAsked, 160);
        QVERIFY(r.ui.warnings.isEmpty());
    }
    { // one byte over: refused, but the EEPROM still follows
        Rig r;
        r.session.FlashBufferText = hexImage(20481);
        r.session.EepromBufferText = hexImage(16);
        QVERIFY(!UploadOfflineImages(r.c));
        QCOMPARE(r.ui.warnings, QStringList{OfflineTexts::flashTooLarge()});
        QCOMPARE(r.prog.selectors, QList<QByteArray>{"60"});
        // The refused image is announced as none at all, the EEPROM with its length.
        QCOMPARE(r.meFrames().mid(0, 4),
                 (QStringList{QStringLiteral("ME000003#"), QStringLiteral("ME000004#"),
                              QStringLiteral("ME000005#"), QStringLiteral("ME100006#")}));
    }
    { // EEPROM over its limit
        Rig r;
        r.session.EepromBufferText = hexImage(2049);
        QVERIFY(!UploadOfflineImages(r.c));
        QCOMPARE(r.ui.warnings, QStringList{OfflineTexts::eepromTooLarge()});
        QCOMPARE(r.port.writes.size(), 4);
        QCOMPARE(r.meFrames().at(2), QStringLiteral("ME000005#"));
    }
}

void TestOffline::uploadWithoutLoader() {
    Rig r;
    r.prog.announce = false;
    r.session.FlashBufferText = hexImage(64);
    r.session.EepromBufferText = hexImage(64);
    const double start = r.port.nowMs();
    QVERIFY(!UploadOfflineImages(r.c));
    QCOMPARE(r.ui.warnings, QStringList{OfflineTexts::transferFailed()});
    QCOMPARE(r.port.writtenTexts().last(), QStringLiteral("RT000000#"));
    QCOMPARE(r.port.writtenTexts().count(QStringLiteral("RT000000#")), 1);
    QVERIFY(r.port.nowMs() - start >= 1000);

    Rig e; // the EEPROM's own wait lasts 10 s
    e.prog.announce = false;
    e.session.EepromBufferText = hexImage(64);
    const double t0 = e.port.nowMs();
    QVERIFY(!UploadOfflineImages(e.c));
    QCOMPARE(e.ui.warnings, QStringList{OfflineTexts::eepromTransferFailed()});
    QVERIFY(e.port.nowMs() - t0 >= 10000);
}

void TestOffline::fuseTable() {
    Rig r;
    QVERIFY(StoreFuseTable(r.c));
    const QStringList w = r.port.writtenTexts();
    QCOMPARE(w.size(), 65);
    QCOMPARE(w.first(), QStringLiteral("ME930040#"));
    QCOMPARE(w.at(4), QStringLiteral("MEE10044#"));
    QCOMPARE(w.at(5 * 4 + 2), QStringLiteral("MEF90056#")); // ATMEGA168's extended byte
    QCOMPARE(w.last(), QStringLiteral("MEE10080#"));
    QCOMPARE(r.ui.beeps, 1);
    QVERIFY(!r.session.log.text().contains(u'M'));
    QVERIFY(r.session.log.text().contains(OfflineTexts::fuseTableStored().arg(13)));

    Rig silent; // no programmer: every frame costs its full wait, the beep still comes
    silent.port.responder = nullptr;
    const double t0 = silent.port.nowMs();
    QVERIFY(!StoreFuseTable(silent.c));
    QCOMPARE(silent.port.writes.size(), 65);
    QCOMPARE(silent.ui.beeps, 1);
    QVERIFY(
        silent.session.log.text().contains(OfflineTexts::fuseTableNotConfirmed().arg(65).arg(65)));
    QVERIFY(silent.port.nowMs() - t0 >= 6500);
}

QTEST_GUILESS_MAIN(TestOffline)
#include "tst_offline.moc"
