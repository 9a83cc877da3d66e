#include "ops/jobrecord.h"

#include "core/texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

JobRecord::JobRecord(const QString& path) : m_path(path) {}

bool JobRecord::lock(QString* error) {
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    m_lock = std::make_unique<QLockFile>(m_path + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(60000);
    if (m_lock->tryLock(10000))
        return true;
    if (error)
        *error = m_lock->error() == QLockFile::LockFailedError
                     ? Texts::tr("%1 被另一个进程锁定 (%2)。").arg(m_path, m_lock->fileName())
                     : Texts::tr("%1 无法建立 (无法在其文件夹中写入)。").arg(m_lock->fileName());
    m_lock.reset();
    return false;
}

void JobRecord::unlock() {
    m_lock.reset();
}

bool JobRecord::read(JobTotals* t, QString* error) const {
    *t = JobTotals();
    QFile f(m_path);
    if (m_path.isEmpty() || !f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly) || f.size() > 4096) {
        if (error)
            *error = m_path + QStringLiteral(": ") + f.errorString();
        return false;
    }
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty())
            continue;
        const QByteArray key = line.left(line.indexOf('='));
        const QByteArray value = line.mid(key.size() + 1);
        bool ok = key.size() < line.size();
        if (key == "next") {
            t->next = value.toUInt(&ok, 16);
            t->hasNext = ok && value.size() <= 8;
        } else if (key == "passed") {
            t->passed = value.toInt(&ok);
        } else if (key == "failed") {
            t->failed = value.toInt(&ok);
        }
        if (!ok || t->passed < 0 || t->failed < 0) {
            if (error)
                *error = Texts::tr("%1 不是作业记录: %2").arg(m_path, QString::fromUtf8(line));
            return false;
        }
    }
    return true;
}

bool JobRecord::write(const JobTotals& t, QString* error) const {
    if (m_path.isEmpty())
        return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QByteArray text;
    if (t.hasNext)
        text += "next=" + QByteArray::number(t.next, 16).toUpper().rightJustified(8, '0') + '\n';
    text += "passed=" + QByteArray::number(t.passed) + '\n';
    text += "failed=" + QByteArray::number(t.failed) + '\n';
    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit()) {
        if (error)
            *error = m_path + QStringLiteral(": ") + out.errorString();
        return false;
    }
    return true;
}

QString JobRecord::besideScheme(const QString& schemePath) {
    const QFileInfo fi(schemePath);
    return fi.absoluteDir().filePath(fi.completeBaseName() + QStringLiteral(".job"));
}

QString JobRecord::inSettingsFolder(const QString& settingsFile, const QString& jobName) {
    QString safe = jobName;
    for (QChar& c : safe)
        if (!c.isLetterOrNumber() && c != u'-' && c != u'_' && c != u'.')
            c = u'_';
    return QFileInfo(settingsFile)
        .absoluteDir()
        .filePath(QStringLiteral("jobs/") + safe + QStringLiteral(".job"));
}
