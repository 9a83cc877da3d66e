#include "../app/mainwindow.h"
#include <QtWidgets/QMessageBox>
