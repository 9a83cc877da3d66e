// Image summaries at load time, ELF jobs read with libelf, and Intel HEX written out.
#include "image/byteranges.h"
#include "image/crc32.h"
#include "image/elfloader.h"
#include "image/hexwriter.h"
#include "image/imagesummary.h"
#include "image/saver.h"
#include "scheme/scheme.h"
#include "session/loader.h"
#include "session/selectchip.h"
#include "session/session.h"
#include "support/recordingui.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString data(const char* name) {
    return QStringLiteral(HVPP_TEST_DATA "/") + QString::fromLatin1(name);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Rig {
    Session session;
    RecordingUi ui;
    QStringList log;
    QTemporaryDir dir;
    explicit Rig(const char* chip = "ATMEGA8") {
        SelectChip(session, QString::fromLatin1(chip));
        session.fuses.setSetFolder(QStringLiteral(HVPP_SET_DIR));
        session.fuses.LoadFuseDescription(session.chip.ChipName + QStringLiteral(".FUS"));
        session.fuses.ApplyFuseText(session.fuses.defaultFuseText());
        QObject::connect(&session.log, &MessageLog::messageLogged, &session.log,
                         [this](const QString& t) { log << t; });
    }
    QString write(const char* name, const QByteArray& bytes) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return path;
    }
    LoadResult flash(const QString& path) {
        QString copy = path;
        return LoadFlashFile(session, ui, copy);
    }
    LoadResult eeprom(const QString& path) {
        QString copy = path;
        return LoadEepromFile(session, ui, copy);
    }
    QString logged(const QString& part) const {
        for (const QString& l : log)
            if (l.contains(part))
                return l;
        return QString();
    }
};

} // namespace

class TestImageFeatures : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void ranges_data() {
        QTest::addColumn<QByteArray>("mask");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QByteArray() << 10 << QString();
        QTest::newRow("one byte") << QByteArray("\0\1\0", 3) << 10 << QStringLiteral("0001");
        QTest::newRow("two runs") << QByteArray("\1\1\0\0\1", 5) << 10
                                  << QStringLiteral("0000–0001, 0004");
        QTest::newRow("run to the end")
            << QByteArray("\0\1\1\1", 4) << 10 << QStringLiteral("0001–0003");
        QTest::newRow("more than the limit")
            << QByteArray("\1\0\1\0\1\0\1", 7) << 2 << QStringLiteral("0000, 0002 … (共 4 段)");
    }
    void ranges() {
        QFETCH(QByteArray, mask);
        QFETCH(int, limit);
        QFETCH(QString, text);
        const QVector<ByteRange> r = rangesOfMask(mask);
        QCOMPARE(rangesText(r, limit), text);
        int set = 0;
        for (int i = 0; i < mask.size(); ++i) {
            set += mask[i] ? 1 : 0;
            QCOMPARE(rangesContain(r, i), bool(mask[i]));
        }
        QCOMPARE(rangesBytes(r), set);
    }

    // The standard check value, and the CRC of a loaded image over its bytes, FF padding
    // included.
    void crc() {
        QCOMPARE(crc32Of(QByteArray("123456789")), 0xCBF43926u);
        QCOMPARE(crc32Of(QByteArray()), 0u);
        QCOMPARE(imageCrcText(QStringLiteral("313233343536373839")), QStringLiteral("CBF43926"));
        QCOMPARE(imageCrcText(QString()), QString());
    }

    void summaryAtLoad_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("chip");
        QTest::addColumn<bool>("eeprom");
        QTest::addColumn<QString>("ranges");
        QTest::addColumn<QString>("used");
        QTest::addColumn<bool>("fits");
        // srec_cat's file: two 16-byte blocks with a gap of 16 FF between them.
        QTest::newRow("gapped HEX")
            << data("gap.hex") << "ATMEGA8" << false << "0000–000F, 0020–002F"
            << "已用 32/8192 字节" << true;
        QTest::newRow("binary") << data("odd.bin") << "ATMEGA8" << false << "0000–0020"
                                << "已用 33/8192 字节" << true;
        QTest::newRow("32 KB into an ATMEGA8")
            << data("full32k.bin") << "ATMEGA8" << false << "0000–7FFF"
            << "已用 32768/8192 字节" << false;
        QTest::newRow("32 KB into an ATMEGA32")
            << data("full32k.bin") << "ATMEGA32" << false << "0000–7FFF"
            << "已用 32768/32768 字节" << true;
        // The map comes from the one reading: a segment record moves the data to 0x1000.
        QTest::newRow("segment address")
            << data("hex/valid/segment.hex") << "ATMEGA8" << false << "1000–100F"
            << "已用 16/8192 字节" << true;
        QTest::newRow("EEP as HEX, too large")
            << data("full1k.eep") << "ATMEGA8" << true << "0000–03FF"
            << "已用 1024/512 字节" << false;
    }
    void summaryAtLoad() {
        QFETCH(QString, file);
        QFETCH(QString, chip);
        QFETCH(bool, eeprom);
        QFETCH(QString, ranges);
        QFETCH(QString, used);
        QFETCH(bool, fits);
        Rig r(chip.toLatin1().constData());
        QCOMPARE(eeprom ? r.eeprom(file) : r.flash(file), LoadResult::Loaded);
        const QString line =
            r.logged(eeprom ? QStringLiteral("EEPROM映像") : QStringLiteral("FLASH映像"));
        QVERIFY2(line.contains(ranges), qPrintable(line));
        QVERIFY2(line.contains(used), qPrintable(line));
        const QString& image = eeprom ? r.session.EepromBufferText : r.session.FlashBufferText;
        QVERIFY(line.endsWith(QStringLiteral("CRC-32 ") + imageCrcText(image)));
        QCOMPARE(imageCrcText(image),
                 QString::number(crc32Of(QByteArray::fromHex(image.toLatin1())), 16)
                     .toUpper()
                     .rightJustified(8, u'0'));
        QCOMPARE(r.logged(QStringLiteral("无法写入")).isEmpty(), fits);
    }

    // Bytes a file sets to FF are data; bytes the loader fills in are not.
    void summaryTakesFileBytesNotFF() {
        Rig r;
        const QString path =
            r.write("ff.hex", ":04001000FFFFFFFFF0\r\n:02002000123498\r\n:00000001FF\r\n");
        QCOMPARE(r.flash(path), LoadResult::Loaded);
        const QString line = r.logged(QStringLiteral("FLASH映像"));
        QVERIFY2(line.contains(QStringLiteral("0010–0013, 0020–0021")), qPrintable(line));
        QVERIFY2(line.contains(QStringLiteral("已用 6/8192")), qPrintable(line));
    }

    // avr-gcc's ELF gives the same images as avr-objcopy's HEX files of it, and its fuse
    // and lock bytes on the fuse page.
    void elfJob_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("chip");
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("high");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("lock");
        QTest::newRow("ATMEGA8, two fuse bytes") << data("elf/app.elf") << "ATMEGA8"
                                                 << "E4"
                                                 << "D9"
                                                 << ""
                                                 << "FC";
        QTest::newRow("ATMEGA168, three fuse bytes") << data("elf/app168.elf") << "ATMEGA168"
                                                     << "E4"
                                                     << "D9"
                                                     << "F9"
                                                     << "FC";
        QTest::newRow("no fuse section") << data("elf/nofuse.elf") << "ATMEGA8"
                                         << ""
                                         << ""
                                         << ""
                                         << "";
    }
    void elfJob() {
        QFETCH(QString, file);
        QFETCH(QString, chip);
        QFETCH(QString, low);
        QFETCH(QString, high);
        QFETCH(QString, ext);
        QFETCH(QString, lock);
        Rig r(chip.toLatin1().constData());
        const QString before = r.session.fuses.fuseText();
        QCOMPARE(r.flash(file), LoadResult::Loaded);
        QVERIFY(r.ui.warnings.isEmpty());
        // The EEPROM image and its file-name box come from the same file.
        QCOMPARE(r.session.fileName[1], file);
        Session ref;
        RecordingUi refUi;
        QString eep = data("elf/app.eep");
        QCOMPARE(LoadEepromFile(ref, refUi, eep), LoadResult::Loaded);
        QCOMPARE(r.session.EepromBufferText, ref.EepromBufferText);
        if (chip == u"ATMEGA8") {
            QString hex = data("elf/app.hex");
            QCOMPARE(LoadFlashFile(ref, refUi, hex), LoadResult::Loaded);
            if (!low.isEmpty()) // the same code with and without fuses differs in nothing else
                QCOMPARE(r.session.FlashBufferText, ref.FlashBufferText);
        }
        QVERIFY(r.session.FlashBufferText.size() > 100);
        QVERIFY(!r.logged(QStringLiteral("FLASH映像")).isEmpty());
        QVERIFY(!r.logged(QStringLiteral("EEPROM映像: 数据 0000–0005")).isEmpty());
        if (low.isEmpty()) {
            QCOMPARE(r.session.fuses.fuseText(), before);
            QVERIFY(r.logged(QStringLiteral("ELF 熔丝位")).isEmpty());
            return;
        }
        QCOMPARE(r.session.fuses.frameDigits(0), low);
        QCOMPARE(r.session.fuses.frameDigits(1), high);
        QCOMPARE(r.session.fuses.frameDigits(3), lock);
        if (!ext.isEmpty())
            QCOMPARE(r.session.fuses.frameDigits(2), ext);
        const QString line = r.logged(QStringLiteral("ELF 熔丝位"));
        QVERIFY2(line.contains(low) && line.contains(high) && line.contains(lock),
                 qPrintable(line));
    }

    // A scheme that names an ELF file with "文件重载" ticked brings the whole job back.
    void elfInScheme() {
        Rig saver;
        saver.session.fileName[0] = data("elf/app.elf");
        saver.session.options[OptReloadFiles] = true;
        const QString path = saver.dir.filePath(QStringLiteral("job.SET"));
        QVERIFY(SaveSet(saver.session, path));
        Rig r;
        QCOMPARE(LoadSet(r.session, r.ui, path), 9);
        QCOMPARE(r.session.EepromBufferText, QStringLiteral("112233445566"));
        QVERIFY(!r.session.FlashBufferText.isEmpty());
        QCOMPARE(r.session.fuses.frameDigits(0), QStringLiteral("E4"));
        QCOMPARE(r.session.fuses.frameDigits(3), QStringLiteral("FC"));
    }

    // The EEPROM loader takes only the EEPROM part.
    void elfIntoEeprom() {
        Rig r;
        r.session.FlashBufferText = QStringLiteral("0102");
        const QString fuses = r.session.fuses.fuseText();
        QCOMPARE(r.eeprom(data("elf/app.elf")), LoadResult::Loaded);
        QCOMPARE(r.session.EepromBufferText, QStringLiteral("112233445566"));
        QCOMPARE(r.session.FlashBufferText, QStringLiteral("0102"));
        QCOMPARE(r.session.fuses.fuseText(), fuses);
    }

    // Refused files: the loader's box, a reason in the log, and nothing held changes.
    void elfRefused_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reason");
        QTest::newRow("another machine") << data("elf/other.o") << "不是 AVR";
        QTest::newRow("flash beyond 0x7FFF") << data("elf/beyond.elf") << "0x7FFF";
        QTest::newRow("not ELF at all") << data("blink.hex") << "不是 ELF";
        QTest::newRow("truncated") << QStringLiteral("truncate") << "ELF";
    }
    void elfRefused() {
        QFETCH(QString, file);
        QFETCH(QString, reason);
        Rig r;
        if (file == u"truncate")
            file = r.write("cut.elf", readAll(data("elf/app.elf")).left(300));
        else if (!file.endsWith(u".elf")) // the kind is taken from the name
            file = r.write("named.elf", readAll(file));
        r.session.FlashBufferText = QStringLiteral("A5A5");
        r.session.EepromBufferText = QStringLiteral("5A");
        const QString fuses = r.session.fuses.fuseText();
        QCOMPARE(r.flash(file), LoadResult::ReadError);
        QCOMPARE(r.ui.warnings, QStringList{QStringLiteral("FLASH文件读取错误！")});
        QVERIFY2(!r.logged(reason).isEmpty(), qPrintable(r.log.join(u'|')));
        QCOMPARE(r.session.FlashBufferText, QStringLiteral("A5A5"));
        QCOMPARE(r.session.EepromBufferText, QStringLiteral("5A"));
        QCOMPARE(r.session.fuses.fuseText(), fuses);
    }

    // HEX written for an image loads back byte for byte, whatever FF runs it holds.
    void hexRoundTrip_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("one byte") << QByteArray("\x42");
        QTest::newRow("odd length") << readAll(data("odd.bin"));
        QTest::newRow("trailing FF") << QByteArray("\x01\x02") + QByteArray(40, '\xFF');
        QTest::newRow("leading FF") << QByteArray(48, '\xFF') + QByteArray("\x10\x20\x30");
        QTest::newRow("all FF") << QByteArray(100, '\xFF');
        QByteArray random(32768, 0);
        QRandomGenerator gen(14);
        for (char& c : random)
            c = char(gen.bounded(8) == 0 ? 0xFF : gen.bounded(256));
        random.replace(4096, 2048, QByteArray(2048, '\xFF'));
        QTest::newRow("32 KB with a blank stretch") << random;
    }
    void hexRoundTrip() {
        QFETCH(QByteArray, bytes);
        Rig r;
        const QString image = QString::fromLatin1(bytes.toHex().toUpper());
        for (const char* name : {"out.hex", "OUT.EEP", "out.bin"}) {
            const QString path = r.dir.filePath(QString::fromLatin1(name));
            QString error;
            QVERIFY2(WriteImageFile(path, image, &error), qPrintable(error));
            const QByteArray file = readAll(path);
            if (QByteArray(name).endsWith("bin")) {
                QCOMPARE(file, bytes);
                continue;
            }
            QVERIFY(file.startsWith(':'));
            QVERIFY(file.endsWith(":00000001FF\r\n"));
            for (const QByteArray& line : file.split('\n')) { // each record's checksum adds up
                const QByteArray rec = QByteArray::fromHex(line.trimmed().mid(1));
                quint8 sum = 0;
                for (char c : rec)
                    sum = quint8(sum + quint8(c));
                QCOMPARE(sum, quint8(0));
            }
            QString back;
            QVERIFY(ReadImageFile(path, QStringLiteral("HEX"), back));
            QCOMPARE(back, image);
        }
    }

    // srec_cat, an independent reader, takes the file and gives the same bytes.
    void hexThroughSrecCat() {
        const QString srec = QStandardPaths::findExecutable(QStringLiteral("srec_cat"));
        if (srec.isEmpty())
            QSKIP("srec_cat is not installed");
        Rig r;
        QByteArray bytes = readAll(data("blink.bin"));
        bytes += QByteArray(64, '\xFF') + QByteArray("\xDE\xAD\xBE\xEF\x01", 5);
        const QString hex = r.dir.filePath(QStringLiteral("img.hex"));
        const QString bin = r.dir.filePath(QStringLiteral("img.bin"));
        QVERIFY(WriteImageFile(hex, QString::fromLatin1(bytes.toHex()), nullptr));
        QProcess p;
        p.start(srec, {hex, QStringLiteral("-intel"), QStringLiteral("-fill"),
                       QStringLiteral("0xFF"), QStringLiteral("0"), QString::number(bytes.size()),
                       QStringLiteral("-o"), bin, QStringLiteral("-binary")});
        QVERIFY(p.waitForFinished(10000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
        QCOMPARE(readAll(bin), bytes);
    }
};

QTEST_GUILESS_MAIN(TestImageFeatures)
#include "tst_imagefeatures.moc"
