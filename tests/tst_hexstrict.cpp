// The strict Intel HEX reader and the rule that a failed load changes nothing, on the corpus
// in tests/data/hex (written by make-corpus.py): valid but awkward files compared byte for
// byte with what srec_cat made of them, and damaged files with one fault each.
#include "image/images.h"
#include "session/loader.h"
#include "session/session.h"
#include "support/recordingui.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString corpus(const QString& name) {
    return QStringLiteral(HVPP_TEST_DATA "/hex/") + name;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A session that already holds a flash and an EEPROM image from files, as a user's would.
struct Loaded {
    Session s;
    RecordingUi ui;
    QString flashBefore = QStringLiteral("0C9412345678");
    QString eepromBefore = QStringLiteral("A55A");
    Loaded() {
        s.FlashBufferText = flashBefore;
        s.flashSizePanel = flashSizeText(6);
        s.fileName[0] = QStringLiteral("/old/app.hex");
        s.EepromBufferText = eepromBefore;
        s.eepromSizePanel = eepromSizeText(2);
        s.fileName[1] = QStringLiteral("/old/data.eep");
    }
    void checkUnchanged() const {
        QCOMPARE(s.FlashBufferText, flashBefore);
        QCOMPARE(s.flashSizePanel, flashSizeText(6));
        QCOMPARE(s.fileName[0], QStringLiteral("/old/app.hex"));
        QCOMPARE(s.EepromBufferText, eepromBefore);
        QCOMPARE(s.eepromSizePanel, eepromSizeText(2));
        QCOMPARE(s.fileName[1], QStringLiteral("/old/data.eep"));
    }
};

// The word a fault's reason must hold in the log line.
QString reasonText(const QString& key) {
    static const QMap<QString, QString> words{
        {QStringLiteral("checksum"), QStringLiteral("校验和错误")},
        {QStringLiteral("colon"), QStringLiteral("冒号")},
        {QStringLiteral("digit"), QStringLiteral("不是十六进制数字")},
        {QStringLiteral("count"), QStringLiteral("字节数")},
        {QStringLiteral("type"), QStringLiteral("记录类型")},
        {QStringLiteral("trailing"), QStringLiteral("校验和之后")},
        {QStringLiteral("overlap"), QStringLiteral("重叠")},
        {QStringLiteral("limit"), QStringLiteral("超出范围")},
        {QStringLiteral("extended"), QStringLiteral("扩展地址")},
        {QStringLiteral("64 KB"), QStringLiteral("0x10000 超过 64 KB")},
        {QStringLiteral("eeprom space"), QStringLiteral("FLASH文件中有EEPROM数据 (地址 0x810000)")},
        {QStringLiteral("fuse space"), QStringLiteral("EEPROM文件中有熔丝位数据 (地址 0x820000)")},
        {QStringLiteral("beyond space"), QStringLiteral("熔丝位地址 0x820000 超出范围")},
        {QStringLiteral("no memory"), QStringLiteral("0x800060 不属于芯片的任何存储器")},
        {QStringLiteral("signature"), QStringLiteral("标识字数据不完整")},
        {QStringLiteral("no data"), QStringLiteral("没有数据")},
        {QStringLiteral("short"), QStringLiteral("过短")},
    };
    return words.value(key, QStringLiteral("?") + key);
}

} // namespace

class TestHexStrict : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void validFilesMatchSrecCat_data();
    void validFilesMatchSrecCat();
    void damagedFilesAreRefusedAndChangeNothing_data();
    void damagedFilesAreRefusedAndChangeNothing();
    void notRegularFilesAreRefused();
    void unknownKindChangesNothing();
    void loadedFileReplacesWholly();
};

void TestHexStrict::validFilesMatchSrecCat_data() {
    QTest::addColumn<QString>("name");
    const QStringList files =
        QDir(corpus(QStringLiteral("valid"))).entryList({QStringLiteral("*.hex")}, QDir::Files);
    QVERIFY(files.size() >= 8);
    for (const QString& f : files)
        QTest::newRow(qPrintable(f)) << f.chopped(4);
}

void TestHexStrict::validFilesMatchSrecCat() {
    QFETCH(QString, name);
    const QString file = corpus(QStringLiteral("valid/") + name + QStringLiteral(".hex"));
    const QByteArray reference =
        fileBytes(corpus(QStringLiteral("valid/") + name + QStringLiteral(".bin")));
    QVERIFY(!reference.isEmpty());
    for (bool eeprom : {false, true}) {
        Loaded l;
        QString path = file;
        const LoadResult r =
            eeprom ? LoadEepromFile(l.s, l.ui, path) : LoadFlashFile(l.s, l.ui, path);
        if (eeprom && reference.size() > 1024) { // beyond the largest EEPROM
            QCOMPARE(r, LoadResult::ReadError);
            QCOMPARE(l.s.EepromBufferText, l.eepromBefore);
            continue;
        }
        QCOMPARE(r, LoadResult::Loaded);
        QVERIFY2(l.ui.warnings.isEmpty(), qPrintable(l.ui.warnings.join(u'\n')));
        const QString& image = eeprom ? l.s.EepromBufferText : l.s.FlashBufferText;
        QCOMPARE(QByteArray::fromHex(image.toLatin1()), reference);
        QCOMPARE(image, image.toUpper());
        QCOMPARE(eeprom ? l.s.eepromSizePanel : l.s.flashSizePanel,
                 eeprom ? eepromSizeText(int(reference.size()))
                        : flashSizeText(int(reference.size())));
        // Only a file without end record says so.
        QCOMPARE(l.s.log.text().contains(QStringLiteral("没有结束记录")), name == u"no_end_record");
    }
}

void TestHexStrict::damagedFilesAreRefusedAndChangeNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("loaders"); // flash, eeprom or both
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("reason");
    const QList<QByteArray> faults =
        fileBytes(corpus(QStringLiteral("damaged/FAULTS"))).trimmed().split('\n');
    QVERIFY(faults.size() >= 20);
    for (const QByteArray& f : faults) {
        const QList<QByteArray> parts = f.split(' ');
        QVERIFY(parts.size() >= 4);
        const QString name = QString::fromLatin1(parts[0]);
        QTest::newRow(parts[0].constData())
            << name << QString::fromLatin1(parts[1]) << parts[2].toInt()
            << reasonText(QString::fromLatin1(parts.mid(3).join(' ')));
    }
}

void TestHexStrict::damagedFilesAreRefusedAndChangeNothing() {
    QFETCH(QString, name);
    QFETCH(QString, loaders);
    QFETCH(int, line);
    QFETCH(QString, reason);
    const QString file = corpus(QStringLiteral("damaged/") + name + QStringLiteral(".hex"));
    QVERIFY(QFile::exists(file));
    // The loaders named refuse the file the same way (an EEPROM file may lie in avr-gcc's
    // EEPROM space, a flash file may carry fuse bytes).
    for (bool asEeprom : {false, true}) {
        if (loaders != u"both" && (loaders == u"eeprom") != asEeprom)
            continue;
        Loaded l;
        QSignalSpy flash(&l.s, &Session::flashChanged);
        QSignalSpy eep(&l.s, &Session::eepromChanged);
        QString path = file;
        const LoadResult r =
            asEeprom ? LoadEepromFile(l.s, l.ui, path) : LoadFlashFile(l.s, l.ui, path);
        QCOMPARE(r, LoadResult::ReadError);
        QCOMPARE(l.ui.warnings, QStringList{asEeprom ? QStringLiteral("EEPROM文件读取错误！")
                                                     : QStringLiteral("FLASH文件读取错误！")});
        const QString log = l.s.log.text();
        QVERIFY2(log.contains(file), qPrintable(log));
        if (line > 0)
            QVERIFY2(log.contains(QStringLiteral("第 %1 行").arg(line)), qPrintable(log));
        QVERIFY2(log.contains(reason), qPrintable(log));
        l.checkUnchanged();
        QCOMPARE(flash.count() + eep.count(), 0);
    }
}

void TestHexStrict::notRegularFilesAreRefused() {
    QTemporaryDir dir;
    // A FIFO would block an open for reading until someone writes; a device never ends.
    const QString fifo = dir.filePath(QStringLiteral("pipe.hex"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zero = dir.filePath(QStringLiteral("zero.bin"));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), zero));
    for (const QString& file : {fifo, zero}) {
        Loaded l;
        QString path = file;
        QCOMPARE(LoadFlashFile(l.s, l.ui, path), LoadResult::ReadError);
        QCOMPARE(l.ui.warnings, QStringList{QStringLiteral("FLASH文件读取错误！")});
        QVERIFY(l.s.log.text().contains(QStringLiteral("不是普通文件")));
        l.checkUnchanged();
        path = file;
        QCOMPARE(LoadEepromFile(l.s, l.ui, path), LoadResult::ReadError);
        l.checkUnchanged();
    }
}

void TestHexStrict::unknownKindChangesNothing() {
    QTemporaryDir dir;
    const QString txt = dir.filePath(QStringLiteral("notes.txt"));
    QFile f(txt);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("0100000011EE\n"); // no record: not Intel HEX, and the name says nothing
    f.close();
    Loaded l;
    QString path = txt;
    QCOMPARE(LoadFlashFile(l.s, l.ui, path), LoadResult::UnknownKind);
    QVERIFY(l.s.log.text().contains(txt));
    QVERIFY(l.s.log.text().contains(QStringLiteral("ELF")));
    l.checkUnchanged();
}

void TestHexStrict::loadedFileReplacesWholly() {
    // A good file after a refused one: the image is the new file's alone, nothing of the
    // old image or the refused file stays.
    Loaded l;
    QString path = corpus(QStringLiteral("damaged/overlap.hex"));
    QCOMPARE(LoadFlashFile(l.s, l.ui, path), LoadResult::ReadError);
    path = corpus(QStringLiteral("valid/after_end.hex"));
    QCOMPARE(LoadFlashFile(l.s, l.ui, path), LoadResult::Loaded);
    QCOMPARE(QByteArray::fromHex(l.s.FlashBufferText.toLatin1()),
             fileBytes(corpus(QStringLiteral("valid/after_end.bin"))));
    QCOMPARE(l.s.flashSizePanel, flashSizeText(4));
}

QTEST_GUILESS_MAIN(TestHexStrict)
#include "tst_hexstrict.moc"
