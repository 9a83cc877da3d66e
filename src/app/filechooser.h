#pragma once
// The file dialogs the window's buttons show. Tests put their own answers in place.
#include <QString>
#include <functional>
#include <memory>

class QWidget;

struct FileChooser {
    // Returns the chosen path, or "" for Cancel.
    using Choose =
        std::function<QString(QWidget* parent, const QString& caption, const QString& filter)>;
    Choose open;
    Choose save;

    // A dialog as the platform offers it: it starts in `folder`.
    using Dialog = std::function<QString(QWidget* parent, const QString& caption,
                                         const QString& folder, const QString& filter)>;
    // Open and save dialogs that start in the folder of the file last chosen with either
    // (`folder` before the first choice); Cancel leaves the folder as it was.
    static FileChooser rememberingFolder(Dialog openDialog, Dialog saveDialog,
                                         const QString& folder = QString());
    // The platform's dialogs, with an empty initial name and without a read-only box,
    // starting in the folder last used.
    static FileChooser platform(const QString& folder = QString());
};
