#pragma once
// The window's own texts: captions, titles and the few notices the shell shows. The
// Chinese text is the source of each translation.
#include "core/texts.h"

namespace AppTexts {
HVPP_TEXTS(hvpp)
// Product prefix of the window title and the settings store's application name.
inline QString titlePrefix() { return tr("hvpp 高压并行编程器 "); }
inline QString titleVersion() {
    return QStringLiteral("V" HVPP_VERSION " For USB-RS232");
}
inline QString webLabel() { return tr("hvpp 使用说明与项目信息"); }
inline QString initialLog() { return tr("欢迎使用 hvpp 高压并行编程器。请先选择芯片型号并检查串口连接。"); }
inline QString aboutText() {
    return tr("hvpp 是高压并行编程器的桌面控制程序，支持 ATmega8/16/32/48/88/168/"
              "161/162/163/323/8515/8535 及 ATtiny26/2313。\n\n"
              "功能：识别芯片、载入 Intel HEX/二进制/EEP 文件、擦除、编程与校验 FLASH 和 "
              "EEPROM、读写熔丝位与锁定位、写入校准字节、脱机编程设置、升级编程器固件、"
              "保存与载入方案。\n\n"
              "没有编程器时，可用 --port sim 启动内置的模拟编程器试用全部功能。");
}
inline QString closeCaption() { return tr("确　定"); }
inline QString tabFuses() { return tr("熔丝选项"); }
inline QString tabFlash() { return QStringLiteral("FLASH"); }
inline QString tabEeprom() { return QStringLiteral("EEPROM"); }
inline QString tabOptions() { return tr("编程选项"); }
inline QString tabOffline() { return tr("脱机选项"); }
inline QString flashOpenFilter() {
    return tr("Intel HEX 文件 (*.HEX *.hex);;二进制文件(*.BIN *.bin);;"
              "ELF 文件 (*.ELF *.elf *.AXF *.axf);;所有文件 (*)");
}
inline QString eepromOpenFilter() {
    return tr("EEPROM文件(*.EEP *.eep);;二进制文件(*.BIN *.bin);;Intel Hex文件(*.HEX *.hex);;"
              "ELF 文件 (*.ELF *.elf *.AXF *.axf);;所有文件 (*)");
}
inline QString saveFilter() {
    return tr("二进制文件(*.BIN *.bin);;Intel HEX 文件 (*.HEX *.hex *.EEP *.eep)");
}
inline QString helpMissing() {
    return tr("帮助文件没找到: %1");
}
// The status bar's two FLASH/EEPROM pairs.
inline QString chipSizesCaption() {
    return tr("芯片:");
}
inline QString chipSizesTip() {
    return tr("所选芯片的型号、存储器大小 (字节) 和标识字");
}
inline QString imageSizesCaption() {
    return tr("文件:");
}
inline QString imageSizesTip() {
    return tr("已载入的FLASH和EEPROM数据的大小");
}
inline QString quitTitle() {
    return tr("退出");
}
inline QString quitWhileBusy() {
    return tr("编程器的操作尚未结束。\n停止该操作并退出程序吗?");
}
inline QString quitAfterRun() {
    return tr("编程器的操作已结束。\n退出程序吗?");
}
} // namespace AppTexts
