// The window against the simulated programmer on a virtual clock: a whole program-chip
// run by clicking ProCommand, the read buttons, and the image tabs (open, drop, clear).
#include "windowfixture.h"

#include "support/rig.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QProgressBar>
#include <QToolBar>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

class TestMainWindowProgram : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void programChipByClicking();
    void readButtonsFillViews();
    void imageTabsOpenDropAndClear();
};

void TestMainWindowProgram::programChipByClicking() {
    WindowFixture f;
    auto port = std::make_unique<SimPort>(simConfig(QStringLiteral("ATMEGA8")));
    SimPort* sim = port.get();
    auto w = f.make(std::move(port));
    QVERIFY(f.warnings.isEmpty());

    // A flash image and an EEPROM image chosen with the open buttons.
    QByteArray flash(1000, '\0');
    for (int i = 0; i < flash.size(); ++i)
        flash[i] = char(i * 7 + 3);
    QByteArray eeprom = QByteArray::fromHex("0102A5FF5A");
    const QString flashFile = f.file(QStringLiteral("app.bin"));
    const QString eepromFile = f.file(QStringLiteral("data.bin"));
    {
        QFile a(flashFile), b(eepromFile);
        QVERIFY(a.open(QIODevice::WriteOnly) && b.open(QIODevice::WriteOnly));
        a.write(flash);
        b.write(eeprom);
    }
    QString next;
    w->fileChooser().open = [&](QWidget*, const QString&, const QString&) { return next; };
    next = flashFile;
    child<QPushButton>(w.get(), QStringLiteral("OpenFFile"))->click();
    next = eepromFile;
    child<QPushButton>(w.get(), QStringLiteral("OpenEFile"))->click();
    QCOMPARE(child<QLineEdit>(w.get(), QStringLiteral("FileNameText_0"))->text(), flashFile);
    QCOMPARE(child<QLabel>(w.get(), QStringLiteral("FlashSizePanel"))->text(), QStringLiteral("FLASH:1000字节"));

    // Erase, both writes, reload, signature check and both verifies.
    setOptions(*w, QStringLiteral("1110011011"));
    auto* program = child<QPushButton>(w.get(), QStringLiteral("ProCommand"));
    QTest::mouseClick(program, Qt::LeftButton);
    QVERIFY(program->isEnabled());
    QVERIFY2(f.warnings.isEmpty(), qPrintable(f.warnings.join(u'\n')));
    const QString log = w->session().log.text();
    QVERIFY2(log.contains(QStringLiteral("校验FLASH通过。")), qPrintable(log));
    QVERIFY(log.contains(QStringLiteral("校验EEPROM通过。")));
    QCOMPARE(sim->model().chip()->flash().left(flash.size()), flash);
    QCOMPARE(sim->model().chip()->eeprom().left(eeprom.size()), eeprom);
    QVERIFY(w->toolbar()->isEnabled());

    // A chip of another type in the socket stops the run at the signature check.
    setOptions(*w, QStringLiteral("1000001000"));
    w->chipMenu()->findChild<QAction*>(QStringLiteral("Chip_ATMEGA16"))->trigger();
    sim->clearSent();
    QTest::mouseClick(program, Qt::LeftButton);
    QVERIFY(w->session().log.text().contains(QStringLiteral("标识字与所选芯片不符!")));
    QVERIFY(!sim->sent().contains("EM000000#"));
}

void TestMainWindowProgram::readButtonsFillViews() {
    WindowFixture f;
    auto port = std::make_unique<SimPort>(simConfig(QStringLiteral("ATMEGA32")));
    auto w = f.make(std::move(port));
    w->chipMenu()->findChild<QAction*>(QStringLiteral("Chip_ATMEGA32"))->trigger();
    QTest::mouseClick(child<QPushButton>(w.get(), QStringLiteral("ReadSIG")), Qt::LeftButton);
    QCOMPARE(child<QLabel>(w.get(), QStringLiteral("Crunt_MCUTYPE"))->text(), QStringLiteral("ATMEGA32"));
    QCOMPARE(child<QLabel>(w.get(), QStringLiteral("SIG_LABEL"))->text(), QStringLiteral("1E9502"));

    // 32 KB fill the flash view: one line per 16 bytes, all of them in the model.
    QTest::mouseClick(child<QPushButton>(w.get(), QStringLiteral("ReadFlash")), Qt::LeftButton);
    auto* view = child<QListView>(w.get(), QStringLiteral("RichTextFLASH"));
    QCOMPARE(view->model()->rowCount(), 2048);
    QCOMPARE(view->model()->index(0, 0).data().toString(), QStringLiteral("0000　") + QString(32, u'F'));
    QCOMPARE(view->model()->index(2047, 0).data().toString().left(5), QStringLiteral("7FF0　"));
    QCOMPARE(child<QLabel>(w.get(), QStringLiteral("FlashSizePanel"))->text(), QStringLiteral("FLASH:32768"));
    QVERIFY(child<QPushButton>(w.get(), QStringLiteral("ReadFlash"))->isEnabled());

    QTest::mouseClick(child<QPushButton>(w.get(), QStringLiteral("ReadEEPROM")), Qt::LeftButton);
    QCOMPARE(child<QListView>(w.get(), QStringLiteral("RichTextEEPROM"))->model()->rowCount(), 64);
}

void TestMainWindowProgram::imageTabsOpenDropAndClear() {
    WindowFixture f;
    auto w = f.make(std::make_unique<SimPort>(SimConfig()));
    const QString hex = f.file(QStringLiteral("fw.hex"));
    const QString eep = f.file(QStringLiteral("data.eep"));
    {
        QFile a(hex), b(eep);
        QVERIFY(a.open(QIODevice::WriteOnly) && b.open(QIODevice::WriteOnly));
        a.write(":0400000001020304F2\n:00000001FF\n");
        b.write(QByteArray::fromHex("1122"));
    }
    auto drop = [&](const QString& tab, const QString& path) {
        return ::drop(child<QWidget>(w.get(), tab), path);
    };
    QVERIFY(drop(QStringLiteral("FlashTab"), hex));
    QCOMPARE(w->session().FlashBufferText, QStringLiteral("01020304"));
    QCOMPARE(child<QLineEdit>(w.get(), QStringLiteral("FileNameText_0"))->text(), hex);
    // An EEP file belongs to the EEPROM image wherever it is dropped.
    QVERIFY(drop(QStringLiteral("FlashTab"), eep));
    QCOMPARE(w->session().EepromBufferText, QStringLiteral("1122"));
    QCOMPARE(w->session().FlashBufferText, QStringLiteral("01020304"));
    QVERIFY(!drop(QStringLiteral("EepromTab"), f.file(QStringLiteral("notes.txt"))));

    // Save as writes the bytes; clear empties image, box and view.
    const QString saved = f.file(QStringLiteral("out.bin"));
    w->fileChooser().save = [&](QWidget*, const QString&, const QString&) { return saved; };
    child<QPushButton>(w.get(), QStringLiteral("SaveFlash"))->click();
    QFile out(saved);
    QVERIFY(out.open(QIODevice::ReadOnly));
    QCOMPARE(out.readAll(), QByteArray::fromHex("01020304"));
    child<QPushButton>(w.get(), QStringLiteral("ClearFLASH"))->click();
    QVERIFY(w->session().FlashBufferText.isEmpty());
    QVERIFY(child<QLineEdit>(w.get(), QStringLiteral("FileNameText_0"))->text().isEmpty());
    QCOMPARE(child<QListView>(w.get(), QStringLiteral("RichTextFLASH"))->model()->rowCount(), 0);
}

QTEST_MAIN(TestMainWindowProgram)
#include "tst_mainwindow_program.moc"
