#include "link/portlock.h"

#include "core/texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

QString realDevicePath(const QString& name) {
#ifdef Q_OS_UNIX
    const QString path = name.contains(u'/') ? name : QStringLiteral("/dev/") + name;
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.isEmpty() ? name : real;
#else
    return name;
#endif
}

qint64 deviceLockHolder(const QString& device) {
#ifdef Q_OS_UNIX
    // The lock files serial programs leave beside each other: "LCK.." and the device's name
    // (its path under /dev with "_" for "/", or its file name alone).
    QString under = device.startsWith(QLatin1String("/dev/")) ? device.mid(5) : device;
    under.replace(u'/', u'_');
    const QStringList names{QStringLiteral("LCK..") + under,
                            QStringLiteral("LCK..") + QFileInfo(device).fileName()};
    const QStringList folders{QStringLiteral("/var/lock"),       QStringLiteral("/run/lock"),
                              QStringLiteral("/etc/locks"),      QStringLiteral("/var/spool/locks"),
                              QStringLiteral("/var/spool/uucp"), QDir::tempPath()};
    for (const QString& folder : folders) {
        for (const QString& n : names) {
            QFile f(folder + u'/' + n);
            if (!f.open(QIODevice::ReadOnly))
                continue;
            const qint64 pid = QString::fromLatin1(f.readLine(32)).trimmed().toLongLong();
            if (pid > 0 && pid != QCoreApplication::applicationPid() &&
                QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)))
                return pid;
        }
    }
#else
    (void)device;
#endif
    return 0;
}

bool lockDevice(int fd) {
#ifdef Q_OS_UNIX
    if (fd < 0)
        return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return false;
    ::ioctl(fd, TIOCEXCL); // other opens of the terminal fail (for users other than root)
#else
    (void)fd;
#endif
    return true;
}

void unlockDevice(int fd) {
#ifdef Q_OS_UNIX
    if (fd >= 0)
        ::ioctl(fd, TIOCNXCL);
#else
    (void)fd;
#endif
}

bool deviceAccessible(const QString& device) {
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0;
#else
    (void)device;
    return true;
#endif
}

QString deviceInUseText(const QString& name, qint64 holder) {
    return holder > 0
               ? Texts::tr(
                     "串口 %1 正被另一程序使用 (进程 %2), 未打开。一个编程器只能由一个程序使用。")
                     .arg(name)
                     .arg(holder)
               : Texts::tr("串口 %1 正被另一程序使用, 未打开。一个编程器只能由一个程序使用。")
                     .arg(name);
}

QString devicePermissionText(const QString& name, const QString& device) {
    QString group = QFileInfo(device).group();
    if (group.isEmpty() || group == u"root")
        group = QStringLiteral("dialout");
    return Texts::tr("无权打开串口 %1。用户须属于拥有该设备的组(%2),"
                     "例如: sudo usermod -aG %2 $USER,然后重新登录。")
        .arg(name, group);
}
