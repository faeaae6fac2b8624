#include "browse/FileGridModel.h"
#include "browse/ui/FolderTreeModel.h"
#include "search/ResultFile.h"
#include "testutil_window.h"

#include <QThread>

#include <atomic>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;

// The three searches through the window: off the window's thread, the
// result loaded in place of the list, the commands locked meanwhile.
class TestUiSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void termSearch_data();
    void termSearch();
    void enterInTermBox();
    void emptyTerm();
    void goneList_data();
    void goneList();
    void noMatchKeepsList_data();
    void noMatchKeepsList();
    void presetFilter_data();
    void presetFilter();
    void filterCommands();
    void statusWordsOffered();
    void dateSearch();
    void resultCannotBeCreated();
    void lockedWhileSearching();
    void stopLeavesList();
    void stopWhileLoadingKeepsList_data();
    void stopWhileLoadingKeepsList();
    void criteriaShown_data();
    void criteriaShown();
    void firstFolderWithMatches_data();
    void firstFolderWithMatches();
    void reloadShowsFolderAgain();
    void recentTerms();
    void resultOpenedAsList();
    void nonLatinResult();

private:
    static void waitIdle(WindowFixture &f);
    static void runSearch(WindowFixture &f, const QString &kind, const QString &criterion);
};

static const QByteArray list = "Data\\Reports\\q1.doc,2009-05-12 14:33:00,1024,32;AB,Recovered\r\n"
                               "Data\\reports\\Q2.DOCX,2009-05-13 00:00:00,2048,32;CD,Damaged\r\n"
                               "Data\\Photos\\log1.jpg,2009-05-11 23:59:59,1,32;EF,Recovered\r\n"
                               "Data\\Photos\\logs.jpg,2009-05-14 08:00:00,1,32;EF,Header OK\r\n"
                               "Data\\Photos\\x.jpg,2009-05-14 08:00:00,1,32;EF,Recovered\r\n";

void TestUiSearch::waitIdle(WindowFixture &f)
{
    QTRY_VERIFY_WITH_TIMEOUT(!isSearching(*f.window) && !isLoading(*f.window), 30000);
}

// kind "term", "filter" or "date" (criterion "FROM..TO", ISO days), as the
// user starts it; returns when the search and its result load have ended.
void TestUiSearch::runSearch(WindowFixture &f, const QString &kind, const QString &criterion)
{
    frmMain &w = *f.window;
    if (kind == u"term"_s) {
        control<QLineEdit>(w, "TXT1")->setText(criterion);
        control<QPushButton>(w, "Command3")->click();
    } else if (kind == u"filter"_s) {
        control<QComboBox>(w, "Combo1")->setCurrentText(criterion);
        control<QPushButton>(w, "Command5")->click();
    } else {
        const QStringList days = criterion.split(u".."_s);
        QCOMPARE(days.size(), 2);
        control<DatePicker>(w, "DTPicker1")->setDate(QDate::fromString(days[0], Qt::ISODate));
        control<DatePicker>(w, "DTPicker2")->setDate(QDate::fromString(days[1], Qt::ISODate));
        control<QPushButton>(w, "Command4")->click();
    }
    waitIdle(f);
}

void TestUiSearch::termSearch_data()
{
    QTest::addColumn<QString>("term");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("label");
    QTest::newRow("report") << u"report"_s << 2 << u"Matches: 2"_s;
    QTest::newRow("two patterns") << u"q1;logs"_s << 2 << u"Matches: 2"_s;
    QTest::newRow("every line") << u"abc;"_s << 5 << u"Matches: 5"_s;
}

void TestUiSearch::termSearch()
{
    QFETCH(QString, term);
    QFETCH(int, lines);
    QFETCH(QString, label);
    WindowFixture f;
    frmMain &w = *f.window;
    const QString path = f.writeList(u"list.csv"_s, list);
    f.openFromCommandLine(path);
    control<QAction>(w, "mnuReload")->setEnabled(false);
    control<QLineEdit>(w, "TXT1")->setText(term);
    LoadSpy loaded(w);
    control<QPushButton>(w, "Command3")->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(shownList(w).lineCount, lines);
    QCOMPARE(control<QLabel>(w, "Label24")->text(), label);
    QCOMPARE(currentListFile(w), path);
    QVERIFY(control<QAction>(w, "mnuReload")->isEnabled());
    QVERIFY(QFile::exists(resultFilePath(dataFolder(w))));
    QCOMPARE(f.prompts.boxCount(), 0);
    // A second search runs over the whole opened list again.
    control<QLineEdit>(w, "TXT1")->setText(u"photos"_s);
    control<QPushButton>(w, "Command3")->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(shownList(w).lineCount, 3);
}

void TestUiSearch::enterInTermBox()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, list));
    control<QLineEdit>(w, "TXT1")->setText(u"log#"_s);
    LoadSpy loaded(w);
    QTest::keyClick(control<QLineEdit>(w, "TXT1"), Qt::Key_Return);
    QVERIFY(loaded.wait(30000));
    QCOMPARE(shownList(w).lineCount, 1);
}

void TestUiSearch::emptyTerm()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, list));
    control<QAction>(w, "mnuReload")->setEnabled(false);
    control<QLabel>(w, "Label24")->setText(u"before"_s);
    control<QLineEdit>(w, "TXT1")->clear();
    control<QPushButton>(w, "Command3")->click();
    QVERIFY(!isSearching(w));
    QVERIFY(control<QAction>(w, "mnuReload")->isEnabled());
    QCOMPARE(control<QLabel>(w, "Label24")->text(), u"before"_s);
    QCOMPARE(shownList(w).lineCount, 5);
}

// The opened list is gone (or is no list file any more) when a search runs:
// the window says so and keeps the list it shows; it never claims "0".
void TestUiSearch::goneList_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QString>("how");
    const QList<std::pair<QString, QString>> searches = {{u"term"_s, u"*.doc"_s},
                                                         {u"filter"_s, u"Recovered"_s},
                                                         {u"date"_s, u"2009-05-01..2009-05-31"_s}};
    for (const auto &[kind, criterion] : searches) {
        for (const QString &how :
             {u"deleted"_s, u"a folder in its place"_s, u"a pipe in its place"_s})
            QTest::addRow("%s, %s", qPrintable(kind), qPrintable(how)) << kind << criterion << how;
    }
}

void TestUiSearch::goneList()
{
    QFETCH(QString, kind);
    QFETCH(QString, criterion);
    QFETCH(QString, how);
    WindowFixture f;
    frmMain &w = *f.window;
    const QString path = f.writeList(u"list.csv"_s, list);
    f.openFromCommandLine(path);
    const QString title = w.windowTitle();
    QVERIFY(QFile::remove(path));
    if (how.contains(u"folder"_s))
        QVERIFY(QDir().mkdir(path));
    else if (how.contains(u"pipe"_s))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    f.prompts.clear();
    control<QLabel>(w, "Label24")->setText(u"before"_s);
    LoadSpy loaded(w);
    runSearch(f, kind, criterion);
    QCOMPARE(loaded.size(), 0);
    QCOMPARE(shownList(w).lineCount, 5);
    QCOMPARE(control<QTreeView>(w, "SftTree1")->model()->rowCount(), 1);
    QCOMPARE(control<QTabWidget>(w, "SSTab1")->currentIndex(), 1);
    QCOMPARE(w.windowTitle(), title);
    QCOMPARE(control<QLabel>(w, "Label24")->text(), u"before"_s);
    QCOMPARE(currentListFile(w), path);
    QCOMPARE(f.prompts.boxCount(), 1);
    const FakePrompts::Call box = f.prompts.callsOf(u"warning"_s).value(0);
    QCOMPARE(box.title, u"Error"_s);
    const QString shown = QDir::toNativeSeparators(path);
    if (how == u"deleted"_s)
        QCOMPARE(box.text, langText(w, LangEntry::ListNotFound) + u"\n\n"_s + shown);
    else
        QVERIFY2(box.text.startsWith(langText(w, LangEntry::FileUnreadable).arg(shown)),
                 qPrintable(box.text));
    QVERIFY(control<QPushButton>(w, "Command3")->isEnabled());
}

// A search that finds nothing: "No matches found!", and the list shown
// stays (not an empty tree).
void TestUiSearch::noMatchKeepsList_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QString>("count");
    QTest::newRow("term") << u"term"_s << u"zzz"_s << u"Matches: 0"_s;
    QTest::newRow("filter") << u"filter"_s << u"Partial"_s << u"Matches: 0"_s;
    QTest::newRow("filter, case matters") << u"filter"_s << u"recovered"_s << u"Matches: 0"_s;
    QTest::newRow("filter, trailing space") << u"filter"_s << u"Header OK "_s << u"Matches: 0"_s;
    QTest::newRow("dates without a line")
        << u"date"_s << u"2011-01-01..2011-12-31"_s << u"Found : 0"_s;
    QTest::newRow("From after To") << u"date"_s << u"2009-05-14..2009-05-12"_s << u"Found : 0"_s;
}

void TestUiSearch::noMatchKeepsList()
{
    QFETCH(QString, kind);
    QFETCH(QString, criterion);
    QFETCH(QString, count);
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, list));
    // The list shown is an earlier search's result.
    runSearch(f, u"term"_s, u"photos"_s);
    QCOMPARE(shownList(w).lineCount, 3);
    const int folder = currentFolderItem(w);
    f.prompts.clear();
    LoadSpy loaded(w);
    runSearch(f, kind, criterion);
    QCOMPARE(loaded.size(), 0);
    QCOMPARE(shownList(w).lineCount, 3);
    QCOMPARE(currentFolderItem(w), folder);
    QVERIFY(fileGrid(w)->rowCount() > 0);
    QCOMPARE(control<QLabel>(w, "Label24")->text(), count);
    QCOMPARE(f.prompts.boxCount(), 1);
    QCOMPARE(f.prompts.calls.last().text, u"No matches found!"_s);
    QCOMPARE(f.prompts.calls.last().title, u"No matches found"_s);
}

void TestUiSearch::presetFilter_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("lines");
    QTest::newRow("Recovered") << u"Recovered"_s << 3;
    QTest::newRow("phrase") << u"Header OK"_s << 1;
}

void TestUiSearch::presetFilter()
{
    QFETCH(QString, status);
    QFETCH(int, lines);
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, list));
    control<QComboBox>(w, "Combo1")->setCurrentText(status);
    LoadSpy loaded(w);
    control<QPushButton>(w, "Command5")->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(shownList(w).lineCount, lines);
    QCOMPARE(control<QComboBox>(w, "Combo1")->findText(u"(Reload)"_s) >= 0, true);
    QCOMPARE(f.prompts.boxCount(), 0);
}

// "(No Filter)" does nothing; two filters leave one "(Reload)"; "(Reload)"
// reloads the whole list.
void TestUiSearch::filterCommands()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, list));
    control<QComboBox>(w, "Combo1")->setCurrentText(u"(No Filter)"_s);
    control<QAction>(w, "mnuReload")->setEnabled(false);
    control<QPushButton>(w, "Command5")->click();
    QVERIFY(!isSearching(w));
    QVERIFY(control<QAction>(w, "mnuReload")->isEnabled());
    LoadSpy loaded(w);
    for (int i = 0; i < 2; ++i) {
        control<QComboBox>(w, "Combo1")->setCurrentText(u"Recovered"_s);
        control<QPushButton>(w, "Command5")->click();
        QVERIFY(loaded.wait(30000));
    }
    QCOMPARE(columnTexts(control<QComboBox>(w, "Combo1")->model()).count(u"(Reload)"_s), 1);
    control<QComboBox>(w, "Combo1")->setCurrentText(u"(Reload)"_s);
    control<QPushButton>(w, "Command5")->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(shownList(w).lineCount, 5);
}

// Combo1 offers "(No Filter)" and the opened list's status words, most
// frequent first; a search result does not replace them.
void TestUiSearch::statusWordsOffered()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, list));
    QComboBox *combo = control<QComboBox>(w, "Combo1");
    QTRY_COMPARE(combo->count(), 4);
    QCOMPARE(columnTexts(combo->model()),
             (QStringList{u"(No Filter)"_s, u"Recovered"_s, u"Damaged"_s, u"Header OK"_s}));
    combo->setCurrentText(u"Damaged"_s);
    LoadSpy loaded(w);
    control<QPushButton>(w, "Command5")->click();
    QVERIFY(loaded.wait(30000));
    QTest::qWait(100);
    QCOMPARE(combo->itemText(1), u"Recovered"_s);
    QVERIFY(combo->isEditable());
}

void TestUiSearch::dateSearch()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, list));
    QVERIFY(!control<QGroupBox>(w, "Frame6")->isHidden());
    QVERIFY(!control<DatePicker>(w, "DTPicker2")->isHidden());
    QVERIFY(control<DatePicker>(w, "DTPicker1")->calendarPopup());
    control<DatePicker>(w, "DTPicker1")->setDate(QDate(2009, 5, 12));
    control<DatePicker>(w, "DTPicker2")->setDate(QDate(2009, 5, 13));
    f.prompts.clipboard = u"mine"_s;
    LoadSpy loaded(w);
    control<QPushButton>(w, "Command4")->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(shownList(w).lineCount, 2); // the To day is included whole
    QCOMPARE(control<QLabel>(w, "Label24")->text(), u"Found : 2"_s);
    QCOMPARE(f.prompts.clipboard, u"mine"_s);
    QCOMPARE(f.prompts.count(u"setClipboardText"_s), 0);
}

// A data folder that cannot hold the result: "System error!" and the list
// shown stays.
void TestUiSearch::resultCannotBeCreated()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, list));
    const QString data = dataFolder(w);
    QVERIFY(QDir(data).removeRecursively());
    QVERIFY(writeBytes(data, "not a folder"));
    control<QLineEdit>(w, "TXT1")->setText(u"report"_s);
    control<QLabel>(w, "Label24")->setText(u"before"_s);
    LoadSpy loaded(w);
    control<QPushButton>(w, "Command3")->click();
    waitIdle(f);
    QCOMPARE(loaded.size(), 0);
    QCOMPARE(shownList(w).lineCount, 5);
    QCOMPARE(control<QLabel>(w, "Label24")->text(), u"before"_s);
    QCOMPARE(f.prompts.count(u"warning"_s), 1);
    QCOMPARE(f.prompts.calls.last().title, u"System error!"_s);
    QCOMPARE(f.prompts.calls.last().text, langText(w, LangEntry::ResultNotWritable));
    QVERIFY(f.prompts.calls.last().systemModal);
}

static QByteArray bigList(int lines)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(lines) * 60);
    for (int i = 0; i < lines; ++i)
        bytes += "Data\\Folder" + QByteArray::number(i % 100) + "\\file" + QByteArray::number(i) +
                 ".txt,2009-05-12 10:00:00,1,32;A,Recovered\r\n";
    return bytes;
}

void TestUiSearch::lockedWhileSearching()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"big.csv"_s, bigList(400000)));
    control<QLineEdit>(w, "TXT1")->setText(u"*"_s);
    LoadSpy loaded(w);
    control<QPushButton>(w, "Command3")->click();
    QVERIFY(isSearching(w));
    for (const char *name : {"Command2", "Command3", "Command4", "Command5"})
        QVERIFY2(!control<QWidget>(w, name)->isEnabled(), name);
    QVERIFY(!control<QMenu>(w, "mnuLan")->menuAction()->isEnabled());
    QVERIFY(!control<QPushButton>(w, "SearchStop")->isHidden());
    // A second click while it runs starts nothing.
    control<QPushButton>(w, "Command4")->click();
    QVERIFY(loaded.wait(60000));
    waitIdle(f);
    QCOMPARE(shownList(w).lineCount, 400000);
    QCOMPARE(loaded.size(), 1);
    for (const char *name : {"Command2", "Command3", "Command4", "Command5"})
        QVERIFY2(control<QWidget>(w, name)->isEnabled(), name);
    QVERIFY(control<QPushButton>(w, "SearchStop")->isHidden());
}

void TestUiSearch::stopLeavesList()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"big.csv"_s, bigList(1000000)));
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    control<QLineEdit>(w, "TXT1")->setText(u"*"_s);
    control<QLabel>(w, "Label24")->setText(u"before"_s);
    LoadSpy loaded(w);
    control<QPushButton>(w, "Command3")->click();
    QTest::keyClick(&w, Qt::Key_Escape);
    waitIdle(f);
    QCOMPARE(loaded.size(), 0);
    QCOMPARE(shownList(w).lineCount, 1000000);
    QCOMPARE(control<QLabel>(w, "Label24")->text(), u"before"_s);
    QCOMPARE(control<QLabel>(w, "Label8")->text(), langText(w, LangEntry::SearchStopped));
    QVERIFY(control<QPushButton>(w, "Command3")->isEnabled());
}

namespace {

// A window whose loads can be held: while hold is set, a load waits for its
// stop flag and gives up, so that Stop is pressed in the middle of it.
struct HeldLoadWindow : WindowFixture
{
    std::shared_ptr<std::atomic<bool>> hold = std::make_shared<std::atomic<bool>>(false);

    HeldLoadWindow()
    {
        settings.loadList = [hold = hold](const QString &path, const LoadOptions &options) {
            if (!hold->load())
                return loadList(path, options);
            while (options.stop && !options.stop->load())
                QThread::msleep(2);
            LoadedList stopped;
            stopped.stopped = true;
            return stopped;
        };
        restart();
    }
};

} // namespace

// Esc or Stop while a reload runs, or while a search result loads: the list
// shown before stays, with its file, its figures and "Reload".
void TestUiSearch::stopWhileLoadingKeepsList_data()
{
    QTest::addColumn<QString>("load");
    QTest::addColumn<bool>("escape");
    QTest::newRow("reload, Esc") << u"reload"_s << true;
    QTest::newRow("reload, Stop") << u"reload"_s << false;
    QTest::newRow("search result, Esc") << u"result"_s << true;
    QTest::newRow("search result, Stop") << u"result"_s << false;
}

void TestUiSearch::stopWhileLoadingKeepsList()
{
    QFETCH(QString, load);
    QFETCH(bool, escape);
    HeldLoadWindow f;
    frmMain &w = *f.window;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const QString path = f.writeList(u"list.csv"_s, list);
    f.openFromCommandLine(path);
    runSearch(f, u"term"_s, u"report"_s);
    QCOMPARE(shownList(w).lineCount, 2);
    QVERIFY(control<QAction>(w, "mnuReload")->isEnabled());
    w.controllers().browse->ShowFolder(shownList(w).SftTree1.findPath({u"reports"_s}));
    const int folder = currentFolderItem(w);
    QVERIFY(folder > 0);
    const int gridRows = fileGrid(w)->rowCount();
    const QString files = control<QLabel>(w, "Label4")->text();
    const QString title = w.windowTitle();
    QVERIFY(gridRows > 0);
    f.prompts.clear();

    *f.hold = true;
    LoadSpy ended(w);
    QString term = u"report"_s;
    if (load == u"reload"_s) {
        control<QAction>(w, "mnuReload")->trigger();
        QVERIFY(isLoading(w));
    } else {
        term = u"photos"_s;
        control<QLineEdit>(w, "TXT1")->setText(term);
        control<QPushButton>(w, "Command3")->click();
        QTRY_VERIFY_WITH_TIMEOUT(isLoading(w) && !isSearching(w), 30000);
    }
    if (escape) {
        QTest::keyClick(&w, Qt::Key_Escape);
    } else if (load == u"reload"_s) {
        QVERIFY(control<QPushButton>(w, "LoadStopButton")->isVisible());
        QTest::mouseClick(control<QPushButton>(w, "LoadStopButton"), Qt::LeftButton);
    } else {
        control<QTabWidget>(w, "SSTab1")->setCurrentIndex(0); // Stop sits on the open page
        QVERIFY(control<QPushButton>(w, "LoadStopButton")->isVisible());
        QTest::mouseClick(control<QPushButton>(w, "LoadStopButton"), Qt::LeftButton);
        control<QTabWidget>(w, "SSTab1")->setCurrentIndex(1);
    }
    QVERIFY(!isLoading(w));
    QCOMPARE(ended.size(), 1);
    QCOMPARE(shownList(w).lineCount, 2);
    QCOMPARE(currentListFile(w), path);
    QCOMPARE(rootPrefix(w), u"Data\\"_s);
    QVERIFY(control<QAction>(w, "mnuReload")->isEnabled());
    QVERIFY(control<QTabWidget>(w, "SSTab1")->isTabEnabled(1));
    QCOMPARE(control<QTabWidget>(w, "SSTab1")->currentIndex(), 1);
    QCOMPARE(currentFolderItem(w), folder);
    QCOMPARE(fileGrid(w)->rowCount(), gridRows);
    QCOMPARE(control<QLabel>(w, "Label4")->text(), files);
    QCOMPARE(control<QLabel>(w, "Label24")->text(), u"Matches: 2"_s);
    QCOMPARE(control<QLineEdit>(w, "TXT1")->text(), term);
    QCOMPARE(w.windowTitle(), title);
    QCOMPARE(
        control<QLabel>(w, "Label8")->text(),
        langText(w, load == u"reload"_s ? LangEntry::ReloadStopped : LangEntry::SearchStopped));
    QVERIFY(control<QPushButton>(w, "Command3")->isEnabled());
    QVERIFY(control<QGroupBox>(w, "Frame2")->isEnabled());
    QVERIFY(control<QMenu>(w, "mnuMenu")->menuAction()->isEnabled());
    QCOMPARE(f.prompts.boxCount(), 0);

    // Not held, the reload brings the whole list back.
    *f.hold = false;
    control<QAction>(w, "mnuReload")->trigger();
    QVERIFY(ended.wait(30000));
    QCOMPARE(shownList(w).lineCount, 5);
    QCOMPARE(currentListFile(w), path);
}

// The criteria boxes and the count describe the list shown: the search whose
// result it is, or nothing for the opened list.
void TestUiSearch::criteriaShown_data()
{
    QTest::addColumn<QStringList>(
        "steps"); // "term:T", "filter:S", "date:FROM..TO", "reload", "open"
    QTest::addColumn<QString>("term");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("count");
    QTest::newRow("filter after a term search")
        << QStringList{u"term:report"_s, u"filter:Recovered"_s} << QString() << u"Recovered"_s
        << u"Matches: 3"_s;
    QTest::newRow("term search after a filter")
        << QStringList{u"filter:Damaged"_s, u"term:photos"_s} << u"photos"_s << u"(No Filter)"_s
        << u"Matches: 3"_s;
    QTest::newRow("date search after both")
        << QStringList{u"filter:Damaged"_s, u"term:report"_s, u"date:2009-05-12..2009-05-13"_s}
        << QString() << u"(No Filter)"_s << u"Found : 2"_s;
    QTest::newRow("reload after a filter") << QStringList{u"filter:Recovered"_s, u"reload"_s}
                                           << QString() << u"(No Filter)"_s << QString();
    QTest::newRow("reload after a term search")
        << QStringList{u"term:report"_s, u"reload"_s} << QString() << u"(No Filter)"_s << QString();
    QTest::newRow("another list opened") << QStringList{u"filter:Recovered"_s, u"open"_s}
                                         << QString() << u"(No Filter)"_s << QString();
}

void TestUiSearch::criteriaShown()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, term);
    QFETCH(QString, filter);
    QFETCH(QString, count);
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, list));
    for (const QString &step : steps) {
        const QString kind = step.section(u':', 0, 0);
        if (kind == u"reload"_s) {
            control<QAction>(w, "mnuReload")->trigger();
            waitIdle(f);
        } else if (kind == u"open"_s) {
            f.openFromCommandLine(f.writeList(u"other.csv"_s, list));
        } else {
            runSearch(f, kind, step.section(u':', 1));
        }
    }
    QCOMPARE(f.prompts.boxCount(), 0);
    QCOMPARE(control<QLineEdit>(w, "TXT1")->text(), term);
    QCOMPARE(control<QComboBox>(w, "Combo1")->currentText(), filter);
    QCOMPARE(control<QLabel>(w, "Label24")->text(), count);
}

// After a search the grid shows the first folder, in the tree's order, that
// holds matches itself, and the tree has it selected.
void TestUiSearch::firstFolderWithMatches_data()
{
    QTest::addColumn<QString>("term");
    QTest::addColumn<QStringList>("folder"); // below Root
    QTest::addColumn<QString>("file");
    QTest::newRow("deep, nothing above it")
        << u"deep"_s << QStringList{u"A"_s, u"B"_s} << u"deep.txt"_s;
    QTest::newRow("deepest") << u"deeper"_s << QStringList{u"A"_s, u"B"_s, u"C"_s}
                             << u"deeper.txt"_s;
    QTest::newRow("tree order, not line order")
        << u".doc"_s << QStringList{u"alpha"_s} << u"y.doc"_s;
    QTest::newRow("in the top folder") << u"*.txt"_s << QStringList{} << u"a.txt"_s;
}

void TestUiSearch::firstFolderWithMatches()
{
    QFETCH(QString, term);
    QFETCH(QStringList, folder);
    QFETCH(QString, file);
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"nested.csv"_s,
                                      "Top\\Zeta\\z.doc,2009-05-12 14:33:00,1,32;A,Recovered\r\n"
                                      "Top\\a.txt,2009-05-12 14:33:00,1,32;A,Recovered\r\n"
                                      "Top\\A\\B\\deep.txt,2009-05-12 14:33:00,1,32;A,Recovered\r\n"
                                      "Top\\A\\B\\C\\deeper.txt,2009-05-12 14:33:00,1,32;A,OK\r\n"
                                      "Top\\alpha\\y.doc,2009-05-12 14:33:00,1,32;A,OK\r\n"));
    runSearch(f, u"term"_s, term);
    QCOMPARE(f.prompts.boxCount(), 0);
    const FolderTree &tree = shownList(w).SftTree1;
    QVERIFY(currentFolderItem(w) >= 0);
    QCOMPARE(tree.namesBelowRoot(currentFolderItem(w)), folder);
    QCOMPARE(control<QTreeView>(w, "SftTree1")->currentIndex(),
             folderTreeModel(w)->indexOf(currentFolderItem(w)));
    const QStringList names = f.gridNames();
    QVERIFY2(names.contains(file), qPrintable(names.join(u", "_s)));
}

// Reload brings back the whole list and the folder shown before it.
void TestUiSearch::reloadShowsFolderAgain()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, list));
    control<QLineEdit>(w, "TXT1")->setText(u"photos"_s);
    LoadSpy loaded(w);
    control<QPushButton>(w, "Command3")->click();
    QVERIFY(loaded.wait(30000));
    const int photos = shownList(w).SftTree1.findPath({u"Photos"_s});
    QVERIFY(photos > 0);
    w.controllers().browse->ShowFolder(photos);
    control<QAction>(w, "mnuReload")->trigger();
    QVERIFY(loaded.wait(30000));
    QTRY_VERIFY(!isLoading(w));
    QCOMPARE(shownList(w).lineCount, 5);
    QCOMPARE(currentFolderItem(w), shownList(w).SftTree1.findPath({u"Photos"_s}));
}

void TestUiSearch::recentTerms()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, list));
    for (int i = 0; i < 12; ++i)
        runSearch(f, u"term"_s, u"term%1"_s.arg(i));
    runSearch(f, u"term"_s, u"term5"_s);
    const QStringList typed = test::recentTerms(w);
    QCOMPARE(typed.size(), 10);
    QCOMPARE(typed.first(), u"term5"_s);
    QCOMPARE(typed.at(1), u"term11"_s);
    QVERIFY(!typed.contains(u"term0"_s));
    QVERIFY(!typed.contains(u"term1"_s));
    QVERIFY(control<QLineEdit>(w, "TXT1")->completer());
    // The next start of the program offers them again.
    FakePrompts prompts;
    frmMain again(prompts, f.settings);
    QCOMPARE(test::recentTerms(again), typed);
}

// The result file opened as the list (a UTF-16LE list): searched like any
// list, and never overwritten by its own search.
void TestUiSearch::resultOpenedAsList()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, list));
    control<QLineEdit>(w, "TXT1")->setText(u"data"_s);
    LoadSpy loaded(w);
    control<QPushButton>(w, "Command3")->click();
    QVERIFY(loaded.wait(30000));
    const QString result = resultFilePath(dataFolder(w));
    const QByteArray before = readBytes(result);
    f.openFromCommandLine(result);
    QCOMPARE(currentListFile(w), result);
    QCOMPARE(shownList(w).lineCount, 5);
    control<QLineEdit>(w, "TXT1")->setText(u"REPORTS"_s);
    control<QPushButton>(w, "Command3")->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(shownList(w).lineCount, 2);
    QCOMPARE(currentListFile(w), result);
    QCOMPARE(readBytes(result), before);
    QCOMPARE(f.prompts.boxCount(), 0);
}

// A list of Cyrillic names: the result file (UTF-16LE, no byte-order mark)
// holds few zero bytes, and its first line here is longer than any look at
// its first bytes; the window reads its own result as UTF-16LE anyway.
void TestUiSearch::nonLatinResult()
{
    WindowFixture f;
    frmMain &w = *f.window;
    const QStringList lines{u"Данные\\Архив\\"_s + QString(5000, u'ж') +
                                u".txt,2009-05-12 14:33:00,1,32;A,Готово"_s,
                            u"Данные\\Фото\\море.jpg,2009-05-13 00:00:00,2048,32;CD,Готово"_s,
                            u"Данные\\Фото\\лес.jpg,2009-05-11 23:59:59,1024,32;EF,Повреждён"_s,
                            u"Прочее\\заметка.txt,2009-05-11 23:59:59,1,32;EF,Готово"_s};
    f.openFromCommandLine(f.writeList(u"list.csv"_s, (lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8()));
    control<QLineEdit>(w, "TXT1")->setText(u"ДАННЫЕ"_s);
    LoadSpy loaded(w);
    control<QPushButton>(w, "Command3")->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(control<QLabel>(w, "Label24")->text(), u"Matches: 3"_s);
    const LoadedList &result = shownList(w);
    QCOMPARE(result.lineCount, 3);
    QStringList shown;
    for (qsizetype i = 0; i < result.iGrid1.count(); ++i)
        shown << result.iGrid1.text(i);
    QStringList expected = lines.first(3);
    std::sort(expected.begin(), expected.end(),
              [](const QString &a, const QString &b) { return a.toUtf8() < b.toUtf8(); });
    QCOMPARE(shown, expected);
    QCOMPARE(result.SftTree1.count(), 3); // Root and the two folders below the top one
    QCOMPARE(result.SftTree1.text(1), u"Архив"_s);
    QCOMPARE(result.SftTree1.text(2), u"Фото"_s);
    QCOMPARE(result.rootPrefixAfter(QString()), u"Данные\\"_s);
    QCOMPARE(rootPrefix(w), u"Прочее\\"_s); // the opened list's, kept
    QCOMPARE(f.prompts.boxCount(), 0);
}

QTEST_MAIN(TestUiSearch)
#include "tst_ui_search.moc"
