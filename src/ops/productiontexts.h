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
inline QString stepSerial() {
    return Texts::tr("写序列号");
}
inline QString stepAborted() {
    return Texts::tr("中止");
}
inline QString stepNoChip() {
    return Texts::tr("无目标芯片");
}
inline QString stepReload() {
    return Texts::tr("文件重载");
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
