#include "scheme/schemelock.h"

#include "core/texts.h"
#include "image/crc32.h"
#include "scheme/scheme.h"
#include "session/session.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString kLocked = QStringLiteral("LOCKED");
constexpr qint64 kMaxImageFile = 64 * 1024 * 1024;

struct Fingerprint {
    bool exists = false;
    QString crc; // eight hex digits
    qint64 size = 0;
};

bool fingerprint(const QString& path, Fingerprint* f, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxImageFile) {
        if (error)
            *error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    f->exists = true;
    f->size = bytes.size();
    f->crc = QStringLiteral("%1").arg(crc32Of(bytes), 8, 16, QChar(u'0')).toUpper();
    return true;
}

QString fingerprintLine(const QString& memory, const Fingerprint& f) {
    return f.exists ? QStringLiteral("%1 %2 %3").arg(memory, f.crc).arg(f.size)
                    : memory + QStringLiteral(" -");
}

// The lines after the nine of the scheme, without line ends.
QStringList tailLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > 64 * 1024)
        return {};
    QStringList lines = QString::fromLatin1(f.readAll()).split(u'\n');
    for (QString& l : lines)
        l = l.trimmed();
    return lines.mid(9);
}

} // namespace

bool SchemeLockLines(const Session& s, QStringList* lines, QString* error) {
    *lines = QStringList{kLocked};
    for (int m = 0; m < 2; ++m) {
        Fingerprint f;
        if (!s.fileName[m].isEmpty() && !fingerprint(s.fileName[m], &f, error))
            return false;
        *lines << fingerprintLine(m == 0 ? QStringLiteral("FLASH") : QStringLiteral("EEPROM"), f);
    }
    *lines << QStringLiteral("FUSES ") + SchemeLines(s).value(1);
    return true;
}

bool IsSchemeLocked(const QString& path) {
    return tailLines(path).value(0) == kLocked;
}

bool CheckSchemeLock(const Session& s, const QString& path, QString* error) {
    const QStringList tail = tailLines(path);
    if (tail.value(0) != kLocked)
        return true;
    QStringList want;
    if (!SchemeLockLines(s, &want, error))
        return false;
    for (int i = 1; i < want.size(); ++i) {
        const QString& have = tail.value(i);
        if (have == want[i])
            continue;
        if (error) {
            if (i == 3) {
                *error = Texts::tr("%1: 熔丝位与锁定的方案不符 (方案 %2, 现在 %3)")
                             .arg(QFileInfo(path).fileName(), have.mid(6), want[i].mid(6));
            } else {
                const QString file = s.fileName[i - 1];
                const QString was = have.section(u' ', 1, 1);
                const QString now = want[i].section(u' ', 1, 1);
                *error = Texts::tr("%1 已改变: 方案 %2, 文件 %3")
                             .arg(QFileInfo(file.isEmpty() ? path : file).fileName(),
                                  was.isEmpty() ? QStringLiteral("-") : was, now);
            }
        }
        return false;
    }
    return true;
}
