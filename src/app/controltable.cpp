#include "app/controltable.h"

#include <QAction>
#include <QWidget>

const QList<WindowControl>& windowControls() {
    static const QList<WindowControl> table{
        // The toolbar and its menus.
        {"SelectMCU", OpId::DetectChip, HeldWhileBusy},
        {"SetFuseDefault", OpId::None, HeldWhileBusy},
        {"SetCOM", OpId::None, HeldWhileBusy},
        {"CheckCOM", OpId::CheckConnection, HeldWhileBusy | NeedsPort},
        {"ReadFuse", OpId::ReadFuses, HeldWhileBusy | NeedsPort},
        {"WriteFuse", OpId::WriteFuses, HeldWhileBusy | NeedsPort},
        {"RecoverFuse", OpId::RecoverFuses, HeldWhileBusy | NeedsPort},
        {"WriteLock", OpId::WriteLock, HeldWhileBusy | NeedsPort},
        {"EraserFlash", OpId::Erase, HeldWhileBusy | NeedsPort},
        {"ProgramMCU", OpId::Program, HeldWhileBusy | NeedsPort},
        {"OpenCOM", OpId::None, HeldWhileBusy},
        {"CloseCOM", OpId::None, HeldWhileBusy},
        {"UPDATE", OpId::None, HeldWhileBusy},
        {"UPEEPROM", OpId::None, HeldWhileBusy},
        {"FIRMWARE", OpId::FirmwareLoader, HeldWhileBusy},
        {"LoadSet", OpId::None, HeldWhileBusy},
        {"SaveSet", OpId::None, FreeWhileBusy},
        {"HELP", OpId::None, FreeWhileBusy},
        {"About", OpId::None, FreeWhileBusy},
        {"slSET", OpId::None, FreeWhileBusy},
        // The right column: the chip, the port pictures, the operation buttons.
        {"ChipMenuButton", OpId::None, HeldWhileBusy},
        {"PicConnected", OpId::None, HeldWhileBusy},
        {"PicNotConnected", OpId::None, HeldWhileBusy},
        {"ReadSIG", OpId::ReadSignature, HeldWhileBusy | NeedsPort},
        {"ReadFlash", OpId::ReadFlash, HeldWhileBusy | NeedsPort},
        {"ReadEEPROM", OpId::ReadEeprom, HeldWhileBusy | NeedsPort},
        {"ProCommand", OpId::Program, HeldWhileBusy | NeedsPort},
        // The options page: calibration and single bytes.
        {"ReadOA", OpId::ReadCalibration, HeldWhileBusy | NeedsPort},
        {"WriteOA_Command", OpId::WriteCalibration, HeldWhileBusy},
        {"W_DataCommand_0", OpId::WriteByte0, HeldWhileBusy | NeedsPort},
        {"W_DataCommand_1", OpId::WriteByte1, HeldWhileBusy | NeedsPort},
        {"R_DataCommand_0", OpId::ReadByte0, HeldWhileBusy | NeedsPort},
        {"R_DataCommand_1", OpId::ReadByte1, HeldWhileBusy | NeedsPort},
        // The image tabs: what changes an image, and the comparisons.
        {"OpenFFile", OpId::None, HeldWhileBusy},
        {"OpenEFile", OpId::None, HeldWhileBusy},
        {"ClearFLASH", OpId::None, HeldWhileBusy},
        {"ClearEEPROM", OpId::None, HeldWhileBusy},
        {"FileNameText_0", OpId::None, HeldWhileBusy},
        {"FileNameText_1", OpId::None, HeldWhileBusy},
        {"CompareFLASH", OpId::CompareFlash, HeldWhileBusy},
        {"CompareEEPROM", OpId::CompareEeprom, HeldWhileBusy},
        // The stand-alone page.
        {"WriteLeaveSet", OpId::WriteOfflineSettings, HeldWhileBusy},
        {"ReadLeaveSet", OpId::ReadOfflineSettings, HeldWhileBusy},
        {"Upload_leaveDATA", OpId::UploadOffline, HeldWhileBusy},
        {"Command1", OpId::ProgrammerCommand, HeldWhileBusy},
        // The production panel.
        {"ContinuousCheck", OpId::None, HeldWhileBusy},
    };
    return table;
}

const QList<WindowBar>& windowBars() {
    static const QList<WindowBar> bars{
        {Progress::Flash, "FlashProgressBar", "FLASH"},
        {Progress::Eeprom, "EepromProgressBar", "EEPROM"},
    };
    return bars;
}

OpId controlOp(const QString& name) {
    for (const WindowControl& c : windowControls())
        if (name == QLatin1String(c.name))
            return c.op;
    return OpId::None;
}

QList<QObject*> controlsNamed(QObject* root, const char* name) {
    const QString n = QString::fromLatin1(name);
    QList<QObject*> found;
    for (QAction* a : root->findChildren<QAction*>(n))
        found << a;
    for (QWidget* w : root->findChildren<QWidget*>(n))
        found << w;
    return found;
}
