#pragma once
// The texts of the programmer update. The Chinese text is the source text of each
// translation.
#include "core/texts.h"

namespace FirmwareTexts {
HVPP_TEXTS(hvpp)
inline QString restartProgrammer() {
    return tr("请重启编程器！");
}
inline QString confirmUpdate() {
    return tr("确认升级，请点击<继续>！");
}
inline QString loaderTimeout() {
    return tr("超时，连接不成功！");
}
inline QString updateStarting() {
    return tr("启动升级......");
}
inline QString updateDone() {
    return tr("升级完毕。");
}
inline QString afterUpdate() {
    return tr("请点击<退出>关闭本窗口, 然后用工具栏的“检测”确认编程器的回答。");
}
inline QString firmwareTooLarge() {
    return tr("固件文件过大 (%1 字节): 编程器的引导程序最多接收 32767 字节, 未发送任何数据。");
}
inline QString firmwareEmpty() {
    return tr("固件文件为空, 未发送任何数据。");
}
inline QString fileUnreadable() {
    return tr("无法读取文件 %1: %2");
}
inline QString cannotConnect() {
    return tr("无法连接编程器!");
}
inline QString eepromUpdating() {
    return tr("升级EEPROM数据......");
}
inline QString eepromUpdated() {
    return tr("EEPROM数据升级完毕！");
}
inline QString programmerEepromTooLarge() {
    return tr("EEPROM数据文件过大 (%1 字节): 最多 65536 字节, 未发送任何数据。");
}
} // namespace FirmwareTexts
