#include "image/loader.h"

#include "core/session.h"
#include "core/ui.h"
#include "image/elfloader.h"
#include "image/hexreader.h"
#include "image/images.h"
#include "image/imagesummary.h"
#include "image/imagetexts.h"

#include <QFile>
#include <QFileInfo>

namespace {

// A HEX file for 32 KB is about 90 KB; this leaves room for blank lines and other records.
constexpr qint64 MaxHexFileBytes = 4 * 1024 * 1024;
// The largest memories of the chips: no data may lie beyond them.
constexpr int FlashLimit = 0x8000;
constexpr int EepromLimit = 1024;

struct Reader {
    QString error;          // for the log: names the file, the line and the reason
    QString note;           // for the log, on success (a HEX file without end record)
    int limit = FlashLimit; // HEX data must lie below this address
};

// The whole file, counting the bytes actually read (a file may grow or lie about its size).
bool readAllBytes(QFile& file, qint64 limit, QByteArray& bytes, Reader& r) {
    bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError) {
        r.error = ImageTexts::fileFault(file.fileName(), file.errorString());
        return false;
    }
    if (bytes.size() > limit) {
        r.error = ImageTexts::fileFault(
            file.fileName(),
            ImageTexts::fileTooLarge(qMax(file.size(), qint64(bytes.size())), limit));
        return false;
    }
    return true;
}

bool readFile(const QString& path, const QString& kind, QString& image, Reader& r) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        r.error = ImageTexts::fileFault(path, ImageTexts::cannotOpen(file.errorString()));
        return false;
    }
    if (file.isSequential()) { // it became a pipe or device after the check
        r.error = ImageTexts::notRegularFile(path);
        return false;
    }
    QByteArray bytes;
    if (kind == u"HEX") {
        if (!readAllBytes(file, MaxHexFileBytes, bytes, r))
            return false;
        const HexReadResult hex = ReadIntelHex(bytes, r.limit);
        if (!hex.ok) {
            r.error = ImageTexts::hexFault(path, hex.line, hex.reason);
            return false;
        }
        if (!hex.sawEndRecord)
            r.note = ImageTexts::hexNoEndRecord(path);
        bytes = hex.bytes;
    } else if (!readAllBytes(file, MaxImageFileBytes, bytes, r)) {
        return false;
    }
    image = QString::fromLatin1(bytes.toHex().toUpper());
    return true;
}

// ".EEP": Intel HEX when the first line begins with ":", raw binary otherwise.
QString sniffEep(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("BIN"); // the read that follows reports the fault
    return file.read(1) == ":" ? QStringLiteral("HEX") : QStringLiteral("BIN");
}

struct Target {
    QString Session::*image;
    QString Session::*sizePanel;
    QString (*notFound)();
    QString (*readError)();
    QString (*sizeText)(int);
    void (Session::*notify)();
    bool sniffEep;
    int limit;
};

// The file is read into a buffer of its own; the session's image, its size panel and its
// view change only when the whole file was good. A load that fails leaves them as they were.
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
    Reader r;
    r.limit = t.limit;
    if (!info.isFile()) {
        // A FIFO would block the open, a device would never end.
        s.log.logMessage(ImageTexts::notRegularFile(original));
        ui.warning(Texts::warningTitle(), t.readError());
        return LoadResult::ReadError;
    }
    if (path.endsWith(u".ELF")) // the EEPROM loader (sniffEep) takes only the EEPROM part
        return LoadElfInto(s, ui, original, t.sniffEep, t.readError()) ? LoadResult::Loaded
                                                                       : LoadResult::ReadError;
    QString kind = path.right(3);
    if (t.sniffEep && kind == u"EEP")
        kind = sniffEep(original);
    if (kind != u"HEX" && kind != u"BIN") {
        s.log.logMessage(ImageTexts::unknownKind(original));
        return LoadResult::UnknownKind;
    }
    QString image;
    if (!readFile(original, kind, image, r)) {
        s.log.logMessage(r.error);
        ui.warning(Texts::warningTitle(), t.readError());
        return LoadResult::ReadError;
    }
    if (!r.note.isEmpty())
        s.log.logMessage(r.note);
    s.*t.image = image;
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
                          false,
                          FlashLimit};
    return load(session, ui, path, t);
}

LoadResult LoadEepromFile(Session& session, Ui& ui, QString& path) {
    static const Target t{&Session::EepromBufferText,
                          &Session::eepromSizePanel,
                          ImageTexts::eepromNotFound,
                          ImageTexts::eepromReadError,
                          eepromSizeText,
                          &Session::notifyEeprom,
                          true,
                          EepromLimit};
    return load(session, ui, path, t);
}

bool ReadImageFile(const QString& path, const QString& kind, QString& image) {
    Reader r;
    QString read;
    if (!readFile(path, kind, read, r))
        return false;
    image = read;
    return true;
}
