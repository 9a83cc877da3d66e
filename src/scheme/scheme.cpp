#include "scheme/scheme.h"

#include "chips/chiptable.h"
#include "core/settings.h"
#include "core/ui.h"
#include "scheme/schemetexts.h"
#include "scheme/schemelock.h"
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

int LoadSet(Session& s, Ui& ui, const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > MaxSchemeBytes)
        return 0;
    QStringDecoder decoder("GBK");
    const QString text = decoder.decode(f.readAll());
    f.close();
    if (decoder.hasError())
        return 0;
    QStringList lines = text.split(u'\n');
    for (QString& l : lines)
        if (l.endsWith(u'\r'))
            l.chop(1);
    // A text ending in a line end has one empty piece after it, which is no line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();

    int applied = 0;
    auto line = [&](int n) -> const QString* { return n < lines.size() ? &lines[n] : nullptr; };

    // 1: chip
    const QString* chip = line(0);
    if (!chip || !ChipTable::contains(*chip))
        return applied;
    SelectChip(s, *chip);
    s.fuses.LoadFuseDescription(*chip + QStringLiteral(".FUS"), &s.log);
    ++applied;

    // 2: fuse bits
    const QString* fuses = line(1);
    if (!fuses || !isFuseText(*fuses))
        return applied;
    s.fuses.ApplyFuseText(*fuses);
    ++applied;

    // 3: program options
    const QString* options = line(2);
    if (!options || !isOptionText(*options))
        return applied;
    s.setOptionsText(*options);
    s.notifyPanels();
    ++applied;

    // 4, 5: file names; the images follow them only with "文件重载" ticked
    const QString* flashFile = line(3);
    if (!flashFile)
        return applied;
    s.fileName[0] = resolvedPath(*flashFile, path);
    ++applied;
    const QString* eepromFile = line(4);
    if (!eepromFile) {
        s.notifyFlash();
        return applied;
    }
    s.fileName[1] = resolvedPath(*eepromFile, path);
    ++applied;
    s.notifyFlash();
    s.notifyEeprom();
    if (s.options[OptReloadFiles]) {
        if (!s.fileName[0].isEmpty()) {
            QString copy = s.fileName[0];
            LoadFlashFile(s, ui, copy);
        }
        if (!s.fileName[1].isEmpty()) {
            QString copy = s.fileName[1];
            LoadEepromFile(s, ui, copy);
        }
    }

    // 6, 7: calibration options
    const QString* slot = line(5);
    if (!slot)
        return applied;
    if (slot->trimmed().isEmpty()) {
        s.cal.pickedSlot = -1;
    } else {
        const int v = indexLine(*slot, 3);
        if (v < 0)
            return applied;
        s.cal.pickedSlot = v;
    }
    s.notifyPanels();
    ++applied;
    const QString* target = line(6);
    const int t = target ? indexLine(*target, 1) : -1;
    if (t < 0)
        return applied;
    s.cal.target = t;
    s.notifyPanels();
    ++applied;

    // 8, 9: calibration addresses, within the chip's memories
    const QString* flashAddress = line(7);
    const qint64 fa = flashAddress ? addressLine(*flashAddress, s.cal.flashMax) : -1;
    if (fa < 0)
        return applied;
    s.cal.flashAddress = QString::number(fa);
    s.notifyPanels();
    ++applied;
    const QString* eepromAddress = line(8);
    const qint64 ea = eepromAddress ? addressLine(*eepromAddress, s.cal.eepromMax) : -1;
    if (ea < 0)
        return applied;
    s.cal.eepromAddress = QString::number(ea);
    s.notifyPanels();
    ++applied;
    return applied;
}
