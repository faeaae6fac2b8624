#pragma once

// The commands that must not run while something else does: one lock for the
// whole window.
//
// Each reason (a load, a search, the open command) has the controls it turns
// off, given once with guard(). hold(reason) turns off those not off already
// for another reason held, remembering each one's own state once;
// release(reason) gives each control back its state when no reason held
// still covers it. The busy pointer shows while any reason that wants it is
// held. BusyPointer is the same pointer for a short step done on the spot.

#include <QFlags>
#include <QList>
#include <QObject>
#include <QPointer>

#include <vector>

namespace corvane {

class CommandLock : public QObject
{
public:
    enum class Reason : unsigned {
        Loading = 1,   // a list is read into the window
        Searching = 2, // a search reads the opened list
        Opening = 4,   // the open command asks, lists a zip, unpacks a member
    };
    Q_DECLARE_FLAGS(Reasons, Reason)

    explicit CommandLock(QObject *parent = nullptr) : QObject(parent) {}
    ~CommandLock() override;

    // The widgets and actions reason turns off; busy: the busy pointer
    // shows while it is held.
    void guard(Reason reason, const QList<QObject *> &controls, bool busy);
    void hold(Reason reason);
    void release(Reason reason);
    bool isHeld(Reason reason) const { return m_held.testFlag(reason); }
    Reasons held() const { return m_held; }

private:
    struct Guard
    {
        Reason reason;
        QList<QPointer<QObject>> controls;
        bool busy = false;
    };
    struct Saved
    {
        QPointer<QObject> control;
        bool enabled;
    };
    const Guard *guardOf(Reason reason) const;
    bool coveredByOthers(QObject *control, Reason except) const;
    bool busyHeld() const;

    std::vector<Guard> m_guards;
    std::vector<Saved> m_saved;
    Reasons m_held;
    bool m_busyShown = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(CommandLock::Reasons)

// The busy pointer while it lives.
class BusyPointer
{
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};

} // namespace corvane
