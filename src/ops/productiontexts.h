#pragma once
// The texts of production runs.
#include "core/texts.h"

namespace ProductionTexts {
inline QString started() {
    return Texts::tr("连续编程开始。");
}
inline QString waitingForChip() {
    return Texts::tr("等待放入芯片......");
}
inline QString waitingForRemoval() {
    return Texts::tr("请取出芯片......");
}
inline QString chipPassed(int n, const QString& signature, const QString& serial) {
    return serial.isEmpty()
               ? Texts::tr("第 %1 片: 通过, 标识字 %2。").arg(n).arg(signature)
               : Texts::tr("第 %1 片: 通过, 标识字 %2, 序列号 %3。").arg(n).arg(signature, serial);
}
inline QString chipFailed(int n, const QString& signature, const QString& step) {
    return Texts::tr("第 %1 片: 失败 (%3), 标识字 %2。").arg(n).arg(signature, step);
}
inline QString summary(int passed, int failed) {
    return Texts::tr("连续编程结束: 通过 %1 片, 失败 %2 片。").arg(passed).arg(failed);
}
inline QString csvFailed(const QString& why) {
    return Texts::tr("记录文件无法写入: %1").arg(why);
}
inline QString warningLogged(const QString& text) {
    return Texts::tr("警告: %1").arg(text);
}
inline QString programmerSilent() {
    return Texts::tr("编程器对芯片检测没有任何回答, 连续编程结束。");
}
inline QString recordFailed(const QString& why) {
    return Texts::tr("记录无法写入, 连续编程未开始或已结束: %1").arg(why);
}
// What failed a chip when no step of the sequence is to blame.
inline QString errorCaption(const QString& error, bool stopped) {
    if (stopped)
        return Texts::tr("已停止");
    if (error == u"link_lost")
        return Texts::tr("连接中断");
    if (error == u"no_answer")
        return Texts::tr("编程器无反应");
    return Texts::tr("记录无法写入");
}
inline QString passed() {
    return Texts::tr("通过");
}
inline QString failed() {
    return Texts::tr("失败");
}
inline QString badSerialField(const QString& field) {
    return Texts::tr("序列号设置有误: %1").arg(field);
}
} // namespace ProductionTexts
