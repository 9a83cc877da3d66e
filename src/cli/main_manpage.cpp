// Writes hvpp-cli's manual page (English) to standard output; the build makes the page
// with it. Not installed.
#include "cli/cli.h"
#include "core/language.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (!Language::install(&app, QStringLiteral("en")))
        return 1; // a page in the source language would not be the English page
    QTextStream(stdout) << cliManPage();
    return 0;
}
