#pragma once
// What the window's parts share: the main window's session, link and Ui sink.
#include "session/opcontext.h"

struct AppContext {
    Session& session;
    Link& link;
    Ui& ui;
    OpContext op() { return OpContext{session, link, ui}; }
};
