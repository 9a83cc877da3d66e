#pragma once
// The window's own texts for stand-alone programming, the programmer update and scheme
// files (captions, group titles, dialog titles). The texts the operations show come from
// offline/offlinetexts.h.
#include "core/texts.h"

namespace OfflinePageTexts {
HVPP_TEXTS(hvpp)
// Offline page
inline QString stepsGroup() {
    return tr("脱机编程选项");
}
inline QString step(int n) {
    static const char* const captions[8] = {
        QT_TRANSLATE_NOOP("hvpp", "编程FLASH"),  QT_TRANSLATE_NOOP("hvpp", "编程EEPROM"),
        QT_TRANSLATE_NOOP("hvpp", "写熔丝位"),   QT_TRANSLATE_NOOP("hvpp", "写锁定位"),
        QT_TRANSLATE_NOOP("hvpp", "写校准字节"), QT_TRANSLATE_NOOP("hvpp", "写序列号"),
        QT_TRANSLATE_NOOP("hvpp", "擦除芯片"),   QT_TRANSLATE_NOOP("hvpp", "使能脱机编程")};
    return tr(captions[n]);
}
inline QString calGroup() {
    return tr("校准字节选项");
}
inline QString calAddress() {
    return tr("写入地址(HEX)");
}
inline QString calSlot() {
    return tr("校准字节：");
}
inline QString serialGroup() {
    return tr("序列号选项");
}
inline QString serialAddress() {
    return tr("写入地址：");
}
inline QString increment() {
    return tr("自动增量");
}
inline QString initialNumber() {
    return tr("初始编号：");
}
inline QString hexUnit() {
    return QStringLiteral("HEX");
}
inline QString decUnit() {
    return QStringLiteral("DEC");
}
inline QString flash() {
    return QStringLiteral("FLASH");
}
inline QString eeprom() {
    return QStringLiteral("EEPROM");
}
inline QString writeSettings() {
    return tr("写入设置");
}
inline QString readSettings() {
    return tr("读取设置");
}
inline QString uploadData() {
    return tr("写入数据");
}
inline QString storeFuseTable() {
    return tr("存熔丝数据");
}
inline QString testEntry() {
    return tr("试验");
}
inline QString writeSettingsTip() {
    return tr("把本页的脱机编程设置写入编程器");
}
inline QString readSettingsTip() {
    return tr("从编程器读回脱机编程设置");
}
inline QString uploadTip() {
    return tr("把FLASH和EEPROM缓冲区的数据写入编程器, 供脱机编程使用");
}
inline QString storeFuseTableTip() {
    return tr("把各芯片的熔丝数据表写入编程器");
}
inline QString testEntryTip() {
    return tr("在芯片菜单中加入 ATTINY24");
}
inline QString workflowHint() {
    return tr(
        "脱机编程: 先选定芯片并设好熔丝位, 勾选要执行的步骤, 点击\"写入设置\", 再点击\"写入数据\""
        "把FLASH和EEPROM缓冲区的数据存入编程器; 之后编程器可以离开电脑独立烧写芯片。");
}
inline QString converterError() {
    return tr("数值转换");
}
// Firmware window
inline QString firmwareCaption() {
    return tr("升级固件");
}
inline QString firmwareFile() {
    return tr("升级文件");
}
inline QString continueButton() {
    return tr("继 续");
}
inline QString exitButton() {
    return tr("退 出");
}
inline QString binaryFilter() {
    return tr("二进制文件 (*.BIN)");
}
inline QString openFirmwareTitle() {
    return tr("选择固件文件");
}
inline QString openEepromDataTitle() {
    return tr("选择EEPROM数据文件");
}
// Scheme files
inline QString schemeFilter() {
    return tr("方案文件(*.SET)");
}
inline QString saveSchemeTitle() {
    return tr("保存方案文件");
}
inline QString loadSchemeTitle() {
    return tr("打开方案文件");
}
inline QString schemeNotSaved() {
    return tr("方案文件没有保存: %1");
}
inline QString schemeNotOpened() {
    return tr("无法打开方案文件: %1");
}
inline QString schemeSaved() {
    return tr("方案已保存: %1");
}
inline QString schemeLoaded() {
    return tr("方案已载入: %1");
}
inline QString schemePartlyLoaded() {
    return tr("方案文件 %1 在第 %2 行中止, 之前的设置已应用。");
}
} // namespace OfflinePageTexts
