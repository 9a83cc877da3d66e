#pragma once
// The window's controls by what they do: the one table where the operations, the bars and
// the busy rules meet the objectNames of the window's widgets and toolbar actions. Nothing
// below the window knows these names.
#include "core/ui.h"

#include <QList>

class QObject;

enum ControlRule {
    HeldWhileBusy = 1, // off while any operation runs (the interlock holds it)
    NeedsPort = 2,     // off while the port is closed
    FreeWhileBusy = 4, // its click is taken while an operation runs
};

struct WindowControl {
    const char* name; // the objectName of the widget or action
    OpId op;          // the operation it starts (None: it starts none)
    int rules;        // ControlRule flags
};

struct WindowBar {
    Progress bar;
    const char* name;    // the objectName of the progress bar
    const char* caption; // the label beside it
};

const QList<WindowControl>& windowControls();
const QList<WindowBar>& windowBars();

// The operation the control named starts (None for a name the table does not have).
OpId controlOp(const QString& name);

// The widgets and actions under root named name (a name may be both).
QList<QObject*> controlsNamed(QObject* root, const char* name);
