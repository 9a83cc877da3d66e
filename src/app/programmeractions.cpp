#include "app/programmeractions.h"

#include "app/appcontext.h"
#include "app/firmwaredialog.h"
#include "app/offlinepagetexts.h"
#include "firmware/firmwareupdate.h"

#include <QFileDialog>

namespace T = OfflinePageTexts;

namespace {
QString chooseBinaryFile(QWidget* parent, const QString& title) {
    const QString filter = T::binaryFilter() + QStringLiteral(" (*.BIN *.bin)");
    return QFileDialog::getOpenFileName(parent, title, QString(), filter, nullptr,
                                        QFileDialog::ReadOnly | QFileDialog::HideNameFilterDetails);
}
} // namespace

void StartFirmwareUpdate(QWidget* parent, AppContext& app) {
    const QString path = chooseBinaryFile(parent, T::openFirmwareTitle());
    if (path.isEmpty())
        return;
    FirmwareDialog dialog(app, path, parent);
    dialog.exec();
}

void UpdateProgrammerEepromInteractive(QWidget* parent, AppContext& app) {
    OpContext c = app.op();
    runOperation(c, OpId::None, [&] {
        if (!UpdateProgrammerEepromCheck(c))
            return;
        const QString path = chooseBinaryFile(parent, T::openEepromDataTitle());
        if (path.isEmpty())
            return;
        UpdateProgrammerEepromFile(c, path);
    });
}

void EnterFirmwareLoaderInteractive(QWidget*, AppContext& app) {
    OpContext c = app.op();
    runOperation(c, OpId::None, [&] { EnterFirmwareLoader(c); });
}
