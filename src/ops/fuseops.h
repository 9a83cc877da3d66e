#pragma once
// Moving the fuse and lock bytes between the fuse page and the chip. Each routine is an
// operation's body: the entry points of the window and the CLI wrap it in runOperation().
#include <QString>

struct OpContext;
struct JobFuses;
class Session;

// True when the current chip has a valid fuse description file; otherwise says in the log
// that fuse writes are refused. Front ends ask before they start a fuse write, so that not
// even the presence test goes out.
bool CanWriteFuses(Session& session);

// "RS000000#": reads lock, extended, high and low bytes and shows them on the fuse page.
// Disables "ReadFuse" while it runs. The answer is collected until its 8 characters are in
// or 100 ms pass; anything but 8 hexadecimal digits is a failed read (logged) and leaves
// the page as it was. True when the page took the chip's bytes.
bool ReadFuses(OpContext& c);
// "WS" + extended + high + low + "#" from the frame captions, then "RS000000#": true only
// when the chip reports the bytes written at every bit it has (the bits it lacks read as
// 1). The programmer's answer is logged only when the read-back agrees; a mismatch is one
// line with both values. Disables "WriteFuse" while it runs. Refuses (logged, nothing
// sent, false) when the chip has no valid fuse description file.
bool WriteFuses(OpContext& c);
// The same for bytes taken before (a program run's job): the page is not read.
bool WriteFuseBytes(OpContext& c, const JobFuses& fuses);
// "WL" + lock + "0000#", then the read-back as for the fuse bytes.
bool WriteLockByte(OpContext& c, const JobFuses& fuses);
// Applies the chip's default to the page, writes it and reads it back: "恢复成功！" when
// they match, otherwise one line "恢复失败！" with both values (and false). Refuses
// (logged, nothing sent, page unchanged, false) when the chip has no valid fuse
// description file.
bool RecoverFuses(OpContext& c);
// The bytes the chip reports, as the recover check compares them: extended + high + low
// ("F9DFE2") for a chip with extended byte, ".." + high + low otherwise; "" when the
// programmer does not answer with 8 hexadecimal digits.
QString ReadFuseBytes(OpContext& c);
// "WL" + lock + "0000#" from the lock frame caption, read back as WriteLockByte(). Refuses
// (logged, nothing sent, false) when the chip has no valid fuse description file.
bool WriteLock(OpContext& c);
