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
// "; 器件 atmega8", after the summary of an image whose file names its chip.
inline QString deviceSuffix(const QString& device) {
    return Texts::tr("; 器件 %1").arg(device);
}
inline QString builtForOther(const QString& device, const QString& chipName) {
    return Texts::tr("程序为 %1 编译, 所选芯片为 %2").arg(device, chipName);
}
inline QString notForThisChip(const QString& why) {
    return Texts::tr("警告: %1, 不能写入该芯片!").arg(why);
}
inline QString fusesNotTaken(const QString& kind, const QString& why) {
    return Texts::tr("%1 熔丝位与锁定位未采用: %2。").arg(kind, why);
}
inline QString lockNamed(const QString& value) {
    return Texts::tr("锁定位 %1").arg(value);
}
// which: 0 low, 1 high, 2 extended.
inline QString fuseNamed(int which, const QString& value) {
    static const char* const names[3] = {QT_TRANSLATE_NOOP("hvpp", "低字节"),
                                         QT_TRANSLATE_NOOP("hvpp", "高字节"),
                                         QT_TRANSLATE_NOOP("hvpp", "扩展字节")};
    return Texts::tr(names[which]) + u' ' + value;
}
// kind: "ELF" or "HEX".
inline QString fileFuses(const QString& kind, const QString& text) {
    return Texts::tr("%1 熔丝位: %2").arg(kind, text);
}
inline QString elfSections(const QString& taken, const QString& leftOut) {
    return leftOut.isEmpty() ? Texts::tr("ELF 段: %1").arg(taken)
                             : Texts::tr("ELF 段: %1; 未采用: %2").arg(taken, leftOut);
}
inline QString elfNotLinked() {
    return Texts::tr("ELF 文件是目标文件 (avr-gcc -c), 不是链接好的程序。");
}
inline QString elfNotProgram(int type) {
    return Texts::tr("ELF 文件不是链接好的程序 (文件类型 %1)。").arg(type);
}
inline QString elfNoDevice(const QString& chipName) {
    return Texts::tr(
               "ELF 文件没有器件信息 (.note.gnu.avr.deviceinfo), 无法检查程序是否为 %1 编译。")
        .arg(chipName);
}
inline QString elfFuseSize(const QString& section, int bytes, int most) {
    return Texts::tr("ELF 文件的段 %1 有 %2 个字节 (最多 %3 个)。")
        .arg(section)
        .arg(bytes)
        .arg(most);
}
inline QString elfLibrary() {
    return Texts::tr("libelf 不可用。");
}
} // namespace SummaryTexts
