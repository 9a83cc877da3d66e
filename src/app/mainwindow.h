#pragma once
// The main window: owns the session, the settings store, the port and the link, shows the
// pages and runs the operations from the toolbar and the buttons.
#include "app/appcontext.h"
#include "app/appoptions.h"
#include "app/filechooser.h"
#include "app/interlock.h"
#include "app/widgetui.h"

#include <QHash>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <functional>
#include <memory>

class Connection;
class FusePage;
class HelpWindow;
class ImageTab;
class LogView;
class OfflinePage;
class OptionsPage;
class ProductionPanel;
class Port;
class PortStatusLabel;
class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QToolBar;
class SettingsStore;
class SerialDialog;
struct SerialChoices;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // port: a ready-made port to use instead of the one the options or settings name
    // (tests pass the simulated programmer on a virtual clock).
    explicit MainWindow(const AppOptions& options, std::unique_ptr<Port> port = nullptr,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    Session& session() { return m_session; }
    Link& link() { return *m_link; }
    Port* port() const;
    WidgetUi& ui() { return m_ui; }
    AppContext& app() { return *m_app; }
    SettingsStore& settings() { return *m_settings; }
    FileChooser& fileChooser() { return m_files; }
    QAction* toolbarAction(const QString& key) const { return m_actions.value(key); }
    QToolBar* toolbar() const { return m_toolbar; }
    QMenu* chipMenu() const { return m_chipMenu; }
    ProductionPanel* production() const { return m_production; }

    // The port toggle: opens a closed port, closes an open one; a failure shows a box.
    void togglePort();
    // Switches the operation controls with the port state.
    void setOperationsEnabled(bool on);
    // The toolbar's click handlers, by key.
    void buttonClicked(const QString& key);
    void menuItemClicked(const QString& key);
    // The serial settings dialog; returns when it is closed.
    void showSettingsDialog();
    // The dialog's OK: the chosen port, line settings, flow control and echo are applied
    // and stored. dialog (may be null) gets the old port back after a failure.
    void applySerialChoices(const SerialChoices& chosen, SerialDialog* dialog = nullptr);
    // Writes the keys shut-down writes (done once; closing the window does it).
    void shutDown();
    // SIGINT, SIGTERM, or "yes" to the question on closing during an operation: the
    // operation stops at its next step (a box it shows is closed), then the port is closed,
    // the settings are written and the program ends.
    void stopAndQuit();
    // The controls that are off while an operation runs.
    Interlock& interlock() { return m_lock; }

    // The window is held at 10605 x 7560 twips.
    static QSize designSize();

Q_SIGNALS:
    // Stopped and closed after stopAndQuit(): the program ends (main() connects it).
    void quitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildWindow();
    void buildToolbar();
    QWidget* buildRightColumn();
    QWidget* buildChipBox(QWidget* column);
    void buildStatusBar();
    void startUp(std::unique_ptr<Port> injected);
    void choosePort(std::unique_ptr<Port> injected);
    void restoreSerialSettings();
    void updateConnectionState();
    void refreshLabels();
    void rebuildChipMenu();
    void addChipMenuEntry(const QString& name);
    void showAbout();
    void openHelp();
    void showComStatus();
    void openWebPage();
    // Runs an operation as its entry point: its control is disabled while it runs, a
    // failure shows a box; afterwards the controls follow the port state again.
    bool runOp(OpId id, const std::function<void(OpContext&)>& body);
    // The guarded toolbar operations: presence check, then the operation.
    void runGuarded(OpId id, const std::function<void(OpContext&)>& body);
    // The program button (and the toolbar's): takes the job, checks it, asks about
    // dangerous fuse values, then runs it once (the stop button ends it at its next step)
    // or, with "连续编程", as a production run.
    void startProgram();
    // The fuse page's writes ask before dangerous values are written.
    bool confirmFuseWrite(OpContext& c, int bytes);
    void holdControls();
    void onBusyChanged(bool busy);
    // True (after a line in the log) when key would start an operation or change what one
    // works on while one runs.
    bool refusedWhileBusy(const QString& key);
    void askStopAndQuit();

    AppOptions m_options;
    std::unique_ptr<SettingsStore> m_settings;
    Session m_session;
    WidgetUi m_ui;
    std::unique_ptr<Link> m_link;
    std::unique_ptr<Connection> m_conn;
    std::unique_ptr<AppContext> m_app;
    FileChooser m_files;
    QString m_helpFile;
    HelpWindow* m_helpWindow = nullptr;
    QString m_webLabel;
    bool m_shutDown = false;
    Interlock m_lock;
    bool m_quitting = false;
    bool m_asking = false;
    QPointer<QMessageBox> m_quitBox; // the quit question while it is open

    QToolBar* m_toolbar = nullptr;
    QHash<QString, QAction*> m_actions;
    QMenu* m_chipMenu = nullptr;
    QStringList m_extraChips;
    QTabWidget* m_tabs = nullptr;
    FusePage* m_fusePage = nullptr;
    ImageTab* m_flashTab = nullptr;
    ImageTab* m_eepromTab = nullptr;
    OptionsPage* m_optionsPage = nullptr;
    OfflinePage* m_offlinePage = nullptr;
    ProductionPanel* m_production = nullptr;
    LogView* m_log = nullptr;
    QLabel* m_selChip = nullptr;
    QLabel* m_currentChip = nullptr;
    QLabel* m_sigLabel = nullptr;
    QStackedWidget* m_pictures = nullptr;
    PortStatusLabel* m_comStatus = nullptr;
    QLabel* m_mcuTypes = nullptr;
    QLabel* m_flashSize = nullptr;
    QLabel* m_eepromSize = nullptr;
};
