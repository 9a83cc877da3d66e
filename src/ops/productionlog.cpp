#include "ops/productionlog.h"

#include "core/texts.h"

#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <QStringList>

namespace {

QString csvField(const QString& s) {
    if (!s.contains(u',') && !s.contains(u'"') && !s.contains(u'\n') && !s.contains(u'\r'))
        return s;
    QString q = s;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

// Another station holds the lock for the few milliseconds of its write; a lock older than
// a minute belongs to a process that died.
constexpr int kLockWaitMs = 10000;
constexpr int kStaleLockMs = 60000;

bool lockFor(QLockFile& lock, const QString& path, QString* error) {
    lock.setStaleLockTime(kStaleLockMs);
    if (lock.tryLock(kLockWaitMs))
        return true;
    if (error)
        *error = lock.error() == QLockFile::LockFailedError
                     ? Texts::tr("%1 被另一个进程锁定 (%2)。").arg(path, lock.fileName())
                     : Texts::tr("%1 无法建立 (无法在其文件夹中写入)。").arg(lock.fileName());
    return false;
}

// Under the lock: the file's bytes, with the header when it is new or empty; false when it
// cannot be read or has another header.
bool readChecked(const QString& path, QByteArray* bytes, QString* error) {
    QFile in(path);
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly)) {
            if (error)
                *error = path + QStringLiteral(": ") + in.errorString();
            return false;
        }
        *bytes = in.readAll();
    }
    const QByteArray header = csvHeader().toUtf8();
    if (bytes->trimmed().isEmpty()) {
        *bytes = header + "\r\n";
        return true;
    }
    const QByteArray first = bytes->left(bytes->indexOf('\n')).trimmed();
    if (first != header) {
        if (error)
            *error = Texts::tr("%1 的列与本程序的记录不同 (第一行: %2), 不会向其追加。")
                         .arg(path, QString::fromUtf8(first.left(120)));
        return false;
    }
    if (!bytes->endsWith('\n'))
        *bytes += "\r\n";
    return true;
}

bool writeWhole(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        if (error)
            *error = path + QStringLiteral(": ") + out.errorString();
        return false;
    }
    return true;
}

} // namespace

QString ChipRecord::result() const {
    if (passed)
        return QStringLiteral("PASS");
    return stopped ? QStringLiteral("STOPPED") : QStringLiteral("FAIL");
}

QString csvHeader() {
    return QStringLiteral("time,signature,serial,result,failed_step,flash_crc32,eeprom_crc32,"
                          "error,job,station,port");
}

QString csvLine(const ChipRecord& r) {
    const QStringList f{r.time,      r.signature, r.serial, r.result(), r.failedStep, r.flashCrc,
                        r.eepromCrc, r.error,     r.job,    r.station,  r.port};
    QStringList out;
    for (const QString& s : f)
        out << csvField(s);
    return out.join(u',');
}

bool prepareCsv(const QString& path, QString* error) {
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lockFor(lock, path, error))
        return false;
    QByteArray bytes;
    if (!readChecked(path, &bytes, error))
        return false;
    // Written back as it is (with the header when new): what each chip's line will need.
    return writeWhole(path, bytes, error);
}

bool appendCsvLine(const QString& path, const QString& line, QString* error) {
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lockFor(lock, path, error))
        return false;
    QByteArray bytes;
    if (!readChecked(path, &bytes, error))
        return false;
    return writeWhole(path, bytes + line.toUtf8() + "\r\n", error);
}
