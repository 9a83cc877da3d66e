#pragma once
// The simulated programmer's switches (simswitches.h) as command-line options, and the
// number forms they take. Shared so that every front end that starts a simulated
// programmer reads them alike.
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

struct SimConfig;

// One option a switch, in the table's order.
QList<QCommandLineOption> simSwitchOptions();
// Sets config from the switches given; false with *error for a bad value.
bool applySimSwitches(const QCommandLineParser& parser, SimConfig& config, QString* error);
// "0x10,0x20-0x2F": addresses and inclusive ranges, appended to out; false for anything
// else (nothing beyond 64 KB).
bool parseSimAddressList(const QString& text, QList<qint64>& out);
// "4096", "0x1000" or "$1000": a non-negative number; -1 for anything else.
qint64 parseSimNumber(const QString& text);
// "5", "\\x00", "A\\x0D": the characters of the noise fault; false for anything else.
bool parseSimNoise(const QString& text, QByteArray* out);
