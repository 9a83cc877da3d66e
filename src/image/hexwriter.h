#pragma once
// Intel HEX out: data records of 16 bytes at 16-bit addresses and the end record, lines
// ended by CR LF. Records whose 16 bytes are all FF are left out (the loader fills gaps
// with FF), except the last one, so that the file loads back to the same length.
#include <QByteArray>
#include <QString>

// The file text for an image (hexadecimal digit pairs, at most 64 KB).
QByteArray intelHexText(const QString& image);
// True when path names a file to be written as Intel HEX: ".hex" or ".eep", any case.
bool isHexFileName(const QString& path);
