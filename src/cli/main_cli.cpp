#include "cli/cli.h"
#include "core/language.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("hvpp-cli"));
    QStringList arguments = app.arguments();
    QString language;
    QString error;
    if (!Language::take(&arguments, &language, &error)) {
        QTextStream(stderr) << error << Qt::endl;
        return 2;
    }
    Language::install(&app, language);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QTextStream in(stdin);
    auto ask = [&](const QString& question) {
        err << question << QStringLiteral(" [y/N] ") << Qt::flush;
        const QString answer = in.readLine().trimmed().toLower();
        return answer == u"y" || answer == u"yes" || answer == u"是";
    };
    return runCli(arguments, out, err, ask);
}
