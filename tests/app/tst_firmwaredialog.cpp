// The window "升级固件" against the simulated programmer's loader, on the virtual clock.
#include "app/appcontext.h"
#include "app/firmwaredialog.h"
#include "app/programmeractions.h"
#include "support/rig.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
struct Harness : SimRig {
    explicit Harness(const SimConfig& config = SimConfig()) : SimRig(config) {}
    AppContext app{session, link, ui};
};

QString labelText(const QDialog& d, const char* name) {
    return d.findChild<QLabel*>(QString::fromLatin1(name))->text();
}
QPushButton* button(const QDialog& d, const char* name) {
    return d.findChild<QPushButton*>(QString::fromLatin1(name));
}
// Answers the next file dialog with path, as soon as it is open (the operation may first
// talk to the programmer, serving events meanwhile).
void answerFileDialog(const QString& path) {
    auto* poll = new QTimer(qApp);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, qApp, [poll, path] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d)
            return;
        poll->stop();
        poll->deleteLater();
        d->selectFile(path);
        QMetaObject::invokeMethod(d, "accept", Qt::DirectConnection);
    });
    poll->start();
}

// The window's 100 ms timer, fired at once.
void tick(FirmwareDialog& d) {
    QTimer* timer = d.findChild<QTimer*>();
    QVERIFY(timer && timer->isActive());
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
}
} // namespace

class TestFirmwareDialog : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString writeFile(const QString& name, const QByteArray& data) {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(data);
        return path;
    }

  private Q_SLOTS:
    void initTestCase() {
        // The file dialogs keep their history in the test's own settings, and start here.
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
    }

    void updateReachesTheEnd_data() {
        QTest::addColumn<int>("size");
        QTest::newRow("300 bytes") << 300;
        QTest::newRow("256 bytes") << 256;
    }
    void updateReachesTheEnd() {
        QFETCH(int, size);
        QByteArray image;
        for (int i = 0; i < size; ++i)
            image.append(char((i * 7 + 3) & 0xFF));
        const QString path = writeFile(QStringLiteral("fw%1.BIN").arg(size), image);

        Harness h;
        EnterFirmwareLoaderInteractive(nullptr, h.app); // "FIRMWARE" asks for the update
        FirmwareDialog dialog(h.app, path);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("升级固件"));
        QCOMPARE(labelText(dialog, "FileCaption"), QStringLiteral("升级文件"));
        QVERIFY(labelText(dialog, "FilePath").endsWith(QStringLiteral("fw%1.BIN").arg(size)));
        QCOMPARE(labelText(dialog, "Prompt"), QStringLiteral("请重启编程器！"));
        QCOMPARE(button(dialog, "Continue")->text(), QStringLiteral("继 续"));
        QCOMPARE(button(dialog, "Exit")->text(), QStringLiteral("退 出"));
        QVERIFY(!button(dialog, "Continue")->isEnabled());

        // The user restarts the programmer; its loader says "B".
        h.port.restartProgrammer();
        tick(dialog);
        QCOMPARE(labelText(dialog, "Prompt"), QStringLiteral("确认升级，请点击<继续>！"));
        QVERIFY(button(dialog, "Continue")->isEnabled());

        QTest::mouseClick(button(dialog, "Continue"), Qt::LeftButton);
        QCOMPARE(labelText(dialog, "Progress"), QStringLiteral("升级完毕。"));
        QCOMPARE(labelText(dialog, "Status"), QStringLiteral("启动升级......"));
        QVERIFY(!button(dialog, "Continue")->isEnabled());
        QCOMPARE(dialog.findChild<QProgressBar*>()->value(), 100);
        h.port.advance(20); // the last "!" is still on the line
        QCOMPARE(h.port.model().firmware().left(size), image);
        QCOMPARE(h.port.model().firmware().mid(size),
                 QByteArray((128 - size % 128) % 128, char(0xFF)));
        QVERIFY(!h.port.model().inLoader());
        QVERIFY(h.ui.warnings.isEmpty());

        QTest::mouseClick(button(dialog, "Exit"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }

    void silentLoaderTimesOutAndCloses() {
        const QString path = writeFile(QStringLiteral("small.BIN"), QByteArray(10, '\x55'));
        Harness h;
        FirmwareDialog dialog(h.app, path);
        dialog.show();
        const double start = h.port.nowMs();
        tick(dialog);
        QCOMPARE(labelText(dialog, "Status"), QStringLiteral("超时，连接不成功！"));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        // Ten seconds for "B", then three to read the message.
        QVERIFY(h.port.nowMs() - start >= 13000);
        QVERIFY(h.port.sent().isEmpty());
    }

    void oversizedFileIsRefusedBeforeAnythingIsSent() {
        const QString path = writeFile(QStringLiteral("big.BIN"), QByteArray(32768, '\x11'));
        Harness h;
        h.port.clearSent();
        FirmwareDialog dialog(h.app, path);
        dialog.show();
        QVERIFY(!labelText(dialog, "Status").isEmpty());
        QVERIFY(!button(dialog, "Continue")->isEnabled());
        QVERIFY(!dialog.findChild<QTimer*>()->isActive());
        QVERIFY(h.port.sent().isEmpty());
        QTest::mouseClick(button(dialog, "Exit"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }

    void exitWhileReadyStopsTheUpdate() {
        const QString path = writeFile(QStringLiteral("ready.BIN"), QByteArray(200, '\x22'));
        Harness h;
        EnterFirmwareLoaderInteractive(nullptr, h.app);
        FirmwareDialog dialog(h.app, path);
        dialog.show();
        h.port.restartProgrammer();
        tick(dialog);
        QVERIFY(button(dialog, "Continue")->isEnabled());
        h.port.clearSent();
        QTest::mouseClick(button(dialog, "Exit"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QVERIFY(!h.port.sent().contains(">"));
    }

    void programmerEepromFromAFile() {
        QByteArray data;
        for (int i = 0; i < 40; ++i)
            data.append(char(0xC0 + i));
        const QString path = writeFile(QStringLiteral("eeprom.BIN"), data);
        Harness h;
        answerFileDialog(path);
        UpdateProgrammerEepromInteractive(nullptr, h.app);
        QVERIFY2(h.ui.warnings.isEmpty(), qPrintable(h.ui.warnings.join(u'\n')));
        QCOMPARE(h.port.model().settingsMemory().left(40), data);
        QVERIFY(h.session.log.text().contains(QStringLiteral("升级EEPROM数据......")));
        QVERIFY(h.session.log.text().contains(QStringLiteral("EEPROM数据升级完毕！")));

        // A programmer that does not answer "连接成功!" gets no file dialog and nothing else.
        Harness silent;
        silent.port.model().faults().silent = true;
        UpdateProgrammerEepromInteractive(nullptr, silent.app);
        QVERIFY(silent.session.log.text().contains(QStringLiteral("无法连接编程器!")));
        QVERIFY(!silent.port.sent().contains("ME"));
    }

    // With HVPP_RENDER_DIR set, the window is drawn ready and done, for review.
    void renderForReview() {
        const QString dir = qEnvironmentVariable("HVPP_RENDER_DIR");
        if (dir.isEmpty())
            QSKIP("HVPP_RENDER_DIR not set");
        const QString path = writeFile(QStringLiteral("HVPP_FW_V12.BIN"), QByteArray(1000, '\x5A'));
        Harness h;
        EnterFirmwareLoaderInteractive(nullptr, h.app);
        FirmwareDialog dialog(h.app, path);
        dialog.show();
        QVERIFY(dialog.grab().save(dir + QStringLiteral("/firmware_open.png")));
        h.port.restartProgrammer();
        tick(dialog);
        QVERIFY(dialog.grab().save(dir + QStringLiteral("/firmware_ready.png")));
        QTest::mouseClick(button(dialog, "Continue"), Qt::LeftButton);
        QVERIFY(dialog.grab().save(dir + QStringLiteral("/firmware_done.png")));
    }
};

QTEST_MAIN(TestFirmwareDialog)
#include "tst_firmwaredialog.moc"
