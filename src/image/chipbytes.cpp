#include "image/chipbytes.h"

#include "chips/chiptable.h"
#include "image/summarytexts.h"

namespace {

// The device names avr-gcc gives the chips of the table, and the "A" versions of them that
// carry the same signature (the same chip to a programmer).
bool deviceIsChip(const QString& device, const QString& chipName) {
    const QString d = device.toUpper();
    if (d == chipName)
        return true;
    static const QStringList sameSignature{
        QStringLiteral("ATMEGA8A"),   QStringLiteral("ATMEGA16A"), QStringLiteral("ATMEGA32A"),
        QStringLiteral("ATMEGA48A"),  QStringLiteral("ATMEGA88A"), QStringLiteral("ATMEGA168A"),
        QStringLiteral("ATTINY2313A")};
    return sameSignature.contains(d) && d.chopped(1) == chipName;
}

} // namespace

QString fileChipName(const ChipBytes& file) {
    if (!file.device.isEmpty())
        return file.device;
    if (file.signature.isEmpty())
        return QString();
    const QString name = ChipNameFromSignature(file.signature);
    return name.isEmpty() ? file.signature : name;
}

QString chipMismatch(const ChipBytes& file, const ChipInfo& chip) {
    const bool same = !file.device.isEmpty()
                          ? deviceIsChip(file.device, chip.ChipName)
                          : file.signature.isEmpty() || file.signature == chip.SignatureText;
    return same ? QString() : SummaryTexts::builtForOther(fileChipName(file), chip.ChipName);
}
