// The program button's run: the job is taken when it starts, so nothing changed in the
// window meanwhile changes what is written; it is checked before anything goes out.
#include "app/mainwindow.h"

#include "app/productionpanel.h"
#include "fuses/fuserisk.h"
#include "ops/jobtexts.h"
#include "ops/program.h"

#include <QPushButton>

void MainWindow::startProgram() {
    if (refusedWhileBusy(QString()))
        return;
    const bool continuous = m_production->continuous();
    runOp(OpId::Program, [this, continuous](OpContext& c) {
        JobSource source;
        source.serial = continuous && m_production->stampSerial();
        const ProgramJob job = jobFromSession(c.session, c.ui, source);
        if (!acceptJob(c, job) || !confirmJobFuses(c, job))
            return;
        if (continuous) {
            m_production->run(c, job);
            return;
        }
        // The stop button of production runs ends a single run at its next step.
        bool stop = false;
        QPushButton* button = m_production->stopButton();
        struct StopButton { // also when the link fails under the run
            QPushButton* b;
            QMetaObject::Connection conn;
            ~StopButton() {
                QObject::disconnect(conn);
                b->setEnabled(false);
            }
        } held{button, connect(button, &QPushButton::clicked, this, [&stop] { stop = true; })};
        button->setEnabled(true);
        RunPolicy policy;
        policy.stopRequested = [&stop] { return stop; };
        RunProgramJob(c, job, policy);
    });
}

bool MainWindow::confirmFuseWrite(OpContext& c, int bytes) {
    const FuseEditor& f = c.session.fuses;
    const QString before =
        !c.session.chipFuseText.isEmpty() && c.session.chipFuseModel == c.session.selectedChipModel
            ? c.session.chipFuseText
            : f.defaultFuseText();
    const FuseRisk risk = assessFuseWrite(f, before, f.fuseText(), bytes);
    if (!risk.dangerous())
        return true;
    const bool yes = c.ui.confirm(Texts::warningTitle(), risk.question());
    c.log(yes ? JobTexts::dangerAccepted(risk.dangers.join(QStringLiteral("; ")))
              : JobTexts::fuseDeclined());
    return yes;
}
