#pragma once
// What the window's parts share: the main window's session, link and Ui sink.
#include "session/opcontext.h"

class Interlock;

struct AppContext {
    Session& session;
    Link& link;
    Ui& ui;
    Interlock* lock = nullptr; // the window's: controls switched while an operation runs
    OpContext op() { return OpContext{session, link, ui}; }
};
