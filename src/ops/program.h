#pragma once
// The program-chip sequence ("编 程", ProCommand): the ticked steps of the ten options in
// their fixed order. The body of an operation: the entry points wrap it in runOperation()
// with the control "ProCommand".
struct OpContext;

struct ProgramOutcome {
    bool targetPresent = false;   // the presence test passed
    bool signatureOk = true;      // option 6 passed (or was off)
    bool flashLoadFailed = false; // option 5: the flash file gave "NO" or was refused (its
                                  // write and verify are skipped)
    bool eepromLoadFailed = false;
    bool flashRefused = false; // the image did not fit the chip
    bool eepromRefused = false;
    bool flashVerifyFailed = false;
    bool eepromVerifyFailed = false;
    bool fusesRefused = false;       // option 3 without a fuse description for the chip
    bool calibrationWritten = false; // option 7: the picked byte went to the chip
    bool otherChip = false; // an image came from a file built for another chip: nothing sent
    // Everything ticked ran and passed.
    bool ok() const {
        return !otherChip && targetPresent && signatureOk && !flashLoadFailed &&
               !eepromLoadFailed && !flashRefused && !eepromRefused && !flashVerifyFailed &&
               !eepromVerifyFailed && !fusesRefused;
    }
};

// endAtFailedVerify (production runs): a chip that failed its verify (or whose image was
// refused) gets no further step: no fuses, lock bits or calibration byte.
ProgramOutcome ProgramChip(OpContext& c, bool endAtFailedVerify = false);
