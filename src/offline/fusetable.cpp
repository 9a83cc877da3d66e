#include "offline/fusetable.h"

#include "link/frames.h"
#include "offline/offlinetexts.h"
#include "session/opcontext.h"

const std::array<ProgrammerFuseRecord, 13>& programmerFuseTable() {
    // The programmer's data, written as it stands (not always the chips' factory fuses).
    static const std::array<ProgrammerFuseRecord, 13> table = {{
        {"ATMEGA8", 0x93, 0x07, 0xFF, 0xD9, 0xE1},
        {"ATMEGA16", 0x94, 0x03, 0xFF, 0x99, 0xE1},
        {"ATMEGA32", 0x95, 0x02, 0xFF, 0x99, 0xE1},
        {"ATMEGA48", 0x92, 0x05, 0xFF, 0xDF, 0x62},
        {"ATMEGA168", 0x94, 0x06, 0xF9, 0xDF, 0x62},
        {"ATMEGA8535", 0x93, 0x08, 0xFF, 0xD9, 0xE1},
        {"ATMEGA8515", 0x93, 0x06, 0xFF, 0xD9, 0xE1},
        {"ATMEGA161", 0x94, 0x01, 0xFF, 0xFF, 0xEA},
        {"ATMEGA162", 0x94, 0x04, 0xFF, 0x99, 0x62},
        {"ATMEGA163", 0x94, 0x02, 0xFF, 0xFF, 0xD2},
        {"ATMEGA323", 0x95, 0x01, 0xFF, 0x9F, 0xF2},
        {"ATTINY2313", 0x91, 0x0A, 0xFF, 0xDF, 0x62},
        {"ATTINY26", 0x91, 0x09, 0xFF, 0xF7, 0xE1},
    }};
    return table;
}

bool StoreFuseTable(OpContext& c) {
    c.link.drainInput();
    int address = FuseTableFirstAddress;
    int unconfirmed = 0;
    for (const ProgrammerFuseRecord& r : programmerFuseTable()) {
        for (quint8 byte : {r.signature1, r.signature2, r.extended, r.high, r.low}) {
            c.link.sendCommand(Frames::writeSettingsByte(byte, address++));
            unconfirmed += c.link.waitForMarkerResult(100, QStringLiteral("!")) ? 0 : 1;
        }
    }
    c.ui.beep();
    const int bytes = address - FuseTableFirstAddress;
    if (unconfirmed > 0) {
        c.log(OfflineTexts::fuseTableNotConfirmed().arg(unconfirmed).arg(bytes));
        return false;
    }
    c.log(OfflineTexts::fuseTableStored().arg(int(programmerFuseTable().size())));
    return true;
}
