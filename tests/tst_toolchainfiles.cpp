// Files as the AVR toolchains write them (tests/data/toolchain, made by make-files.sh with
// avr-gcc, avr-objcopy and srec_cat): each loads as avr-objcopy and srec_cat read it, fuse
// and lock bytes included, and a program built for another chip never reaches the chip.
#include "fuses/fuseeditor.h"
#include "ops/flashops.h"
#include "ops/program.h"
#include "session/filechip.h"
#include "session/loader.h"
#include "support/clirun.h"
#include "support/rig.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString tc(const QString& name) {
    return QStringLiteral(HVPP_TEST_DATA "/toolchain/") + name;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray bytesOf(const QString& image) {
    return QByteArray::fromHex(image.toLatin1());
}

// The reference a column names ("" for none), as bytes.
QByteArray reference(const QString& name) {
    return name.isEmpty() ? QByteArray() : fileBytes(tc(name));
}

} // namespace

class TestToolchainFiles : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void loadsAsTheToolsReadIt_data();
    void loadsAsTheToolsReadIt();
    void otherChipNeverReachesTheChip_data();
    void otherChipNeverReachesTheChip();
    void kindFromContent_data();
    void kindFromContent();
    void datalessEepInARun_data();
    void datalessEepInARun();
};

void TestToolchainFiles::loadsAsTheToolsReadIt_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("eeprom");       // loaded as the EEPROM file
    QTest::addColumn<QString>("flash");     // reference of the flash image ("" untouched)
    QTest::addColumn<QString>("eepromRef"); // of the EEPROM image ("" untouched, "-" empty)
    QTest::addColumn<QString>("fuses");     // the fuse bytes, low first ("" none)
    QTest::addColumn<QString>("lock");
    QTest::addColumn<QStringList>("says"); // in the log
    auto row = [](const char* name, const char* file, bool eeprom, const char* flash,
                  const char* eep, const char* fuses, const char* lock, QStringList says) {
        QTest::newRow(name) << QString::fromLatin1(file) << eeprom << QString::fromLatin1(flash)
                            << QString::fromLatin1(eep) << QString::fromLatin1(fuses)
                            << QString::fromLatin1(lock) << says;
    };
    row("eep without --change-section-lma", "lma.eep", true, "", "lma.eep.bin", "", "",
        {QStringLiteral("EEPROM映像: 数据 0000–0004")});
    row("flash HEX with fuse, lock and signature", "recipe.hex", false, "recipe.flash.bin", "",
        "recipe.fuse.bin", "recipe.lock.bin",
        {QStringLiteral("HEX 熔丝位: 锁定位 FC, 低字节 E4, 高字节 D9"),
         QStringLiteral("器件 ATMEGA8")});
    row("eep without data", "nodata.eep", true, "", "-", "", "",
        {QStringLiteral("EEPROM映像: 数据 无数据; 已用 0/512")});
    row("byte-order mark and CR LF", "bom.hex", false, "bom.bin", "", "", "",
        {QStringLiteral("FLASH映像: 数据 0000–0063")});
    row("ELF", "prog.elf", false, "recipe.flash.bin", "lma.eep.bin", "recipe.fuse.bin",
        "recipe.lock.bin", {QStringLiteral("器件 atmega8"), QStringLiteral(".signature@840000+3")});
    row("ELF without device note", "nonote.elf", false, "recipe.flash.bin", "lma.eep.bin",
        "recipe.fuse.bin", "recipe.lock.bin", {QStringLiteral("无法检查程序是否为 ATMEGA8 编译")});
    row("assembler sections without flags", "plain.elf", false, "plain.flash.bin",
        "plain.eeprom.bin", "plain.fuse.bin", "plain.lock.bin",
        {QStringLiteral(".eeprom@810000+3"), QStringLiteral("; 未采用: .mmcu")});
    row("simulator firmware named .axf", "sim.axf", false, "sim.flash.bin", "plain.eeprom.bin",
        "plain.fuse.bin", "plain.lock.bin",
        {QStringLiteral(".mmcu, .debug_info"), QStringLiteral("器件 atmega8")});
}

void TestToolchainFiles::loadsAsTheToolsReadIt() {
    QFETCH(QString, file);
    QFETCH(bool, eeprom);
    QFETCH(QString, flash);
    QFETCH(QString, eepromRef);
    QFETCH(QString, fuses);
    QFETCH(QString, lock);
    QFETCH(QStringList, says);
    SimRig rig(QStringLiteral("ATMEGA8"), {}, SessionRig::WithFuses);
    Session& s = rig.session;
    s.FlashBufferText = QStringLiteral("0102");
    s.EepromBufferText = QStringLiteral("A5");
    const QString page = s.fuses.fuseText();
    QString path = tc(file);
    QCOMPARE(eeprom ? LoadEepromFile(s, rig.ui, path) : LoadFlashFile(s, rig.ui, path),
             LoadResult::Loaded);
    QVERIFY2(rig.ui.warnings.isEmpty(), qPrintable(rig.ui.warnings.join(u'\n')));
    QCOMPARE(bytesOf(s.FlashBufferText), flash.isEmpty() ? QByteArray("\1\2") : reference(flash));
    if (eepromRef == u"-")
        QCOMPARE(s.EepromBufferText, QString());
    else
        QCOMPARE(bytesOf(s.EepromBufferText),
                 eepromRef.isEmpty() ? QByteArray("\xA5") : reference(eepromRef));
    if (fuses.isEmpty()) {
        QCOMPARE(s.fuses.fuseText(), page);
    } else {
        // The page shows each byte with the bits the chip lacks ("*") as 1.
        const QString def = s.fuses.defaultFuseText();
        auto shown = [&def](int frame, char value) {
            static const int first[4] = {24, 16, 8, 0}; // low, high, extended, lock
            int v = quint8(value);
            for (int b = 0; b < 8; ++b)
                v |= def[first[frame] + b] == u'*' ? 0x80 >> b : 0;
            return QString::number(v, 16).toUpper();
        };
        const QByteArray f = reference(fuses), l = reference(lock);
        for (int i = 0; i < f.size(); ++i)
            QCOMPARE(s.fuses.frameDigits(i), shown(i, f[i]));
        QCOMPARE(s.fuses.frameDigits(3), shown(3, l[0]));
    }
    for (const QString& word : says)
        QVERIFY2(rig.logged(word), qPrintable(word + u'\n' + rig.log()));
    QVERIFY(!rig.logged(QStringLiteral("不能写入该芯片")));
}

void TestToolchainFiles::otherChipNeverReachesTheChip_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("chip");
    QTest::addColumn<QString>("refusal"); // "" for a file of the selected chip
    QTest::newRow("none of the fourteen") << tc(QStringLiteral("tiny13.elf")) << "ATMEGA8"
                                          << "程序为 attiny13 编译, 所选芯片为 ATMEGA8";
    QTest::newRow("another of the fourteen")
        << QStringLiteral(HVPP_TEST_DATA "/elf/app168.elf") << "ATMEGA8"
        << "程序为 atmega168 编译, 所选芯片为 ATMEGA8";
    QTest::newRow("HEX signature of another chip") << tc(QStringLiteral("recipe.hex")) << "ATMEGA16"
                                                   << "程序为 ATMEGA8 编译, 所选芯片为 ATMEGA16";
    QTest::newRow("the selected chip") << tc(QStringLiteral("prog.elf")) << "ATMEGA8"
                                       << "";
}

void TestToolchainFiles::otherChipNeverReachesTheChip() {
    QFETCH(QString, file);
    QFETCH(QString, chip);
    QFETCH(QString, refusal);
    SimRig rig(chip, {}, SessionRig::WithFuses);
    Session& s = rig.session;
    const QString page = s.fuses.fuseText();
    QString path = file;
    QCOMPARE(LoadFlashFile(s, rig.ui, path), LoadResult::Loaded);
    s.options.fill(false);
    for (int o : {OptWriteFlash, OptVerifyFlash, OptWriteFuses, OptWriteLock})
        s.options[size_t(o)] = true;
    const ProgramOutcome run = ProgramChip(rig.c);
    if (refusal.isEmpty()) {
        QVERIFY2(run.ok(), qPrintable(rig.log()));
        return;
    }
    // The fuse bytes built for another chip's layout stay off the page; the run, a write
    // and a verify are refused before the first frame.
    QCOMPARE(s.fuses.fuseText(), page);
    QVERIFY(run.refused && !run.ok());
    QVERIFY(!WriteFlash(rig.c));
    QVERIFY(!VerifyFlash(rig.c));
    QCOMPARE(rig.trace(), QStringList());
    QCOMPARE(rig.ui.warnings.size(), 3);
    QVERIFY2(rig.logged(refusal), qPrintable(rig.log()));
    // The refusal belongs to the file's image, not to one that replaced it.
    s.FlashBufferText = QStringLiteral("0102");
    QCOMPARE(imageChipRefusal(s, 0, s.FlashBufferText), QString());
    // The command line: refused before the port is used, with both names.
    QTemporaryDir dir;
    const CliRun r = cli(simArgs(dir.filePath(QStringLiteral("s.ini"))) +
                         QStringList{QStringLiteral("--chip"), chip, QStringLiteral("program"),
                                     QStringLiteral("--flash"), file, QStringLiteral("--options"),
                                     QStringLiteral("1101100010")});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(refusal), qPrintable(r.out + r.err));
    QVERIFY2(!r.out.contains(QStringLiteral("擦除")), qPrintable(r.out));
    const CliRun info = cli({QStringLiteral("--settings"), dir.filePath(QStringLiteral("s.ini")),
                             QStringLiteral("--chip"), chip, QStringLiteral("--json"),
                             QStringLiteral("info"), file});
    QCOMPARE(info.code, 1);
    QVERIFY(!info.result()
                 .value(QStringLiteral("flash"))[QStringLiteral("device")]
                 .toString()
                 .isEmpty());
}

void TestToolchainFiles::kindFromContent_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("name"); // the copy's name
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("says");
    QTest::newRow("ELF named .hex") << "prog.elf"
                                    << "prog.hex" << int(LoadResult::Loaded) << "ELF 段";
    QTest::newRow("ELF named .bin") << "prog.elf"
                                    << "prog.bin" << int(LoadResult::Loaded) << "ELF 段";
    QTest::newRow("HEX named .txt") << "recipe.hex"
                                    << "app.txt" << int(LoadResult::Loaded) << "HEX 熔丝位";
    QTest::newRow("HEX with a mark, no name")
        << "bom.hex"
        << "firmware" << int(LoadResult::Loaded) << "FLASH映像";
    QTest::newRow("binary named .dat") << "recipe.flash.bin"
                                       << "app.dat" << int(LoadResult::UnknownKind) << "ELF";
    QTest::newRow("relocatable object")
        << "prog.o"
        << "prog.o" << int(LoadResult::ReadError) << "不是链接好的程序";
}

void TestToolchainFiles::kindFromContent() {
    QFETCH(QString, source);
    QFETCH(QString, name);
    QFETCH(int, result);
    QFETCH(QString, says);
    QTemporaryDir dir;
    const QString copy = dir.filePath(name);
    QVERIFY(QFile::copy(tc(source), copy));
    SimRig rig(QStringLiteral("ATMEGA8"), {}, SessionRig::WithFuses);
    rig.session.FlashBufferText = QStringLiteral("0102");
    QString path = copy;
    QCOMPARE(int(LoadFlashFile(rig.session, rig.ui, path)), result);
    QVERIFY2(rig.logged(says), qPrintable(rig.log()));
    if (result != int(LoadResult::Loaded))
        QCOMPARE(rig.session.FlashBufferText, QStringLiteral("0102"));
}

void TestToolchainFiles::datalessEepInARun_data() {
    QTest::addColumn<QString>("options");
    QTest::addColumn<int>("code");
    // erase, flash, (EEPROM), reload, verify flash, (verify EEPROM)
    QTest::newRow("EEPROM left alone") << "1100010010" << 0;
    QTest::newRow("EEPROM written") << "1110010010" << 1;
    QTest::newRow("EEPROM verified") << "1100010011" << 1;
}

// A program without EEPROM data comes with a .eep holding the end record alone: a run
// that leaves EEPROM alone passes; one that would write or verify it is refused before
// anything is sent.
void TestToolchainFiles::datalessEepInARun() {
    QFETCH(QString, options);
    QFETCH(int, code);
    QTemporaryDir dir;
    const CliRun r =
        cli(simArgs(dir.filePath(QStringLiteral("s.ini"))) +
            QStringList{QStringLiteral("program"), QStringLiteral("--flash"),
                        tc(QStringLiteral("bom.hex")), QStringLiteral("--eeprom"),
                        tc(QStringLiteral("nodata.eep")), QStringLiteral("--options"), options});
    QVERIFY2(r.code == code, qPrintable(r.out + r.err));
    if (code != 0) {
        QVERIFY2(r.err.contains(QStringLiteral("没有数据")), qPrintable(r.err));
        QVERIFY2(!r.out.contains(QStringLiteral("擦除")), qPrintable(r.out));
    }
    // The window's run reloads the files: a ticked EEPROM step fails, an unticked one
    // leaves the run passing.
    SimRig rig;
    rig.session.fileName = {tc(QStringLiteral("bom.hex")), tc(QStringLiteral("nodata.eep"))};
    QVERIFY(rig.session.setOptionsText(options));
    const ProgramOutcome run = ProgramChip(rig.c);
    QCOMPARE(run.ok(), code == 0);
    QCOMPARE(run.refused, code != 0);
    QCOMPARE(rig.logged(QStringLiteral("但没有EEPROM数据")), code != 0);
    if (code != 0)
        QCOMPARE(rig.trace(), QStringList()); // refused before the first frame
}

QTEST_GUILESS_MAIN(TestToolchainFiles)
#include "tst_toolchainfiles.moc"
