#pragma once
// The texts of the job of a program run: its check, its statement in the log, the engine's
// stop and verify lines.
#include "core/texts.h"

namespace JobTexts {
inline QString noData(const QString& step, const QString& memory) {
    return Texts::tr("%1 已勾选, 但没有%2数据。").arg(step, memory);
}
inline QString notLoaded(const QString& step, const QString& file) {
    return Texts::tr("%1 已勾选, 但文件 %2 未能载入。").arg(step, file);
}
inline QString noFileName(const QString& step, const QString& memory) {
    return Texts::tr("%1 已勾选 (文件重载), 但没有%2文件名。").arg(step, memory);
}
inline QString notHex(const QString& memory) {
    return Texts::tr("%1数据不是十六进制文本。").arg(memory);
}
inline QString tooLarge(const QString& memory, int bytes, const QString& chip, int chipBytes) {
    return Texts::tr("%1数据有 %2 字节, 超出所选芯片 %3 的 %4 字节。")
        .arg(memory)
        .arg(bytes)
        .arg(chip)
        .arg(chipBytes);
}
inline QString noFuseDescription(const QString& step, const QString& file) {
    return Texts::tr("%1 已勾选, 但所选芯片没有熔丝描述文件 (%2)。").arg(step, file);
}
inline QString schemeFileMissing(const QString& file) {
    return Texts::tr("方案中的文件不存在: %1").arg(file);
}
inline QString refused() {
    return Texts::tr("编程未开始, 什么也没有发送:");
}
inline QString jobChip(const QString& chip) {
    return Texts::tr("编程任务: 芯片 %1").arg(chip);
}
inline QString jobSteps(const QString& steps) {
    return Texts::tr("编程步骤: %1").arg(steps);
}
inline QString noSteps() {
    return Texts::tr("无 (只检查目标芯片)");
}
inline QString jobImage(const QString& memory, int bytes, const QString& file) {
    return file.isEmpty() ? Texts::tr("%1: %2 字节").arg(memory).arg(bytes)
                          : Texts::tr("%1: %2 字节, 文件 %3").arg(memory).arg(bytes).arg(file);
}
inline QString jobFuses(const QString& low, const QString& high, const QString& ext) {
    return Texts::tr("将写入熔丝位: 低字节 %1, 高字节 %2, 扩展字节 %3").arg(low, high, ext);
}
inline QString jobLock(const QString& lock) {
    return Texts::tr("将写入锁定位: %1").arg(lock);
}
inline QString jobSerial(const QString& memory, const QString& address, const QString& first) {
    return Texts::tr("序列号: 写入%1地址 %2, 第一个 %3").arg(memory, address, first);
}
inline QString stoppedAfter(const QString& steps) {
    return Texts::tr("编程已停止。已执行的步骤: %1。芯片未编程完整。").arg(steps);
}
inline QString noneRan() {
    return Texts::tr("无");
}
inline QString failedVerifyGoesOn(const QString& steps) {
    return Texts::tr("芯片未通过校验, 其后的步骤仍将执行: %1。").arg(steps);
}
inline QString dangerAccepted(const QString& dangers) {
    return Texts::tr("危险的熔丝值经确认后写入: %1").arg(dangers);
}
inline QString dangerDeclined() {
    return Texts::tr("危险的熔丝值未确认, 编程未开始, 什么也没有发送。");
}
inline QString fuseDeclined() {
    return Texts::tr("危险的熔丝值未确认, 未写入, 什么也没有发送。");
}
// The serial fields by their captions on the stand-alone page.
inline QString serialFlashAddress() {
    return Texts::tr("序列号写入地址 (FLASH)");
}
inline QString serialEepromAddress() {
    return Texts::tr("序列号写入地址 (EEPROM)");
}
inline QString serialInitial() {
    return Texts::tr("初始编号 (HEX)");
}
inline QString serialIncrement() {
    return Texts::tr("自动增量");
}
inline QString badSerialField(const QString& field) {
    return Texts::tr("序列号设置有误: %1").arg(field);
}
} // namespace JobTexts
