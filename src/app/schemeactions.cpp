#include "app/schemeactions.h"

#include "app/appcontext.h"
#include "app/apptexts.h"
#include "app/offlinepagetexts.h"
#include "scheme/scheme.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>

namespace T = OfflinePageTexts;

namespace {
constexpr int kSchemeLines = 9;

QString schemeFilter() {
    return T::schemeFilter() + QStringLiteral(" (*.SET *.set)");
}

QFileDialog::Options dialogOptions() {
    return QFileDialog::ReadOnly | QFileDialog::HideNameFilterDetails;
}
} // namespace

QString SaveSetInteractive(QWidget* parent, AppContext& app) {
    QFileDialog dialog(parent, T::saveSchemeTitle(), QString(), schemeFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Our own dialog, so that it can carry the lock box.
    dialog.setOptions(dialogOptions() | QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(QStringLiteral("SET"));
    auto* lock = new QCheckBox(AppTexts::tr("为生产锁定 (记录两个文件的 CRC-32 与大小)"), &dialog);
    lock->setObjectName(QStringLiteral("LockSchemeCheck"));
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(lock, grid->rowCount(), 0, 1, grid->columnCount());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString path = dialog.selectedFiles().constFirst();
    QString error;
    // A scheme that could not be written is said so: the user would otherwise believe the
    // job is kept.
    if (!SaveSet(app.session, path, &error, lock->isChecked())) {
        app.ui.warning(Texts::warningTitle(),
                       T::schemeNotSaved().arg(QDir::toNativeSeparators(path)) +
                           (error.isEmpty() ? QString() : u'\n' + error));
        return QString();
    }
    app.session.log.logMessage(T::schemeSaved().arg(QFileInfo(path).fileName()));
    return path;
}

QString LoadSetInteractive(QWidget* parent, AppContext& app) {
    QFileDialog dialog(parent, T::loadSchemeTitle(), QString(), schemeFilter());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOptions(dialogOptions());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString path = dialog.selectedFiles().constFirst();
    Session& s = app.session;
    const int applied = LoadSet(s, app.ui, path);
    // Everything a scheme touches is shown again.
    s.notifyChip();
    s.notifyFlash();
    s.notifyEeprom();
    s.notifyPanels();
    const QString shown = QDir::toNativeSeparators(path);
    if (applied == 0 && !QFileInfo(path).isReadable())
        app.ui.warning(Texts::warningTitle(), T::schemeNotOpened().arg(shown));
    else if (applied < kSchemeLines)
        s.log.logMessage(T::schemePartlyLoaded().arg(shown).arg(applied + 1));
    else
        s.log.logMessage(T::schemeLoaded().arg(QFileInfo(path).fileName()));
    return applied == kSchemeLines ? path : QString();
}
