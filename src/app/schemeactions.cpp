#include "app/schemeactions.h"

void SaveSetInteractive(QWidget*, AppContext&) {}
void LoadSetInteractive(QWidget*, AppContext&) {}
