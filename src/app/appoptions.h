#pragma once
// What hvpp is started with: --port NAME, --settings FILE, --sim-chip NAME, --sim-state FILE
// (--lang is taken before, by Language::take).
#include "sim/builtin.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <functional>

struct AppOptions {
    QString portName;     // empty: the port stored in the settings
    QString settingsFile; // empty: the platform's per-user store
    BuiltInSimOptions sim;
    QString setFolder;    // the fuse description files; empty: beside the program
    QString helpFile;     // the help document; empty: the one of the language, beside the program
    QString language = QStringLiteral("zh"); // "zh" or "en": the language the window speaks
    // Embedding and tests: takes the place of the warning boxes from the first moment on
    // (start-up reports serial failures before the window is shown).
    std::function<void(const QString& title, const QString& text)> warningHook;

    // Parses the command line (argv[0] first). On --help/--version or a usage error it
    // returns false with *message set (and *exitCode 0 for help, 2 for errors).
    static bool parse(const QStringList& arguments, AppOptions* out, QString* message, int* exitCode);

    Q_DECLARE_TR_FUNCTIONS(hvpp)
};
