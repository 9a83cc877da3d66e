#pragma once
// The texts of the device operations.
#include "core/texts.h"
#include "link/answer.h"
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
inline QString flashTooLarge(int bytes, int size, bool verify = false) {
    return (verify ? Texts::tr("FLASH缓冲区数据(%1字节)超过芯片FLASH容量(%2字节), 未校验!")
                   : Texts::tr("FLASH缓冲区数据(%1字节)超过芯片FLASH容量(%2字节), 未写入!"))
        .arg(bytes)
        .arg(size);
}
inline QString eepromTooLarge(int bytes, int size, bool verify = false) {
    return (verify ? Texts::tr("EEPROM缓冲区数据(%1字节)超过芯片EEPROM容量(%2字节), 未校验!")
                   : Texts::tr("EEPROM缓冲区数据(%1字节)超过芯片EEPROM容量(%2字节), 未写入!"))
        .arg(bytes)
        .arg(size);
}
inline QString notHexImage(const QString& memory, bool verify = false) {
    return (verify ? Texts::tr("%1缓冲区含有非十六进制数字, 未校验!")
                   : Texts::tr("%1缓冲区含有非十六进制数字, 未写入!"))
        .arg(memory);
}
inline QString readingFlash() {
    return Texts::tr("读取芯片FLASH!");
}
inline QString readingEeprom() {
    return Texts::tr("读取芯片EEPROM!");
}
inline QString readShort(int got, int size) {
    return Texts::tr("读出的数据不完整: 只收到 %1 字节 (芯片有 %2 字节), 缓冲区未改变!")
        .arg(got)
        .arg(size);
}
inline QString readNotHex(int at, int size) {
    return Texts::tr("读出的数据在第 %1 字节处含有非十六进制字符 (芯片有 %2 字节), 缓冲区未改变!")
        .arg(at)
        .arg(size);
}
inline QString readTooLong(int gotChars, int size) {
    return Texts::tr("读出的数据多于所请求的: 收到 %1 个字符 (应为 %2 个), 缓冲区未改变!")
        .arg(gotChars)
        .arg(size * 2);
}
// Why an answer of hexadecimal text is no answer (see checkHexAnswer).
inline QString answerFault(const HexAnswer& a, qsizetype chars) {
    switch (a.fault) {
    case HexAnswer::Nothing:
        return Texts::noAnswer();
    case HexAnswer::Short:
        return Texts::tr("只收到 %1 个字符 (应为 %2 个)").arg(a.got).arg(chars);
    case HexAnswer::TooLong:
        return Texts::tr("收到 %1 个字符, 多于所请求的 %2 个").arg(a.got).arg(chars);
    case HexAnswer::NotHex:
        return Texts::tr("第 %1 个字符不是十六进制数字").arg(a.at + 1);
    case HexAnswer::Whole:
        break;
    }
    return QString();
}
inline QString verifyNoAnswer(bool eeprom, const QString& why) {
    return Texts::tr("%1校验失败, 回答不可用: %2")
        .arg(eeprom ? QStringLiteral("EEPROM") : QStringLiteral("FLASH"), why);
}
inline QString singleReadFailed(const QString& why) {
    return Texts::tr("读取字节失败: %1").arg(why);
}
inline QString calibrationBytes() {
    return Texts::tr("校准字节:");
}
inline QString slotName(int slot) {
    static const char* const names[] = {"1MHz", "2MHz", "4MHz", "8MHz"};
    return QString::fromLatin1(names[slot & 3]);
}
inline QString slotsNotAnswered(const QString& slots) {
    return Texts::tr("校准字节未得到有效回答: %1 (不能写入)").arg(slots);
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
// Identification: what the chip labels and the log say when no chip of the table answers.
inline QString programmerSilent() {
    return Texts::tr("编程器无反应");
}
inline QString socketEmpty() {
    return Texts::tr("无目标芯片");
}
inline QString noChipInSocket() {
    return Texts::tr("无目标芯片: 座上无芯片 (标识字读为FF)!");
}
inline QString unknownChip() {
    return Texts::tr("未知芯片");
}
// %1 the chip found (or why none), %2 its signature, %3 the selected chip, %4 its signature.
inline QString wrongChip() {
    return Texts::tr("座上芯片与所选芯片不符, 未编程。\n座上芯片: %1 (标识字 %2)\n所选芯片: %3 "
                     "(标识字 %4)");
}
} // namespace OpsTexts
