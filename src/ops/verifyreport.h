#pragma once
// What a verify found: the box for the first difference (as always), and the count of all
// differing bytes with their ranges in the log; the session keeps the list for the hex
// views and the command line's JSON.
#include <QString>

struct OpContext;
struct ImageDiff;

// Compares image with back. The same: nothing is said (the caller logs its "通过" line);
// different: "FLASH校验: N 字节不符, M 段: 0010–0012, …" and the first bytes with both
// values in the log, then the warning
// "FLASH地址XXXX数据校验失败！" for the first one. Either way the session's lastVerify for the
// memory is replaced. Returns true when the two are the same.
bool reportVerify(OpContext& c, bool eeprom, const QString& image, const QString& back);
// The log line of a differing verify.
QString verifyRangesLine(bool eeprom, const ImageDiff& diff);
// The second one: the first differing bytes with the file's value and the chip's,
// "FLASH不符的字节 (地址 文件/芯片): 0005 0C/8C, …".
QString verifyBytesLine(bool eeprom, const QString& image, const ImageDiff& diff);
