#pragma once
// The simulated programmer's state as JSON: the chip type and its flash, EEPROM, fuses,
// lock byte and calibration bytes, the programmer's settings memory, the uploaded offline
// images and firmware, and optionally the faults switched on.
//   {"chip": "ATMEGA8", "flash": "0C94..", "eeprom": "..", "fuses": {"extended": "FF",
//    "high": "D9", "low": "E1"}, "lock": "FF", "calibration": "A5A8ACB0",
//    "settings": "..", "offlineFlash": "..", "offlineEeprom": "..", "firmware": "..",
//    "faults": {"lowerCaseHex": true, ...}}
// Memories are hexadecimal text; a shorter text fills the memory from address 0.
#include <QJsonObject>
#include <QString>

class SimModel;
struct SimFaults;

// The faults switched on are not part of the saved state (a fault given for one run must not
// stick); faults, when not empty, is written as the state's "faults" member.
QJsonObject simStateToJson(const SimModel& model, const QJsonObject& faults = {});
// Applies a state. When chipOverride is not empty, that chip is put into the socket and
// the state's chip memories apply only when the state describes the same chip type.
// Returns false with *error for a state that is not an object of this form; a bad field
// is reported and the rest is still applied.
bool simStateFromJson(SimModel& model, const QJsonObject& state, const QString& chipOverride,
                      QString* error);
// The file forms; a missing file is not an error for loading (nothing to restore).
// *faults gets the state's "faults" member (to write it back unchanged).
bool loadSimState(SimModel& model, const QString& path, const QString& chipOverride, QString* error,
                  QJsonObject* faults = nullptr);
bool saveSimState(const SimModel& model, const QString& path, QString* error,
                  const QJsonObject& faults = {});

// The faults as the state's "faults" member, one switch (simswitches.h) after the other.
QJsonObject simFaultsToJson(const SimFaults& faults);
bool simFaultsFromJson(SimFaults& faults, const QJsonObject& json, QString* error);
// True when any fault is switched on.
bool simFaultsOn(const SimFaults& faults);
// Hexadecimal text into bytes; false for anything but an even count of hex digits.
bool simStateHex(const QJsonValue& value, QByteArray* out);
