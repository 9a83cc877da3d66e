#pragma once
// A main window on a temporary settings store, with the warning boxes recorded.
#include "app/appoptions.h"
#include "app/mainwindow.h"
#include "link/port.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

struct WindowFixture {
    QTemporaryDir dir;
    QStringList warnings;
    QStringList warningTitles;

    QString ini() const { return dir.filePath(QStringLiteral("hvpp.ini")); }
    QString file(const QString& name) const { return dir.filePath(name); }

    std::unique_ptr<MainWindow> make(std::unique_ptr<Port> port) {
        AppOptions o;
        o.settingsFile = ini();
        o.setFolder = QStringLiteral(HVPP_SET_DIR);
        o.helpFile = QStringLiteral(HVPP_SOURCE_DIR "/docs/help.html");
        o.warningHook = [this](const QString& title, const QString& text) {
            warningTitles << title;
            warnings << text;
        };
        return std::make_unique<MainWindow>(o, std::move(port));
    }
};
