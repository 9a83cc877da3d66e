#pragma once
// Texts of the fuse page, the description files and the fuse and lock operations.
#include "core/texts.h"

namespace FuseTexts {
HVPP_TEXTS(hvpp)
inline QString lowFrame() {
    return tr("熔丝低字节[");
}
inline QString highFrame() {
    return tr("熔丝高字节[");
}
inline QString extFrame() {
    return tr("扩展熔丝位[");
}
inline QString lockFrame() {
    return tr("锁定位[");
}

inline QString readLog(const QString& fuses, const QString& lock) {
    return tr("读熔丝位:") + fuses + tr(" 锁定位:") + lock;
}
inline QString badReply(const QString& reply) {
    return tr("读熔丝位: 编程器的回答不是十六进制数字, 未采用: ") + reply;
}
inline QString byteName(int b) {
    switch (b) {
    case 0:
        return tr("低字节");
    case 1:
        return tr("高字节");
    case 2:
        return tr("扩展字节");
    default:
        return tr("锁定位");
    }
}
inline QString readBackOk(const QString& bytes) {
    return tr("读回核对一致: %1").arg(bytes);
}
inline QString didNotTake(const QString& written, const QString& read, const QString& lock) {
    return lock.isEmpty() ? tr("写入未生效: 写入 %1, 读回 %2。").arg(written, read)
                          : tr("写入未生效: 写入 %1, 读回 %2 (芯片已加密, 锁定位 %3)。")
                                .arg(written, read, lock);
}
inline QString notReadBack() {
    return tr("写入后无法读回核对, 不能确认写入。");
}
inline QString recoverOk() {
    return tr("恢复成功！");
}
inline QString recoverFailed() {
    return tr("恢复失败！");
}

// Description file problems; the loader puts the file name in front.
inline QString noDescription(const QString& file) {
    return tr("所选芯片没有有效的熔丝描述文件 (%1), 没有出厂默认熔丝值: 未执行, 什么也没有发送。")
        .arg(file.isEmpty() ? tr("未载入") : file);
}
inline QString fileProblem(const QString& file, const QString& what) {
    return tr("熔丝描述文件 %1: %2").arg(file, what);
}
inline QString tooLarge(qint64 bytes) {
    return tr("文件过大 (%1 字节), 未载入").arg(bytes);
}
inline QString unreadable(const QString& why) {
    return tr("无法读取 (%1)").arg(why);
}
inline QString notGbk() {
    return tr("不是 GBK 编码的文本, 部分字符无法显示");
}
inline QString notGbkReadAsUtf8() {
    return tr("不是 GBK 编码, 已按 UTF-8 读取");
}
inline QString badDefault(const QString& line) {
    return tr("第1行不是32位熔丝文本 (\"%1\"), 文件未载入").arg(line);
}
inline QString badOptionLine(int line, const QString& text) {
    return tr("第%1行选项格式错误, 已跳过: %2").arg(line).arg(text);
}
inline QString badKey(int line, const QString& key, const QString& why) {
    return tr("第%1行选项键 \"%2\" 无效 (%3), 已跳过").arg(line).arg(key, why);
}
inline QString repeatedKey(int line, const QString& key) {
    return tr("第%1行选项键 \"%2\" 重复, 已跳过").arg(line).arg(key);
}
inline QString tooManyOptions(int line, int max) {
    return tr("选项超过 %1 行, 自第%2行起的选项被忽略").arg(max).arg(line);
}
inline QString tooManyChoices(int line, const QString& kind, int max) {
    return tr("%1 选项超过 %2 个, 第%3行已跳过").arg(kind).arg(max).arg(line);
}
inline QString keyLength() {
    return tr("应为14个字符");
}
inline QString keySlash() {
    return tr("第10个字符应为 \"/\"");
}
inline QString keyHex() {
    return tr("掩码与值应为4位大写十六进制数");
}
inline QString keyByteRange() {
    return tr("单字节选项的掩码与值不能超过 00FF");
}
inline QString keyValueOutsideField() {
    return tr("值超出了掩码所定的位段");
}
} // namespace FuseTexts
