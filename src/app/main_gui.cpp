#include "app/appoptions.h"
#include "app/mainwindow.h"
#include "core/language.h"
#include "core/unixsignals.h"

#include <QApplication>
#include <QTextStream>
#include <csignal>
#include <cstdio>

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
    // SIGINT and SIGTERM: the running operation stops at its next step, the port is
    // closed, the settings are written, and the program ends. A second one ends it at once.
    UnixSignals signalWatch({SIGINT, SIGTERM}, UnixSignals::SecondOneKills);
    QObject::connect(&signalWatch, &UnixSignals::received, &window, &MainWindow::stopAndQuit);
    QObject::connect(&window, &MainWindow::quitRequested, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    return app.exec();
}
