#include "sim/simstate.h"

#include "sim/simmodel.h"
#include "sim/simswitches.h"

#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>
#include <algorithm>
#include <cctype>

namespace {

QString hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex().toUpper());
}

} // namespace

bool simStateHex(const QJsonValue& value, QByteArray* out) {
    if (!value.isString())
        return false;
    const QByteArray text = value.toString().toLatin1();
    if (text.size() % 2 != 0)
        return false;
    for (char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    *out = QByteArray::fromHex(text);
    return true;
}

namespace {

// Copies bytes into a memory of fixed size from address 0.
void fill(QByteArray& memory, const QByteArray& bytes) {
    memory.replace(0, std::min(memory.size(), bytes.size()), bytes.left(memory.size()));
}

int byteField(const QJsonObject& o, const char* key, int fallback, QStringList* bad) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return fallback;
    QByteArray b;
    if (!simStateHex(v, &b) || b.size() != 1) {
        bad->append(QLatin1String(key));
        return fallback;
    }
    return quint8(b[0]);
}

} // namespace

QJsonObject simFaultsToJson(const SimFaults& f) {
    QJsonObject o;
    for (const SimSwitch& s : simSwitches())
        if (s.save)
            s.save(f, o);
    return o;
}

bool simFaultsOn(const SimFaults& f) {
    return !simFaultsToJson(f).isEmpty();
}

bool simFaultsFromJson(SimFaults& f, const QJsonObject& o, QString* error) {
    SimFaults n;
    QString why;
    for (const SimSwitch& s : simSwitches()) {
        if (s.load && !s.load(n, o, &why)) {
            if (error)
                *error = why;
            return false;
        }
    }
    f = n;
    return true;
}

QJsonObject simStateToJson(const SimModel& model, const QJsonObject& faults) {
    QJsonObject o;
    const SimChip* chip = model.chip();
    o[QStringLiteral("chip")] = chip ? chip->name() : QStringLiteral("none");
    if (chip) {
        o[QStringLiteral("flash")] = hex(chip->flash());
        o[QStringLiteral("eeprom")] = hex(chip->eeprom());
        QJsonObject fuses;
        fuses[QStringLiteral("extended")] = hex(QByteArray(1, char(chip->extFuse())));
        fuses[QStringLiteral("high")] = hex(QByteArray(1, char(chip->highFuse())));
        fuses[QStringLiteral("low")] = hex(QByteArray(1, char(chip->lowFuse())));
        o[QStringLiteral("fuses")] = fuses;
        o[QStringLiteral("lock")] = hex(QByteArray(1, char(chip->lockByte())));
        o[QStringLiteral("calibration")] = hex(chip->calibration());
    }
    o[QStringLiteral("settings")] = hex(model.settingsMemory());
    o[QStringLiteral("offlineFlash")] = hex(model.offlineFlash());
    o[QStringLiteral("offlineEeprom")] = hex(model.offlineEeprom());
    o[QStringLiteral("firmware")] = hex(model.firmware());
    if (!faults.isEmpty())
        o[QStringLiteral("faults")] = faults;
    return o;
}

bool simStateFromJson(SimModel& model, const QJsonObject& o, const QString& chipOverride,
                      QString* error) {
    QStringList bad;
    const QString stateChip = o.value(QStringLiteral("chip")).toString(QStringLiteral("ATMEGA8"));
    const QString chipName = chipOverride.isEmpty() ? stateChip : chipOverride;
    if (!model.setChip(chipName))
        bad.append(QStringLiteral("chip"));
    SimChip* chip = model.chip();
    if (chip && chip->name() == stateChip) {
        QByteArray bytes;
        if (o.contains(QStringLiteral("flash"))) {
            if (simStateHex(o.value(QStringLiteral("flash")), &bytes))
                fill(chip->flash(), bytes);
            else
                bad.append(QStringLiteral("flash"));
        }
        if (o.contains(QStringLiteral("eeprom"))) {
            if (simStateHex(o.value(QStringLiteral("eeprom")), &bytes))
                fill(chip->eeprom(), bytes);
            else
                bad.append(QStringLiteral("eeprom"));
        }
        if (o.contains(QStringLiteral("calibration"))) {
            if (simStateHex(o.value(QStringLiteral("calibration")), &bytes) && bytes.size() <= 4)
                chip->setCalibration(bytes);
            else
                bad.append(QStringLiteral("calibration"));
        }
        const QJsonObject fuses = o.value(QStringLiteral("fuses")).toObject();
        chip->setFuses(quint8(byteField(fuses, "extended", chip->extFuse(), &bad)),
                       quint8(byteField(fuses, "high", chip->highFuse(), &bad)),
                       quint8(byteField(fuses, "low", chip->lowFuse(), &bad)));
        chip->setLock(quint8(byteField(o, "lock", chip->lockByte(), &bad)));
    }
    struct Item {
        const char* key;
        QByteArray* target;
        int limit;
        bool fixed;
    };
    const Item items[] = {
        {"settings", &model.settingsMemory(), SimModel::settingsSize, true},
        {"offlineFlash", &model.offlineFlash(), SimModel::offlineFlashLimit, false},
        {"offlineEeprom", &model.offlineEeprom(), SimModel::offlineEepromLimit, false},
        {"firmware", &model.firmware(), SimModel::firmwareLimit, false},
    };
    for (const Item& item : items) {
        const QJsonValue v = o.value(QLatin1String(item.key));
        if (v.isUndefined())
            continue;
        QByteArray bytes;
        if (!simStateHex(v, &bytes) || bytes.size() > item.limit) {
            bad.append(QLatin1String(item.key));
            continue;
        }
        if (item.fixed)
            fill(*item.target, bytes);
        else
            *item.target = bytes;
    }
    if (o.contains(QStringLiteral("faults"))) {
        QString why;
        if (!simFaultsFromJson(model.faults(), o.value(QStringLiteral("faults")).toObject(), &why))
            bad.append(why);
    }
    model.markChanged();
    if (!bad.isEmpty()) {
        if (error)
            *error =
                QStringLiteral("invalid fields in the state: ") + bad.join(QStringLiteral(", "));
        return false;
    }
    return true;
}

bool loadSimState(SimModel& model, const QString& path, const QString& chipOverride, QString* error,
                  QJsonObject* faults) {
    QFile file(path);
    if (!file.exists()) {
        if (!chipOverride.isEmpty() && !model.setChip(chipOverride)) {
            if (error)
                *error = QStringLiteral("unknown chip: ") + chipOverride;
            return false;
        }
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!doc.isObject()) {
        if (error)
            *error =
                path + QStringLiteral(": not a JSON object (") + parseError.errorString() + u')';
        if (!chipOverride.isEmpty())
            model.setChip(chipOverride);
        return false;
    }
    QString why;
    if (faults)
        *faults = doc.object().value(QStringLiteral("faults")).toObject();
    const bool ok = simStateFromJson(model, doc.object(), chipOverride, &why);
    if (!ok && error)
        *error = path + QStringLiteral(": ") + why;
    return ok;
}

bool saveSimState(const SimModel& model, const QString& path, QString* error,
                  const QJsonObject& faults) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    file.write(QJsonDocument(simStateToJson(model, faults)).toJson(QJsonDocument::Indented));
    if (!file.commit()) {
        if (error)
            *error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}
