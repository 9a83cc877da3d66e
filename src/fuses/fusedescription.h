#pragma once
// The fuse description file of a chip (chip name + ".FUS" in the Set folder), parsed:
// line 1 the default fuse bit text, lines 2-33 the 32 bit names (lock bit 7 first), free
// text up to the first line that is exactly "##", then one option line per tree node up to
// the next "##" or the end of the file.
#include "fuses/fuseeditor.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

struct FuseDescription {
    bool hasDefault = false;
    QString defaultText;
    // The names the file gives, position 31 first (fewer than 32 when the file ends early).
    QStringList names;
    QVector<FuseOption> options; // red marks set, shading not yet
    // What was wrong with the file, one line each, for the message log.
    QStringList problems;
    // A file whose default line is not a fuse bit text is refused whole.
    bool refused = false;
};

// Decodes the bytes (GBK; a file that is not GBK but valid UTF-8 is read as UTF-8) and
// parses them. Malformed option lines and repeated keys are left out and noted.
FuseDescription parseFuseDescription(const QByteArray& bytes);

// The option key format: kind (3), two free characters, mask (4 upper-case hexadecimal
// digits), "/", value (4 upper-case hexadecimal digits). Kinds acting on one byte ("FSE",
// "FDE", "FDL") need a mask and a value below 0100; a group's value must lie within its
// field. Returns "" for a good key, otherwise why it is not.
QString optionKeyProblem(const QString& key);

// Splits an option line (already trimmed): text before the first "{", key up to the first
// ">", red when the line ends with "*". False when the line has no "{" or its first ">"
// does not follow the first "{".
bool splitOptionLine(const QString& line, FuseOption* option);
