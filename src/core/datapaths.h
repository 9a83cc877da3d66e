#pragma once
// Where the programs find their data (fuse description files, help, translations): beside
// the executable in the build tree, under share/hvpp when installed.
#include <QString>

namespace DataPaths {
// The first of <program folder>/<relative> and <program folder>/../share/hvpp/<relative>
// that exists, as an absolute path; the installed location when neither does, so that a
// message about a missing file names the place it belongs.
QString find(const QString& relative);
// The folder of the fuse description files in the language ("zh" or "en"): the Chinese set
// in Set, the English one in Set/en.
QString setFolder(const QString& language);
// The language's set of the fuse description files under folder: folder/en in English when
// there is one, else folder itself.
QString setFolderIn(const QString& folder, const QString& language);
} // namespace DataPaths
