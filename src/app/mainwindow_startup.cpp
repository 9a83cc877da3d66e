// Start-up and shut-down of the main window, and the serial connection it shows.
#include "app/mainwindow.h"

#include "app/apptexts.h"
#include "app/connection.h"
#include "app/controltable.h"
#include "app/imagetab.h"
#include "app/serialdialog.h"
#include "core/datapaths.h"
#include "core/settings.h"
#include "link/port.h"
#include "session/loader.h"
#include "session/selectchip.h"
#include "session/storedsetup.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QSerialPortInfo>
#include <QStackedWidget>
#include <QTabWidget>

using AppTexts::tr;

static QString defaultPortName() {
#ifdef Q_OS_WIN
    return QStringLiteral("COM1");
#else
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    return ports.isEmpty() ? QStringLiteral("/dev/ttyUSB0") : ports.first().systemLocation();
#endif
}

// The help document of the window's language, under share/hvpp/help or beside the program.
static QString findHelpFile(const QString& language) {
    return DataPaths::find(language == u"en" ? QStringLiteral("help/help_en.html")
                                             : QStringLiteral("help/help.html"));
}

void MainWindow::startUp(std::unique_ptr<Port> injected) {
    SettingsStore& st = *m_settings;

    // Title, help file, web-page label and the log's greeting.
    m_session.windowTitleText = AppTexts::titlePrefix() + AppTexts::titleVersion();
    setWindowTitle(m_session.windowTitleText);
    m_helpFile =
        m_options.helpFile.isEmpty() ? findHelpFile(m_options.language) : m_options.helpFile;
    m_webLabel = AppTexts::webLabel();
    m_session.log.setInitialText(AppTexts::initialLog() + QStringLiteral("\r\n\r\n"));

    // Held at its design size, in the middle of the screen.
    setFixedSize(designSize());
    // A window held at one size has nothing to maximise to.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
    }
    m_pictures->setCurrentWidget(
        m_pictures->findChild<QWidget*>(QStringLiteral("PicNotConnected")));

    // Serial settings, port and flow control.
    choosePort(std::move(injected));
    restoreSerialSettings();

    // The stored chip, its fuse bits, the program options, the file names and the
    // calibration choices, as the command line takes them too.
    LoadStoredSetup(m_session, st, QString(), &m_session.log);

    m_lock.setEnabled(m_actions.value(QStringLiteral("CloseCOM")), false);
    showComStatus();
    setOperationsEnabled(false);

    if (m_session.options[OptReloadFiles]) {
        if (!m_session.fileName[0].isEmpty())
            m_flashTab->loadFile(m_session.fileName[0]);
        if (!m_session.fileName[1].isEmpty())
            m_eepromTab->loadFile(m_session.fileName[1]);
    }

    m_tabs->setCurrentIndex(0);
    m_ui.progress(Progress::Flash, 100);
    m_ui.progress(Progress::Eeprom, 100);

    togglePort();
    if (m_conn->isOpen())
        m_link->drainInput();

    m_session.notifyFlash();
    m_session.notifyEeprom();
    refreshLabels();
}

void MainWindow::choosePort(std::unique_ptr<Port> injected) {
    if (injected) {
        // The window opens the port itself, as the last step of its start-up.
        if (injected->isOpen())
            injected->close();
        const QString name =
            m_options.portName.isEmpty() ? injected->portName() : m_options.portName;
        m_conn->adoptPort(std::move(injected), name);
        return;
    }
    QString name = m_options.portName;
    if (name.isEmpty())
        name = m_settings->read(SettingsKeys::PortName);
    if (name.isEmpty()) {
        const QString number = m_settings->read(SettingsKeys::PortNumber);
        if (!number.isEmpty() && lenientDecimal(number) > 0)
            name = portNameFromNumber(int(lenientDecimal(number)));
    }
    if (name.isEmpty())
        name = defaultPortName();
    QString error;
    if (!m_conn->setPortName(name, &error))
        m_ui.warning(Texts::serialWarningTitle(), error);
}

void MainWindow::restoreSerialSettings() {
    QString error;
    if (!m_conn->setSettingsText(m_settings->serialSettings(), &error))
        m_ui.warning(Texts::serialWarningTitle(), error);
    const QString flow = m_settings->read(SettingsKeys::FlowControl);
    if (!flow.isEmpty() && !m_conn->setFlowControl(int(lenientDecimal(flow)), &error))
        m_ui.warning(Texts::serialWarningTitle(), error);
    m_conn->echo =
        m_settings->read(SettingsKeys::Echo).compare(QLatin1String("true"), Qt::CaseInsensitive) ==
        0;
    m_session.echoEnabled = m_conn->echo;
}

void MainWindow::shutDown() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    SettingsStore& st = *m_settings;
    const Session& s = m_session;
    st.write(SettingsKeys::FuseBits, s.fuses.fuseText());
    st.write(SettingsKeys::ProgramOptions, s.optionsText());
    if (s.cal.pickedSlot >= 0 && s.cal.pickedSlot < 4)
        st.write(SettingsKeys::CalFrequency, QString::number(s.cal.pickedSlot));
    st.write(SettingsKeys::CalTarget, QString::number(s.cal.target));
    st.write(SettingsKeys::CalFlashAddress, s.cal.flashAddress);
    st.write(SettingsKeys::CalEepromAddress, s.cal.eepromAddress);
    st.write(SettingsKeys::FlashFile, s.fileName[0]);
    st.write(SettingsKeys::EepromFile, s.fileName[1]);
    if (!st.sync()) // the window is closing: the log and the terminal are what is left
        qWarning("%s", qPrintable(Texts::settingsNotWritten(st.fileName())));
}

void MainWindow::togglePort() {
    QString error;
    if (!m_conn->toggle(&error))
        m_ui.warning(Texts::serialWarningTitle(), error);
    updateConnectionState();
}

void MainWindow::updateConnectionState() {
    const bool open = m_conn->isOpen();
    m_pictures->setCurrentWidget(m_pictures->findChild<QWidget*>(
        open ? QStringLiteral("PicConnected") : QStringLiteral("PicNotConnected")));
    m_lock.setEnabled(m_actions.value(QStringLiteral("CloseCOM")), open);
    m_lock.setEnabled(m_actions.value(QStringLiteral("OpenCOM")), !open);
    showComStatus();
    setOperationsEnabled(open);
}

void MainWindow::setOperationsEnabled(bool on) {
    for (const WindowControl& c : windowControls())
        if (c.rules & NeedsPort)
            for (QObject* o : controlsNamed(this, c.name))
                m_lock.setEnabled(o, on);
}

void MainWindow::showSettingsDialog() {
    const SerialChoices current{m_conn->portName(), m_conn->settingsText(), m_conn->flowControl(),
                                m_conn->echo};
    SerialDialog dialog(current, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    applySerialChoices(dialog.choices(), &dialog);
}

void MainWindow::applySerialChoices(const SerialChoices& chosen, SerialDialog* dialog) {
    const QString oldName = m_conn->portName();
    const bool wasOpen = m_conn->isOpen();
    QString error;
    m_conn->close();
    const bool ok = chosen.portName == oldName ? m_conn->open(&error)
                                               : m_conn->switchPort(chosen.portName, &error);
    if (!ok) {
        m_ui.warning(Texts::serialWarningTitle(), error);
        // The old port stays; open again if it was open.
        if (wasOpen && chosen.portName != oldName) {
            QString again;
            if (!m_conn->open(&again))
                m_ui.warning(Texts::serialWarningTitle(), again);
        }
        if (dialog)
            dialog->selectPort(oldName);
    }
    if (!m_conn->setSettingsText(chosen.settingsText, &error))
        m_ui.warning(Texts::serialWarningTitle(), error);
    if (!m_conn->setFlowControl(chosen.flowControl, &error))
        m_ui.warning(Texts::serialWarningTitle(), error);
    m_conn->echo = chosen.echo;
    m_session.echoEnabled = chosen.echo;

    SettingsStore& st = *m_settings;
    st.write(SettingsKeys::Serial, m_conn->settingsText());
    st.write(SettingsKeys::PortNumber, QString::number(portNumberFromName(m_conn->portName())));
    st.write(SettingsKeys::PortName, m_conn->portName());
    st.write(SettingsKeys::FlowControl, QString::number(m_conn->flowControl()));
    st.write(SettingsKeys::Echo, m_conn->echo ? QStringLiteral("true") : QStringLiteral("false"));
    if (!st.sync())
        m_ui.warning(Texts::warningTitle(), Texts::settingsNotWritten(st.fileName()));
    updateConnectionState();
}
