#pragma once
// Every frame the program sends, built in one place. Numbers are upper-case hexadecimal,
// zero-padded on the left to their field; a wider value is not cut.
#include <QString>

namespace Frames {
QString command(const char* letters, const QString& args); // "XX" + 6 characters + "#"
QString connectionCheck();                   // "CC000000#"
QString firmwareMode();                      // "FM000000#"
QString readSignatureByte(int index);        // "RI01#", "RI80#"
QString chipErase();                         // "EM000000#"
QString readFuses();                         // "RS000000#"
QString writeFuses(const QString& ext, const QString& high, const QString& low); // "WSFFD9E1#"
QString writeLock(const QString& lock);      // "WL3C0000#"
QString flashWriteMode();                    // "WF#"
QString flashWord(const QString& word, int wordIndex);   // "&0C9423#"
QString flashPageCommit(int wordIndex);      // "$01#"
QString flashWriteEnd();                     // "!#"
QString readFlash(int byteCount);            // "RF002000#"
QString readEeprom(int byteCount);           // "RE000200#"
QString writeEepromByte(const QString& data, int address); // "WEA501FF#"
QString writeFlashWord(const QString& word, int wordAddress); // "WW0C940010#"
QString readFlashWord(int wordAddress);      // "RW000010#"
QString readEepromByte(int address);         // "RB000010#"
QString writeSettingsByte(int value, int address); // "ME010001#"
QString readSettingsByte(int address);       // "RM000001#"
QString bulkUploadStart();                   // "RT000000#"
} // namespace Frames
