#include "image/loader.h"

#include "core/session.h"
#include "core/ui.h"
#include "image/elfloader.h"
#include "image/images.h"
#include "image/imagesummary.h"
#include "image/imagetexts.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

// A HEX record holds at most 255 bytes: 521 characters and the line end. Longer lines are
// no records; reading them whole would let a broken file take any amount of memory.
constexpr qint64 MaxHexLine = 1024;
// A HEX file for 32 KB is about 90 KB; this leaves room for comments and other records.
constexpr qint64 MaxHexFileBytes = 4 * 1024 * 1024;

struct Reader {
    QString error; // detail for the log
};

bool readHex(QFile& file, QString& image, Reader& r) {
    if (file.size() > MaxHexFileBytes) {
        r.error = ImageTexts::fileTooLarge(file.size(), MaxHexFileBytes);
        return false;
    }
    int lineNo = 0;
    while (!file.atEnd()) {
        QCoreApplication::processEvents();
        ++lineNo;
        const QByteArray raw = file.readLine(MaxHexLine);
        if (!raw.endsWith('\n') && !file.atEnd()) { // stopped by the limit, not by a line end
            r.error = ImageTexts::lineTooLong(lineNo);
            return false;
        }
        const QString line = QString::fromLatin1(raw).trimmed();
        if (line == u":00000001FF")
            break;
        if (line.mid(7, 2) != u"00")
            continue; // not a data record: end, address and start records are not used
        bool okCount = false, okAddr = false;
        const int count = line.mid(1, 2).toInt(&okCount, 16);
        const int field = line.mid(3, 4).toInt(&okAddr, 16);
        if (!okCount || !okAddr || line.mid(1, 2).size() != 2 || line.mid(3, 4).size() != 4) {
            r.error = ImageTexts::badRecord(lineNo);
            return false;
        }
        // The address field is a signed 16-bit number: 8000 and above read as negative and
        // so lie below the end of the image.
        const int address = field >= 0x8000 ? field - 0x10000 : field;
        QString data = line.mid(9, 2 * count);
        data.truncate(data.size() & ~1); // a short line gives the whole bytes it holds
        if (!isHexText(data)) {
            r.error = ImageTexts::badRecord(lineNo);
            return false;
        }
        if (qint64(address) * 2 < image.size()) {
            r.error = ImageTexts::recordBelowEnd(lineNo);
            return false;
        }
        image += QString(address * 2 - image.size(), u'F');
        image += data.toUpper();
    }
    return true;
}

bool readBinary(QFile& file, QString& image, Reader& r) {
    if (file.size() > MaxImageFileBytes) {
        r.error = ImageTexts::fileTooLarge(file.size(), MaxImageFileBytes);
        return false;
    }
    const QByteArray bytes = file.read(MaxImageFileBytes + 1);
    if (bytes.size() > MaxImageFileBytes) { // a device or pipe whose size was not known
        r.error = ImageTexts::fileTooLarge(bytes.size(), MaxImageFileBytes);
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        r.error = file.errorString();
        return false;
    }
    image = QString::fromLatin1(bytes.toHex().toUpper());
    return true;
}

bool readFile(const QString& path, const QString& kind, QString& image, Reader& r) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        r.error = ImageTexts::cannotOpen(file.errorString());
        return false;
    }
    return kind == u"HEX" ? readHex(file, image, r) : readBinary(file, image, r);
}

// ".EEP": Intel HEX when the first line begins with ":", raw binary otherwise.
QString sniffEep(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("BIN"); // the read that follows reports the fault
    return file.readLine(MaxHexLine).startsWith(':') ? QStringLiteral("HEX")
                                                     : QStringLiteral("BIN");
}

struct Target {
    QString Session::*image;
    QString Session::*sizePanel;
    QString (*notFound)();
    QString (*readError)();
    QString (*sizeText)(int);
    void (Session::*notify)();
    bool sniffEep;
};

LoadResult load(Session& s, Ui& ui, QString& path, const Target& t) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || info.isDir()) {
        s.log.logMessage(t.notFound());
        path = QStringLiteral("NO");
        return LoadResult::NotFound;
    }
    // The file is opened by the name as given (file systems may tell case apart); the name
    // handed back is upper case, and the kind is taken from it.
    const QString original = path;
    path = path.toUpper();
    if (path.endsWith(u".ELF")) // the EEPROM loader (sniffEep) takes only the EEPROM part
        return LoadElfInto(s, ui, original, t.sniffEep, t.readError()) ? LoadResult::Loaded
                                                                       : LoadResult::ReadError;
    QString& image = s.*t.image;
    image.clear();
    QString kind = path.right(3);
    if (t.sniffEep && kind == u"EEP")
        kind = sniffEep(original);
    if (kind != u"HEX" && kind != u"BIN") {
        (s.*t.notify)();
        return LoadResult::UnknownKind;
    }
    Reader r;
    if (!readFile(original, kind, image, r)) {
        (s.*t.notify)();
        if (!r.error.isEmpty())
            s.log.logMessage(r.error);
        ui.warning(Texts::warningTitle(), t.readError());
        return LoadResult::ReadError;
    }
    s.*t.sizePanel = t.sizeText(imageBytes(image));
    logImageSummary(s, t.sniffEep, usedMapOfFile(original, kind));
    (s.*t.notify)();
    return LoadResult::Loaded;
}

} // namespace

LoadResult LoadFlashFile(Session& session, Ui& ui, QString& path) {
    static const Target t{&Session::FlashBufferText,
                          &Session::flashSizePanel,
                          ImageTexts::flashNotFound,
                          ImageTexts::flashReadError,
                          flashSizeText,
                          &Session::notifyFlash,
                          false};
    return load(session, ui, path, t);
}

LoadResult LoadEepromFile(Session& session, Ui& ui, QString& path) {
    static const Target t{&Session::EepromBufferText,
                          &Session::eepromSizePanel,
                          ImageTexts::eepromNotFound,
                          ImageTexts::eepromReadError,
                          eepromSizeText,
                          &Session::notifyEeprom,
                          true};
    return load(session, ui, path, t);
}

bool ReadImageFile(const QString& path, const QString& kind, QString& image) {
    image.clear();
    Reader r;
    return readFile(path, kind, image, r);
}
