#pragma once
// A Ui that records what an operation reported.
#include "core/ui.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QStringList>

class RecordingUi : public Ui {
public:
    void progress(Progress bar, int percent) override { lastProgress[bar] = percent; }
    void warning(const QString& title, const QString& text) override {
        warningTitles << title;
        warnings << text;
    }
    void beep() override { ++beeps; }
    void operationStarted(OpId id) override { opEvents << OpEvent{id, true}; }
    void operationEnded(OpId id) override { opEvents << OpEvent{id, false}; }
    bool confirm(const QString&, const QString&) override { return confirmAnswer; }

    using OpEvent = QPair<OpId, bool>; // the operation, started (true) or ended
    QMap<Progress, int> lastProgress;
    QStringList warnings;
    QStringList warningTitles;
    QList<OpEvent> opEvents;
    int beeps = 0;
    bool confirmAnswer = true;
};
