#include "session/loader.h"

#include "core/ui.h"
#include "image/elfloader.h"
#include "image/hexreader.h"
#include "image/images.h"
#include "image/imagetexts.h"
#include "session/elfload.h"
#include "session/filechip.h"
#include "session/imageslots.h"
#include "session/session.h"

#include <QFile>
#include <QFileInfo>

namespace {

// A HEX file for 32 KB is about 90 KB; this leaves room for blank lines and other records.
constexpr qint64 MaxHexFileBytes = 4 * 1024 * 1024;
constexpr qint64 MaxElfBytes = 8 * 1024 * 1024; // debug information included
// The largest memories of the chips: no data may lie beyond them.
constexpr int FlashLimit = 0x8000;
constexpr int EepromLimit = 1024;

enum class Kind { Hex, Bin, Elf, Unknown };

// True when the first thing in head, after a byte-order mark and blank space, is a record.
bool beginsWithRecord(const QByteArray& head) {
    qsizetype i = head.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < head.size() &&
           (head[i] == ' ' || head[i] == '\t' || head[i] == '\r' || head[i] == '\n'))
        ++i;
    return i < head.size() && head[i] == ':';
}

// What the file is: by its first bytes where they tell, else by its name (upper case). A
// ".EEP" file that is no Intel HEX is binary for the EEPROM loader only.
Kind kindOf(const QByteArray& head, const QString& name, bool eeprom) {
    if (isElf(head) || name.endsWith(u".ELF")) // an ELF name without the magic is refused
        return Kind::Elf;
    if (name.endsWith(u".HEX"))
        return Kind::Hex;
    if (name.endsWith(u".BIN"))
        return Kind::Bin;
    if (beginsWithRecord(head))
        return Kind::Hex;
    return eeprom && name.endsWith(u".EEP") ? Kind::Bin : Kind::Unknown;
}

// One read of a file, and what the reader made of it.
struct FileRead {
    Kind kind = Kind::Unknown;
    QByteArray bytes; // the file
    QString image;    // the memory image (HEX, BIN)
    QByteArray used;  // which image bytes the file gave
    ChipBytes chip;   // fuse, lock, signature (HEX)
    QString error;    // for the log: names the file, the line and the reason
    QString note;     // for the log, on success (a HEX file without end record)
};

// The whole file, counting the bytes actually read (a file may grow or lie about its size).
bool readAllBytes(QFile& file, qint64 limit, FileRead& r) {
    r.bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError) {
        r.error = ImageTexts::fileFault(file.fileName(), file.errorString());
        return false;
    }
    if (r.bytes.size() > limit) {
        r.error = ImageTexts::fileFault(
            file.fileName(),
            ImageTexts::fileTooLarge(qMax(file.size(), qint64(r.bytes.size())), limit));
        return false;
    }
    return true;
}

// Opens the file, tells its kind (unless forced) and reads it whole. False with r.error for
// a file that cannot be read; true with kind Unknown for a file of no known kind.
bool readFile(const QString& path, const QString& upperName, bool eeprom, Kind forced,
              FileRead& r) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        r.error = ImageTexts::fileFault(path, ImageTexts::cannotOpen(file.errorString()));
        return false;
    }
    if (file.isSequential()) { // it became a pipe or device after the check
        r.error = ImageTexts::notRegularFile(path);
        return false;
    }
    r.kind = forced != Kind::Unknown ? forced : kindOf(file.peek(4096), upperName, eeprom);
    switch (r.kind) {
    case Kind::Unknown:
        return true;
    case Kind::Elf:
        return readAllBytes(file, MaxElfBytes, r);
    case Kind::Hex:
        return readAllBytes(file, MaxHexFileBytes, r);
    case Kind::Bin:
        return readAllBytes(file, MaxImageFileBytes, r);
    }
    return false;
}

// The memory image of a HEX or binary file that was read.
bool parse(const QString& path, bool eeprom, FileRead& r) {
    if (r.kind == Kind::Bin) {
        r.image = QString::fromLatin1(r.bytes.toHex().toUpper());
        r.used = QByteArray(r.bytes.size(), 1);
        return true;
    }
    const HexReadResult hex = ReadIntelHex(r.bytes, eeprom, eeprom ? EepromLimit : FlashLimit);
    if (!hex.ok) {
        r.error = ImageTexts::hexFault(path, hex.line, hex.reason);
        return false;
    }
    if (!hex.sawEndRecord)
        r.note = ImageTexts::hexNoEndRecord(path);
    r.image = QString::fromLatin1(hex.bytes.toHex().toUpper());
    r.used = hex.used;
    r.chip = hex.chip;
    return true;
}

struct Target {
    QString Session::*image;
    QString Session::*sizePanel;
    QString (*notFound)();
    QString (*readError)();
    QString (*sizeText)(int);
    void (Session::*notify)();
    bool eeprom;
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
    // handed back is upper case.
    const QString original = path;
    path = path.toUpper();
    auto refuse = [&](const QString& why) {
        s.log.logMessage(why);
        ui.warning(Texts::warningTitle(), t.readError());
        return LoadResult::ReadError;
    };
    if (!info.isFile()) // a FIFO would block the open, a device would never end
        return refuse(ImageTexts::notRegularFile(original));
    FileRead r;
    if (!readFile(original, path, t.eeprom, Kind::Unknown, r))
        return refuse(r.error);
    if (r.kind == Kind::Unknown) {
        s.log.logMessage(ImageTexts::unknownKind(original));
        return LoadResult::UnknownKind;
    }
    if (r.kind == Kind::Elf) // the EEPROM loader takes only the EEPROM part
        return LoadElfInto(s, ui, r.bytes, original, t.eeprom, t.readError())
                   ? LoadResult::Loaded
                   : LoadResult::ReadError;
    if (!parse(original, t.eeprom, r))
        return refuse(r.error);
    if (!r.note.isEmpty())
        s.log.logMessage(r.note);
    s.*t.image = r.image;
    s.*t.sizePanel = t.sizeText(imageBytes(r.image));
    logImageSummary(s, t.eeprom, r.used, r.chip);
    if (!t.eeprom)
        TakeFileFuses(s, r.chip, QStringLiteral("HEX"));
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
    FileRead r;
    if (!readFile(path, path.toUpper(), false, kind == u"HEX" ? Kind::Hex : Kind::Bin, r) ||
        !parse(path, false, r))
        return false;
    image = r.image;
    return true;
}
