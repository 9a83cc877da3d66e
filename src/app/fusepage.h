#pragma once
// The page "熔丝选项": bit labels, byte frames and the option tree over the fuse editor.
#include <QWidget>

struct AppContext;

class FusePage : public QWidget {
    Q_OBJECT
public:
    FusePage(AppContext& app, QWidget* parent = nullptr);

private:
    AppContext& m_app;
};
