#include "app/filechooser.h"

#include <QFileDialog>
#include <QFileInfo>

FileChooser FileChooser::rememberingFolder(Dialog openDialog, Dialog saveDialog,
                                           const QString& folder) {
    auto last = std::make_shared<QString>(folder);
    auto remembering = [last](Dialog dialog) -> Choose {
        return [last, dialog](QWidget* parent, const QString& caption, const QString& filter) {
            const QString path = dialog(parent, caption, *last, filter);
            if (!path.isEmpty())
                *last = QFileInfo(path).absolutePath();
            return path;
        };
    };
    FileChooser f;
    f.open = remembering(std::move(openDialog));
    f.save = remembering(std::move(saveDialog));
    return f;
}

FileChooser FileChooser::platform(const QString& folder) {
    return rememberingFolder(
        [](QWidget* parent, const QString& caption, const QString& dir, const QString& filter) {
            return QFileDialog::getOpenFileName(parent, caption, dir, filter);
        },
        [](QWidget* parent, const QString& caption, const QString& dir, const QString& filter) {
            return QFileDialog::getSaveFileName(parent, caption, dir, filter);
        },
        folder);
}
