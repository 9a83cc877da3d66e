#include "image/saver.h"

#include "core/texts.h"
#include "image/hexwriter.h"
#include "image/images.h"

#include <QSaveFile>

bool WriteImageFile(const QString& path, const QString& imageText, QString* error) {
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!isHexText(imageText) || imageText.size() % 2 != 0)
        return fail(Texts::tr("缓冲区数据不是十六进制数字对, 未保存。"));
    // ".hex" and ".eep" get Intel HEX, every other name the raw bytes.
    const QByteArray bytes =
        isHexFileName(path) ? intelHexText(imageText) : QByteArray::fromHex(imageText.toLatin1());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return fail(file.errorString());
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
