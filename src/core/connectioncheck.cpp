#include "core/connectioncheck.h"

#include "core/opcontext.h"
#include "link/frames.h"

bool CheckConnection(OpContext& c) {
    c.link.drainInput();
    c.link.sendCommand(Frames::connectionCheck());
    c.link.delayMs(400);
    const bool answered = c.link.bytesAvailable() != 0;
    c.link.logReplyAfterDelay(0, QString());
    return answered;
}
