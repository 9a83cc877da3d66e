// A load that fails changes nothing in the window: the hex view, the file-name box and the
// size panel go on showing the image that is still there; the panel always matches it.
#include "windowfixture.h"

#include "sim/simport.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

namespace {
struct TabState {
    QStringList lines;
    QString box;
    QString panel;
    bool operator==(const TabState& o) const {
        return lines == o.lines && box == o.box && panel == o.panel;
    }
};

TabState tabState(MainWindow& w, bool eeprom) {
    TabState s;
    auto* view = child<QListView>(&w, eeprom ? QStringLiteral("RichTextEEPROM")
                                             : QStringLiteral("RichTextFLASH"));
    for (int i = 0; i < view->model()->rowCount(); ++i)
        s.lines << view->model()->index(i, 0).data().toString();
    s.box = child<QLineEdit>(&w, eeprom ? QStringLiteral("FileNameText_1")
                                        : QStringLiteral("FileNameText_0"))
                ->text();
    s.panel = child<QLabel>(&w, eeprom ? QStringLiteral("EepromSizePanel")
                                       : QStringLiteral("FlashSizePanel"))
                  ->text();
    return s;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class TestFailedLoad : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void failedLoadLeavesTheTabAsItWas_data();
    void failedLoadLeavesTheTabAsItWas();
};

void TestFailedLoad::failedLoadLeavesTheTabAsItWas_data() {
    QTest::addColumn<bool>("eeprom");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("warning"); // "" for a failure without a box
    // The second record carries a wrong checksum: the first one must not be taken either.
    const QByteArray badChecksum =
        ":10000000000102030405060708090A0B0C0D0E0F78\n:0200100012345F\n:00000001FF\n";
    QTest::newRow("flash, checksum") << false << QStringLiteral("bad.hex") << badChecksum
                                     << QStringLiteral("FLASH文件读取错误！");
    QTest::newRow("eeprom, checksum") << true << QStringLiteral("bad.hex") << badChecksum
                                      << QStringLiteral("EEPROM文件读取错误！");
    QTest::newRow("eeprom, beyond 1 KB")
        << true << QStringLiteral("big.eep") << QByteArray(":0104000011EA\n")
        << QStringLiteral("EEPROM文件读取错误！");
    QTest::newRow("flash, empty hex") << false << QStringLiteral("empty.hex") << QByteArray()
                                      << QStringLiteral("FLASH文件读取错误！");
    QTest::newRow("flash, unknown kind")
        << false << QStringLiteral("notes.txt") << QByteArray("1234") << QString();
}

void TestFailedLoad::failedLoadLeavesTheTabAsItWas() {
    QFETCH(bool, eeprom);
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, warning);
    WindowFixture f;
    auto w = f.make(std::make_unique<SimPort>(SimConfig()));
    QString next;
    w->fileChooser().open = [&](QWidget*, const QString&, const QString&) { return next; };
    auto* open = child<QPushButton>(w.get(), eeprom ? QStringLiteral("OpenEFile")
                                                    : QStringLiteral("OpenFFile"));

    // A good image first: 40 bytes from a binary file.
    const QString good = f.file(QStringLiteral("good.bin"));
    QByteArray bytes(40, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(0x30 + i);
    writeFile(good, bytes);
    next = good;
    open->click();
    const TabState before = tabState(*w, eeprom);
    QCOMPARE(before.lines.size(), 3);
    QCOMPARE(before.box, good);
    QCOMPARE(before.panel,
             eeprom ? QStringLiteral("EEPROM:40字节") : QStringLiteral("FLASH:40字节"));
    QVERIFY(f.warnings.isEmpty());

    const QString bad = f.file(name);
    writeFile(bad, content);
    next = bad;
    open->click();
    QCOMPARE(f.warnings, warning.isEmpty() ? QStringList() : QStringList{warning});
    QVERIFY(tabState(*w, eeprom) == before);
    const QString& image = eeprom ? w->session().EepromBufferText : w->session().FlashBufferText;
    QCOMPARE(image, QString::fromLatin1(bytes.toHex().toUpper()));
    QCOMPARE(w->session().fileName[eeprom ? 1 : 0], good);
    QVERIFY(w->session().log.text().contains(bad));

    // Clearing empties the image, and the panel follows it.
    child<QPushButton>(w.get(),
                       eeprom ? QStringLiteral("ClearEEPROM") : QStringLiteral("ClearFLASH"))
        ->click();
    const TabState cleared = tabState(*w, eeprom);
    QVERIFY(cleared.lines.isEmpty());
    QVERIFY(cleared.box.isEmpty());
    QCOMPARE(cleared.panel,
             eeprom ? QStringLiteral("EEPROM:0字节") : QStringLiteral("FLASH:0字节"));
}

QTEST_MAIN(TestFailedLoad)
#include "tst_failedload.moc"
