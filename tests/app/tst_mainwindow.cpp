// The main window's shell: start-up with an empty and with a filled settings store,
// shut-down, the toolbar's guard and interlock, the port toggle and the serial settings.
#include "windowfixture.h"

#include "app/controltable.h"
#include "app/serialdialog.h"
#include "core/settings.h"
#include "support/scriptedport.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

namespace {

QString frontPicture(MainWindow& w) {
    return child<QStackedWidget>(&w, QStringLiteral("ConnectionPictures"))->currentWidget()->objectName();
}

// A programmer that answers the presence test with the manufacturer byte.
std::unique_ptr<ScriptedPort> presentTarget() {
    auto port = std::make_unique<ScriptedPort>();
    port->answer("RI00#", "1E");
    port->answer("RI01#", "93");
    port->answer("RI02#", "07");
    return port;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstStartWithEmptySettings();
    void settingsWrittenAtShutDownAndReadBack();
    void storedTextsOfWrongLength_data();
    void storedTextsOfWrongLength();
    void guardedToolbarWithoutTarget();
    void guardedToolbarWithTargetDisablesToolbar();
    void portClosedDisablesOperations();
    void portToggleFailing();
    void serialSettingsApplied();
    void serialPortChangeFailingKeepsOldPort();
    void chipMenuSelectsAndReloadsOnlyOnChange();
    void logViewReadOnlyAndDoubleClickRestores();
    void windowHeldAtDesignSize();
    void controlTableNamesTheWindowsControls();
};

void TestMainWindow::firstStartWithEmptySettings() {
    WindowFixture f;
    auto w = f.make(std::make_unique<ScriptedPort>());
    QVERIFY(w->windowTitle().endsWith(QStringLiteral("V1.1.2 For USB-RS232")));
    QVERIFY(w->windowTitle().size() > QStringLiteral("V1.1.2 For USB-RS232").size());
    QCOMPARE(w->session().windowTitleText, w->windowTitle());
    QVERIFY(f.warnings.isEmpty());

    // Port opened with the default settings.
    QCOMPARE(child<QLabel>(w.get(), QStringLiteral("COMStatus"))->text(),
             QStringLiteral("　　script:115200,N,8,1"));
    QCOMPARE(frontPicture(*w), QStringLiteral("PicConnected"));
    QVERIFY(w->toolbarAction(QStringLiteral("CloseCOM"))->isEnabled());
    QVERIFY(!w->toolbarAction(QStringLiteral("OpenCOM"))->isEnabled());
    QVERIFY(child<QWidget>(w.get(), QStringLiteral("ProCommand"))->isEnabled());

    // Fallback chip, its calibration addresses and options 0.
    QCOMPARE(w->session().chip.ChipName, QStringLiteral("ATMEGA8"));
    QCOMPARE(child<QLabel>(w.get(), QStringLiteral("SEL_MCUTYPE"))->text(),
             QStringLiteral("ATMEGA8"));
    QCOMPARE(w->session().mcuTypesPanel,
             QStringLiteral(" ATMEGA8　FLASH:8192　EEPROM:512　ID:1E9307"));
    QCOMPARE(child<QLabel>(w.get(), QStringLiteral("MCUtypes"))->text(),
             QStringLiteral("ATMEGA8 FLASH:8192 EEPROM:512 ID:1E9307"));
    QCOMPARE(child<QLineEdit>(w.get(), QStringLiteral("Flash_Address"))->text(),
             QStringLiteral("8191"));
    QCOMPARE(child<QLineEdit>(w.get(), QStringLiteral("Eeprom_Address"))->text(),
             QStringLiteral("511"));
    QCOMPARE(child<QScrollBar>(w.get(), QStringLiteral("VScroll1"))->value(), -8191);
    QCOMPARE(child<QScrollBar>(w.get(), QStringLiteral("VScroll2"))->value(), -511);
    QVERIFY(child<QRadioButton>(w.get(), QStringLiteral("Sel_OA_0"))->isChecked());
    QVERIFY(child<QRadioButton>(w.get(), QStringLiteral("Sel_FE_0"))->isChecked());
    QCOMPARE(child<QLineEdit>(w.get(), QStringLiteral("W_AddressText_0"))->text(), QStringLiteral("4095"));
    QCOMPARE(child<QLineEdit>(w.get(), QStringLiteral("W_AddressText_1"))->text(), QStringLiteral("511"));

    // Fuse bits from the chip default, no files, the first tab, full progress bars.
    QCOMPARE(w->session().fuses.fuseText(), w->session().fuses.defaultFuseText());
    QVERIFY(w->session().FlashBufferText.isEmpty());
    QVERIFY(child<QLineEdit>(w.get(), QStringLiteral("FileNameText_0"))->text().isEmpty());
    QCOMPARE(child<QTabWidget>(w.get(), QStringLiteral("SSTab1"))->currentIndex(), 0);
    QCOMPARE(child<QTabWidget>(w.get(), QStringLiteral("SSTab1"))->tabText(0), QStringLiteral("熔丝选项"));
    QCOMPARE(child<QProgressBar>(w.get(), QStringLiteral("FlashProgressBar"))->value(), 100);

    // The log starts with its greeting and two line ends.
    QVERIFY(w->session().log.text().endsWith(QStringLiteral("\r\n\r\n")));
    QCOMPARE(w->session().log.text(), w->session().log.initialText());
    QCOMPARE(w->toolbarAction(QStringLiteral("SelectMCU"))->menu()->actions().size(), 14);
}

void TestMainWindow::settingsWrittenAtShutDownAndReadBack() {
    WindowFixture f;
    // Two image files for the reload at the next start.
    const QString flashFile = f.file(QStringLiteral("app.bin"));
    const QString eepromFile = f.file(QStringLiteral("data.bin"));
    {
        QFile a(flashFile), b(eepromFile);
        QVERIFY(a.open(QIODevice::WriteOnly) && b.open(QIODevice::WriteOnly));
        a.write(QByteArray::fromHex("0C9412345678"));
        b.write(QByteArray::fromHex("A5"));
    }
    QString fusesBefore;
    {
        auto w = f.make(std::make_unique<ScriptedPort>());
        // Options: tick all but the last; calibration slot 2, target EEPROM, address 100.
        for (int i = 0; i < 10; ++i) {
            auto* box = child<QCheckBox>(w.get(), QStringLiteral("CheckPRO_%1").arg(i));
            if (box->isChecked() != (i != 9))
                box->click();
        }
        child<QRadioButton>(w.get(), QStringLiteral("Sel_OA_2"))->click();
        child<QRadioButton>(w.get(), QStringLiteral("Sel_FE_1"))->click();
        auto* address = child<QLineEdit>(w.get(), QStringLiteral("Flash_Address"));
        address->selectAll();
        QTest::keyClicks(address, QStringLiteral("100"));
        auto* flashName = child<QLineEdit>(w.get(), QStringLiteral("FileNameText_0"));
        QTest::keyClicks(flashName, flashFile);
        auto* eepromName = child<QLineEdit>(w.get(), QStringLiteral("FileNameText_1"));
        QTest::keyClicks(eepromName, eepromFile);
        w->session().fuses.ToggleBit(0);
        fusesBefore = w->session().fuses.fuseText();
        w->close();
    }
    QSettings ini(f.ini(), QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("编程选项/设置")).toString(), QStringLiteral("1111111110"));
    QCOMPARE(ini.value(QStringLiteral("校准/HZ")).toString(), QStringLiteral("2"));
    QCOMPARE(ini.value(QStringLiteral("校准/FE")).toString(), QStringLiteral("1"));
    QCOMPARE(ini.value(QStringLiteral("校准/FLASH")).toString(), QStringLiteral("100"));
    QCOMPARE(ini.value(QStringLiteral("校准/EEPROM")).toString(), QStringLiteral("511"));
    QCOMPARE(ini.value(QStringLiteral("文件/FLASH")).toString(), flashFile);
    QCOMPARE(ini.value(QStringLiteral("文件/EEPROM")).toString(), eepromFile);
    QCOMPARE(ini.value(QStringLiteral("熔丝/设置")).toString(), fusesBefore);
    QCOMPARE(fusesBefore.size(), 32);

    auto w = f.make(std::make_unique<ScriptedPort>());
    for (int i = 0; i < 10; ++i)
        QCOMPARE(child<QCheckBox>(w.get(), QStringLiteral("CheckPRO_%1").arg(i))->isChecked(), i != 9);
    QVERIFY(child<QRadioButton>(w.get(), QStringLiteral("Sel_OA_2"))->isChecked());
    QVERIFY(child<QRadioButton>(w.get(), QStringLiteral("Sel_FE_1"))->isChecked());
    QCOMPARE(child<QLineEdit>(w.get(), QStringLiteral("Flash_Address"))->text(), QStringLiteral("100"));
    QCOMPARE(child<QScrollBar>(w.get(), QStringLiteral("VScroll1"))->value(), -100);
    QCOMPARE(w->session().fuses.fuseText(), fusesBefore);
    // "文件重载" was ticked: both files are back, with the names as they were typed.
    QCOMPARE(child<QLineEdit>(w.get(), QStringLiteral("FileNameText_0"))->text(), flashFile);
    QCOMPARE(w->session().FlashBufferText, QStringLiteral("0C9412345678"));
    QCOMPARE(w->session().EepromBufferText, QStringLiteral("A5"));
    QCOMPARE(child<QLabel>(w.get(), QStringLiteral("FlashSizePanel"))->text(), QStringLiteral("FLASH:6字节"));
}

void TestMainWindow::storedTextsOfWrongLength_data() {
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("fuses");
    QTest::addColumn<bool>("optionsUsed");
    QTest::addColumn<bool>("fusesUsed");
    const QString fuses32 = QStringLiteral("11111111" "11111111" "11011001" "11100001");
    QTest::newRow("both used") << QStringLiteral("0000000001") << fuses32 << true << true;
    QTest::newRow("short options ignored") << QStringLiteral("111") << fuses32 << false << true;
    QTest::newRow("31 fuse characters replaced") << QStringLiteral("0000000001") << fuses32.left(31) << true
                                                 << false;
}

void TestMainWindow::storedTextsOfWrongLength() {
    QFETCH(QString, options);
    QFETCH(QString, fuses);
    QFETCH(bool, optionsUsed);
    QFETCH(bool, fusesUsed);
    WindowFixture f;
    {
        SettingsStore st(f.ini());
        st.write(SettingsKeys::ProgramOptions, options);
        st.write(SettingsKeys::FuseBits, fuses);
        st.write(SettingsKeys::ChipModel, QStringLiteral("ATMEGA16"));
        st.sync();
    }
    auto w = f.make(std::make_unique<ScriptedPort>());
    QCOMPARE(w->session().chip.ChipName, QStringLiteral("ATMEGA16"));
    QCOMPARE(child<QLineEdit>(w.get(), QStringLiteral("Flash_Address"))->text(), QStringLiteral("8191"));
    QCOMPARE(w->session().optionsText() == options, optionsUsed);
    if (!optionsUsed)
        QCOMPARE(w->session().optionsText(), QStringLiteral("1100011010"));
    if (fusesUsed) {
        // Positions the chip does not have stay "*" whatever the stored text says.
        QString expected = fuses;
        const QString def = w->session().fuses.defaultFuseText();
        for (int i = 0; i < expected.size() && i < def.size(); ++i)
            if (def[i] == u'*')
                expected[i] = u'*';
        QCOMPARE(w->session().fuses.fuseText(), expected);
    }
    else
        QCOMPARE(w->session().fuses.fuseText(), w->session().fuses.defaultFuseText());
}

void TestMainWindow::guardedToolbarWithoutTarget() {
    WindowFixture f;
    auto port = std::make_unique<ScriptedPort>(); // nobody answers
    ScriptedPort* p = port.get();
    auto w = f.make(std::move(port));
    setOptions(*w, QStringLiteral("0000000000")); // a job with nothing to write needs no data
    for (const QString& key : {QStringLiteral("ReadFuse"), QStringLiteral("WriteFuse"), QStringLiteral("RecoverFuse"),
                              QStringLiteral("WriteLock"), QStringLiteral("EraserFlash"),
                              QStringLiteral("ProgramMCU")}) {
        p->clearWrites();
        w->toolbarAction(key)->trigger();
        QCOMPARE(p->writtenTexts(), QStringList{QStringLiteral("RI00#")});
        QVERIFY2(w->session().log.text().contains(QStringLiteral("无目标芯片或无连接!")), qPrintable(key));
        QVERIFY(w->toolbar()->isEnabled());
        w->session().log.clear();
    }
    QVERIFY(f.warnings.isEmpty());
}

void TestMainWindow::guardedToolbarWithTargetDisablesToolbar() {
    WindowFixture f;
    auto port = presentTarget();
    ScriptedPort* p = port.get();
    auto w = f.make(std::move(port));
    // While the erase runs the toolbar's operations are off (About stays); afterwards on again.
    bool toolbarDuringErase = true;
    p->responder = [&](ScriptedPort& sp, const QByteArray& bytes) {
        if (bytes.startsWith("EM")) {
            toolbarDuringErase = w->toolbarAction(QStringLiteral("ProgramMCU"))->isEnabled() ||
                                 w->toolbarAction(QStringLiteral("SetCOM"))->isEnabled() ||
                                 !w->toolbarAction(QStringLiteral("About"))->isEnabled();
            sp.queueInputAfter("!", 1);
        }
    };
    p->clearWrites();
    w->toolbarAction(QStringLiteral("EraserFlash"))->trigger();
    QCOMPARE(p->writtenTexts(), (QStringList{QStringLiteral("RI00#"), QStringLiteral("EM000000#")}));
    QVERIFY(!toolbarDuringErase);
    QVERIFY(w->toolbarAction(QStringLiteral("ProgramMCU"))->isEnabled());
    QVERIFY(w->toolbarAction(QStringLiteral("SetCOM"))->isEnabled());
    QVERIFY(w->session().log.text().contains(QStringLiteral("!\r\n")));

    // A non-guarded key sends nothing but its own command.
    p->clearWrites();
    p->answer("CC", "OK");
    w->toolbarAction(QStringLiteral("CheckCOM"))->trigger();
    QCOMPARE(p->writtenTexts(), QStringList{QStringLiteral("CC000000#")});
    QVERIFY(w->session().log.text().contains(QStringLiteral("OK")));
}

void TestMainWindow::portClosedDisablesOperations() {
    WindowFixture f;
    auto w = f.make(std::make_unique<ScriptedPort>());
    w->menuItemClicked(QStringLiteral("CloseCOM"));
    QCOMPARE(frontPicture(*w), QStringLiteral("PicNotConnected"));
    for (const QString& key : {QStringLiteral("ReadFuse"), QStringLiteral("WriteFuse"), QStringLiteral("WriteLock"),
                              QStringLiteral("RecoverFuse"), QStringLiteral("EraserFlash"),
                              QStringLiteral("ProgramMCU"), QStringLiteral("CheckCOM")})
        QVERIFY2(!w->toolbarAction(key)->isEnabled(), qPrintable(key));
    for (const QString& name : {QStringLiteral("ReadSIG"), QStringLiteral("ReadFlash"), QStringLiteral("ReadEEPROM"),
                               QStringLiteral("ReadOA"), QStringLiteral("ProCommand"),
                               QStringLiteral("W_DataCommand_0"), QStringLiteral("R_DataCommand_1")})
        QVERIFY2(!child<QWidget>(w.get(), name)->isEnabled(), qPrintable(name));
    for (const QString& key : {QStringLiteral("SetCOM"), QStringLiteral("SelectMCU"), QStringLiteral("About")})
        QVERIFY2(w->toolbarAction(key)->isEnabled(), qPrintable(key));
    QVERIFY(w->toolbarAction(QStringLiteral("OpenCOM"))->isEnabled());
    QVERIFY(!w->toolbarAction(QStringLiteral("CloseCOM"))->isEnabled());

    // A click on the picture opens it again.
    QTest::mouseClick(child<QWidget>(w.get(), QStringLiteral("PicNotConnected")), Qt::LeftButton);
    QCOMPARE(frontPicture(*w), QStringLiteral("PicConnected"));
    QVERIFY(child<QWidget>(w.get(), QStringLiteral("ProCommand"))->isEnabled());
}

void TestMainWindow::portToggleFailing() {
    WindowFixture f;
    auto port = std::make_unique<ScriptedPort>();
    port->setFailOpen(QStringLiteral("串口 COM7 不存在。"));
    auto w = f.make(std::move(port));
    // Start-up tried to open it: one box, and everything follows the closed port.
    QCOMPARE(f.warnings, QStringList{QStringLiteral("串口 COM7 不存在。")});
    QCOMPARE(f.warningTitles, QStringList{QStringLiteral("警告提示　　　　　")});
    QCOMPARE(frontPicture(*w), QStringLiteral("PicNotConnected"));
    QVERIFY(w->toolbarAction(QStringLiteral("OpenCOM"))->isEnabled());
    QVERIFY(!w->toolbarAction(QStringLiteral("CloseCOM"))->isEnabled());
    QVERIFY(!child<QWidget>(w.get(), QStringLiteral("ProCommand"))->isEnabled());

    w->menuItemClicked(QStringLiteral("OpenCOM"));
    QCOMPARE(f.warnings.size(), 2);
    QCOMPARE(frontPicture(*w), QStringLiteral("PicNotConnected"));
    QVERIFY(!w->toolbarAction(QStringLiteral("ReadFuse"))->isEnabled());

    // Chip detection stays usable and reports the closed port in a box, not a crash.
    w->toolbarAction(QStringLiteral("SelectMCU"))->trigger();
    QCOMPARE(f.warnings.size(), 3);
}

void TestMainWindow::serialSettingsApplied() {
    WindowFixture f;
    auto w = f.make(std::make_unique<ScriptedPort>());
    SerialChoices c{QStringLiteral("script"), QStringLiteral("9600,Space,7,2"), 2, true};
    c.settingsText = QStringLiteral("9600,S,7,2");
    w->applySerialChoices(c);
    QVERIFY(f.warnings.isEmpty());
    QCOMPARE(child<QLabel>(w.get(), QStringLiteral("COMStatus"))->text(), QStringLiteral("　　script:9600,S,7,2"));
    QCOMPARE(frontPicture(*w), QStringLiteral("PicConnected"));
    QSettings ini(f.ini(), QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("属性/设置")).toString(), QStringLiteral("9600,S,7,2"));
    QCOMPARE(ini.value(QStringLiteral("属性/握手")).toString(), QStringLiteral("2"));
    QCOMPARE(ini.value(QStringLiteral("属性/回应")).toString(), QStringLiteral("true"));
    QVERIFY(w->session().echoEnabled);

    // The dialog's choices: parity by letter, and the text it builds.
    SerialDialog d(SerialChoices{QStringLiteral("sim"), QStringLiteral("115200,s,8,1.5"), 1, false});
    QCOMPARE(d.choices().settingsText, QStringLiteral("115200,S,8,1.5"));
    QCOMPARE(d.choices().portName, QStringLiteral("sim"));
    QCOMPARE(d.choices().flowControl, 1);
    QCOMPARE(SerialDialog::parityIndex(u'e'), 0);
    QCOMPARE(SerialDialog::parityIndex(u'n'), 2);
    QCOMPARE(SerialDialog::parityIndex(u'x'), 0);

    // A text the port cannot take: a box, and the old text stays.
    w->applySerialChoices(SerialChoices{QStringLiteral("script"), QStringLiteral("fast,n,8,1"), 0, false});
    QCOMPARE(f.warnings.size(), 1);
    QCOMPARE(f.warningTitles.first(), QStringLiteral("警告提示　　　　　"));
    QVERIFY(child<QLabel>(w.get(), QStringLiteral("COMStatus"))->text().endsWith(QStringLiteral("9600,S,7,2")));
}

void TestMainWindow::serialPortChangeFailingKeepsOldPort() {
    WindowFixture f;
    auto w = f.make(std::make_unique<ScriptedPort>());
    w->applySerialChoices(SerialChoices{QStringLiteral("/dev/hvpp-no-such-port"), QStringLiteral("115200,n,8,1"), 0,
                                        false});
    QCOMPARE(f.warnings.size(), 1);
    QCOMPARE(f.warningTitles.first(), QStringLiteral("警告提示　　　　　"));
    QVERIFY(f.warnings.first().contains(QStringLiteral("/dev/hvpp-no-such-port")));
    // The old port is back and open again.
    QCOMPARE(w->port()->portName(), QStringLiteral("script"));
    QCOMPARE(frontPicture(*w), QStringLiteral("PicConnected"));
    QVERIFY(child<QWidget>(w.get(), QStringLiteral("ReadSIG"))->isEnabled());
}

void TestMainWindow::chipMenuSelectsAndReloadsOnlyOnChange() {
    WindowFixture f;
    auto w = f.make(std::make_unique<ScriptedPort>());
    QSignalSpy reloads(&w->session().fuses, &FuseEditor::optionsReset);
    QMenu* menu = w->chipMenu();
    QAction* m16 = menu->findChild<QAction*>(QStringLiteral("Chip_ATMEGA16"));
    QVERIFY(m16);
    m16->trigger();
    QCOMPARE(w->session().selectedChipModel, QStringLiteral("ATMEGA16"));
    QCOMPARE(child<QLabel>(w.get(), QStringLiteral("SEL_MCUTYPE"))->text(), QStringLiteral("ATMEGA16"));
    QCOMPARE(child<QLineEdit>(w.get(), QStringLiteral("Flash_Address"))->text(), QStringLiteral("16383"));
    QCOMPARE(child<QScrollBar>(w.get(), QStringLiteral("VScroll1"))->minimum(), -16383);
    QCOMPARE(reloads.size(), 1);
    QSettings ini(f.ini(), QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("芯片/型号")).toString(), QStringLiteral("ATMEGA16"));

    // The same chip again keeps the fuse tree as it is.
    w->session().fuses.ToggleBit(3);
    const QString edited = w->session().fuses.fuseText();
    w->chipMenu()->findChild<QAction*>(QStringLiteral("Chip_ATMEGA16"))->trigger();
    QCOMPARE(reloads.size(), 1);
    QCOMPARE(w->session().fuses.fuseText(), edited);
    QVERIFY(w->chipMenu()->findChild<QAction*>(QStringLiteral("Chip_ATMEGA16"))->isChecked());
}

void TestMainWindow::logViewReadOnlyAndDoubleClickRestores() {
    WindowFixture f;
    auto w = f.make(std::make_unique<ScriptedPort>());
    auto* log = child<QPlainTextEdit>(w.get(), QStringLiteral("InfoText"));
    QVERIFY(log->isReadOnly());
    for (int i = 0; i < 60; ++i)
        w->session().log.logMessage(QStringLiteral("第%1行").arg(i));
    QVERIFY(log->toPlainText().contains(QStringLiteral("第59行")));
    QVERIFY(!log->toPlainText().contains(u'\r'));
    QCOMPARE(log->textCursor().position(), log->document()->characterCount() - 1);
    QTest::mouseDClick(log->viewport(), Qt::LeftButton);
    QCOMPARE(w->session().log.text(), w->session().log.initialText());
    QVERIFY(!log->toPlainText().contains(QStringLiteral("第59行")));
}

void TestMainWindow::windowHeldAtDesignSize() {
    WindowFixture f;
    auto w = f.make(std::make_unique<ScriptedPort>());
    QCOMPARE(w->size(), QSize(707, 504));
    w->resize(900, 700);
    QCOMPARE(w->size(), QSize(707, 504));
    w->resize(400, 300);
    QCOMPARE(w->size(), QSize(707, 504));
}

// The window's control table is the only place where operations and bars meet widget
// names: a name there that no widget or action carries would leave a control on during
// its operation, or a bar still.
void TestMainWindow::controlTableNamesTheWindowsControls() {
    WindowFixture f;
    auto w = f.make(std::make_unique<ScriptedPort>());
    for (const WindowControl& c : windowControls())
        QVERIFY2(controlsNamed(w.get(), c.name).size() == 1, c.name);
    for (const WindowBar& b : windowBars())
        QVERIFY2(w->findChild<QProgressBar*>(QString::fromLatin1(b.name)), b.name);
    // And an operation switches its controls through the table: both program controls go
    // off while the program run holds the link.
    w->ui().operationStarted(OpId::Program);
    QVERIFY(!w->toolbarAction(QStringLiteral("ProgramMCU"))->isEnabled());
    QVERIFY(!child<QWidget>(w.get(), QStringLiteral("ProCommand"))->isEnabled());
    w->ui().operationEnded(OpId::Program);
    QVERIFY(child<QWidget>(w.get(), QStringLiteral("ProCommand"))->isEnabled());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
