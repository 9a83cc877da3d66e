#pragma once
// A main window on a temporary settings store, with the warning boxes recorded, and the
// ways a test works its controls.
#include "app/appoptions.h"
#include "app/mainwindow.h"
#include "link/port.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>

// The control named name (the test ends at once when there is none).
template <typename T> T* child(QWidget* w, const QString& name) {
    T* c = w->findChild<T*>(name);
    if (!c)
        qFatal("no control %s", qPrintable(name));
    return c;
}

// Ticks CheckPRO_0..9 as the ten digits say.
inline void setOptions(MainWindow& w, const QString& ticks) {
    for (int i = 0; i < 10; ++i) {
        auto* box = child<QCheckBox>(&w, QStringLiteral("CheckPRO_%1").arg(i));
        if (box->isChecked() != (ticks[i] == u'1'))
            box->click();
    }
}

// Drops the file on target; true when target accepted the drag.
inline bool drop(QWidget* target, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent dropEvent(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &dropEvent);
    return enter.isAccepted();
}

struct WindowFixture {
    QTemporaryDir dir;
    QStringList warnings;
    QStringList warningTitles;

    QString ini() const { return dir.filePath(QStringLiteral("hvpp.ini")); }
    QString file(const QString& name) const { return dir.filePath(name); }

    std::unique_ptr<MainWindow> make(std::unique_ptr<Port> port,
                                     const QString& language = QStringLiteral("zh")) {
        AppOptions o;
        o.language = language;
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
