// The toolbar: keyed buttons with their drop-down menus, the two click handlers and the
// guarded operations with the busy interlock.
#include "app/mainwindow.h"

#include "app/apptexts.h"
#include "app/connection.h"
#include "app/controltable.h"
#include "app/fusepage.h"
#include "app/productionpanel.h"
#include "app/programmeractions.h"
#include "app/schemeactions.h"
#include "chips/chiptable.h"
#include "firmware/firmwareupdate.h"
#include "fuses/fuserisk.h"
#include "ops/connectioncheck.h"
#include "ops/flashops.h"
#include "ops/fuseops.h"
#include "ops/identify.h"
#include "session/selectchip.h"

#include <QActionGroup>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

using AppTexts::tr;

namespace {
struct KeyText {
    const char* key;
    const char* caption;
    const char* tip;
};
} // namespace

void MainWindow::buildToolbar() {
    m_toolbar = new QToolBar(tr("工具栏"), this);
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, m_toolbar);

    const KeyText buttons[] = {
        {"SelectMCU", QT_TR_NOOP("识别芯片"),
         QT_TR_NOOP("读取座上芯片的标识字并选择该型号；箭头打开芯片表")},
        {"SetFuseDefault", QT_TR_NOOP("默认熔丝"), QT_TR_NOOP("把熔丝选项恢复为所选芯片的出厂值")},
        {"SetCOM", QT_TR_NOOP("串口"), QT_TR_NOOP("串口设置；箭头打开或关闭串口")},
        {"CheckCOM", QT_TR_NOOP("检测"), QT_TR_NOOP("检测与编程器的连接")},
        {nullptr, nullptr, nullptr},
        {"ReadFuse", QT_TR_NOOP("读熔丝"), QT_TR_NOOP("读取芯片的熔丝位与锁定位")},
        {"WriteFuse", QT_TR_NOOP("写熔丝"), QT_TR_NOOP("把熔丝选项写入芯片")},
        {"RecoverFuse", QT_TR_NOOP("恢复熔丝"), QT_TR_NOOP("把出厂熔丝值写入芯片并读回核对")},
        {"WriteLock", QT_TR_NOOP("写锁定"), QT_TR_NOOP("把锁定位写入芯片")},
        {"EraserFlash", QT_TR_NOOP("擦除"), QT_TR_NOOP("擦除芯片 (FLASH、EEPROM 与锁定位)")},
        {"ProgramMCU", QT_TR_NOOP("编程"), QT_TR_NOOP("按编程选项对芯片编程 (同“编 程”按钮)")},
        {nullptr, nullptr, nullptr},
        {"slSET", QT_TR_NOOP("更多"), QT_TR_NOOP("固件升级、方案文件与帮助")},
        {"About", QT_TR_NOOP("关于"), QT_TR_NOOP("关于本程序")},
    };
    for (const KeyText& b : buttons) {
        if (!b.key) {
            m_toolbar->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(b.key);
        auto* a = new QAction(tr(b.caption), this);
        a->setObjectName(key);
        a->setData(key);
        a->setToolTip(tr(b.tip));
        connect(a, &QAction::triggered, this, [this, key] { buttonClicked(key); });
        m_toolbar->addAction(a);
        m_actions.insert(key, a);
    }

    auto menuItem = [this](QMenu* menu, const char* key, const char* caption) {
        const QString k = QString::fromLatin1(key);
        QAction* a = menu->addAction(tr(caption));
        a->setObjectName(k);
        a->setData(k);
        connect(a, &QAction::triggered, this, [this, k] { menuItemClicked(k); });
        m_actions.insert(k, a);
        return a;
    };

    m_chipMenu = new QMenu(this);
    m_chipMenu->setObjectName(QStringLiteral("ChipMenu"));
    rebuildChipMenu();

    auto* comMenu = new QMenu(this);
    comMenu->setObjectName(QStringLiteral("SetCOMMenu"));
    menuItem(comMenu, "OpenCOM", QT_TR_NOOP("打开串口"));
    menuItem(comMenu, "CloseCOM", QT_TR_NOOP("关闭串口"));

    auto* setMenu = new QMenu(this);
    setMenu->setObjectName(QStringLiteral("slSETMenu"));
    menuItem(setMenu, "UPDATE", QT_TR_NOOP("升级编程器固件..."));
    menuItem(setMenu, "UPEEPROM", QT_TR_NOOP("更新编程器EEPROM数据..."));
    menuItem(setMenu, "FIRMWARE", QT_TR_NOOP("编程器进入固件模式"));
    setMenu->addSeparator();
    menuItem(setMenu, "SaveSet", QT_TR_NOOP("保存方案..."));
    menuItem(setMenu, "LoadSet", QT_TR_NOOP("载入方案..."));
    setMenu->addSeparator();
    menuItem(setMenu, "HELP", QT_TR_NOOP("帮助\tF1"));

    auto attach = [this](const char* key, QMenu* menu, QToolButton::ToolButtonPopupMode mode) {
        QAction* a = m_actions.value(QString::fromLatin1(key));
        a->setMenu(menu);
        if (auto* button = qobject_cast<QToolButton*>(m_toolbar->widgetForAction(a)))
            button->setPopupMode(mode);
    };
    attach("SelectMCU", m_chipMenu, QToolButton::MenuButtonPopup);
    attach("SetCOM", comMenu, QToolButton::MenuButtonPopup);
    attach("slSET", setMenu, QToolButton::InstantPopup);
}

void MainWindow::rebuildChipMenu() {
    if (!m_chipMenu)
        return;
    for (QActionGroup* old : m_chipMenu->findChildren<QActionGroup*>(Qt::FindDirectChildrenOnly))
        delete old;
    m_chipMenu->clear();
    auto* group = new QActionGroup(m_chipMenu);
    group->setExclusive(true);
    QStringList names = ChipTable::names();
    for (const QString& extra : m_extraChips)
        if (!names.contains(extra))
            names << extra;
    for (const QString& name : names) {
        QAction* a = m_chipMenu->addAction(name);
        a->setObjectName(QStringLiteral("Chip_") + name);
        a->setData(name);
        a->setCheckable(true);
        a->setChecked(name == m_session.selectedChipModel);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, name] { menuItemClicked(name); });
        m_lock.hold(a);
    }
}

void MainWindow::addChipMenuEntry(const QString& name) {
    if (name.isEmpty() || m_extraChips.contains(name) || ChipTable::contains(name))
        return;
    m_extraChips << name;
    rebuildChipMenu();
}

void MainWindow::runGuarded(OpId id, const std::function<void(OpContext&)>& body) {
    // The presence check belongs to the operation: it holds the link (and the interlock
    // keeps the window's other operations off) from the first frame to the last.
    runOp(id, [&](OpContext& c) {
        c.link.drainInput();
        if (ReadSignatureByte(c, 0) != u"1E") {
            c.log(Texts::noTarget());
            return;
        }
        if (body)
            body(c);
    });
}

void MainWindow::buttonClicked(const QString& key) {
    if (refusedWhileBusy(key))
        return;
    if (key == u"SelectMCU") {
        runOp(OpId::DetectChip, [](OpContext& c) { DetectChip(c); });
    } else if (key == u"SetFuseDefault") {
        m_session.fuses.ApplyDefault(&m_session.log); // without a description: refused, logged
    } else if (key == u"SetCOM") {
        showSettingsDialog();
    } else if (key == u"CheckCOM") {
        runOp(OpId::CheckConnection, [](OpContext& c) { CheckConnection(c); });
    } else if (key == u"About") {
        showAbout();
    } else if (key == u"slSET") {
        // The menu carries its functions.
    } else if (key == u"ReadFuse") {
        runGuarded(controlOp(key), [](OpContext& c) { ReadFuses(c); });
    } else if (key == u"WriteFuse") {
        if (!CanWriteFuses(m_session)) // no description: not even the presence test goes out
            return;
        runGuarded(controlOp(key), [this](OpContext& c) {
            if (confirmFuseWrite(c, FuseBytesFuses))
                WriteFuses(c);
        });
    } else if (key == u"RecoverFuse") {
        if (!CanWriteFuses(m_session))
            return;
        runGuarded(controlOp(key),
                   [](OpContext& c) { RecoverFuses(c); }); // applies the default itself
    } else if (key == u"WriteLock") {
        if (!CanWriteFuses(m_session))
            return;
        runGuarded(controlOp(key), [this](OpContext& c) {
            if (confirmFuseWrite(c, FuseBytesLock))
                WriteLock(c);
        });
    } else if (key == u"EraserFlash") {
        runGuarded(controlOp(key), [](OpContext& c) { EraseChip(c); });
    } else if (key == u"ProgramMCU") {
        // The toolbar's program button runs what the program button runs.
        startProgram();
    } else {
        runGuarded(controlOp(key), {});
    }
}

void MainWindow::menuItemClicked(const QString& key) {
    if (refusedWhileBusy(key))
        return;
    const QString before = m_session.selectedChipModel;
    if (key == u"OpenCOM" || key == u"CloseCOM") {
        togglePort();
    } else if (key == u"UPDATE") {
        StartFirmwareUpdate(this, *m_app);
    } else if (key == u"UPEEPROM") {
        UpdateProgrammerEepromInteractive(this, *m_app);
    } else if (key == u"SaveSet") {
        // The job of a production run is the scheme last saved or loaded.
        if (const QString path = SaveSetInteractive(this, *m_app); !path.isEmpty())
            m_production->setScheme(path);
    } else if (key == u"LoadSet") {
        if (const QString path = LoadSetInteractive(this, *m_app); !path.isEmpty())
            m_production->setScheme(path);
    } else if (key == u"HELP") {
        openHelp();
    } else if (key == u"FIRMWARE") {
        runOp(OpId::FirmwareLoader, [](OpContext& c) { EnterFirmwareLoader(c); });
    } else {
        SelectChip(m_session, key);
    }
    // A new chip brings its own fuse description; the same chip again keeps the tree.
    m_fusePage->setEnabled(false);
    if (key.startsWith(QLatin1String("AT")) && m_session.selectedChipModel != before) {
        m_session.fuses.LoadFuseDescription(m_session.selectedChipModel + QStringLiteral(".FUS"),
                                            &m_session.log);
        m_session.fuses.ApplyFuseText(m_session.fuses.defaultFuseText());
        m_session.elfFuseChip.clear();
        m_session.log.logMessage(
            Texts::tr("熔丝页已重置为 %1 的出厂默认值。").arg(m_session.selectedChipModel));
    }
    m_fusePage->setEnabled(true);
    rebuildChipMenu();
}
