#include "session/opcontext.h"

#include "core/texts.h"
#include "link/linkerror.h"

#include <exception>

bool runOperationStep(OpContext& c, const std::function<void()>& body) {
    try {
        body();
        return true;
    } catch (const LinkStopped& e) {
        // Asked for (the window closing, a signal): a line in the log, no box.
        c.log(e.text());
    } catch (const LinkError& e) {
        c.ui.warning(Texts::warningTitle(), e.text());
    } catch (const std::exception& e) {
        c.ui.warning(Texts::warningTitle(), QString::fromLocal8Bit(e.what()));
    }
    return false;
}

bool runOperation(OpContext& c, OpId id, const std::function<void()>& body) {
    Link::Claim claim(c.link);
    if (!claim.held()) {
        // Its frames would land in the middle of the running operation's.
        c.log(Texts::linkBusy());
        return false;
    }
    if (c.link.stopRequested()) {
        c.log(Texts::stopped());
        return false;
    }
    Link::Busy busy(c.link);
    OperationScope scope(c.ui, id);
    return runOperationStep(c, body);
}
