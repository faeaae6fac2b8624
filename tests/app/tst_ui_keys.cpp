// The window from the keyboard alone: Tab and Shift+Tab through each page
// (out of the grids, through the term box, the filter, the dates, the approval
// prompt and the lab's notes), the shortcuts, the menu on F10, Alt and its
// mnemonic in every language, Enter on a focused button, and the first and
// the remembered size on a small screen.

#include "browse/ui/RecoveryLegend.h"
#include "testutil_window.h"
#include "zip/testutil_zip.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QListView>
#include <QMenuBar>
#include <QSettings>
#include <QTabBar>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;
namespace zipfix = corvane::testing;

namespace {

QByteArray listOf(const QByteArray &top)
{
    QByteArray bytes;
    for (int i = 0; i < 3; ++i)
        bytes += top + "\\Docs\\file" + QByteArray::number(i) +
                 ".doc,2020-01-02 03:04:05,1000,32;77," + (i == 2 ? "Damaged" : "OK") + "\r\n";
    return bytes + top + "\\Docs\\Old\\note.txt,2019-05-06 07:08:09,12,32;77,OK\r\n";
}

struct Window : WindowFixture
{
    Window()
    {
        window->show();
        window->activateWindow();
    }
    bool active() { return QTest::qWaitForWindowActive(window.get()); }

    // The control of the order that holds the keyboard focus now (a date
    // field or a box lends it to the line edit inside).
    QWidget *focused() const
    {
        const QList<QWidget *> order = tabOrder(*window);
        for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget()) {
            if (order.contains(w))
                return w;
            if (w == window.get())
                break;
        }
        return QApplication::focusWidget();
    }

    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }
};

// The tab bar, named by the tab control that lends it the focus.
const QString TabBar = u"SSTab1"_s;

QString nameOf(const QWidget *w)
{
    return w ? w->objectName() : u"(none)"_s;
}

// The names Tab visits from `from`, until it comes back or steps more than
// `limit` times.
QStringList tabRound(Window &f, QWidget *from, bool backwards, int limit = 40)
{
    from->setFocus(Qt::TabFocusReason);
    QStringList names{nameOf(f.focused())};
    for (int i = 0; i < limit; ++i) {
        f.press(backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QWidget *now = f.focused();
        if (now == from)
            break;
        names << nameOf(now);
    }
    return names;
}

} // namespace

class TestUiKeys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The open page of an archive: the open button, the lists in it, the
    // lab's notes and the tab bar, forwards and backwards; Tab leaves the
    // member grid at once.
    void openPageOrder()
    {
        Window f;
        QVERIFY(f.active());
        QTemporaryDir user;
        const QString zip = user.filePath(u"lab.zip"_s);
        QVERIFY(zipfix::writeZip(zip, {zipfix::entry("a.csv", listOf("A")),
                                       zipfix::entry("b.csv", listOf("B")),
                                       zipfix::entry("readme.txt", "Disk one\r\n")}));
        f.open(zip);
        QVERIFY(control<QTableView>(f.w(), "iGrid3")->isVisible());
        QVERIFY(control<QListView>(f.w(), "NotesList")->isVisible());
        QCOMPARE(tabRound(f, control<QPushButton>(f.w(), "Command2"), false),
                 (QStringList{u"Command2"_s, u"iGrid3"_s, u"NotesList"_s, TabBar}));
        QCOMPARE(tabRound(f, control<QPushButton>(f.w(), "Command2"), true),
                 (QStringList{u"Command2"_s, TabBar, u"NotesList"_s, u"iGrid3"_s}));

        // Tab, Shift+Tab and Ctrl+Tab in the member grid never move its row.
        control<QTableView>(f.w(), "iGrid3")->setFocus(Qt::TabFocusReason);
        control<QTableView>(f.w(), "iGrid3")
            ->setCurrentIndex(control<QTableView>(f.w(), "iGrid3")->model()->index(0, 0));
        f.press(Qt::Key_Tab);
        QCOMPARE(nameOf(f.focused()), u"NotesList"_s);
        f.press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(nameOf(f.focused()), u"iGrid3"_s);
        f.press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(control<QTableView>(f.w(), "iGrid3")->currentIndex().row(), 0);
        QCOMPARE(f.prompts.boxCount(), 0);
    }

    // The view page: tree, grid, the basket's buttons, the term box and its button, the filter and
    // its button, the legend's rows, the dates and their button, the approval
    // prompt, and round to the tab bar; Shift+Tab the same way back.
    void viewPageOrder()
    {
        Window f;
        QVERIFY(f.active());
        const QString list = f.writeList(u"list.csv"_s, listOf("C:"));
        f.open(list);
        control<QTabWidget>(f.w(), "SSTab1")->setCurrentIndex(1);
        QVERIFY(control<QLabel>(f.w(), "lblEmail")->isVisible());
        QStringList legendRows;
        for (QAbstractButton *row : recoveryLegend(f.w())->findChildren<QAbstractButton *>())
            legendRows << row->objectName();
        QVERIFY(!legendRows.isEmpty());

        const QStringList forwards =
            QStringList{u"SftTree1"_s, u"iGrid2"_s,   u"BasketAddShown"_s, u"BasketRemoveShown"_s,
                        u"TXT1"_s,     u"Command3"_s, u"Combo1"_s,         u"Command5"_s} +
            legendRows +
            QStringList{u"DTPicker1"_s, u"DTPicker2"_s, u"Command4"_s, u"lblEmail"_s, TabBar};
        QCOMPARE(tabRound(f, control<QTreeView>(f.w(), "SftTree1"), false), forwards);
        QStringList backwards = forwards;
        std::reverse(backwards.begin() + 1, backwards.end());
        QCOMPARE(tabRound(f, control<QTreeView>(f.w(), "SftTree1"), true), backwards);

        // Out of the file grid at once, whichever cell is current, and back.
        QTableView *grid = control<QTableView>(f.w(), "iGrid2");
        grid->setFocus(Qt::TabFocusReason);
        grid->setCurrentIndex(grid->model()->index(0, 0));
        f.press(Qt::Key_Tab);
        QCOMPARE(nameOf(f.focused()), u"BasketAddShown"_s);
        f.press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(nameOf(f.focused()), u"iGrid2"_s);
        f.press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(nameOf(f.focused()), u"SftTree1"_s);
        QCOMPARE(grid->currentIndex().row(), 0);
        QCOMPARE(grid->currentIndex().column(), 0);
        grid->setFocus(Qt::TabFocusReason);
        f.press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(grid->currentIndex().column(), 0);
    }

    // Each shortcut runs its command.
    void shortcuts_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("action");
        QTest::newRow("open") << u"Ctrl+O"_s << u"mnuOpen"_s;
        QTest::newRow("save") << u"Ctrl+S"_s << u"mnuSaveList"_s;
        QTest::newRow("reload") << u"F5"_s << u"mnuReload"_s;
        QTest::newRow("quit") << u"Ctrl+Q"_s << u"mnuExit"_s;
        QTest::newRow("term box") << u"Ctrl+F"_s << u"FindTermAction"_s;
        QTest::newRow("menu") << u"F10"_s << u"MenuKeyAction"_s;
    }
    void shortcuts()
    {
        QFETCH(QString, keys);
        QFETCH(QString, action);
        Window f;
        QVERIFY(f.active());
        f.open(f.writeList(u"list.csv"_s, listOf("C:")));
        control<QTabWidget>(f.w(), "SSTab1")->setCurrentIndex(1);
        control<QTreeView>(f.w(), "SftTree1")->setFocus();
        // Reload is there once a search ran.
        control<QAction>(f.w(), "mnuReload")->setEnabled(true);
        auto *entry = f.w().findChild<QAction *>(action);
        QVERIFY(entry);
        QSignalSpy triggered(entry, &QAction::triggered);
        f.prompts.clear();
        QTest::keySequence(f.window.get(), QKeySequence(keys));
        QVERIFY(waitForLoad(f.w()));
        QCOMPARE(triggered.count(), 1);
        if (action == u"mnuOpen"_s)
            QCOMPARE(f.prompts.count(u"openFile"_s), 1);
        if (action == u"mnuSaveList"_s)
            QCOMPARE(f.prompts.count(u"saveFile"_s), 1);
        if (action == u"mnuExit"_s)
            QCOMPARE(f.prompts.count(u"question"_s), 1); // answered No: the window stays
        if (action == u"FindTermAction"_s)
            QCOMPARE(nameOf(f.focused()), u"TXT1"_s);
        if (action == u"MenuKeyAction"_s) {
            QTRY_VERIFY(control<QMenu>(f.w(), "mnuMenu")->isVisible());
            control<QMenu>(f.w(), "mnuMenu")->close();
        }
        // The menu entries show their keys.
        if (action.startsWith(u"mnu"_s))
            QCOMPARE(entry->shortcut(), QKeySequence(keys));
    }

    // Ctrl+F goes to the term box from the open page too, once a list is
    // shown; with none it leaves the focus where it is.
    void termBoxFromOpenPage()
    {
        Window f;
        QVERIFY(f.active());
        control<QPushButton>(f.w(), "Command2")->setFocus();
        QTest::keySequence(f.window.get(), QKeySequence(u"Ctrl+F"_s));
        QCOMPARE(nameOf(f.focused()), u"Command2"_s);
        f.open(f.writeList(u"list.csv"_s, listOf("C:")));
        control<QTabWidget>(f.w(), "SSTab1")->setCurrentIndex(0);
        control<QLineEdit>(f.w(), "TXT1")->setText(u"*.doc"_s);
        QTest::keySequence(f.window.get(), QKeySequence(u"Ctrl+F"_s));
        QCOMPARE(control<QTabWidget>(f.w(), "SSTab1")->currentIndex(), 1);
        QCOMPARE(nameOf(f.focused()), u"TXT1"_s);
        QCOMPARE(control<QLineEdit>(f.w(), "TXT1")->selectedText(), u"*.doc"_s);
    }

    // "Menu" has a mnemonic in every language, on a letter of its own word,
    // and Alt with that letter opens it; "Languages" has another letter.
    void menuFromKeyboard_data() { addLanguageRows(); }
    void menuFromKeyboard()
    {
        QFETCH(int, language);
        Window f;
        QVERIFY(f.active());
        f.w().LoadLanguage(language);
        const QString title = control<QMenu>(f.w(), "mnuMenu")->title();
        const qsizetype amp = title.indexOf(u'&');
        QVERIFY2(amp >= 0 && amp + 1 < title.size() && title.at(amp + 1).isLetter(),
                 qPrintable(title));
        QCOMPARE(QString(title).remove(amp, 1), langColumn(language).value(1));
        const QString lan = control<QMenu>(f.w(), "mnuLan")->title();
        QVERIFY2(lan.contains(u'&'), qPrintable(lan));
        QVERIFY(lan.at(lan.indexOf(u'&') + 1).toLower() != title.at(amp + 1).toLower());

        control<QPushButton>(f.w(), "Command2")->setFocus();
        const QChar letter = title.at(amp + 1).toUpper();
        QTest::keyClick(control<QPushButton>(f.w(), "Command2"), Qt::Key(letter.unicode()),
                        Qt::AltModifier);
        QTRY_VERIFY(control<QMenu>(f.w(), "mnuMenu")->isVisible());
        control<QMenu>(f.w(), "mnuMenu")->close();
        QTRY_VERIFY(!control<QMenu>(f.w(), "mnuMenu")->isVisible());
    }

    // Enter presses the button that has the focus, and the approval prompt
    // takes Enter and Space like a button.
    void enterPressesFocused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("call");
        QTest::newRow("open, Enter") << u"Command2"_s << int(Qt::Key_Return) << u"openFile"_s;
        QTest::newRow("open, keypad Enter") << u"Command2"_s << int(Qt::Key_Enter) << u"openFile"_s;
        QTest::newRow("approval, Enter")
            << u"lblEmail"_s << int(Qt::Key_Return) << u"openMailUrl"_s;
        QTest::newRow("approval, Space") << u"lblEmail"_s << int(Qt::Key_Space) << u"openMailUrl"_s;
    }
    void enterPressesFocused()
    {
        QFETCH(QString, name);
        QFETCH(int, key);
        QFETCH(QString, call);
        Window f;
        QVERIFY(f.active());
        f.open(f.writeList(u"list.csv"_s, listOf("C:")));
        auto *widget = f.w().findChild<QWidget *>(name);
        QVERIFY(widget);
        control<QTabWidget>(f.w(), "SSTab1")
            ->setCurrentIndex(widget == control<QLabel>(f.w(), "lblEmail") ? 1 : 0);
        widget->setFocus(Qt::TabFocusReason);
        QCOMPARE(nameOf(f.focused()), name);
        f.prompts.clear();
        f.press(key);
        QCOMPARE(f.prompts.count(call), 1);
    }

    // Enter on the legend's row runs the filter for its status.
    void enterOnLegendRow()
    {
        Window f;
        QVERIFY(f.active());
        f.open(f.writeList(u"list.csv"_s, listOf("C:")));
        control<QTabWidget>(f.w(), "SSTab1")->setCurrentIndex(1);
        const QList<QAbstractButton *> rows =
            recoveryLegend(f.w())->findChildren<QAbstractButton *>();
        QVERIFY(!rows.isEmpty());
        QSignalSpy clicked(recoveryLegend(f.w()), &RecoveryLegend::statusClicked);
        rows.first()->setFocus(Qt::TabFocusReason);
        f.press(Qt::Key_Return);
        QCOMPARE(clicked.count(), 1);
    }

    // The first size on a small screen (a scale factor of 2 on 1920x1200, a
    // panel): what the screen holds, the title bar counted in, on the screen;
    // on a large one the window's own size.
    void firstSize_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<bool>("shrunk");
        QTest::newRow("scale 2") << QRect(0, 0, 960, 600) << true;
        QTest::newRow("panel at the top") << QRect(0, 28, 960, 572) << true;
        QTest::newRow("large") << QRect(0, 0, 1920, 1200) << false;
    }
    void firstSize()
    {
        QFETCH(QRect, screen);
        QFETCH(bool, shrunk);
        WindowFixture f([screen](frmMain::Settings &s) {
            s.screens = [screen] { return QList<QRect>{screen}; };
        });
        const frmMain &window = *f.window;
        const QSize size = window.size();
        if (shrunk) {
            QVERIFY2(size.width() <= screen.width() && size.height() < screen.height(),
                     qPrintable(u"%1x%2"_s.arg(size.width()).arg(size.height())));
            QVERIFY(screen.contains(window.geometry().topLeft()));
            QVERIFY(window.minimumSizeHint().width() <= screen.width());
            QVERIFY(window.minimumSizeHint().height() <= screen.height());
        } else {
            QCOMPARE(size.width(), 991);
            QVERIFY(size.height() > 641);
        }
    }

    // A size remembered from a larger screen is brought within the one there
    // is now.
    void rememberedSizeKeptOnScreen()
    {
        QTemporaryDir configDir;
        const QRect screen(0, 0, 1024, 700);
        const QString settingsFile = configDir.filePath(u"corvane.conf"_s);
        {
            QSettings store(settingsFile, QSettings::IniFormat);
            store.setValue(u"Window/Geometry"_s, QVariantList{-40, -30, 3000, 2000});
        }
        WindowFixture f([&](frmMain::Settings &s) {
            s.settingsFile = settingsFile;
            s.screens = [screen] { return QList<QRect>{screen}; };
        });
        const frmMain &window = *f.window;
        QVERIFY2(screen.contains(window.geometry()), qPrintable(u"%1,%2 %3x%4"_s.arg(window.x())
                                                                    .arg(window.y())
                                                                    .arg(window.width())
                                                                    .arg(window.height())));
    }
};

QTEST_MAIN(TestUiKeys)
#include "tst_ui_keys.moc"
