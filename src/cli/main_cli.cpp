#include "cli/cli.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("hvpp-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    QTextStream in(stdin);
    auto ask = [&](const QString& question) {
        err << question << QStringLiteral(" [y/N] ") << Qt::flush;
        const QString answer = in.readLine().trimmed().toLower();
        return answer == u"y" || answer == u"yes" || answer == u"是";
    };
    return runCli(app.arguments(), out, err, ask);
}
