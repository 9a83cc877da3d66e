#include "app/appoptions.h"
#include "app/mainwindow.h"
#include "core/language.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>
#include <version.h>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QString language;
    QString message;
    if (!Language::take(&arguments, &language, &message)) {
        QTextStream(stderr) << message << Qt::endl;
        return 2;
    }

    // The options first: --help, --version and usage errors need no display. Their text is
    // made again under a headless application that speaks the chosen language.
    AppOptions options;
    int exitCode = 0;
    if (!AppOptions::parse(arguments, &options, &message, &exitCode)) {
        QCoreApplication app(argc, argv);
        Language::install(&app, language);
        AppOptions::parse(arguments, &options, &message, &exitCode);
        QTextStream(exitCode == 0 ? stdout : stderr) << message << Qt::endl;
        return exitCode;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("hvpp"));
    QApplication::setApplicationVersion(QStringLiteral(HVPP_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("hvpp"));
    if (!Language::install(&app, language))
        language = QStringLiteral("zh");
    options.language = language;
    MainWindow window(options);
    window.show();
    return app.exec();
}
