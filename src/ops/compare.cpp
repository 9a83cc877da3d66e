#include "ops/compare.h"

#include "ops/eepromops.h"
#include "ops/flashops.h"
#include "ops/identify.h"
#include "session/opcontext.h"

CompareOutcome CompareChip(OpContext& c, bool flash, bool eeprom) {
    CompareOutcome out;
    if (!PresenceTest(c))
        return out;
    out.present = true;
    if (flash)
        out.flashSame = VerifyFlash(c);
    if (eeprom)
        out.eepromSame = VerifyEeprom(c);
    return out;
}
