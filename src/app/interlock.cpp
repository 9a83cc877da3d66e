#include "app/interlock.h"

#include <QApplication>

#include <QAction>
#include <QEvent>
#include <QWidget>

Interlock::Interlock(QObject* parent) : QObject(parent) {}

bool Interlock::ownState(const QObject* control) {
    // The control's own switch, not what its parents make of it.
    if (auto* w = qobject_cast<const QWidget*>(control))
        return !w->testAttribute(Qt::WA_ForceDisabled);
    if (auto* a = qobject_cast<const QAction*>(control))
        return a->isEnabled();
    return true;
}

Interlock::Entry* Interlock::find(const QObject* control) {
    for (Entry& e : m_entries)
        if (e.control == control)
            return &e;
    return nullptr;
}

const Interlock::Entry* Interlock::find(const QObject* control) const {
    for (const Entry& e : m_entries)
        if (e.control == control)
            return &e;
    return nullptr;
}

void Interlock::hold(QObject* control) {
    if (!control || find(control))
        return;
    m_entries.removeIf([](const Entry& e) { return e.control.isNull(); });
    m_entries.append(Entry{control, ownState(control)});
    if (qobject_cast<QWidget*>(control))
        control->installEventFilter(this);
    else if (auto* a = qobject_cast<QAction*>(control))
        connect(a, &QAction::enabledChanged, this, [this, a](bool on) {
            if (on)
                caughtEnabling(a);
        });
    if (m_busy)
        apply(control, false);
}

bool Interlock::holds(const QObject* control) const {
    return find(control) != nullptr;
}

bool Interlock::wanted(const QObject* control) const {
    const Entry* e = find(control);
    return e ? e->wanted : ownState(control);
}

void Interlock::setEnabled(QObject* control, bool on) {
    if (!control)
        return;
    Entry* e = find(control);
    if (e)
        e->wanted = on;
    if (!e || !m_busy)
        apply(control, on);
}

void Interlock::apply(QObject* control, bool on) {
    const bool was = m_applying;
    m_applying = true;
    if (auto* w = qobject_cast<QWidget*>(control))
        w->setEnabled(on);
    else if (auto* a = qobject_cast<QAction*>(control))
        a->setEnabled(on);
    m_applying = was;
}

void Interlock::setBusy(bool busy) {
    if (busy == m_busy)
        return;
    m_entries.removeIf([](const Entry& e) { return e.control.isNull(); });
    if (busy) {
        // Switching the focused button off moves Qt's focus on to the next box in the
        // chain (an address box); the focus comes back to it at the end.
        m_focus = QApplication::focusWidget();
        // Taken as they are now: what the window set directly since counts too.
        for (Entry& e : m_entries)
            e.wanted = ownState(e.control);
        m_busy = true;
        for (const Entry& e : std::as_const(m_entries))
            apply(e.control, false);
    } else {
        m_busy = false;
        for (const Entry& e : std::as_const(m_entries))
            apply(e.control, e.wanted);
        if (m_focus && m_focus->isEnabled() && m_focus->isVisible())
            m_focus->setFocus(Qt::OtherFocusReason);
        m_focus = nullptr;
    }
}

void Interlock::caughtEnabling(QObject* control) {
    // Something inside the operation switched a held control on directly: it gets that
    // state at the end, not now.
    if (!m_busy || m_applying)
        return;
    if (Entry* e = find(control))
        e->wanted = true;
    apply(control, false);
}

bool Interlock::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::EnabledChange && m_busy && !m_applying) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && !w->testAttribute(Qt::WA_ForceDisabled))
            caughtEnabling(w);
    }
    return QObject::eventFilter(watched, event);
}
