#include "ops/connectioncheck.h"

#include "link/frames.h"
#include "session/opcontext.h"

bool CheckConnection(OpContext& c) {
    c.link.drainInput();
    c.link.sendCommand(Frames::connectionCheck());
    c.link.delayMs(400);
    const bool answered = c.link.bytesAvailable() != 0;
    c.link.logReplyAfterDelay(0, QString());
    return answered;
}
