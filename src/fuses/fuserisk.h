#pragma once
// What a fuse or lock write would change, said before it is written: the options of the
// chip's description whose state changes, in words, and among them what is dangerous: an
// option the description marks (its line ends in "*") that the new bytes select, or a
// change that leaves the chip unreachable by low-voltage programming (SPIEN unprogrammed,
// RSTDISBL or DWEN programmed, where the chip has them).
#include <QString>
#include <QStringList>

class FuseEditor;

struct FuseRisk {
    QStringList changes; // every option that changes, one line each
    QStringList dangers; // the dangerous ones among them
    bool dangerous() const { return !dangers.isEmpty(); }
    // The question the window asks, and the refusal of the command line.
    QString question() const;
    QString refusal() const;
};

// Which bytes a write sends.
enum FuseBytes { FuseBytesFuses = 1, FuseBytesLock = 2 };

// before: the chip's fuse bit text (as read, or its default when unread); after: the text
// to be written; both 32 characters, lock bit 7 first. The options and bit names come from
// the description the editor holds.
FuseRisk assessFuseWrite(const FuseEditor& description, const QString& before, const QString& after,
                         int bytes);
