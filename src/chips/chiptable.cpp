#include "chips/chiptable.h"

namespace {
ChipInfo row(const char* name, const char* sig, qint32 flash, qint16 eeprom, qint16 page) {
    return ChipInfo{QString::fromLatin1(name), QString::fromLatin1(sig), flash, eeprom, page};
}
} // namespace

const std::array<ChipInfo, 14>& ChipTable::rows() {
    static const std::array<ChipInfo, 14> table = {
        row("ATMEGA48", "1E9205", 4096, 256, 32),     row("ATMEGA88", "1E930A", 8192, 512, 32),
        row("ATMEGA16", "1E9403", 16384, 512, 64),    row("ATMEGA168", "1E9406", 16384, 512, 64),
        row("ATMEGA32", "1E9502", 32768, 1024, 64),   row("ATMEGA8535", "1E9308", 8192, 512, 32),
        row("ATMEGA163", "1E9402", 16384, 512, 64),   row("ATMEGA323", "1E9501", 32768, 1024, 64),
        row("ATMEGA8515", "1E9306", 8192, 512, 32),   row("ATMEGA161", "1E9401", 16384, 512, 64),
        row("ATMEGA162", "1E9404", 16384, 512, 64),   row("ATTINY26", "1E9109", 2048, 128, 16),
        row("ATTINY2313", "1E910A", 2048, 128, 16),   row("ATMEGA8", "1E9307", 8192, 512, 32),
    };
    return table;
}

const ChipInfo& ChipTable::byName(const QString& name) {
    for (const ChipInfo& c : rows())
        if (c.ChipName == name)
            return c;
    return rows().back();
}

bool ChipTable::contains(const QString& name) {
    for (const ChipInfo& c : rows())
        if (c.ChipName == name)
            return true;
    return false;
}

QStringList ChipTable::names() {
    QStringList out;
    for (const ChipInfo& c : rows())
        out << c.ChipName;
    return out;
}

QString ChipNameFromSignature(const QString& signature) {
    // The signature look-up has an order of its own.
    static const char* const order[] = {"1E9205", "1E930A", "1E9403", "1E9406", "1E9502",
                                        "1E9307", "1E9308", "1E9402", "1E9501", "1E9306",
                                        "1E9401", "1E9404", "1E9109", "1E910A"};
    for (const char* sig : order) {
        if (signature == QLatin1String(sig)) {
            for (const ChipInfo& c : ChipTable::rows())
                if (c.SignatureText == signature)
                    return c.ChipName;
        }
    }
    return QString();
}

bool chipHasExtendedFuseByte(const QString& chipName) {
    return chipName == u"ATMEGA48" || chipName == u"ATMEGA88" || chipName == u"ATMEGA168";
}
