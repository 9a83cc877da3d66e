#include "app/filechooser.h"

#include <QFileDialog>

FileChooser FileChooser::platform() {
    FileChooser f;
    f.open = [](QWidget* parent, const QString& caption, const QString& filter) {
        return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
    };
    f.save = [](QWidget* parent, const QString& caption, const QString& filter) {
        return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
    };
    return f;
}
