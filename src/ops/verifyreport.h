#pragma once
// What a verify found: the box for the first difference (as always), and the count of all
// differing bytes with their ranges in the log; the session keeps the list for the hex
// views and the command line's JSON.
#include <QString>

struct OpContext;
struct ImageDiff;

// Compares image with back. The same: nothing is said (the caller logs its "通过" line);
// different: "FLASH校验: N 字节不符, M 段: 0010–0012, …" in the log, then the warning
// "FLASH地址XXXX数据校验失败！" for the first one. Either way the session's lastVerify for the
// memory is replaced. Returns true when the two are the same.
bool reportVerify(OpContext& c, bool eeprom, const QString& image, const QString& back);
// The log line of a differing verify.
QString verifyRangesLine(bool eeprom, const ImageDiff& diff);
