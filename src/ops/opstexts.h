#pragma once
// The texts of the device operations.
#include "core/texts.h"
#include "link/link.h"

namespace OpsTexts {
inline QString writingFlash() {
    return Texts::tr("写FLASH......");
}
inline QString verifyingFlash() {
    return Texts::tr("校验FLASH......");
}
inline QString flashVerified() {
    return Texts::tr("校验FLASH通过。");
}
inline QString flashEmpty() {
    return Texts::tr("FLASH缓冲区无数据！");
}
inline QString flashMismatch(int address) {
    return Texts::tr("FLASH地址") + hexField(address, 4) + Texts::tr("数据校验失败！");
}
inline QString writingEeprom() {
    return Texts::tr("写EEPROM......");
}
inline QString eepromWritten() {
    return Texts::tr("写EEPROM结束!");
}
inline QString verifyingEeprom() {
    return Texts::tr("校验EEPROM......");
}
inline QString eepromVerified() {
    return Texts::tr("校验EEPROM通过。");
}
inline QString eepromEmpty() {
    return Texts::tr("EEPROM缓冲区无数据！");
}
inline QString eepromMismatch(int address) {
    return Texts::tr("EEPROM地址") + hexField(address, 4) + Texts::tr("数据校验失败！");
}
inline QString flashTooLarge(int bytes, int size) {
    return Texts::tr("FLASH缓冲区数据(%1字节)超过芯片FLASH容量(%2字节), 未写入!")
        .arg(bytes)
        .arg(size);
}
inline QString eepromTooLarge(int bytes, int size) {
    return Texts::tr("EEPROM缓冲区数据(%1字节)超过芯片EEPROM容量(%2字节), 未写入!")
        .arg(bytes)
        .arg(size);
}
inline QString notHexImage(const QString& memory) {
    return Texts::tr("%1缓冲区含有非十六进制数字, 未写入!").arg(memory);
}
inline QString readingFlash() {
    return Texts::tr("读取芯片FLASH!");
}
inline QString readingEeprom() {
    return Texts::tr("读取芯片EEPROM!");
}
inline QString readCutShort(int byteCount) {
    return Texts::tr("读出的数据在第%1字节处含有非十六进制字符, 只保留了前%1字节!").arg(byteCount);
}
inline QString calibrationBytes() {
    return Texts::tr("校准字节:");
}
inline QString calibrationWritten() {
    return Texts::tr("写校准字节结束!");
}
inline QString badAddress() {
    return Texts::tr("地址框数据格式错误!");
}
inline QString noSlotPicked() {
    return Texts::tr("未选择校准字节, 请先读校准字节并选择一个!");
}
inline QString singleWritten() {
    return Texts::tr("写入字节完毕!");
}
inline QString badData(int digits) {
    return Texts::tr("数据框须为至多%1位十六进制数字!").arg(digits);
}
} // namespace OpsTexts
