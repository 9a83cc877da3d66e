#pragma once
#include <QString>

struct OpContext;

// "RI" + index + "#" and its answer: two characters, without the late markers or noise that
// may stand in front of them, or what came within 100 ms.
QString ReadSignatureByte(OpContext& c, int index);
// Discards pending input and reads signature byte 0; true only for exactly "1E".
// Otherwise logs "无目标芯片或无连接!". known: the signature already read from this chip
// (six digits, "--" for a byte that did not answer); then nothing is sent.
bool PresenceTest(OpContext& c, const QString& known = QString());
// The "读标识字" button: reads bytes 1 and 2, names the chip in the socket (labels and
// log) without changing the selected chip. Returns the chip name or "". When no chip of the
// table answers, the labels say which case it is (a silent programmer, an empty socket, an
// unknown chip) and show no signature that was not read.
QString ReadSignature(OpContext& c);
// The program-chip sequence's signature check: reads bytes 0..2, logs them and compares
// them with the current chip. False (and "标识字与所选芯片不符!") on a mismatch; the chip
// labels then show the chip found and a warning box names it beside the selected one.
// known: as for PresenceTest, or byte 0 alone ("1E", read by the presence test just
// before), then only bytes 1 and 2 are asked for.
bool SignatureCheck(OpContext& c, const QString& known = QString());
// Bytes 0..2 of the signature, "--" for a byte that did not answer.
QString ReadSignatureBytes(OpContext& c);
// The "SelectMCU" chip detection: reads bytes 1 and 2, shows the signature and, for a
// known chip, selects it, loads its fuse description and applies its default fuse text.
// Returns the chip name, or "" after a warning that says why: "编程器无反应!", an empty
// socket, or "无目标芯片或不支持!" for a signature no chip of the table has.
QString DetectChip(OpContext& c);
