// The one lock of the window's commands: reasons overlap, each control gets
// back its own state once no reason covers it, the busy pointer shows once.

#include "app/ui/CommandLock.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWidget>

using namespace corvane;
using Reason = CommandLock::Reason;

class TestUiCommandLock : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void overlappingReasons_data();
    void overlappingReasons();
    void ownStatesComeBack();
    void busyPointerOnce();
};

void TestUiCommandLock::overlappingReasons_data()
{
    QTest::addColumn<bool>("searchReleasedFirst");
    QTest::newRow("search ends first") << true;
    QTest::newRow("load ends first") << false;
}

// shared is off for both reasons; it comes back only when neither holds.
void TestUiCommandLock::overlappingReasons()
{
    QFETCH(bool, searchReleasedFirst);
    QWidget page;
    auto *shared = new QPushButton(&page);
    auto *loadOnly = new QPushButton(&page);
    auto *searchOnly = new QPushButton(&page);
    CommandLock lock;
    lock.guard(Reason::Loading, {shared, loadOnly}, false);
    lock.guard(Reason::Searching, {shared, searchOnly}, false);

    lock.hold(Reason::Loading);
    lock.hold(Reason::Searching);
    lock.hold(Reason::Searching); // held once however often asked
    QCOMPARE(lock.held(), CommandLock::Reasons(Reason::Loading) | Reason::Searching);
    QVERIFY(!shared->isEnabled() && !loadOnly->isEnabled() && !searchOnly->isEnabled());

    const Reason first = searchReleasedFirst ? Reason::Searching : Reason::Loading;
    const Reason second = searchReleasedFirst ? Reason::Loading : Reason::Searching;
    lock.release(first);
    QCOMPARE(shared->isEnabled(), false);
    QCOMPARE(loadOnly->isEnabled(), first == Reason::Loading);
    QCOMPARE(searchOnly->isEnabled(), first == Reason::Searching);
    lock.release(second);
    lock.release(second); // released twice: nothing more happens
    QVERIFY(shared->isEnabled() && loadOnly->isEnabled() && searchOnly->isEnabled());
    QCOMPARE(lock.held(), CommandLock::Reasons());
}

// A control that was off by its own setting stays off; one inside a disabled
// parent keeps its own setting (on) for when the parent comes back; a hidden
// action is taken to be on.
void TestUiCommandLock::ownStatesComeBack()
{
    QWidget page;
    auto *offAlready = new QPushButton(&page);
    offAlready->setEnabled(false);
    QWidget parent;
    auto *inside = new QPushButton(&parent);
    parent.setEnabled(false);
    QAction hidden;
    hidden.setVisible(false);
    QAction off;
    off.setEnabled(false);
    CommandLock lock;
    lock.guard(Reason::Opening, {offAlready, inside, &hidden, &off}, false);
    lock.hold(Reason::Opening);
    QVERIFY(inside->testAttribute(Qt::WA_ForceDisabled));
    QCOMPARE(hidden.isEnabled(), false);
    lock.release(Reason::Opening);
    QCOMPARE(offAlready->isEnabled(), false);
    QCOMPARE(inside->testAttribute(Qt::WA_ForceDisabled), false);
    parent.setEnabled(true);
    QCOMPARE(inside->isEnabled(), true);
    hidden.setVisible(true); // shown later (the languages menu): usable
    QCOMPARE(hidden.isEnabled(), true);
    QCOMPARE(off.isEnabled(), false);
}

void TestUiCommandLock::busyPointerOnce()
{
    QWidget page;
    auto *button = new QPushButton(&page);
    CommandLock lock;
    lock.guard(Reason::Loading, {button}, true);
    lock.guard(Reason::Searching, {button}, true);
    lock.guard(Reason::Opening, {button}, false);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    lock.hold(Reason::Opening);
    QCOMPARE(QApplication::overrideCursor(), nullptr); // the open command asks: no busy pointer
    lock.hold(Reason::Loading);
    lock.hold(Reason::Searching);
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
    lock.release(Reason::Loading);
    QVERIFY(QApplication::overrideCursor());
    lock.release(Reason::Searching);
    QCOMPARE(QApplication::overrideCursor(), nullptr); // set once, restored once
    {
        BusyPointer busy;
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    {
        // The lock going while held (the window closes mid-load) takes its
        // pointer with it.
        CommandLock closing;
        closing.guard(Reason::Loading, {button}, true);
        closing.hold(Reason::Loading);
        QVERIFY(QApplication::overrideCursor());
    }
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

QTEST_MAIN(TestUiCommandLock)
#include "tst_ui_commandlock.moc"
