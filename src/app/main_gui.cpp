#include "app/appoptions.h"
#include "app/mainwindow.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("hvpp"));
    QApplication::setApplicationVersion(QStringLiteral("1.1.2"));
    QApplication::setDesktopFileName(QStringLiteral("hvpp"));

    AppOptions options;
    QString message;
    int exitCode = 0;
    if (!AppOptions::parse(QApplication::arguments(), &options, &message, &exitCode)) {
        QTextStream(exitCode == 0 ? stdout : stderr) << message << Qt::endl;
        return exitCode;
    }
    MainWindow window(options);
    window.show();
    return app.exec();
}
