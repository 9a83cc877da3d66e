#include "scheme/scheme.h"

#include "chips/chiptable.h"
#include "core/settings.h"
#include "core/ui.h"
#include "scheme/schemelock.h"
#include "scheme/schemetexts.h"
#include "session/loader.h"
#include "session/selectchip.h"
#include "session/session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// A scheme is a small text file; anything far larger is no scheme.
constexpr qint64 MaxSchemeBytes = 64 * 1024;

bool isFuseText(const QString& t) {
    if (t.size() != 32)
        return false;
    for (QChar ch : t)
        if (ch != u'0' && ch != u'1' && ch != u'*')
            return false;
    return true;
}

bool isOptionText(const QString& t) {
    return t.size() == 10 && t.count(u'0') + t.count(u'1') == 10;
}

// " 2" (the number with its leading blank) as the index; -1 when the line holds no index
// in 0..max.
int indexLine(const QString& line, int max) {
    bool ok = false;
    const int v = line.trimmed().toInt(&ok);
    return ok && v >= 0 && v <= max ? v : -1;
}

// A decimal address within 0..max, or -1.
qint64 addressLine(const QString& line, qint64 max) {
    const QString t = line.trimmed();
    if (t.isEmpty() || t.size() > 10)
        return -1;
    for (QChar ch : t)
        if (ch < u'0' || ch > u'9')
            return -1;
    const qint64 v = t.toLongLong();
    return v <= max ? v : -1;
}

// A file name as the scheme keeps it: absolute, so that the scheme means the same files
// wherever it is used from.
QString absolutePath(const QString& name) {
    if (name.isEmpty() || name.contains(u'\n'))
        return name;
    return QDir::cleanPath(QFileInfo(name).absoluteFilePath());
}

// A relative name in a scheme is relative to the scheme's own folder.
QString resolvedPath(const QString& name, const QString& schemePath) {
    if (name.isEmpty() || !QFileInfo(name).isRelative())
        return name;
    return QDir::cleanPath(QFileInfo(schemePath).absoluteDir().filePath(name));
}

} // namespace

QStringList SchemeLines(const Session& s) {
    QStringList lines;
    lines << s.chip.ChipName;
    lines << s.fuses.fuseText();
    lines << s.optionsText();
    lines << absolutePath(s.fileName[0]) << absolutePath(s.fileName[1]);
    // The window always keeps one option of each group selected; a session with none
    // selected writes an empty line, so that the lines after it keep their places.
    lines << (s.cal.pickedSlot >= 0 ? u' ' + QString::number(s.cal.pickedSlot) : QString());
    lines << (s.cal.target >= 0 ? u' ' + QString::number(s.cal.target) : QString());
    lines << s.cal.flashAddress << s.cal.eepromAddress;
    return lines;
}

bool SaveSet(const Session& session, const QString& path, QString* error, bool locked) {
    QStringList lines = SchemeLines(session);
    QStringList lock;
    if (locked && !SchemeLockLines(session, &lock, error))
        return false;
    lines += lock;
    // A line feed inside a value would split its line; a carriage return alone does not
    // (a line is read up to its line feed, and only the CR before it is taken off), so a
    // value the load gave can always be saved again.
    for (const QString& l : lines) {
        if (l.contains(u'\n')) {
            if (error)
                *error = SchemeTexts::lineBreakInValue().arg(l);
            return false;
        }
    }
    QStringEncoder encoder("GBK");
    QByteArray bytes;
    for (const QString& l : lines) {
        QByteArray encoded = encoder.encode(l);
        if (encoder.hasError()) {
            if (error)
                *error = SchemeTexts::notGbk().arg(l);
            return false;
        }
        bytes += encoded + "\r\n";
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

namespace {

// The lines of a scheme file, without their line ends; false when the file cannot be
// read, is too large to be a scheme or is not GBK text.
bool readSchemeLines(const QString& path, QStringList* lines) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > MaxSchemeBytes)
        return false;
    QStringDecoder decoder("GBK");
    const QString text = decoder.decode(f.readAll());
    f.close();
    if (decoder.hasError())
        return false;
    *lines = text.split(u'\n');
    for (QString& l : *lines)
        if (l.endsWith(u'\r'))
            l.chop(1);
    // A text ending in a line end has one empty piece after it, which is no line.
    if (!lines->isEmpty() && lines->last().isEmpty())
        lines->removeLast();
    return true;
}

// A load in progress: the lines read and how many of them were applied. Each step below
// applies its lines in order and returns false at the first one missing or unfit, which
// ends the load there.
struct SchemeLoad {
    Session& s;
    Ui& ui;
    const QString& path;
    const QStringList& lines;
    int applied = 0;

    const QString* line(int n) const { return n < lines.size() ? &lines[n] : nullptr; }
};

// 1: chip, 2: fuse bits, 3: program options
bool applyChipLines(SchemeLoad& load) {
    Session& s = load.s;
    const QString* chip = load.line(0);
    if (!chip || !ChipTable::contains(*chip))
        return false;
    SelectChip(s, *chip);
    s.fuses.LoadFuseDescription(*chip + QStringLiteral(".FUS"), &s.log);
    ++load.applied;

    const QString* fuses = load.line(1);
    if (!fuses || !isFuseText(*fuses))
        return false;
    s.fuses.ApplyFuseText(*fuses);
    ++load.applied;

    const QString* options = load.line(2);
    if (!options || !isOptionText(*options))
        return false;
    s.setOptionsText(*options);
    s.notifyPanels();
    ++load.applied;
    return true;
}

// 4, 5: file names; the images follow them only with "文件重载" ticked
bool applyFileLines(SchemeLoad& load) {
    Session& s = load.s;
    const QString* flashFile = load.line(3);
    if (!flashFile)
        return false;
    s.fileName[0] = resolvedPath(*flashFile, load.path);
    ++load.applied;
    const QString* eepromFile = load.line(4);
    if (!eepromFile) {
        s.notifyFlash();
        return false;
    }
    s.fileName[1] = resolvedPath(*eepromFile, load.path);
    ++load.applied;
    s.notifyFlash();
    s.notifyEeprom();
    if (s.options[OptReloadFiles]) {
        if (!s.fileName[0].isEmpty()) {
            QString copy = s.fileName[0];
            LoadFlashFile(s, load.ui, copy);
        }
        if (!s.fileName[1].isEmpty()) {
            QString copy = s.fileName[1];
            LoadEepromFile(s, load.ui, copy);
        }
    }
    return true;
}

// 6, 7: calibration options
bool applyCalibrationOptions(SchemeLoad& load) {
    Session& s = load.s;
    const QString* slot = load.line(5);
    if (!slot)
        return false;
    if (slot->trimmed().isEmpty()) {
        s.cal.pickedSlot = -1;
    } else {
        const int v = indexLine(*slot, 3);
        if (v < 0)
            return false;
        s.cal.pickedSlot = v;
    }
    s.notifyPanels();
    ++load.applied;
    const QString* target = load.line(6);
    const int t = target ? indexLine(*target, 1) : -1;
    if (t < 0)
        return false;
    s.cal.target = t;
    s.notifyPanels();
    ++load.applied;
    return true;
}

// 8, 9: calibration addresses, within the chip's memories
bool applyCalibrationAddresses(SchemeLoad& load) {
    Session& s = load.s;
    const QString* flashAddress = load.line(7);
    const qint64 fa = flashAddress ? addressLine(*flashAddress, s.cal.flashMax) : -1;
    if (fa < 0)
        return false;
    s.cal.flashAddress = QString::number(fa);
    s.notifyPanels();
    ++load.applied;
    const QString* eepromAddress = load.line(8);
    const qint64 ea = eepromAddress ? addressLine(*eepromAddress, s.cal.eepromMax) : -1;
    if (ea < 0)
        return false;
    s.cal.eepromAddress = QString::number(ea);
    s.notifyPanels();
    ++load.applied;
    return true;
}

} // namespace

int LoadSet(Session& s, Ui& ui, const QString& path) {
    QStringList lines;
    if (!readSchemeLines(path, &lines))
        return 0;
    SchemeLoad load{s, ui, path, lines};
    if (applyChipLines(load) && applyFileLines(load) && applyCalibrationOptions(load))
        applyCalibrationAddresses(load);
    return load.applied;
}
