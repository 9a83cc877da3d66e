#include "core/language.h"

#include "core/datapaths.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Language {

namespace {
QString normalised(const QString& value) {
    const QString v = value.trimmed().toLower();
    if (v.startsWith(u"en"))
        return QStringLiteral("en");
    if (v.startsWith(u"zh"))
        return QStringLiteral("zh");
    return QString();
}
} // namespace

QString fromLocaleName(const QString& name) {
    return normalised(name) == u"en" ? QStringLiteral("en") : QStringLiteral("zh");
}

bool take(QStringList* arguments, QString* language, QString* error) {
    QString chosen;
    for (int i = 1; i < arguments->size();) {
        const QString arg = arguments->at(i);
        QString value;
        int used = 0;
        if (arg == u"--lang" || arg == u"-lang") {
            if (i + 1 >= arguments->size()) {
                *error = QStringLiteral("--lang: zh | en");
                return false;
            }
            value = arguments->at(i + 1);
            used = 2;
        } else if (arg.startsWith(u"--lang=")) {
            value = arg.mid(7);
            used = 1;
        } else if (arg == u"--") {
            break;
        } else {
            ++i;
            continue;
        }
        chosen = normalised(value);
        if (chosen.isEmpty()) {
            *error = QStringLiteral("--lang %1: zh | en").arg(value);
            return false;
        }
        arguments->remove(i, used);
    }
    *language =
        chosen.isEmpty()
            ? fromLocaleName(QLocale::system().uiLanguages().value(0, QLocale::system().name()))
            : chosen;
    return true;
}

namespace {
const char* const kLanguageProperty = "hvppLanguage";
}

QString current() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app && app->property(kLanguageProperty).toString() == u"en" ? QStringLiteral("en")
                                                                       : QStringLiteral("zh");
}

bool install(QCoreApplication* app, const QString& language) {
    app->setProperty(kLanguageProperty, QStringLiteral("zh"));
    if (language == u"en") {
        auto* ours = new QTranslator(app);
        if (!ours->load(QStringLiteral("hvpp_en"),
                        DataPaths::find(QStringLiteral("translations")))) {
            delete ours;
            return false;
        }
        QCoreApplication::installTranslator(ours);
        app->setProperty(kLanguageProperty, QStringLiteral("en"));
        return true;
    }
    auto* qt = new QTranslator(app);
    if (qt->load(QStringLiteral("qt_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt; // without qt6-translations-l10n Qt's own texts stay English
    return true;
}

} // namespace Language
