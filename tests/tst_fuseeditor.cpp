// The fuse editor model: loading a description file and the rules that keep the bit
// labels, the byte frames and the option marks in step.
#include "core/messagelog.h"
#include "fuses/fuseeditor.h"

#include <QFile>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Lock byte fully implemented (so the lock rule shows on bits 7 and 6), extended byte
// absent, high D9, low E1 (SUT=10).
const QString kDefault = QStringLiteral("11111111********1101100111100001");

QStringList names() {
    QStringList n;
    for (int p = 31; p >= 0; --p)
        n << QStringLiteral("N%1").arg(p);
    return n;
}

const QStringList kOptions = {
    QStringLiteral("   Example{FSB01FEFF/0000>*  "), // 0: high bit 0, red
    QStringLiteral("低位0{FSB00FFFE/0000>"),         // 1: low bit 0
    QStringLiteral("again{FSB99FFFE/0000>"),         // 2: same mask, not synced
    QStringLiteral("A{FDB00FFCF/0000>"),             // 3: SUT group
    QStringLiteral("B{FDB01FFCF/0010>"),             // 4
    QStringLiteral("C{FDB02FFCF/0020>"),             // 5
    QStringLiteral("L1{FDL0000FC/0003>"),            // 6: lock mode group
    QStringLiteral("L2{FDL0100FC/0002>*"),           // 7
    QStringLiteral("L3{FDL0200FC/0000>*"),           // 8
    QStringLiteral("E0{FSE1600FE/0000>"),            // 9: a bit the chip lacks
    QStringLiteral("X{FDE0000F9/0006>"),             // 10: a group on missing bits
    QStringLiteral("Y{FDE0100F9/0000>"),             // 11
};

QByteArray descriptionFile(const QStringList& options, const QString& def = kDefault) {
    QStringList lines;
    lines << def << names() << QStringLiteral("free text") << QStringLiteral(" ##")
          << QStringLiteral("## ") << QStringLiteral("##") << options << QStringLiteral("##")
          << QStringLiteral("after{FSB02FFFD/0000>");
    QStringEncoder gbk("GBK");
    return gbk.encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

struct Rig {
    QTemporaryDir dir;
    FuseEditor editor;
    MessageLog log;
    Rig() {
        log.setClock([] { return QStringLiteral("t"); });
        editor.setSetFolder(dir.path());
    }
    bool load(const QByteArray& bytes, const QString& name = QStringLiteral("T.FUS")) {
        QFile f(dir.path() + u'/' + name);
        if (!f.open(QIODevice::WriteOnly))
            return false;
        f.write(bytes);
        f.close();
        return editor.LoadFuseDescription(name, &log);
    }
    bool standard() {
        if (!load(descriptionFile(kOptions)))
            return false;
        editor.ApplyFuseText(editor.defaultFuseText());
        return true;
    }
    bool checked(int i) const { return editor.options()[i].checked; }
};

} // namespace

class TestFuseEditor : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void loadsTheFileLayout();
    void malformedFilesAreSkippedAndLogged_data();
    void malformedFilesAreSkippedAndLogged();
    void missingAndShortFiles();
    void bytesAndFrames();
    void starPositions();
    void singleBitOption();
    void groupChoice();
    void groupThatNoChoiceMatches();
    void lockGroupWalk();
    void pendingIndexClickRule();
    void shortTextAndOddCharacters();
};

void TestFuseEditor::loadsTheFileLayout() {
    Rig r;
    QSignalSpy reset(&r.editor, &FuseEditor::optionsReset);
    QVERIFY(r.load(descriptionFile(kOptions)));
    QCOMPARE(reset.count(), 1);
    QCOMPARE(r.editor.defaultFuseText(), kDefault);
    QCOMPARE(r.editor.bitName(31), QStringLiteral("N31"));
    QCOMPARE(r.editor.bitName(0), QStringLiteral("N0"));
    // " ##" and "## " are not separators; the line after the second "##" is ignored.
    const auto& o = r.editor.options();
    QCOMPARE(o.size(), kOptions.size());
    QCOMPARE(o[0].text, QStringLiteral("Example"));
    QCOMPARE(o[0].key, QStringLiteral("FSB01FEFF/0000"));
    QVERIFY(o[0].red);
    QCOMPARE(o[1].text, QStringLiteral("低位0"));
    QVERIFY(!o[1].red);
    QVERIFY(o[7].red);
    for (int i = 0; i < o.size(); ++i)
        QCOMPARE(o[i].shaded, i % 2 == 0);
    QVERIFY(r.log.text().isEmpty());
}

void TestFuseEditor::malformedFilesAreSkippedAndLogged_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("kept");
    QTest::newRow("no brace") << QStringList{QStringLiteral("text FSB00FFFE/0000>"), kOptions[1]}
                              << 1;
    QTest::newRow("> before {") << QStringList{QStringLiteral("a>b{FSB00FFFE/0000"), kOptions[1]}
                                << 1;
    QTest::newRow("repeated key") << QStringList{kOptions[1], QStringLiteral("dup{FSB00FFFE/0000>")}
                                  << 1;
    QTest::newRow("lower-case hex")
        << QStringList{QStringLiteral("x{FSB00fffe/0000>"), kOptions[1]} << 1;
    QTest::newRow("short key") << QStringList{QStringLiteral("x{FSB00FFFE/000>"), kOptions[1]} << 1;
    QTest::newRow("byte kind wider than a byte")
        << QStringList{QStringLiteral("x{FSE00FFFE/0000>"), QStringLiteral("y{FDL0000FC/0103>")}
        << 0;
    QTest::newRow("value outside its field")
        << QStringList{QStringLiteral("x{FDB00FFCF/0011>")} << 0;
    QStringList many;
    for (int i = 0; i < 300; ++i)
        many << QStringLiteral("o%1{ZZZ%2FFFF/0000>")
                    .arg(i)
                    .arg(i % 100, 2, 10, QChar(u'0'))
                    .replace(QStringLiteral("FFFF"),
                             QStringLiteral("%1").arg(0xF000 + i, 4, 16).toUpper());
    QTest::newRow("more than 255 lines") << many << 255;
}

void TestFuseEditor::malformedFilesAreSkippedAndLogged() {
    QFETCH(QStringList, options);
    QFETCH(int, kept);
    Rig r;
    QVERIFY(r.load(descriptionFile(options)));
    QCOMPARE(r.editor.options().size(), kept);
    QVERIFY(r.log.text().contains(QStringLiteral("T.FUS")));
}

void TestFuseEditor::missingAndShortFiles() {
    Rig r;
    QVERIFY(r.standard());
    // Missing file: empty tree; the previous file's default and names are gone, nothing
    // logged.
    QVERIFY(!r.editor.LoadFuseDescription(QStringLiteral("NONE.FUS"), &r.log));
    QVERIFY(r.editor.options().isEmpty());
    QVERIFY(!r.editor.hasDescription());
    QCOMPARE(r.editor.defaultFuseText(), QString(32, u'1'));
    QCOMPARE(r.editor.bitName(5), QString());
    QVERIFY(r.log.text().isEmpty());

    // A file that ends after three names: default and those names taken, tree empty.
    const QString other = QStringLiteral("**111111********1111111111111111");
    QVERIFY(r.load(QByteArray("**111111********1111111111111111\r\nA\r\nB\r\nC")));
    QCOMPARE(r.editor.defaultFuseText(), other);
    QCOMPARE(r.editor.bitName(29), QStringLiteral("C"));
    QCOMPARE(r.editor.bitName(28), QString());
    QVERIFY(r.editor.options().isEmpty());

    // A first line that is no fuse bit text: the whole file is refused and logged.
    QVERIFY(!r.load(descriptionFile(kOptions, QStringLiteral("hello"))));
    QCOMPARE(r.editor.defaultFuseText(), QString(32, u'1'));
    QVERIFY(!r.editor.hasDescription());
    QVERIFY(r.log.text().contains(QStringLiteral("hello")));

    // Huge files are refused.
    QVERIFY(!r.load(descriptionFile(kOptions) + QByteArray(FuseEditor::MaxFileBytes, 'x')));
    QVERIFY(r.editor.options().isEmpty());

    // A UTF-8 file is read as UTF-8 (and said so), not shown as garbage.
    QVERIFY(
        r.load((QStringList{kDefault} + names() + QStringList{QStringLiteral("##"), kOptions[1]})
                   .join(QStringLiteral("\n"))
                   .toUtf8()));
    QCOMPARE(r.editor.options().size(), 1);
    QCOMPARE(r.editor.options()[0].text, QStringLiteral("低位0"));
}

void TestFuseEditor::bytesAndFrames() {
    Rig r;
    QVERIFY(r.standard());
    QCOMPARE(r.editor.fuseText(), QStringLiteral("11111111********1101100111100001"));
    QCOMPARE(r.editor.frameCaption(0), QStringLiteral("熔丝低字节[E1]"));
    QCOMPARE(r.editor.frameCaption(1), QStringLiteral("熔丝高字节[D9]"));
    QCOMPARE(r.editor.frameCaption(2), QStringLiteral("扩展熔丝位[FF]"));
    QCOMPARE(r.editor.frameCaption(3), QStringLiteral("锁定位[FF]"));
    QCOMPARE(r.editor.frameCaption(1).mid(6, 2), QStringLiteral("D9")); // characters 7-8
    r.editor.ApplyFuseText(QStringLiteral("00000011********0000111100000101"));
    QCOMPARE(r.editor.frameDigits(3), QStringLiteral("03"));
    QCOMPARE(r.editor.frameDigits(1), QStringLiteral("0F"));
    QCOMPARE(r.editor.frameDigits(0), QStringLiteral("05"));
    QVERIFY(r.editor.bitRed(31));
    QVERIFY(!r.editor.bitRed(24));
}

void TestFuseEditor::starPositions() {
    Rig r;
    QVERIFY(r.standard());
    // "0" in the text where the default has "*": still "*", disabled, counts as 1.
    r.editor.ApplyFuseText(QStringLiteral("1111111100000000") + kDefault.mid(16));
    for (int p = 16; p < 24; ++p) {
        QCOMPARE(r.editor.bitCaption(p), QStringLiteral("*"));
        QVERIFY(!r.editor.bitEnabled(p));
        QVERIFY(r.editor.bitRed(p)); // the colour follows the text's character
    }
    QCOMPARE(r.editor.byteValue(2), quint8(0xFF));
    r.editor.ToggleBit(16);
    QCOMPARE(r.editor.bitCaption(16), QStringLiteral("*"));
    // An option on the missing bits changes nothing there.
    r.editor.checkEvent(9, true);
    r.editor.clickEvent(9);
    r.editor.checkEvent(11, true);
    r.editor.clickEvent(11);
    QCOMPARE(r.editor.fuseText().mid(8, 8), QStringLiteral("********"));
    QCOMPARE(r.editor.fuseText().mid(16), kDefault.mid(16));
}

void TestFuseEditor::singleBitOption() {
    Rig r;
    QVERIFY(r.standard());
    QVERIFY(!r.checked(1));
    r.editor.checkEvent(1, true);
    r.editor.clickEvent(1);
    QCOMPARE(r.editor.bitCaption(0), QStringLiteral("0"));
    QVERIFY(r.editor.bitRed(0));
    QCOMPARE(r.editor.frameDigits(0), QStringLiteral("E0"));
    QVERIFY(r.checked(1));
    QVERIFY(!r.checked(2)); // only the first node with a mask follows its bit
    r.editor.checkEvent(1, false);
    r.editor.clickEvent(1);
    QCOMPARE(r.editor.bitCaption(0), QStringLiteral("1"));
    QCOMPARE(r.editor.frameDigits(0), QStringLiteral("E1"));
    QVERIFY(!r.checked(1));
    // Toggling the label checks the option; the high byte bit 0 ("Example") likewise.
    r.editor.ToggleBit(8);
    QVERIFY(r.checked(0));
    QCOMPARE(r.editor.frameDigits(1), QStringLiteral("D8"));
}

void TestFuseEditor::groupChoice() {
    Rig r;
    QVERIFY(r.standard());
    QVERIFY(r.checked(5) && !r.checked(3) && !r.checked(4)); // SUT=10
    const QString before = r.editor.fuseText();
    r.editor.checkEvent(4, true);
    r.editor.clickEvent(4);
    QVERIFY(r.checked(4) && !r.checked(3) && !r.checked(5));
    QString expected = before;
    expected[32 - 6] = u'0'; // SUT1 (low bit 5)
    expected[32 - 5] = u'1'; // SUT0 (low bit 4)
    QCOMPARE(r.editor.fuseText(), expected);
    QCOMPARE(r.editor.frameDigits(0), QStringLiteral("D1"));
}

void TestFuseEditor::groupThatNoChoiceMatches() {
    Rig r;
    QVERIFY(r.standard());
    r.editor.ToggleBit(4); // SUT = 11: no choice has it
    QVERIFY(!r.checked(3) && !r.checked(4) && !r.checked(5));
    r.editor.ToggleBit(5); // SUT = 01
    QVERIFY(r.checked(4));
    // A group over missing bits reads them as 0: only the value 0000 matches.
    QVERIFY(!r.checked(10));
    QVERIFY(r.checked(11));
}

void TestFuseEditor::lockGroupWalk() {
    Rig r;
    QVERIFY(r.standard());
    QVERIFY(r.checked(6));
    r.editor.checkEvent(7, true);
    r.editor.clickEvent(7);
    // L is read from lock bits 5..0 only, so bits 7 and 6 come out 0.
    QCOMPARE(r.editor.fuseText().left(8), QStringLiteral("00111110"));
    QCOMPARE(r.editor.frameDigits(3), QStringLiteral("3E"));
    QVERIFY(r.checked(7) && !r.checked(6) && !r.checked(8));
    r.editor.checkEvent(8, true);
    r.editor.clickEvent(8);
    QCOMPARE(r.editor.frameDigits(3), QStringLiteral("3C"));
    QVERIFY(r.checked(8) && !r.checked(7));
    QCOMPARE(r.editor.fuseText().mid(8), kDefault.mid(8)); // the fuse bytes are untouched
}

void TestFuseEditor::pendingIndexClickRule() {
    Rig r;
    QVERIFY(r.standard());
    // Clicking the checked choice of a group unchecks it in the tree; the click event that
    // follows checks it again, and the bits stay.
    const QString before = r.editor.fuseText();
    r.editor.checkEvent(5, false);
    r.editor.clickEvent(5);
    QVERIFY(r.checked(5));
    QCOMPARE(r.editor.fuseText(), before);
    // A single-bit option stays as the user left it.
    r.editor.checkEvent(1, true);
    r.editor.clickEvent(1);
    r.editor.checkEvent(1, false);
    r.editor.clickEvent(1);
    QVERIFY(!r.checked(1));
    // The pending index is used once: a later plain click changes nothing.
    r.editor.ToggleBit(4); // no SUT choice matches now
    QVERIFY(!r.checked(5));
    r.editor.clickEvent(5);
    QVERIFY(!r.checked(5));
}

void TestFuseEditor::shortTextAndOddCharacters() {
    Rig r;
    QVERIFY(r.standard());
    QVERIFY(FuseEditor::isFuseBitText(kDefault));
    QVERIFY(!FuseEditor::isFuseBitText(kDefault.left(31)));
    QVERIFY(!FuseEditor::isFuseBitText(kDefault.left(31) + u'x'));
    // Positions without a character get an empty caption and count as 0.
    r.editor.ApplyFuseText(QStringLiteral("1111"));
    QCOMPARE(r.editor.bitCaption(28), QStringLiteral("1"));
    QCOMPARE(r.editor.bitCaption(27), QString());
    QCOMPARE(r.editor.bitCaption(20), QStringLiteral("*"));
    QCOMPARE(r.editor.byteValue(0), quint8(0));
    QCOMPARE(r.editor.frameDigits(3), QStringLiteral("F0"));
    // Applying an option still yields a full 32-position text.
    r.editor.checkEvent(1, true);
    QCOMPARE(r.editor.fuseText().size(), 32);
    QCOMPARE(r.editor.bitCaption(0), QStringLiteral("0"));
}

QTEST_GUILESS_MAIN(TestFuseEditor)
#include "tst_fuseeditor.moc"
