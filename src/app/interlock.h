#pragma once
// The busy interlock of the window. While an operation holds the link, every control held
// here (those that would start another operation, change an image, the chip or the port)
// is off; when it ends, each comes back as it was, or as it was set meanwhile: a change
// asked for during the operation (a lost port turning the operation buttons off, a
// calibration read turning its write button on) is kept and applied at the end. Nothing
// that runs inside the operation can turn a held control on before that.
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

class QAction;

class Interlock : public QObject {
    Q_OBJECT
  public:
    explicit Interlock(QObject* parent = nullptr);

    // A QWidget or a QAction. Held during an operation: off at once, back at its end.
    void hold(QObject* control);
    bool holds(const QObject* control) const;
    // Switches a control; a held one during an operation only at the end.
    void setEnabled(QObject* control, bool on);
    // What a held control will be when no operation runs.
    bool wanted(const QObject* control) const;

    bool isBusy() const { return m_busy; }
    void setBusy(bool busy);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Entry {
        QPointer<QObject> control;
        bool wanted;
    };
    Entry* find(const QObject* control);
    const Entry* find(const QObject* control) const;
    void apply(QObject* control, bool on);
    void caughtEnabling(QObject* control);
    static bool ownState(const QObject* control);

    QList<Entry> m_entries;
    bool m_busy = false;
    bool m_applying = false;
    QPointer<QWidget> m_focus; // had the keyboard focus when the operation began
};
