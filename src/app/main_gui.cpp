#include "app/appoptions.h"
#include "app/mainwindow.h"

#include <QApplication>
#include <QTextStream>
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
    window.show();
    return app.exec();
}
