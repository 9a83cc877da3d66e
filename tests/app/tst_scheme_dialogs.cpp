// "SaveSet" and "LoadSet" through their file dialogs: a scheme saved and loaded restores
// the chip, the fuse page, the program options, the file names and the calibration panel.
#include "app/appcontext.h"
#include "app/fusepage.h"
#include "app/schemeactions.h"
#include "session/selectchip.h"
#include "support/recordingui.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
struct Harness {
    Harness() { session.fuses.setSetFolder(QStringLiteral(HVPP_SET_DIR)); }
    Session session;
    Link link{nullptr, &session.log};
    RecordingUi ui;
    AppContext app{session, link, ui};
};

// Answers the next file dialog with path (an empty path cancels it) as soon as it is open;
// returns the filters the dialog offered through *filters.
void answerFileDialog(const QString& path, QStringList* filters = nullptr) {
    auto* poll = new QTimer(qApp);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, qApp, [poll, path, filters] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d)
            return;
        poll->stop();
        poll->deleteLater();
        if (filters)
            *filters = d->nameFilters();
        if (path.isEmpty()) {
            d->reject();
            return;
        }
        d->selectFile(path);
        QMetaObject::invokeMethod(d, "accept", Qt::DirectConnection);
    });
    poll->start();
}

QString bitLabels(const FusePage& page) {
    QString t;
    for (int p = 31; p >= 0; --p)
        t += page.findChild<QLabel*>(QStringLiteral("Label1_%1").arg(p))->text();
    return t;
}

const QString kFuses = QStringLiteral("11111100111111111101000111100100");
} // namespace

class TestSchemeDialogs : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    static void fill(Session& s) {
        SelectChip(s, QStringLiteral("ATMEGA16"));
        s.fuses.LoadFuseDescription(QStringLiteral("ATMEGA16.FUS"));
        s.fuses.ApplyFuseText(kFuses);
        s.setOptionsText(QStringLiteral("1010100101")); // option 5 ("文件重载") off
        s.fileName[0] = QStringLiteral("/data/job/main.hex");
        s.fileName[1] = QStringLiteral("/data/job/data.eep");
        s.cal.pickedSlot = 2;
        s.cal.target = 1;
        s.cal.flashAddress = QStringLiteral("16000");
        s.cal.eepromAddress = QStringLiteral("500");
        s.notifyChip();
        s.notifyPanels();
    }

  private Q_SLOTS:
    void initTestCase() {
        // The dialogs keep their history in the test's own settings, and start here.
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
    }

    void savedSchemeLoadsBack() {
        const QString base = m_dir.filePath(QStringLiteral("job"));
        QString fuseTextSaved;
        {
            Harness h;
            fill(h.session);
            fuseTextSaved = h.session.fuses.fuseText();
            QStringList filters;
            answerFileDialog(base, &filters);
            SaveSetInteractive(nullptr, h.app);
            QVERIFY(h.ui.warnings.isEmpty());
            QVERIFY(h.session.log.text().contains(QStringLiteral("方案已保存: job.SET")));
            QCOMPARE(filters.size(), 1);
            QVERIFY(filters[0].startsWith(QStringLiteral("方案文件(*.SET)")));
        }
        // The dialog gives the file its extension.
        const QString path = base + QStringLiteral(".SET");
        QVERIFY(QFile::exists(path));

        Harness h;
        h.session.FlashBufferText = QStringLiteral("0102");
        FusePage page(h.app);
        answerFileDialog(path);
        LoadSetInteractive(nullptr, h.app);
        const Session& s = h.session;
        QCOMPARE(s.chip.ChipName, QStringLiteral("ATMEGA16"));
        QCOMPARE(s.fuses.fuseText(), fuseTextSaved);
        QCOMPARE(bitLabels(page), fuseTextSaved);
        QCOMPARE(s.optionsText(), QStringLiteral("1010100101"));
        QCOMPARE(s.fileName[0], QStringLiteral("/data/job/main.hex"));
        QCOMPARE(s.fileName[1], QStringLiteral("/data/job/data.eep"));
        QCOMPARE(s.cal.pickedSlot, 2);
        QCOMPARE(s.cal.target, 1);
        QCOMPARE(s.cal.flashAddress, QStringLiteral("16000"));
        QCOMPARE(s.cal.eepromAddress, QStringLiteral("500"));
        // Without "文件重载" the images stay as they were.
        QCOMPARE(s.FlashBufferText, QStringLiteral("0102"));
        QVERIFY(h.ui.warnings.isEmpty());
        QVERIFY(s.log.text().contains(QStringLiteral("方案已载入: job.SET")));
    }

    void cancelChangesNothing() {
        Harness h;
        fill(h.session);
        const QString before = h.session.fuses.fuseText();
        answerFileDialog(QString());
        LoadSetInteractive(nullptr, h.app);
        answerFileDialog(QString());
        SaveSetInteractive(nullptr, h.app);
        QCOMPARE(h.session.chip.ChipName, QStringLiteral("ATMEGA16"));
        QCOMPARE(h.session.fuses.fuseText(), before);
        QVERIFY(h.ui.warnings.isEmpty());
    }

    void failedSaveIsReported() {
        Harness h;
        fill(h.session);
        // A plain file where the scheme's folder should be: it cannot be written.
        const QString notAFolder = m_dir.filePath(QStringLiteral("plain"));
        QFile plain(notAFolder);
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        answerFileDialog(notAFolder + QStringLiteral("/job.SET"));
        SaveSetInteractive(nullptr, h.app);
        QCOMPARE(h.ui.warnings.size(), 1);
    }

    void truncatedSchemeIsLogged() {
        const QString path = m_dir.filePath(QStringLiteral("short.SET"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("ATMEGA32\r\n");
        f.close();
        Harness h;
        answerFileDialog(path);
        LoadSetInteractive(nullptr, h.app);
        QCOMPARE(h.session.chip.ChipName, QStringLiteral("ATMEGA32"));
        QVERIFY(h.session.log.text().contains(QStringLiteral("short.SET")));
    }
};

QTEST_MAIN(TestSchemeDialogs)
#include "tst_scheme_dialogs.moc"
