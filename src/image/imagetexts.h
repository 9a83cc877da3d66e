#pragma once
// The texts of the image loaders and of the operations that check images against the chip.
#include "core/texts.h"

namespace ImageTexts {
inline QString flashNotFound() {
    return Texts::tr("FLASH文件没找到!");
}
inline QString eepromNotFound() {
    return Texts::tr("EEPROM文件没找到!");
}
inline QString flashReadError() {
    return Texts::tr("FLASH文件读取错误！");
}
inline QString eepromReadError() {
    return Texts::tr("EEPROM文件读取错误！");
}
inline QString fileTooLarge(qint64 size, qint64 limit) {
    return Texts::tr("文件过大: %1 字节 (最多 %2 字节)。").arg(size).arg(limit);
}
inline QString cannotOpen(const QString& why) {
    return Texts::tr("文件无法打开: %1").arg(why);
}
inline QString hexNoColon() {
    return Texts::tr("行首不是冒号 \":\" (也不是空行)");
}
inline QString hexNotDigit(int column) {
    return Texts::tr("第 %1 列不是十六进制数字").arg(column);
}
inline QString hexShortRecord() {
    return Texts::tr("记录过短");
}
inline QString hexCountMismatch(int count, int present) {
    return Texts::tr("字节数 %1 与记录长度不符 (只有 %2 个数据字节)")
        .arg(count)
        .arg(qMax(0, present));
}
inline QString hexTrailing(int count) {
    return Texts::tr("校验和之后还有字符 (字节数 %1 与记录长度不符)").arg(count);
}
inline QString hexChecksum() {
    return Texts::tr("校验和错误");
}
inline QString hexType(int type) {
    return Texts::tr("记录类型 %1 不是 00-05")
        .arg(QString::number(type, 16).toUpper().rightJustified(2, u'0'));
}
// Addresses as the file gives them: four digits in a memory, 0x and six beyond it.
inline QString hexAddress(qint64 address) {
    return address < 0x10000 ? QString::number(address, 16).toUpper().rightJustified(4, u'0')
                             : QStringLiteral("0x") + QString::number(address, 16).toUpper();
}
inline QString hexBeyondLimit(int first, int last, int limit) {
    return Texts::tr("数据地址 %1-%2 超出范围 (最多到 %3)")
        .arg(hexAddress(first), hexAddress(last), hexAddress(limit - 1));
}
inline QString hexOverlap(int address) {
    return Texts::tr("记录与前面的记录重叠 (地址 %1 已有数据)").arg(hexAddress(address));
}
inline QString hexExtendedAddress(int type) {
    return Texts::tr("扩展地址记录 (类型 %1) 应有 2 个数据字节").arg(type, 2, 10, QChar(u'0'));
}
inline QString hexBeyond64k(qint64 address) {
    return Texts::tr("地址 %1 超过 64 KB, 芯片没有这么大的存储器").arg(hexAddress(address));
}
inline QString hexEepromInFlashFile(qint64 address) {
    return Texts::tr("FLASH文件中有EEPROM数据 (地址 %1)").arg(hexAddress(address));
}
inline QString hexNoMemory(qint64 address) {
    return Texts::tr("地址 %1 不属于芯片的任何存储器").arg(hexAddress(address));
}
inline QString fuseBytesName() {
    return Texts::tr("熔丝位");
}
inline QString lockByteName() {
    return Texts::tr("锁定位");
}
inline QString signatureName() {
    return Texts::tr("标识字");
}
// what: fuseBytesName(), lockByteName() or signatureName().
inline QString hexNotInEepromFile(const QString& what, qint64 address) {
    return Texts::tr("EEPROM文件中有%1数据 (地址 %2)").arg(what, hexAddress(address));
}
inline QString hexSpaceBeyond(const QString& what, qint64 address, int bytes) {
    return Texts::tr("%1地址 %2 超出范围 (只有 %3 个字节)")
        .arg(what, hexAddress(address))
        .arg(bytes);
}
inline QString hexSignatureIncomplete() {
    return Texts::tr("标识字数据不完整 (应为 3 个字节)");
}
inline QString hexNoMemoryData() {
    return Texts::tr("文件中只有熔丝位、锁定位或标识字, 没有存储器数据");
}
inline QString hexNoData() {
    return Texts::tr("文件中没有数据记录 (没有数据)");
}
// "文件 X 第 N 行: reason" (line 0: the file as a whole).
inline QString hexFault(const QString& file, int line, const QString& reason) {
    if (line <= 0)
        return Texts::tr("文件 %1: %2").arg(file, reason);
    return Texts::tr("文件 %1 第 %2 行: %3").arg(file).arg(line).arg(reason);
}
inline QString hexNoEndRecord(const QString& file) {
    return Texts::tr("文件 %1 没有结束记录 (:00000001FF), 已读到文件末尾。").arg(file);
}
inline QString notRegularFile(const QString& file) {
    return Texts::tr("%1 不是普通文件 (设备、管道等), 不能载入。").arg(file);
}
inline QString unknownKind(const QString& file) {
    return Texts::tr(
               "%1: 无法识别的文件类型 (可载入 Intel HEX、ELF、二进制 .BIN 与 .EEP 文件), 未载入。")
        .arg(file);
}
inline QString fileFault(const QString& file, const QString& reason) {
    return Texts::tr("文件 %1: %2").arg(file, reason);
}
} // namespace ImageTexts
