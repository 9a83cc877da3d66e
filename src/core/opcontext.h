#pragma once
// What every device operation is handed: the session it works on, the link it talks over
// and the sink for progress and warnings.
#include "core/session.h"
#include "core/ui.h"
#include "link/link.h"

#include <functional>

struct OpContext {
    Session& session;
    Link& link;
    Ui& ui;
    void log(const QString& text) { session.log.logMessage(text); }
};

// Runs an operation's body as its entry point: the link counts as busy meanwhile, a
// failure of the link (or anything else thrown) ends it with a warning box instead of a
// crash, and the control named (if any) is disabled while it runs and enabled afterwards.
// Returns false when the body was ended by a failure.
bool runOperation(OpContext& c, const QString& control, const std::function<void()>& body);
