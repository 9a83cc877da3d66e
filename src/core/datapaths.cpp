#include "core/datapaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace DataPaths {

QString find(const QString& relative) {
    const QString dir = QCoreApplication::applicationDirPath();
    const QString beside = dir + u'/' + relative;
    const QString installed = dir + QStringLiteral("/../share/hvpp/") + relative;
    for (const QString& candidate : {beside, installed})
        if (QFileInfo::exists(candidate))
            return QDir::cleanPath(QFileInfo(candidate).absoluteFilePath());
    return QDir::cleanPath(installed);
}

QString setFolderIn(const QString& folder, const QString& language) {
    const QString english = folder + QStringLiteral("/en");
    if (language == u"en" && QFileInfo(english).isDir())
        return english;
    return folder;
}

QString setFolder(const QString& language) {
    return setFolderIn(find(QStringLiteral("Set")), language);
}

} // namespace DataPaths
