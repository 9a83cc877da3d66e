#pragma once
// "SaveSet" and "LoadSet": scheme files with their dialogs (filter "方案文件(*.SET)").
class QWidget;
struct AppContext;

void SaveSetInteractive(QWidget* parent, AppContext& app);
void LoadSetInteractive(QWidget* parent, AppContext& app);
