#pragma once
// CRC-32 as zip, PNG and most programming tools compute it (reflected, polynomial
// 0xEDB88320, initial and final value 0xFFFFFFFF): "123456789" gives CBF43926.
#include <QByteArray>
#include <QString>

quint32 crc32Of(const QByteArray& bytes);
// The CRC-32 of an image text (hexadecimal digit pairs) taken as bytes, as eight upper-case
// digits; "" for an empty image.
QString imageCrcText(const QString& image);
