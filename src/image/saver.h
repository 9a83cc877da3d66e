#pragma once
#include <QString>

// Writes the image (hexadecimal digit pairs) to path: as Intel HEX when the name ends in
// .hex or .eep, otherwise as raw bytes, from address 0 to its last byte. The file is replaced as a
// whole (QSaveFile): a failed save leaves an existing file untouched. Returns false with *error (if
// given) set when the file cannot be written or the image is not hexadecimal text.
bool WriteImageFile(const QString& path, const QString& imageText, QString* error = nullptr);
