// The fuse description files shipped in Set/: one per chip, each parses cleanly, keeps the
// key rules the editor relies on, describes every bit the chip has and defaults to the
// chip's factory fuses.
#include "chips/chiptable.h"
#include "core/messagelog.h"
#include "fuses/fusedescription.h"
#include "fuses/fuseeditor.h"

#include <QFile>
#include <QSet>
#include <QStringDecoder>
#include <QtTest>

namespace {

struct Factory {
    const char* chip;
    int lock, ext, high, low; // -1: the chip has no such byte
    // Bits the chip has, per byte (1 = implemented).
    int lockBits, extBits, highBits, lowBits;
};

// Factory values from the datasheets (ATmega8535 low E1: internal RC 1 MHz, SUT=10).
const Factory kFactory[] = {
    {"ATMEGA48", 0xFF, 0xFF, 0xDF, 0x62, 0x03, 0x01, 0xFF, 0xFF},
    {"ATMEGA88", 0xFF, 0xF9, 0xDF, 0x62, 0x3F, 0x07, 0xFF, 0xFF},
    {"ATMEGA16", 0xFF, -1, 0x99, 0xE1, 0x3F, 0x00, 0xFF, 0xFF},
    {"ATMEGA168", 0xFF, 0xF9, 0xDF, 0x62, 0x3F, 0x07, 0xFF, 0xFF},
    {"ATMEGA32", 0xFF, -1, 0x99, 0xE1, 0x3F, 0x00, 0xFF, 0xFF},
    {"ATMEGA8535", 0xFF, -1, 0xD9, 0xE1, 0x3F, 0x00, 0xFF, 0xFF},
    {"ATMEGA163", 0xFF, -1, 0xFF, 0xD2, 0x3F, 0x00, 0x07, 0xEF},
    {"ATMEGA323", 0xFF, -1, 0x9F, 0xF2, 0x3F, 0x00, 0xEF, 0xCF},
    {"ATMEGA8515", 0xFF, -1, 0xD9, 0xE1, 0x3F, 0x00, 0xFF, 0xFF},
    {"ATMEGA161", 0xFF, -1, -1, 0xDA, 0x3F, 0x00, 0x00, 0x77},
    {"ATMEGA162", 0xFF, 0xFF, 0x99, 0x62, 0x3F, 0x1E, 0xFF, 0xFF},
    {"ATTINY26", 0xFF, -1, 0xF7, 0xE1, 0x03, 0x00, 0x1F, 0xFF},
    {"ATTINY2313", 0xFF, 0xFF, 0xDF, 0x64, 0x03, 0x01, 0xFF, 0xFF},
    {"ATMEGA8", 0xFF, -1, 0xD9, 0xE1, 0x3F, 0x00, 0xFF, 0xFF},
};

// A few names at their positions, as the datasheets place them.
const struct {
    const char* chip;
    int position;
    const char* name;
} kNames[] = {
    {"ATMEGA8", 13, "SPIEN"},    {"ATMEGA8", 15, "RSTDISBL"},     {"ATMEGA8", 7, "BODLEVEL"},
    {"ATMEGA8", 29, "BLB12"},    {"ATMEGA8", 24, "LB1"},          {"ATMEGA16", 14, "JTAGEN"},
    {"ATMEGA16", 15, "OCDEN"},   {"ATMEGA48", 16, "SELFPRGEN"},   {"ATMEGA48", 14, "DWEN"},
    {"ATMEGA88", 18, "BOOTSZ1"}, {"ATMEGA168", 16, "BOOTRST"},    {"ATMEGA168", 7, "CKDIV8"},
    {"ATMEGA161", 5, "SPIEN"},   {"ATMEGA161", 6, "BOOTRST"},     {"ATMEGA161", 4, "SUT"},
    {"ATMEGA162", 20, "M161C"},  {"ATMEGA162", 17, "BODLEVEL0"},  {"ATMEGA163", 5, "SPIEN"},
    {"ATMEGA323", 13, "SPIEN"},  {"ATMEGA8515", 15, "S8515C"},    {"ATMEGA8535", 15, "S8535C"},
    {"ATTINY26", 7, "PLLCK"},    {"ATTINY26", 12, "RSTDISBL"},    {"ATTINY2313", 8, "RSTDISBL"},
    {"ATTINY2313", 15, "DWEN"},  {"ATTINY2313", 16, "SELFPRGEN"},
};

QByteArray fileBytes(const QString& chip, const QString& folder = QStringLiteral(HVPP_SET_DIR)) {
    QFile f(folder + u'/' + chip + QStringLiteral(".FUS"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QString byteText(int value, int implemented) {
    QString t;
    for (int bit = 7; bit >= 0; --bit)
        t += !(implemented >> bit & 1) ? QChar(u'*')
             : (value >> bit & 1)      ? QChar(u'1')
                                       : QChar(u'0');
    return t;
}

} // namespace

class TestFuseFiles : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void everyChipHasOne();
    void fileIsWellFormed_data();
    void fileIsWellFormed();
    void namesStandWhereTheDatasheetsPutThem();
    void englishSetMatchesTheChineseOne();
};

void TestFuseFiles::everyChipHasOne() {
    QCOMPARE(int(std::size(kFactory)), int(ChipTable::rows().size()));
    for (const ChipInfo& c : ChipTable::rows()) {
        bool listed = false;
        for (const Factory& f : kFactory)
            listed = listed || c.ChipName == QLatin1String(f.chip);
        QVERIFY2(listed, qPrintable(c.ChipName));
        QVERIFY2(!fileBytes(c.ChipName).isEmpty(), qPrintable(c.ChipName));
    }
}

void TestFuseFiles::fileIsWellFormed_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(kFactory)); ++i)
        QTest::newRow(kFactory[i].chip) << i;
}

void TestFuseFiles::fileIsWellFormed() {
    QFETCH(int, row);
    const Factory& f = kFactory[row];
    const QString chip = QLatin1String(f.chip);
    const QByteArray bytes = fileBytes(chip);

    // GBK text with CR LF line ends and no lone LF.
    QStringDecoder gbk("GBK");
    (void)gbk.decode(bytes);
    QVERIFY(!gbk.hasError());
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));

    const FuseDescription d = parseFuseDescription(bytes);
    QVERIFY2(d.problems.isEmpty(), qPrintable(d.problems.join(u'\n')));
    QVERIFY(d.hasDefault);
    QCOMPARE(d.names.size(), 32);

    // The default is the factory value with "*" exactly where the chip has no bit.
    const QString expected = byteText(f.lock, f.lockBits) + byteText(f.ext, f.extBits) +
                             byteText(f.high, f.highBits) + byteText(f.low, f.lowBits);
    QCOMPARE(d.defaultText, expected);

    QVERIFY(!d.options.isEmpty());
    QVERIFY(d.options.size() <= FuseEditor::MaxOptions);
    QSet<QString> keys;
    QSet<int> covered;
    QSet<QString> groupMasks;
    for (const FuseOption& o : d.options) {
        QVERIFY2(optionKeyProblem(o.key).isEmpty(), qPrintable(o.key));
        QVERIFY2(!keys.contains(o.key), qPrintable(o.key));
        keys.insert(o.key);
        QVERIFY2(o.text.contains(u':'), qPrintable(o.text)); // "NAME: caption"
        const QString kind = o.key.left(3);
        const uint mask = o.key.mid(5, 4).toUInt(nullptr, 16);
        const int base = kind == u"FDL" ? 24 : (kind == u"FSE" || kind == u"FDE") ? 16 : 0;
        const int width = base == 0 ? 16 : 8;
        QList<int> field;
        for (int b = 0; b < width; ++b)
            if (!(mask >> b & 1))
                field << base + b;
        if (kind == u"FSB" || kind == u"FSE") {
            QCOMPARE(field.size(), 1); // exactly the mask of its bit, digit for digit
            QCOMPARE(o.key.mid(10, 4), QStringLiteral("0000"));
            QVERIFY2(o.text.startsWith(d.names[31 - field[0]] + u':'), qPrintable(o.text));
        } else {
            QVERIFY2(kind == u"FDB" || kind == u"FDE" || kind == u"FDL", qPrintable(o.key));
            QVERIFY(field.size() >= 2);
            groupMasks.insert(o.key.mid(5, 4));
        }
        for (int p : field) {
            QVERIFY2(d.defaultText[31 - p] != u'*',
                     qPrintable(o.key)); // no option on a missing bit
            covered.insert(p);
        }
    }
    for (int p = 0; p < 32; ++p) {
        const bool implemented = d.defaultText[31 - p] != u'*';
        QVERIFY2(!implemented || covered.contains(p), qPrintable(QString::number(p)));
        if (implemented)
            QVERIFY2(d.names[31 - p] != u"-", qPrintable(QString::number(p)));
    }

    // The tree finds a group's choices by its mask anywhere in a key: no other key may hold
    // a group's mask, and the factory value selects exactly one choice of every group.
    for (const QString& m : groupMasks) {
        for (const FuseOption& o : d.options)
            if (o.key.contains(m))
                QVERIFY2(o.key.mid(5, 4) == m, qPrintable(o.key + u' ' + m));
    }
    FuseEditor editor;
    editor.setSetFolder(QStringLiteral(HVPP_SET_DIR));
    MessageLog log;
    QVERIFY(editor.LoadFuseDescription(chip + QStringLiteral(".FUS"), &log));
    QVERIFY2(log.text().isEmpty(), qPrintable(log.text()));
    editor.ApplyFuseText(editor.defaultFuseText());
    for (const QString& m : groupMasks) {
        int checked = 0;
        for (const FuseOption& o : editor.options())
            checked += o.key.mid(5, 4) == m && o.checked;
        QVERIFY2(checked == 1, qPrintable(m));
    }
    QCOMPARE(editor.byteValue(0), quint8(f.low));
    QCOMPARE(editor.byteValue(1), quint8(f.high < 0 ? 0xFF : f.high));
    QCOMPARE(editor.byteValue(2), quint8(f.ext < 0 ? 0xFF : f.ext));
}

void TestFuseFiles::namesStandWhereTheDatasheetsPutThem() {
    for (const auto& n : kNames) {
        const FuseDescription d = parseFuseDescription(fileBytes(QLatin1String(n.chip)));
        QCOMPARE(d.names.size(), 32);
        QCOMPARE(d.names[31 - n.position], QLatin1String(n.name));
    }
}

// The English set says the same in other words: same default, bit names, keys in the same
// order and the same red marks; plain ASCII, so no Chinese character is left in it.
void TestFuseFiles::englishSetMatchesTheChineseOne() {
    for (const ChipInfo& c : ChipTable::rows()) {
        const QByteArray bytes = fileBytes(c.ChipName, QStringLiteral(HVPP_SET_DIR "/en"));
        QVERIFY2(!bytes.isEmpty(), qPrintable(c.ChipName));
        for (char ch : bytes)
            QVERIFY2(uchar(ch) < 0x80, qPrintable(c.ChipName));
        const FuseDescription zh = parseFuseDescription(fileBytes(c.ChipName));
        const FuseDescription en = parseFuseDescription(bytes);
        QVERIFY2(en.problems.isEmpty(), qPrintable(en.problems.join(u'\n')));
        QCOMPARE(en.defaultText, zh.defaultText);
        QCOMPARE(en.names, zh.names);
        QCOMPARE(en.options.size(), zh.options.size());
        for (int i = 0; i < zh.options.size(); ++i) {
            const FuseOption &a = zh.options[i], &b = en.options[i];
            QCOMPARE(b.key, a.key);
            QCOMPARE(b.red, a.red);
            // The bit or field name before ":" (or the clock's "[CKSEL=.. SUT=..]") stands
            // in both languages.
            const QString name = a.text.section(u':', 0, 0);
            if (name.toLatin1() == name.toUtf8())
                QCOMPARE(b.text.section(u':', 0, 0), name);
            else
                QCOMPARE(b.text.mid(b.text.lastIndexOf(u'[')),
                         a.text.mid(a.text.lastIndexOf(u'[')));
            QVERIFY2(b.text != a.text, qPrintable(b.text));
        }
    }
}

QTEST_GUILESS_MAIN(TestFuseFiles)
#include "tst_fusefiles.moc"
