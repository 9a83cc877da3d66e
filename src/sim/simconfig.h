#pragma once
// How a simulated programmer is set up: the chip in its socket, the line rate, the chip's
// own times and the faults switched on.
#include <QList>
#include <QString>

// Each fault is off in its default state.
struct SimFaults {
    bool silent = false;             // the programmer takes everything and answers nothing
    bool noChip = false;             // the socket is empty: chip reads give FF, writes go nowhere
    QString signature;               // six hex digits the chip answers instead of its own signature
    bool lowerCaseHex = false;       // data text comes in lower-case hexadecimal
    int splitChars = 0;              // replies come in pieces of this many characters ...
    double splitGapMs = 0;           // ... with this pause between the pieces
    double lateMs = 0;               // every reply starts this much later
    int dropMarkerEvery = 0;         // every Nth marker ("!", "$", "?", "B") is not sent
    qint64 corruptFlashAddress = -1; // this flash byte address reads back wrong
    qint64 corruptEepromAddress = -1; // this EEPROM byte address reads back wrong
    qint64 disconnectAfter = -1;      // the line dies after this many characters, both ways
    bool dropFuseWrite = false;       // "WS" is answered as written, but the fuses stay
    QList<qint64> corruptFlashMore;   // more flash byte addresses that read back wrong
    QList<qint64> corruptEepromMore;  // and EEPROM ones
    QByteArray noise;                 // the line adds these characters before every data answer

    bool corruptsFlash(qint64 a) const {
        return a == corruptFlashAddress || corruptFlashMore.contains(a);
    }
    bool corruptsEeprom(qint64 a) const {
        return a == corruptEepromAddress || corruptEepromMore.contains(a);
    }
    bool anyCorrupt() const {
        return corruptFlashAddress >= 0 || corruptEepromAddress >= 0 ||
               !corruptFlashMore.isEmpty() || !corruptEepromMore.isEmpty();
    }
};

// The chip's own times, after the data sheets' high-voltage programming figures, and the
// programmer's.
struct SimTiming {
    double chipEraseMs = 9.0;
    double flashPageMs = 4.5; // page commit, and a single word ("WW")
    double eepromByteMs = 9.0;
    double fuseByteMs = 4.5;        // per fuse byte written, and the lock byte
    double settingsByteMs = 3.4;    // the programmer's own EEPROM ("ME")
    double commandMs = 0.05;        // the firmware's own reaction time to a frame
    double bulkStartMs = 5.0;       // "RT000000#" until "B"
    double bulkBlockMs = 2.0;       // storing a 128-byte block until the next "?"
    double bulkIdleMs = 2000;       // a bulk transfer that hears nothing this long is given up
    double loaderBootMs = 50;       // restart until the loader's first "B"
    double loaderAnnounceMs = 1000; // the loader repeats "B" this often until answered
    double loaderEraseMs = 20;      // "00" until the first "?"
    double loaderBlockMs = 9.0;
};

struct SimConfig {
    QString chip = QStringLiteral("ATMEGA8"); // a chip name of the table, or "none"
    int baud = 115200;                        // 10 bits a character; 0 = unpaced
    bool paceInput = true; // what the program sends takes line time, as in a UART
    // A USB adapter's latency timer: answers are held at the adapter and released to the
    // program every latencyMs milliseconds (0: as they arrive).
    double latencyMs = 0;
    // The socket cycle of production runs: ms with a chip in, ms empty (0: no cycle). The
    // front end that starts the programmer runs it.
    double socketInMs = 0;
    double socketOutMs = 0;
    SimTiming timing;
    SimFaults faults;
};
