#include "app/appoptions.h"
#include "app/mainwindow.h"
#include "core/unixsignals.h"

#include <QApplication>
#include <QTextStream>
#include <csignal>
#include <cstdio>

int main(int argc, char** argv) {
    // The options first: --help and usage errors need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    AppOptions options;
    QString message;
    int exitCode = 0;
    if (!AppOptions::parse(arguments, &options, &message, &exitCode)) {
        QTextStream(exitCode == 0 ? stdout : stderr) << message << Qt::endl;
        return exitCode;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("hvpp"));
    QApplication::setApplicationVersion(QStringLiteral("1.1.2"));
    QApplication::setDesktopFileName(QStringLiteral("hvpp"));
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
