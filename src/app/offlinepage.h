#pragma once
// The page "脱机选项": stand-alone programming settings, upload, fuse table, serial number.
#include <QWidget>

struct AppContext;

class OfflinePage : public QWidget {
    Q_OBJECT
public:
    OfflinePage(AppContext& app, QWidget* parent = nullptr);

Q_SIGNALS:
    // "试验": the chip menu of the toolbar gets this entry.
    void chipMenuEntryRequested(const QString& name);

private:
    AppContext& m_app;
};
