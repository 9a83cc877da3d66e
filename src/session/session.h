#pragma once
// What the main window owns: the current chip, the two images and their file names, the
// fuse editor, the program options, the calibration, single-byte and offline panel values,
// the status texts and the message log. The window shows a Session; the CLI fills one from
// its arguments; the operations read and change it.
#include "chips/chiptable.h"
#include "core/messagelog.h"
#include "fuses/fuseeditor.h"
#include "image/imagediff.h"
#include "image/imagesummary.h"

#include <QObject>
#include <QString>
#include <array>

class SettingsStore;

// The ten program options, by index.
enum ProgramOption {
    OptErase = 0,
    OptWriteFlash = 1,
    OptWriteEeprom = 2,
    OptWriteFuses = 3,
    OptWriteLock = 4,
    OptReloadFiles = 5,
    OptCheckSignature = 6,
    OptCalibration = 7,
    OptVerifyFlash = 8,
    OptVerifyEeprom = 9,
};

struct CalibrationPanel {
    std::array<QString, 4> slotText; // Label_OAnum(k)
    std::array<bool, 4> slotVisible{};
    std::array<bool, 4> slotEnabled{};
    int pickedSlot = -1;      // Sel_OA: -1 none, 0..3 ("1MHz", "2MHz", "4MHz", "8MHz")
    int target = 0;           // Sel_FE: 0 "Flash", 1 "Eeprom"
    QString flashAddress = QStringLiteral("8191");  // Flash_Address (decimal text)
    QString eepromAddress = QStringLiteral("511");  // Eeprom_Address
    qint32 flashMax = 8191;   // |VScroll1.Min|
    qint32 eepromMax = 511;   // |VScroll2.Min|
    bool writeEnabled = false; // WriteOA_Command
};

struct SingleBytePanel {
    // index 0 flash (word addresses), 1 EEPROM (byte addresses)
    std::array<QString, 2> address; // W_AddressText(i), decimal
    std::array<QString, 2> data;    // W_DataText(i), hexadecimal
    std::array<qint32, 2> max{4095, 511};
};

struct OfflinePanel {
    std::array<bool, 8> steps{};     // LeavePcCheck(0..7)
    bool calToFlash = true;          // Option7 "FLASH" / Option8 "EEPROM"
    int calSlot = 0;                 // LeavePC_OA(0..3) "OA1".."OA4"
    QString calFlashAddress;         // Text7 (hex, at most 4 digits)
    QString calEepromAddress;        // Text8
    bool serialToFlash = true;       // Option5 "FLASH" / Option6 "EEPROM"
    QString serialFlashAddress;      // Text5
    QString serialEepromAddress;     // Text6
    int increment = 1;               // Text9 / -VScroll4
    QString initialHex;              // Text2
    QString initialDecimal;          // Text3
};

class Session : public QObject {
    Q_OBJECT
public:
    explicit Session(QObject* parent = nullptr);

    MessageLog log;
    FuseEditor fuses;
    SettingsStore* settings = nullptr; // may be null (nothing is stored then)

    // Current chip (written only by SelectChip).
    ChipInfo chip = ChipTable::byName(QStringLiteral("ATMEGA8"));
    QString selectedChipModel; // the name as chosen (may be a name not in the table)

    // Images: upper-case hex digit pairs from address 0; empty means no data.
    QString FlashBufferText;
    QString EepromBufferText;
    std::array<QString, 2> fileName; // FileNameText(0) flash, (1) EEPROM

    std::array<bool, 10> options{};  // CheckPRO(0..9)
    CalibrationPanel cal;
    SingleBytePanel single;
    OfflinePanel offline;

    // Labels and status bar panels.
    QString sigLabel;         // SIG_LABEL
    QString currentChipLabel; // Crunt_MCUTYPE
    QString selChipLabel;     // SEL_MCUTYPE
    QString mcuTypesPanel;    // "MCUtypes"
    QString flashSizePanel;   // third panel
    QString eepromSizePanel;  // fourth panel

    // The chip's fuse bits as the last fuse read found them, and the chip they were read
    // for ("" when unread): what a fuse write is compared with.
    QString chipFuseText;
    QString chipFuseModel;
    // The chip an ELF file's fuse bytes were put on the fuse page for ("" when the page
    // holds no ELF's bytes): identifying that chip keeps them.
    QString elfFuseChip;

    bool echoEnabled = false;
    QString windowTitleText;

    // What the last verify (or compare) of each memory found: 0 flash, 1 EEPROM.
    std::array<ImageDiff, 2> lastVerify;
    // What the last load of each image held (ranges, bytes used, CRC-32).
    std::array<ImageSummary, 2> loadSummary;

    // The ten options as the settings store keeps them ("1110000011").
    QString optionsText() const;
    // Sets the options from a text of exactly 10 characters; other lengths are ignored.
    bool setOptionsText(const QString& text);

    // Change notifications for the views. Operations call these after changing a field.
    void notifyChip() { Q_EMIT chipChanged(); }
    void notifyFlash() { Q_EMIT flashChanged(); }
    void notifyEeprom() { Q_EMIT eepromChanged(); }
    void notifyPanels() { Q_EMIT panelsChanged(); }
    void notifyVerify(int memory) { Q_EMIT verifyReported(memory); }

Q_SIGNALS:
    void chipChanged();   // chip, labels, MCUtypes panel, address ranges
    void flashChanged();  // FlashBufferText, fileName[0], flashSizePanel
    void eepromChanged(); // EepromBufferText, fileName[1], eepromSizePanel
    void panelsChanged(); // options, calibration, single-byte, offline values, labels
    void verifyReported(int memory); // lastVerify[memory] was replaced
};
