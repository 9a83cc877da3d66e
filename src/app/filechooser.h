#pragma once
// The file dialogs the window's buttons show. Tests put their own answers in place.
#include <QString>
#include <functional>

class QWidget;

struct FileChooser {
    // Returns the chosen path, or "" for Cancel.
    std::function<QString(QWidget* parent, const QString& caption, const QString& filter)> open;
    std::function<QString(QWidget* parent, const QString& caption, const QString& filter)> save;
    // The platform's dialogs, with an empty initial name and without a read-only box.
    static FileChooser platform();
};
