#pragma once
// The language the programs speak. The Chinese texts are the source texts; English comes
// from translations/hvpp_en.ts. "--lang en" (or "--lang zh") chooses; without it an
// English system locale (LANG=en_US.UTF-8) gives English and everything else Chinese.
#include <QString>
#include <QStringList>

class QCoreApplication;

namespace Language {

// "en" or "zh" for a locale name such as "en_US.UTF-8", "en-GB", "zh_CN", "C".
QString fromLocaleName(const QString& name);

// Removes "--lang X" / "--lang=X" from the arguments. Returns false with *error set for a
// language we do not have or a missing value; *language is "en", "zh" or, without the
// option, the system's choice.
bool take(QStringList* arguments, QString* language, QString* error);

// Loads our translation for the language and, in Chinese, Qt's own (file dialogs, message
// box buttons, the command-line parser). The translators belong to the application.
// Returns false when the English translation file is missing: the program then speaks
// Chinese, its source language.
bool install(QCoreApplication* app, const QString& language);

// The language install() put in place: "en", or "zh" (also before install() and when the
// English translation was missing).
QString current();

} // namespace Language
