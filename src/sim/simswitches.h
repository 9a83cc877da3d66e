#pragma once
// The simulated programmer's switches, each declared once: its faults, the USB adapter's
// latency and the socket cycle. hvpp-sim offers each as "--NAME", hvpp-cli's built-in
// programmer as "--sim-NAME", and the faults are kept in the state file's "faults" member:
// all of them read this table, so a new switch is one row of it.
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

struct SimConfig;
struct SimFaults;

struct SimSwitch {
    const char* name;      // the option without its dashes
    const char* valueName; // empty for an on/off switch
    QString (*help)();
    // Sets the switch from the option's values (one each time it was given, none for an
    // on/off switch); false with *error for a bad value.
    bool (*set)(SimConfig& config, const QStringList& values, QString* error);
    // The fault in the state file: save writes its keys when it is on, load reads them into
    // a fresh SimFaults (false with *error for a bad value). Both null for a switch that is
    // not a fault, which does not stick across runs.
    void (*save)(const SimFaults& faults, QJsonObject& json);
    bool (*load)(SimFaults& faults, const QJsonObject& json, QString* error);
};

const QList<SimSwitch>& simSwitches();
