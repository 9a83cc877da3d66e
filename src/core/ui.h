#pragma once
// What an operation reports that is not state: progress of a named bar, a warning box,
// a beep, and enabling or disabling its own control. The window implements it with
// widgets, the CLI prints, tests record.
#include <QString>
#include <QtGlobal>

class Ui {
public:
    virtual ~Ui() = default;
    // bar: "FlashProgressBar" or "EepromProgressBar"; percent 0..100.
    virtual void progress(const QString& bar, int percent) = 0;
    // The same move of a bar told in full: the step it belongs to ("写FLASH", "校验EEPROM",
    // ...) and the bytes done of the step's total. Front ends that show only the bar keep
    // this default.
    virtual void progressBytes(const QString& bar, const QString& phase, qint64 done,
                               qint64 total) {
        (void)phase;
        progress(bar, total > 0 ? int(qBound<qint64>(0, done, total) * 100 / total) : 100);
    }
    virtual void warning(const QString& title, const QString& text) = 0;
    virtual void beep() = 0;
    // control: the objectName of the control ("ProCommand", "ReadFuse", ...).
    virtual void setControlEnabled(const QString& control, bool enabled) = 0;
    // A yes/no question (firmware update start); front ends without a user answer yes
    // only when told to.
    virtual bool confirm(const QString& title, const QString& text) {
        (void)title;
        (void)text;
        return true;
    }
};

// A Ui that does nothing, for callers that do not care.
class NullUi : public Ui {
public:
    void progress(const QString&, int) override {}
    void warning(const QString&, const QString&) override {}
    void beep() override {}
    void setControlEnabled(const QString&, bool) override {}
};
