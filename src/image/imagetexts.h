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
    return Texts::tr("字节数 %1 与记录长度不符 (只有 %2 个数据字节)").arg(count).arg(qMax(0, present));
}
inline QString hexTrailing(int count) {
    return Texts::tr("校验和之后还有字符 (字节数 %1 与记录长度不符)").arg(count);
}
inline QString hexChecksum() {
    return Texts::tr("校验和错误");
}
inline QString hexType(int type) {
    return Texts::tr("记录类型 %1 不是 00-05").arg(QString::number(type, 16).toUpper().rightJustified(2, u'0'));
}
inline QString hexBeyondLimit(int first, int last, int limit) {
    return Texts::tr("数据地址 %1-%2 超出范围 (最多到 %3)")
        .arg(first, 4, 16, QChar(u'0'))
        .arg(last, 4, 16, QChar(u'0'))
        .arg(limit - 1, 4, 16, QChar(u'0'))
        .toUpper();
}
inline QString hexOverlap(int address) {
    return Texts::tr("记录与前面的记录重叠 (地址 %1 已有数据)")
        .arg(QString::number(address, 16).toUpper().rightJustified(4, u'0'));
}
inline QString hexExtendedAddress(int type) {
    return Texts::tr("扩展地址记录 (类型 %1) 的地址不为 0, 芯片没有这么大的存储器").arg(type, 2, 10, QChar(u'0'));
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
    return Texts::tr("%1 不是 HEX、BIN、EEP 或 ELF 文件, 未载入。").arg(file);
}
inline QString fileFault(const QString& file, const QString& reason) {
    return Texts::tr("文件 %1: %2").arg(file, reason);
}
} // namespace ImageTexts
