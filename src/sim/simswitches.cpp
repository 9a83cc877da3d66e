#include "sim/simswitches.h"

#include "sim/simconfig.h"
#include "sim/simoptions.h"
#include "sim/simstate.h"
#include "sim/simtexts.h"

#include <QJsonArray>

namespace {

// A number option's last value; false with *error when it is not a number >= 0.
bool number(const char* name, const QStringList& values, qint64* out, QString* error) {
    *out = parseSimNumber(values.last());
    if (*out < 0)
        *error = SimTexts::notANumber().arg(QLatin1String(name), values.last());
    return *out >= 0;
}

bool negative(QString* error) {
    *error = QStringLiteral("faults: negative values are not allowed");
    return false;
}

// An on/off fault kept under Key.
template <bool SimFaults::*Field, const char* Key> struct Flag {
    static bool set(SimConfig& c, const QStringList&, QString*) {
        c.faults.*Field = true;
        return true;
    }
    static void save(const SimFaults& f, QJsonObject& o) {
        if (f.*Field)
            o[QLatin1String(Key)] = true;
    }
    static bool load(SimFaults& f, const QJsonObject& o, QString*) {
        f.*Field = o.value(QLatin1String(Key)).toBool();
        return true;
    }
};

template <bool SimFaults::*Field, const char* Key>
SimSwitch flag(const char* name, QString (*help)()) {
    using F = Flag<Field, Key>;
    return {name, "", help, &F::set, &F::save, &F::load};
}

constexpr char silentKey[] = "silent";
constexpr char noChipKey[] = "noChip";
constexpr char lowerCaseKey[] = "lowerCaseHex";
constexpr char dropFuseWriteKey[] = "dropFuseWrite";

bool setSignature(SimConfig& c, const QStringList& values, QString* error) {
    const QString sig = values.last().toUpper();
    bool ok = false;
    sig.toUInt(&ok, 16);
    if (sig.size() != 6 || !ok) {
        *error = SimTexts::signatureExpected().arg(sig);
        return false;
    }
    c.faults.signature = sig;
    return true;
}
void saveSignature(const SimFaults& f, QJsonObject& o) {
    if (!f.signature.isEmpty())
        o[QStringLiteral("signature")] = f.signature;
}
bool loadSignature(SimFaults& f, const QJsonObject& o, QString* error) {
    f.signature = o.value(QStringLiteral("signature")).toString();
    if (f.signature.isEmpty())
        return true;
    QByteArray sig;
    if (!simStateHex(QJsonValue(f.signature), &sig) || sig.size() != 3) {
        *error = QStringLiteral("faults.signature must be six hexadecimal digits");
        return false;
    }
    f.signature = f.signature.toUpper();
    return true;
}

bool setSplit(SimConfig& c, const QStringList& values, QString* error) {
    const QStringList parts = values.last().split(u':');
    const qint64 n = parseSimNumber(parts.value(0));
    const qint64 gap = parts.size() > 1 ? parseSimNumber(parts[1]) : 60;
    if (n <= 0 || gap < 0 || parts.size() > 2) {
        *error = SimTexts::splitExpected().arg(values.last());
        return false;
    }
    c.faults.splitChars = int(n);
    c.faults.splitGapMs = double(gap);
    return true;
}
void saveSplit(const SimFaults& f, QJsonObject& o) {
    if (f.splitChars > 0) {
        o[QStringLiteral("splitChars")] = f.splitChars;
        o[QStringLiteral("splitGapMs")] = f.splitGapMs;
    }
}
bool loadSplit(SimFaults& f, const QJsonObject& o, QString* error) {
    f.splitChars = o.value(QStringLiteral("splitChars")).toInt(0);
    f.splitGapMs = o.value(QStringLiteral("splitGapMs")).toDouble(0);
    return f.splitChars >= 0 && f.splitGapMs >= 0 ? true : negative(error);
}

bool setLate(SimConfig& c, const QStringList& values, QString* error) {
    qint64 v = -1;
    if (!number("late", values, &v, error))
        return false;
    c.faults.lateMs = double(v);
    return true;
}
void saveLate(const SimFaults& f, QJsonObject& o) {
    if (f.lateMs > 0)
        o[QStringLiteral("lateMs")] = f.lateMs;
}
bool loadLate(SimFaults& f, const QJsonObject& o, QString* error) {
    f.lateMs = o.value(QStringLiteral("lateMs")).toDouble(0);
    return f.lateMs >= 0 ? true : negative(error);
}

bool setDropMarker(SimConfig& c, const QStringList& values, QString* error) {
    qint64 v = -1;
    if (!number("drop-marker", values, &v, error))
        return false;
    if (v > 0)
        c.faults.dropMarkerEvery = int(v);
    return true;
}
void saveDropMarker(const SimFaults& f, QJsonObject& o) {
    if (f.dropMarkerEvery > 0)
        o[QStringLiteral("dropMarkerEvery")] = f.dropMarkerEvery;
}
bool loadDropMarker(SimFaults& f, const QJsonObject& o, QString* error) {
    f.dropMarkerEvery = o.value(QStringLiteral("dropMarkerEvery")).toInt(0);
    return f.dropMarkerEvery >= 0 ? true : negative(error);
}

// The bytes of flash (or EEPROM) that read back wrong: one address of old state files and
// the list the switch fills.
template <bool Flash> struct Corrupt {
    template <typename Faults> static auto& address(Faults& f) {
        return Flash ? f.corruptFlashAddress : f.corruptEepromAddress;
    }
    template <typename Faults> static auto& more(Faults& f) {
        return Flash ? f.corruptFlashMore : f.corruptEepromMore;
    }
    static QString key(const char* what) {
        return (Flash ? QStringLiteral("corruptFlash") : QStringLiteral("corruptEeprom")) +
               QLatin1String(what);
    }
    static bool set(SimConfig& c, const QStringList& values, QString* error) {
        for (const QString& value : values) {
            if (!parseSimAddressList(value, more(c.faults))) {
                *error = SimTexts::addressesExpected().arg(Flash ? QStringLiteral("corrupt-flash")
                                                                 : QStringLiteral("corrupt-eeprom"),
                                                           value);
                return false;
            }
        }
        return true;
    }
    static void save(const SimFaults& f, QJsonObject& o) {
        if (address(f) >= 0)
            o[key("Address")] = double(address(f));
        QJsonArray a;
        for (qint64 v : more(f))
            a.append(double(v));
        if (!a.isEmpty())
            o[key("More")] = a;
    }
    static bool load(SimFaults& f, const QJsonObject& o, QString*) {
        address(f) = qint64(o.value(key("Address")).toDouble(-1));
        for (const QJsonValue v : o.value(key("More")).toArray())
            more(f) << qint64(v.toDouble(-1));
        return true;
    }
};

bool setDisconnect(SimConfig& c, const QStringList& values, QString* error) {
    return number("disconnect-after", values, &c.faults.disconnectAfter, error);
}
void saveDisconnect(const SimFaults& f, QJsonObject& o) {
    if (f.disconnectAfter >= 0)
        o[QStringLiteral("disconnectAfter")] = double(f.disconnectAfter);
}
bool loadDisconnect(SimFaults& f, const QJsonObject& o, QString*) {
    f.disconnectAfter = qint64(o.value(QStringLiteral("disconnectAfter")).toDouble(-1));
    return true;
}

bool setNoise(SimConfig& c, const QStringList& values, QString* error) {
    if (parseSimNoise(values.last(), &c.faults.noise))
        return true;
    *error = QStringLiteral("--noise: ASCII characters or \\xNN expected: ") + values.last();
    return false;
}
void saveNoise(const SimFaults& f, QJsonObject& o) {
    if (!f.noise.isEmpty())
        o[QStringLiteral("noise")] = QString::fromLatin1(f.noise.toHex());
}
bool loadNoise(SimFaults& f, const QJsonObject& o, QString* error) {
    if (!o.contains(QStringLiteral("noise")) ||
        simStateHex(o.value(QStringLiteral("noise")), &f.noise))
        return true;
    *error = QStringLiteral("faults.noise must be hexadecimal digit pairs");
    return false;
}

bool setLatency(SimConfig& c, const QStringList& values, QString* error) {
    qint64 v = -1;
    if (!number("latency", values, &v, error))
        return false;
    c.latencyMs = double(v);
    return true;
}

bool setSocketCycle(SimConfig& c, const QStringList& values, QString* error) {
    const QStringList parts = values.last().split(u':');
    const qint64 in = parseSimNumber(parts.value(0));
    const qint64 out = parseSimNumber(parts.value(1));
    if (parts.size() != 2 || in <= 0 || out <= 0) {
        *error = SimTexts::socketCycleNeeds();
        return false;
    }
    c.socketInMs = double(in);
    c.socketOutMs = double(out);
    return true;
}

} // namespace

const QList<SimSwitch>& simSwitches() {
    using namespace SimTexts;
    static const QList<SimSwitch> table = {
        {"socket-cycle", "IN:OUT", socketCycleOption, setSocketCycle, nullptr, nullptr},
        flag<&SimFaults::silent, silentKey>("silent", silentFault),
        flag<&SimFaults::noChip, noChipKey>("no-chip", noChipFault),
        {"signature", "HEX", signatureFault, setSignature, saveSignature, loadSignature},
        flag<&SimFaults::lowerCaseHex, lowerCaseKey>("lower-case", lowerCaseFault),
        {"split", "N[:GAP]", splitFault, setSplit, saveSplit, loadSplit},
        {"late", "MS", lateFault, setLate, saveLate, loadLate},
        {"drop-marker", "N", dropMarkerFault, setDropMarker, saveDropMarker, loadDropMarker},
        {"corrupt-flash", "ADDRS", corruptFlashFault, Corrupt<true>::set, Corrupt<true>::save,
         Corrupt<true>::load},
        {"corrupt-eeprom", "ADDRS", corruptEepromFault, Corrupt<false>::set, Corrupt<false>::save,
         Corrupt<false>::load},
        flag<&SimFaults::dropFuseWrite, dropFuseWriteKey>("drop-fuse-write", dropFuseWriteFault),
        {"disconnect-after", "N", disconnectFault, setDisconnect, saveDisconnect, loadDisconnect},
        {"noise", "TEXT", noiseFault, setNoise, saveNoise, loadNoise},
        {"latency", "MS", latencyOption, setLatency, nullptr, nullptr},
    };
    return table;
}
