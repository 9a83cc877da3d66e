#pragma once
// Moving the fuse and lock bytes between the fuse page and the chip. Each routine is an
// operation's body: the entry points of the window and the CLI wrap it in runOperation().
#include <QString>

struct OpContext;

// "RS000000#": reads lock, extended, high and low bytes and shows them on the fuse page.
// Disables "ReadFuse" while it runs. A reply that is not hexadecimal leaves the page as it
// was (what came is logged). True when the page took the chip's bytes.
bool ReadFuses(OpContext& c);
// "WS" + extended + high + low + "#" from the frame captions; the answer is logged.
// Disables "WriteFuse" while it runs.
void WriteFuses(OpContext& c);
// Writes the bytes the page shows (the caller has applied the default first) and reads them
// back: "恢复成功！" when they match, "恢复失败！" otherwise (and false).
bool RecoverFuses(OpContext& c);
// The bytes the chip reports, as the recover check compares them: extended + high + low
// ("F9DFE2") for a chip with extended byte, ".." + high + low otherwise; "" when the
// programmer does not answer (or answers with something that is not hexadecimal).
QString ReadFuseBytes(OpContext& c);
// "WL" + lock + "0000#" from the lock frame caption; the answer is logged.
void WriteLock(OpContext& c);
