#pragma once
// The texts of the image summary, the ELF loader and the HEX writer.
#include "core/texts.h"

namespace SummaryTexts {
inline QString noData() {
    return Texts::tr("无数据");
}
// "FLASH映像: 数据 0000–1E73, 7FF0–7FFF; 已用 7812/8192 字节 (ATMEGA8); CRC-32 1A2B3C4D"
inline QString summary(const QString& memory, const QString& ranges, int used, int chip,
                       const QString& chipName, const QString& crc) {
    return Texts::tr("%1映像: 数据 %2; 已用 %3/%4 字节 (%5); CRC-32 %6")
        .arg(memory, ranges)
        .arg(used)
        .arg(chip)
        .arg(chipName, crc);
}
inline QString tooLarge(const QString& memory, int bytes, const QString& chipName, int chip) {
    return Texts::tr("警告: %1映像 (%2 字节) 超出 %3 的%1容量 (%4 字节), 无法写入!")
        .arg(memory)
        .arg(bytes)
        .arg(chipName)
        .arg(chip);
}
inline QString elfNotElf() {
    return Texts::tr("不是 ELF 文件。");
}
inline QString elfBroken(const QString& why) {
    return Texts::tr("ELF 文件损坏: %1").arg(why);
}
inline QString elfWrongMachine(int machine) {
    return Texts::tr("ELF 文件不是 AVR 程序 (机器类型 %1)。").arg(machine);
}
inline QString elfFlashBeyond(const QString& last) {
    return Texts::tr("ELF 文件的FLASH数据超出 0x7FFF (直到 0x%1)。").arg(last);
}
inline QString elfEepromBeyond(const QString& last) {
    return Texts::tr("ELF 文件的EEPROM数据超出 0xFFFF (直到 0x%1)。").arg(last);
}
inline QString elfOverlap(const QString& section) {
    return Texts::tr("ELF 文件的段 %1 与其他段重叠。").arg(section);
}
inline QString elfFuses(const QString& text) {
    return Texts::tr("ELF 熔丝位: %1").arg(text);
}
inline QString elfSections(const QString& text) {
    return Texts::tr("ELF 段: %1").arg(text);
}
inline QString elfLibrary() {
    return Texts::tr("libelf 不可用。");
}
} // namespace SummaryTexts
