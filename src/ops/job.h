#pragma once
// The job of a program run: everything the run will use, taken once when it starts. The
// window, the command line, a scheme file and an ELF file all end up here; the job is
// checked before anything goes on the line, stated in the log, and then run by the one
// sequence engine (ops/program.h) that single and production runs share. Nothing the user
// changes in the window while it runs changes the job.
#include "chips/chiptable.h"
#include "ops/programsteps.h"

#include <QString>
#include <QStringList>
#include <array>

class Session;
class Ui;
struct OfflinePanel;

// The serial number stamped into each good chip of a production run: four bytes, most
// significant first (as the stand-alone record keeps the initial number), at a byte address
// of flash or EEPROM, written with the single-byte commands.
struct SerialStamp {
    bool enabled = false;
    bool toFlash = true;
    int address = 0; // byte address
    int increment = 1;
    quint32 next = 0; // the number the next good chip gets
};

// Takes the serial fields of the stand-alone page (FLASH/EEPROM choice, the address in
// hexadecimal, the increment, the initial number in hexadecimal). False with *error naming
// the field by its caption, for a field that is not a number or an address the chip does
// not have.
bool serialFromPanel(const OfflinePanel& panel, int flashBytes, int eepromBytes, SerialStamp& out,
                     QString* error);

// The fuse and lock bytes as the fuse page showed them when the job was taken.
struct JobFuses {
    bool described = false;        // the chip's fuse description was loaded
    QString descriptionFile;       // its name, for the refusal
    QString text;                  // the 32-character fuse bit text, lock bit 7 first
    QString defaultText;           // the chip's default ("*" where the chip lacks the bit)
    QString before;                // the chip's bytes as last read, else its default
    std::array<QString, 4> digits; // two hex digits each: 0 low, 1 high, 2 extended, 3 lock
    bool extendedByte = false;     // the chip counts as one with an extended byte
};

struct ProgramJob {
    ChipInfo chip;
    QString chipModel;
    std::array<bool, 10> options{}; // CheckPRO(0..9)
    std::array<QString, 2> fileName;
    std::array<QString, 2> image;     // 0 flash, 1 EEPROM: what is written and verified
    std::array<bool, 2> loadFailed{}; // the reload of that file did not give an image
    std::array<QString, 2> otherChip; // why the image's file is for another chip, "" if not
    JobFuses fuses;
    int calSlot = -1;      // Sel_OA
    int calTarget = 0;     // Sel_FE: 0 flash, 1 EEPROM
    QString calAddress;    // the address box of that target (decimal)
    SerialStamp serial;    // production runs only
    QString serialProblem; // why the serial fields could not be taken
    QString scheme;        // the scheme file the job came from, "" otherwise

    bool ticked(ProgramStep step) const;
    // The ticked steps in the order the engine runs them (presence first).
    QList<ProgramStep> steps() const;
    bool writesFuses() const { return ticked(ProgramStep::WriteFuses); }
    bool writesLock() const { return ticked(ProgramStep::WriteLock); }
};

// The fuse page and the chip's last read bytes as they stand now.
JobFuses fusesFromSession(const Session& session);

struct JobSource {
    // With 文件重载 ticked, load the file of each memory a ticked step uses now (the
    // loaders' messages go to the log). Off when the caller has loaded them itself.
    bool loadFiles = true;
    // Take the serial-number plan from the stand-alone page (production runs).
    bool serial = false;
    QString scheme;
};

// Takes the job from the session as it stands now.
ProgramJob jobFromSession(Session& session, Ui& ui, const JobSource& source = {});
// What refuses the job before anything is sent, one line each naming what and why; empty
// when it may run.
QStringList checkJob(const ProgramJob& job);
// The log's first lines of a run: the chip, the steps, the images and, when they are
// written, the fuse and lock bytes in hexadecimal.
QStringList describeJob(const ProgramJob& job);
// A rough estimate of the run's time at baud (10 bits a character), in milliseconds.
double estimateJobMs(const ProgramJob& job, int baud);
