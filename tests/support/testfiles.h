#pragma once
// The sample files under tests/data, and reading a file whole.
#include <QByteArray>
#include <QFile>
#include <QString>

inline QString dataFile(const char* name) {
    return QStringLiteral(HVPP_TEST_DATA "/") + QString::fromLatin1(name);
}

// The file's bytes, or nothing when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
