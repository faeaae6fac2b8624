#include "CommandLock.h"

#include <QAction>
#include <QApplication>
#include <QWidget>

#include <algorithm>

namespace corvane {

namespace {

// The control's own setting: for a widget not the one it inherits from a
// disabled parent; a hidden action reads as disabled, and is taken to be
// enabled (nothing else turns the locked actions off).
bool ownEnabled(QObject *control)
{
    if (auto *widget = qobject_cast<QWidget *>(control))
        return !widget->testAttribute(Qt::WA_ForceDisabled);
    if (auto *action = qobject_cast<QAction *>(control))
        return action->isEnabled() || !action->isVisible();
    return true;
}

void setEnabled(QObject *control, bool enabled)
{
    if (auto *widget = qobject_cast<QWidget *>(control))
        widget->setEnabled(enabled);
    else if (auto *action = qobject_cast<QAction *>(control))
        action->setEnabled(enabled);
}

} // namespace

CommandLock::~CommandLock()
{
    if (m_busyShown)
        QApplication::restoreOverrideCursor();
}

void CommandLock::guard(Reason reason, const QList<QObject *> &controls, bool busy)
{
    Guard g{reason, {}, busy};
    for (QObject *control : controls)
        g.controls.push_back(control);
    std::erase_if(m_guards, [reason](const Guard &old) { return old.reason == reason; });
    m_guards.push_back(std::move(g));
}

const CommandLock::Guard *CommandLock::guardOf(Reason reason) const
{
    for (const Guard &g : m_guards) {
        if (g.reason == reason)
            return &g;
    }
    return nullptr;
}

bool CommandLock::coveredByOthers(QObject *control, Reason except) const
{
    for (const Guard &g : m_guards) {
        if (g.reason != except && m_held.testFlag(g.reason) && g.controls.contains(control))
            return true;
    }
    return false;
}

bool CommandLock::busyHeld() const
{
    return std::any_of(m_guards.begin(), m_guards.end(),
                       [this](const Guard &g) { return g.busy && m_held.testFlag(g.reason); });
}

void CommandLock::hold(Reason reason)
{
    const Guard *g = guardOf(reason);
    if (!g || m_held.testFlag(reason))
        return;
    for (const QPointer<QObject> &control : g->controls) {
        if (!control || coveredByOthers(control, reason))
            continue;
        m_saved.push_back({control, ownEnabled(control)});
        setEnabled(control, false);
    }
    m_held |= reason;
    if (!m_busyShown && busyHeld()) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        m_busyShown = true;
    }
}

void CommandLock::release(Reason reason)
{
    const Guard *g = guardOf(reason);
    if (!g || !m_held.testFlag(reason))
        return;
    m_held &= ~Reasons(reason);
    for (const QPointer<QObject> &control : g->controls) {
        if (!control || coveredByOthers(control, reason))
            continue;
        const auto saved = std::find_if(m_saved.begin(), m_saved.end(),
                                        [&](const Saved &s) { return s.control == control; });
        if (saved == m_saved.end())
            continue;
        setEnabled(control, saved->enabled);
        m_saved.erase(saved);
    }
    if (m_busyShown && !busyHeld()) {
        QApplication::restoreOverrideCursor();
        m_busyShown = false;
    }
}

BusyPointer::BusyPointer()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyPointer::~BusyPointer()
{
    QApplication::restoreOverrideCursor();
}

} // namespace corvane
