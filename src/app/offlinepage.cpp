#include "app/offlinepage.h"

OfflinePage::OfflinePage(AppContext& app, QWidget* parent) : QWidget(parent), m_app(app) {}
