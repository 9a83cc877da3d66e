#pragma once
// The texts of the simulated programmer's command line (hvpp-sim, and its fault options in
// hvpp-cli's --sim-... options). hvpp-sim speaks English unless told "--lang zh".
#include "core/texts.h"

namespace SimTexts {
HVPP_TEXTS(hvpp)
inline QString description() {
    return tr("带目标芯片的模拟编程器, 在伪终端上提供服务。\n"
              "第一行打印终端的路径, 然后一直服务到 SIGINT 或 SIGTERM。\n"
              "SIGUSR1 重启编程器 (其引导程序以 \"B\" 报到, 用于固件升级)。\n"
              "SIGUSR2 取出座上的芯片, 或放入一片同型号的新芯片\n"
              "(生产运行; 另见 --socket-cycle)。\n\n"
              "示例:  hvpp-sim --chip ATMEGA8 --link ./sim-port &\n"
              "       hvpp-cli --port ./sim-port detect");
}
inline QString chipOption() {
    return tr("座上的芯片: %1, 或 none。默认: 状态文件中的芯片, 否则 ATMEGA8。");
}
inline QString linkOption() {
    return tr("把 PATH 做成指向终端的符号链接 (退出时删除)。");
}
inline QString baudOption() {
    return tr("决定回答节奏的线路速率, 每字符 10 位; 0 = 不限速。默认 115200。");
}
inline QString stateOption() {
    return tr("JSON 状态 (芯片, FLASH, EEPROM, 熔丝位, 锁定位, 设置存储器, 脱机数据, 固件): "
              "启动时存在则读取, 空闲 100 ms 后及退出时写入。");
}
inline QString traceOption() {
    return tr("把对话写入 FILE: 每次方向改变一行, 毫秒, < (程序发出) 或 > (回答), 字符。");
}
inline QString socketCycleOption() {
    return tr("一次次取出芯片并放入新芯片: 在座 IN 毫秒, 空座 OUT 毫秒 (用于生产运行)。");
}
inline QString langOption() {
    return tr("语言: en (默认) 或 zh。");
}
inline QString unexpectedArgument() {
    return tr("多余的参数: %1\n请看 hvpp-sim --help。");
}
inline QString unknownChip() {
    return tr("不认识的芯片 %1 (可选: %2, none)");
}
inline QString baudNeedsNumber() {
    return tr("--baud 需要一个 >= 0 的数: %1");
}
inline QString cannotWriteTrace() {
    return tr("无法写入记录文件 %1: %2");
}
inline QString linkExists() {
    return tr("%1 已存在且不是符号链接; 不予替换");
}
inline QString cannotLink() {
    return tr("无法创建链接 %1");
}
inline QString lineDied() {
    return tr("线路已断 (断线故障); 终端已关闭");
}
inline QString chipTakenOut() {
    return tr("芯片已取出");
}
inline QString chipPutIn() {
    return tr("%1 已放入");
}
inline QString socketCycleNeeds() {
    return tr("--socket-cycle 需要 IN:OUT 毫秒数, 都 > 0");
}
inline QString cannotWatchSignals() {
    return tr("无法监视信号: %1");
}
// %1 the chip (or "no chip"), %2 the terminal, %3 " (link)" or "", %4 the line rate.
inline QString serving() {
    return tr("%1 在 %2%3, %4 波特");
}
inline QString noChip() {
    return tr("无芯片");
}

// The faults, also offered by hvpp-cli as --sim-... options.
inline QString silentFault() {
    return tr("故障: 编程器什么也不回答。");
}
inline QString noChipFault() {
    return tr("故障: 空座 (读出 FF)。");
}
inline QString signatureFault() {
    return tr("故障: 芯片回答这个标识字 (六位十六进制数, 例如 1E9587)。");
}
inline QString lowerCaseFault() {
    return tr("故障: 数据用小写十六进制。");
}
inline QString splitFault() {
    return tr("故障: 回答分成 N 个字符一段, 段间隔 GAP 毫秒 (默认 60)。");
}
inline QString lateFault() {
    return tr("故障: 每个回答晚 MS 毫秒开始。");
}
inline QString dropMarkerFault() {
    return tr("故障: 每第 N 个标记 (! $ ? B) 不发送。");
}
inline QString corruptFlashFault() {
    return tr("故障: 这些地址的 FLASH 字节读出有误: 地址和 FIRST-LAST 范围的列表, 例如 "
              "0x10,0x20-0x2F (可重复)。");
}
inline QString corruptEepromFault() {
    return tr("故障: 这些地址的 EEPROM 字节读出有误 (同 --corrupt-flash)。");
}
inline QString dropFuseWriteFault() {
    return tr("故障: 熔丝位写入回答完成, 但熔丝位保持原值。");
}
inline QString noiseFault() {
    return tr("故障: 线路在每个数据回答前加上 TEXT (\\xNN 表示任意字节, 例如 5 或 \\x00)。");
}
inline QString latencyOption() {
    return tr("线路: USB 适配器的延迟定时器; 回答被保留, 每 MS 毫秒放出一次 (FTDI 默认 16)。默认 0。");
}
inline QString adapterLatency() {
    return tr(", 适配器延迟 %1 毫秒");
}
inline QString disconnectFault() {
    return tr("故障: N 个字符后线路断开 (双向合计)。");
}
inline QString notANumber() {
    return tr("--%1: 不是数字: %2");
}
inline QString signatureExpected() {
    return tr("--signature: 需要六位十六进制数: %1");
}
inline QString splitExpected() {
    return tr("--split: 需要 N[:GAP], N > 0: %1");
}
inline QString addressesExpected() {
    return tr("--%1: 需要地址或 FIRST-LAST 范围: %2");
}
} // namespace SimTexts
