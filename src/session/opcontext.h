#pragma once
// What every device operation is handed: the session it works on, the link it talks over
// and the sink for progress and warnings.
#include "core/ui.h"
#include "link/link.h"
#include "session/session.h"

#include <functional>

struct OpContext {
    Session& session;
    Link& link;
    Ui& ui;
    void log(const QString& text) { session.log.logMessage(text); }
};

// Runs an operation's body as its entry point. The operation claims the link for its whole
// run: while another one holds it, this one is refused with a line in the log and nothing
// sent. A failure of the link (or anything else thrown) ends it with a warning box instead
// of a crash; a stop request ends it with a line in the log. The Ui is told when id starts
// and ends. Returns false when the operation was refused, failed or stopped.
bool runOperation(OpContext& c, OpId id, const std::function<void()>& body);

// The failure handling of runOperation() without the claim, for the steps of an operation
// whose owner holds a Link::Claim across several of them (the firmware window).
bool runOperationStep(OpContext& c, const std::function<void()>& body);
