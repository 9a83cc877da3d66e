#pragma once
// The stand-alone programming settings record in the programmer's settings memory: one
// byte per item, written with "ME" + data + item address + "#" and read with "RM00" + item
// address + "#". "写入设置" writes it from the session's offline page, "读取设置" reads it back
// into the page, the chip selection and the fuse editor.
#include <QString>
#include <QVector>

struct OpContext;
struct OfflinePanel;
class Session;

// Item addresses of the record.
namespace OfflineItem {
enum : int {
    Steps = 0x0001,
    PageWords = 0x0008,
    Signature0 = 0x000A,
    Signature1 = 0x000B,
    Signature2 = 0x000C,
    Lock = 0x0010,
    Extended = 0x0011,
    High = 0x0012,
    Low = 0x0013,
    CalTarget = 0x0020,
    CalSlot = 0x0021,
    CalAddressHigh = 0x0022,
    CalAddressLow = 0x0023,
    SerialTarget = 0x0025,
    SerialAddressHigh = 0x0026,
    SerialAddressLow = 0x0027,
    Increment = 0x0028,
    Initial0 = 0x002A, // most significant byte
    Initial1 = 0x002B,
    Initial2 = 0x002C,
    Initial3 = 0x002D,
};
}

struct OfflineRecordItem {
    int address = 0;
    QString digits; // two upper-case hexadecimal digits
};

// Why the page's values cannot be written (an address of more than four hexadecimal digits,
// an initial number beyond FFFFFFFF, an increment outside 0..255, ...), or "" when they can.
QString OfflinePanelProblem(const OfflinePanel& panel);

// The record's items in the order they are written: 0001, 0008, 000A-000C, 0013, 0012,
// 0011, 0010, 0020-0023, 0025-0028, 002A-002D. The values must pass OfflinePanelProblem.
QVector<OfflineRecordItem> OfflineRecordItems(const Session& session);

// "写入设置": refuses (a warning, nothing sent) values that OfflinePanelProblem rejects;
// otherwise writes every item, each followed by the wait for "!", and logs
// "写入脱机编程设置。". Returns false when refused.
bool WriteOfflineSettings(OpContext& c);

// "读取设置": reads the record back and restores the offline page, selects the chip named by
// the signature (loading its fuse description) and applies the fuse bytes. What waits is
// discarded before each item; an item's answer counts only when it is two hexadecimal digits
// and every earlier item's came. Unless every item was answered so, nothing is taken (the
// page, the chip and the fuses stay as they were), the log names the items not answered and
// the result is false.
bool ReadOfflineSettings(OpContext& c);
