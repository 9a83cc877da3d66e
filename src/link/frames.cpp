#include "link/frames.h"

#include "link/link.h"

namespace Frames {
QString command(const char* letters, const QString& args) {
    return QString::fromLatin1(letters) + args + u'#';
}
QString connectionCheck() { return QStringLiteral("CC000000#"); }
QString firmwareMode() { return QStringLiteral("FM000000#"); }
QString readSignatureByte(int index) { return QStringLiteral("RI") + hexField(index, 2) + u'#'; }
QString chipErase() { return QStringLiteral("EM000000#"); }
QString readFuses() { return QStringLiteral("RS000000#"); }
QString writeFuses(const QString& ext, const QString& high, const QString& low) {
    return QStringLiteral("WS") + ext + high + low + u'#';
}
QString writeLock(const QString& lock) { return QStringLiteral("WL") + lock + QStringLiteral("0000#"); }
QString flashWriteMode() { return QStringLiteral("WF#"); }
QString flashWord(const QString& word, int wordIndex) {
    return u'&' + word + hexField(wordIndex & 0xFF, 2) + u'#';
}
QString flashPageCommit(int wordIndex) { return u'$' + hexField(wordIndex / 256, 2) + u'#'; }
QString flashWriteEnd() { return QStringLiteral("!#"); }
QString readFlash(int byteCount) { return QStringLiteral("RF00") + hexField(byteCount, 4) + u'#'; }
QString readEeprom(int byteCount) { return QStringLiteral("RE00") + hexField(byteCount, 4) + u'#'; }
QString writeEepromByte(const QString& data, int address) {
    return QStringLiteral("WE") + data + hexField(address / 256, 2) + hexField(address % 256, 2) +
           u'#';
}
QString writeFlashWord(const QString& word, int wordAddress) {
    return QStringLiteral("WW") + word + hexField(wordAddress, 4) + u'#';
}
QString readFlashWord(int wordAddress) { return QStringLiteral("RW00") + hexField(wordAddress, 4) + u'#'; }
QString readEepromByte(int address) { return QStringLiteral("RB00") + hexField(address, 4) + u'#'; }
QString writeSettingsByte(int value, int address) {
    return QStringLiteral("ME") + hexField(value, 2) + hexField(address, 4) + u'#';
}
QString readSettingsByte(int address) { return QStringLiteral("RM00") + hexField(address, 4) + u'#'; }
QString bulkUploadStart() { return QStringLiteral("RT000000#"); }
} // namespace Frames
