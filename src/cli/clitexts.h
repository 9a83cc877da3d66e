#pragma once
// The texts of hvpp-cli that more than one command file shows. The Chinese text is the
// source text of each translation.
#include "core/texts.h"

namespace CliTexts {
HVPP_TEXTS(hvpp)
inline QString bytesOf() {
    return tr("%1/%2 字节");
}
inline QString timeLeft() {
    return tr("剩余 %1");
}
inline QString emptyPort() {
    return Texts::tr("--port 不能为空 (COMn, 设备路径如 /dev/ttyUSB0, 或 sim)。");
}
inline QString simArgsNeedSim() {
    return Texts::tr("%1 只用于内置模拟编程器 (--port sim), 不能用于串口 %2。");
}
inline QString usageLine() {
    return tr("用法: hvpp-cli %1");
}
inline QString noData() {
    return tr("%1: 文件中没有数据, 未向编程器发送任何内容。");
}
inline QString unknownKind() {
    return tr("%1: 无法识别的文件类型 (可用 %2)");
}
inline QString notLoaded() {
    return tr("%1: 文件无法载入。");
}
inline QString badLine() {
    return tr("--line 应为 波特率,校验,数据位,停止位 (如 115200,n,8,1): %1");
}
inline QString badFlow() {
    return tr("--flow 应为 none、hardware 或 software: %1");
}
inline QString optionsDigits() {
    return tr("--options 须为 10 位 0/1, 如 1100011010。");
}
inline QString calSlotWords() {
    return tr("--cal-slot 须为 0..3 或 1MHz, 2MHz, 4MHz, 8MHz。");
}
inline QString calTargetWords() {
    return tr("--cal-target 须为 flash 或 eeprom。");
}
inline QString noAnswerAsNeeded() {
    return tr("编程器或目标芯片没有应有的回答。");
}
inline QString stepFailed() {
    return tr("有一步失败, 命令未完成 (见上面的日志)。");
}
inline QString cannotSave() {
    return tr("无法保存 %1: %2");
}
} // namespace CliTexts
