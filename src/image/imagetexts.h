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
inline QString lineTooLong(int line) {
    return Texts::tr("第 %1 行过长, 不是 Intel HEX 记录。").arg(line);
}
inline QString badRecord(int line) {
    return Texts::tr("第 %1 行的记录格式错误。").arg(line);
}
inline QString recordBelowEnd(int line) {
    return Texts::tr("第 %1 行的记录地址低于已读数据的末尾 (记录须按地址递增排列)。").arg(line);
}
inline QString cannotOpen(const QString& why) {
    return Texts::tr("文件无法打开: %1").arg(why);
}
} // namespace ImageTexts
