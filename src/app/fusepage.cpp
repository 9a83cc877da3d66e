#include "app/fusepage.h"

FusePage::FusePage(AppContext& app, QWidget* parent) : QWidget(parent), m_app(app) {}
