#pragma once
// The texts of stand-alone programming, the scheme file dialogs and the number converter.
// The Chinese text is the source text of each translation.
#include "core/texts.h"

namespace OfflineTexts {
HVPP_TEXTS(hvpp)
// Settings record
inline QString writingSettings() {
    return tr("写入脱机编程设置。");
}
inline QString readingSettings() {
    return tr("读取脱机编程设置。");
}
// %1 the number of settings bytes.
inline QString settingsWritten() {
    return tr("脱机编程设置已写入编程器 (%1 字节)。");
}
// %1 bytes the programmer did not confirm, %2 all bytes.
inline QString settingsNotConfirmed() {
    return tr("脱机编程设置写入失败: 编程器未确认 %1 / %2 字节!");
}
// %1 the chip (or its signature), %2 the fuse bytes (extended, high, low), %3 the lock byte.
inline QString settingsRead() {
    return tr("脱机编程设置已读出: 芯片 %1, 熔丝位 %2, 锁定位 %3。");
}
// %1 the number of chips.
inline QString fuseTableStored() {
    return tr("熔丝数据已存入编程器 (%1 种芯片)。");
}
inline QString fuseTableNotConfirmed() {
    return tr("熔丝数据存入失败: 编程器未确认 %1 / %2 字节!");
}
inline QString itemsNotAnswered() {
    return tr("脱机编程设置项 %1 无有效回答, 其值未改变。");
}
inline QString addressTooLong() {
    return tr("地址 %1 超过四位十六进制数!");
}
inline QString addressNotHex() {
    return tr("地址 %1 不是十六进制数!");
}
inline QString initialTooLarge() {
    return tr("初始编号 %1 超过 FFFFFFFF (4294967295)!");
}
inline QString initialNotHex() {
    return tr("初始编号 %1 不是十六进制数!");
}
inline QString incrementOutOfRange() {
    return tr("自动增量 %1 超出范围 (0-255)!");
}
inline QString calSlotOutOfRange() {
    return tr("校准字节选项 %1 超出范围 (OA1-OA4)!");
}
// Upload
inline QString uploading() {
    return tr("上载数据......");
}
inline QString flashTooLarge() {
    return tr("FLASH数据超出限制大小！");
}
inline QString eepromTooLarge() {
    return tr("EEPROM数据超出限制大小！");
}
inline QString transferFailed() {
    return tr("数据传输不成功！请重启编程器。");
}
inline QString eepromTransferFailed() {
    return tr("EEPROM数据传输不成功！");
}
inline QString flashUploaded() {
    return tr("上载FLASH数据完成。");
}
inline QString eepromUploaded() {
    return tr("上载EEPROM数据完成。");
}
// Scheme files
inline QString schemeFilter() {
    return tr("方案文件(*.SET)");
}
// Converter
inline QString wholeNumbersOnly() {
    return QStringLiteral("Only Whole Numbers can be converted");
}
} // namespace OfflineTexts
