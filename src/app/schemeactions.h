#pragma once
// "SaveSet" and "LoadSet": scheme files with their dialogs (filter "方案文件(*.SET)").
class QWidget;
struct AppContext;

#include <QString>

// Both return the scheme's path when the whole scheme was saved or loaded, else "". The
// save dialog's check box "为生产锁定" saves a locked scheme (schemelock.h).
QString SaveSetInteractive(QWidget* parent, AppContext& app);
QString LoadSetInteractive(QWidget* parent, AppContext& app);
