#pragma once
// A Ui that records what an operation reported.
#include "core/ui.h"

#include <QMap>
#include <QStringList>

class RecordingUi : public Ui {
public:
    void progress(const QString& bar, int percent) override { lastProgress[bar] = percent; }
    void warning(const QString& title, const QString& text) override {
        warningTitles << title;
        warnings << text;
    }
    void beep() override { ++beeps; }
    void setControlEnabled(const QString& control, bool enabled) override {
        controlEvents << control + (enabled ? QStringLiteral(":on") : QStringLiteral(":off"));
    }
    bool confirm(const QString&, const QString&) override { return confirmAnswer; }

    QMap<QString, int> lastProgress;
    QStringList warnings;
    QStringList warningTitles;
    QStringList controlEvents;
    int beeps = 0;
    bool confirmAnswer = true;
};
