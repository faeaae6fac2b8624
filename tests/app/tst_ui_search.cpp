#include "search/ResultFile.h"
#include "testutil_window.h"

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
    void missingList();
    void presetFilter_data();
    void presetFilter();
    void filterCommands();
    void statusWordsOffered();
    void dateSearch();
    void resultCannotBeCreated();
    void lockedWhileSearching();
    void stopLeavesList();
    void reloadShowsFolderAgain();
    void recentTerms();
    void resultOpenedAsList();
    void nonLatinResult();

private:
    static void open(WindowFixture &f, const QString &path);
    static void waitIdle(WindowFixture &f);
};

static const QByteArray list = "Data\\Reports\\q1.doc,2009-05-12 14:33:00,1024,32;AB,Recovered\r\n"
                               "Data\\reports\\Q2.DOCX,2009-05-13 00:00:00,2048,32;CD,Damaged\r\n"
                               "Data\\Photos\\log1.jpg,2009-05-11 23:59:59,1,32;EF,Recovered\r\n"
                               "Data\\Photos\\logs.jpg,2009-05-14 08:00:00,1,32;EF,Header OK\r\n"
                               "Data\\Photos\\x.jpg,2009-05-14 08:00:00,1,32;EF,Recovered\r\n";

void TestUiSearch::open(WindowFixture &f, const QString &path)
{
    QSignalSpy loaded(f.window.get(), &frmMain::listLoaded);
    f.window->OpenListFromCommandLine(path);
    QVERIFY(loaded.wait(30000));
}

void TestUiSearch::waitIdle(WindowFixture &f)
{
    QTRY_VERIFY_WITH_TIMEOUT(!f.window->isSearching() && !f.window->isLoading(), 30000);
}

void TestUiSearch::termSearch_data()
{
    QTest::addColumn<QString>("term");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("label");
    QTest::newRow("report") << u"report"_s << 2 << u"Matches: 2"_s;
    QTest::newRow("two patterns") << u"q1;logs"_s << 2 << u"Matches: 2"_s;
    QTest::newRow("nothing") << u"zzz"_s << 0 << u"Matches: 0"_s;
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
    open(f, path);
    w.mnuReload->setEnabled(false);
    w.TXT1->setText(term);
    QSignalSpy loaded(&w, &frmMain::listLoaded);
    w.Command3->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(w.loadedList().lineCount, lines);
    QCOMPARE(w.Label24->text(), label);
    QCOMPARE(w.CurrentListFile, path);
    QVERIFY(w.mnuReload->isEnabled());
    QVERIFY(QFile::exists(resultFilePath(w.dataFolder())));
    QCOMPARE(f.prompts.boxCount(), 0);
    // A second search runs over the whole opened list again.
    w.TXT1->setText(u"photos"_s);
    w.Command3->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(w.loadedList().lineCount, 3);
}

void TestUiSearch::enterInTermBox()
{
    WindowFixture f;
    frmMain &w = *f.window;
    open(f, f.writeList(u"list.csv"_s, list));
    w.TXT1->setText(u"log#"_s);
    QSignalSpy loaded(&w, &frmMain::listLoaded);
    QTest::keyClick(w.TXT1, Qt::Key_Return);
    QVERIFY(loaded.wait(30000));
    QCOMPARE(w.loadedList().lineCount, 1);
}

void TestUiSearch::emptyTerm()
{
    WindowFixture f;
    frmMain &w = *f.window;
    open(f, f.writeList(u"list.csv"_s, list));
    w.mnuReload->setEnabled(false);
    w.Label24->setText(u"before"_s);
    w.TXT1->clear();
    w.Command3->click();
    QVERIFY(!w.isSearching());
    QVERIFY(w.mnuReload->isEnabled());
    QCOMPARE(w.Label24->text(), u"before"_s);
    QCOMPARE(w.loadedList().lineCount, 5);
}

// The opened list has gone: the window shows an empty list.
void TestUiSearch::missingList()
{
    WindowFixture f;
    frmMain &w = *f.window;
    const QString path = f.writeList(u"list.csv"_s, list);
    open(f, path);
    QFile::remove(path);
    w.TXT1->setText(u"report"_s);
    QSignalSpy loaded(&w, &frmMain::listLoaded);
    w.Command3->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(w.loadedList().lineCount, 0);
    QCOMPARE(w.Label24->text(), u"Matches: 0"_s);
}

void TestUiSearch::presetFilter_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("lines"); // -1: nothing found, the list stays
    QTest::newRow("Recovered") << u"Recovered"_s << 3;
    QTest::newRow("phrase") << u"Header OK"_s << 1;
    QTest::newRow("case matters") << u"recovered"_s << -1;
    QTest::newRow("trailing space") << u"Header OK "_s << -1;
}

void TestUiSearch::presetFilter()
{
    QFETCH(QString, status);
    QFETCH(int, lines);
    WindowFixture f;
    frmMain &w = *f.window;
    open(f, f.writeList(u"list.csv"_s, list));
    w.Combo1->setCurrentText(status);
    QSignalSpy loaded(&w, &frmMain::listLoaded);
    w.Command5->click();
    if (lines >= 0) {
        QVERIFY(loaded.wait(30000));
        QCOMPARE(w.loadedList().lineCount, lines);
        QCOMPARE(w.Combo1->findText(u"(Reload)"_s) >= 0, true);
        QCOMPARE(f.prompts.boxCount(), 0);
    } else {
        waitIdle(f);
        QCOMPARE(loaded.size(), 0);
        QCOMPARE(w.loadedList().lineCount, 5);
        QCOMPARE(w.Label24->text(), u"Matches: 0"_s);
        QCOMPARE(f.prompts.count(u"warning"_s), 1);
        QCOMPARE(f.prompts.calls.last().text, u"No matches found!"_s);
        QCOMPARE(f.prompts.calls.last().title, u"No matches found"_s);
    }
}

// "(No Filter)" does nothing; two filters leave one "(Reload)"; "(Reload)"
// reloads the whole list.
void TestUiSearch::filterCommands()
{
    WindowFixture f;
    frmMain &w = *f.window;
    open(f, f.writeList(u"list.csv"_s, list));
    w.Combo1->setCurrentText(u"(No Filter)"_s);
    w.mnuReload->setEnabled(false);
    w.Command5->click();
    QVERIFY(!w.isSearching());
    QVERIFY(w.mnuReload->isEnabled());
    QSignalSpy loaded(&w, &frmMain::listLoaded);
    for (int i = 0; i < 2; ++i) {
        w.Combo1->setCurrentText(u"Recovered"_s);
        w.Command5->click();
        QVERIFY(loaded.wait(30000));
    }
    int reloads = 0;
    for (int i = 0; i < w.Combo1->count(); ++i)
        reloads += w.Combo1->itemText(i) == u"(Reload)"_s;
    QCOMPARE(reloads, 1);
    w.Combo1->setCurrentText(u"(Reload)"_s);
    w.Command5->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(w.loadedList().lineCount, 5);
}

// Combo1 offers "(No Filter)" and the opened list's status words, most
// frequent first; a search result does not replace them.
void TestUiSearch::statusWordsOffered()
{
    WindowFixture f;
    frmMain &w = *f.window;
    open(f, f.writeList(u"list.csv"_s, list));
    QTRY_COMPARE(w.Combo1->count(), 4);
    QCOMPARE(w.Combo1->itemText(0), u"(No Filter)"_s);
    QCOMPARE(w.Combo1->itemText(1), u"Recovered"_s);
    QCOMPARE(w.Combo1->itemText(2), u"Damaged"_s);
    QCOMPARE(w.Combo1->itemText(3), u"Header OK"_s);
    w.Combo1->setCurrentText(u"Damaged"_s);
    QSignalSpy loaded(&w, &frmMain::listLoaded);
    w.Command5->click();
    QVERIFY(loaded.wait(30000));
    QTest::qWait(100);
    QCOMPARE(w.Combo1->itemText(1), u"Recovered"_s);
    QVERIFY(w.Combo1->isEditable());
}

void TestUiSearch::dateSearch()
{
    WindowFixture f;
    frmMain &w = *f.window;
    open(f, f.writeList(u"list.csv"_s, list));
    QVERIFY(!w.Frame6->isHidden());
    QVERIFY(!w.DTPicker2->isHidden());
    QVERIFY(w.DTPicker1->calendarPopup());
    w.DTPicker1->setDate(QDate(2009, 5, 12));
    w.DTPicker2->setDate(QDate(2009, 5, 13));
    f.prompts.clipboard = u"mine"_s;
    QSignalSpy loaded(&w, &frmMain::listLoaded);
    w.Command4->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(w.loadedList().lineCount, 2); // the To day is included whole
    QCOMPARE(w.Label24->text(), u"Found : 2"_s);
    QCOMPARE(f.prompts.clipboard, u"mine"_s);
    QCOMPARE(f.prompts.count(u"setClipboardText"_s), 0);
    // From after To: an empty list.
    w.DTPicker1->setDate(QDate(2009, 5, 14));
    w.DTPicker2->setDate(QDate(2009, 5, 12));
    w.Command4->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(w.loadedList().lineCount, 0);
}

// A data folder that cannot hold the result: "System error!" and the list
// shown stays.
void TestUiSearch::resultCannotBeCreated()
{
    WindowFixture f;
    frmMain &w = *f.window;
    open(f, f.writeList(u"list.csv"_s, list));
    const QString data = w.dataFolder();
    QVERIFY(QDir(data).removeRecursively());
    QVERIFY(writeBytes(data, "not a folder"));
    w.TXT1->setText(u"report"_s);
    w.Label24->setText(u"before"_s);
    QSignalSpy loaded(&w, &frmMain::listLoaded);
    w.Command3->click();
    waitIdle(f);
    QCOMPARE(loaded.size(), 0);
    QCOMPARE(w.loadedList().lineCount, 5);
    QCOMPARE(w.Label24->text(), u"before"_s);
    QCOMPARE(f.prompts.count(u"warning"_s), 1);
    QCOMPARE(f.prompts.calls.last().title, u"System error!"_s);
    QCOMPARE(f.prompts.calls.last().text, w.langText(42));
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
    open(f, f.writeList(u"big.csv"_s, bigList(400000)));
    w.TXT1->setText(u"*"_s);
    QSignalSpy loaded(&w, &frmMain::listLoaded);
    w.Command3->click();
    QVERIFY(w.isSearching());
    for (QWidget *off : {static_cast<QWidget *>(w.Command2), static_cast<QWidget *>(w.Command3),
                         static_cast<QWidget *>(w.Command4), static_cast<QWidget *>(w.Command5)})
        QVERIFY2(!off->isEnabled(), qPrintable(off->objectName()));
    QVERIFY(!w.mnuLan->menuAction()->isEnabled());
    QVERIFY(!w.SearchStop->isHidden());
    // A second click while it runs starts nothing.
    w.Command4->click();
    QVERIFY(loaded.wait(60000));
    waitIdle(f);
    QCOMPARE(w.loadedList().lineCount, 400000);
    QCOMPARE(loaded.size(), 1);
    for (QWidget *on : {static_cast<QWidget *>(w.Command2), static_cast<QWidget *>(w.Command3),
                        static_cast<QWidget *>(w.Command4), static_cast<QWidget *>(w.Command5)})
        QVERIFY2(on->isEnabled(), qPrintable(on->objectName()));
    QVERIFY(w.SearchStop->isHidden());
}

void TestUiSearch::stopLeavesList()
{
    WindowFixture f;
    frmMain &w = *f.window;
    open(f, f.writeList(u"big.csv"_s, bigList(1000000)));
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.TXT1->setText(u"*"_s);
    w.Label24->setText(u"before"_s);
    QSignalSpy loaded(&w, &frmMain::listLoaded);
    w.Command3->click();
    QTest::keyClick(&w, Qt::Key_Escape);
    waitIdle(f);
    QCOMPARE(loaded.size(), 0);
    QCOMPARE(w.loadedList().lineCount, 1000000);
    QCOMPARE(w.Label24->text(), u"before"_s);
    QCOMPARE(w.Label8->text(), w.langText(94));
    QVERIFY(w.Command3->isEnabled());
}

// Reload brings back the whole list and the folder shown before it.
void TestUiSearch::reloadShowsFolderAgain()
{
    WindowFixture f;
    frmMain &w = *f.window;
    open(f, f.writeList(u"list.csv"_s, list));
    w.TXT1->setText(u"photos"_s);
    QSignalSpy loaded(&w, &frmMain::listLoaded);
    w.Command3->click();
    QVERIFY(loaded.wait(30000));
    const int photos = w.loadedList().SftTree1.findPath({u"Photos"_s});
    QVERIFY(photos > 0);
    w.ShowFolder(photos);
    w.mnuReload->trigger();
    QVERIFY(loaded.wait(30000));
    QTRY_VERIFY(!w.isLoading());
    QCOMPARE(w.loadedList().lineCount, 5);
    QCOMPARE(w.CurrentFolderItem, w.loadedList().SftTree1.findPath({u"Photos"_s}));
}

void TestUiSearch::recentTerms()
{
    QStringList typed;
    {
        WindowFixture f;
        frmMain &w = *f.window;
        open(f, f.writeList(u"list.csv"_s, list));
        QSignalSpy loaded(&w, &frmMain::listLoaded);
        for (int i = 0; i < 12; ++i) {
            w.TXT1->setText(u"term%1"_s.arg(i));
            w.Command3->click();
            QVERIFY(loaded.wait(30000));
        }
        w.TXT1->setText(u"term5"_s);
        w.Command3->click();
        QVERIFY(loaded.wait(30000));
        typed = w.recentTerms();
        QCOMPARE(typed.size(), 10);
        QCOMPARE(typed.first(), u"term5"_s);
        QCOMPARE(typed.at(1), u"term11"_s);
        QVERIFY(!typed.contains(u"term0"_s));
        QVERIFY(!typed.contains(u"term1"_s));
        QVERIFY(w.TXT1->completer());
        // The next start of the program offers them again.
        frmMain::Settings s;
        s.programFolder = f.programDir.path();
        s.dataFolder = w.dataFolder();
        s.locale = QLocale(QLocale::English, QLocale::UnitedStates);
        FakePrompts prompts;
        frmMain again(prompts, s);
        QCOMPARE(again.recentTerms(), typed);
    }
}

// The result file opened as the list (a UTF-16LE list): searched like any
// list, and never overwritten by its own search.
void TestUiSearch::resultOpenedAsList()
{
    WindowFixture f;
    frmMain &w = *f.window;
    open(f, f.writeList(u"list.csv"_s, list));
    w.TXT1->setText(u"data"_s);
    QSignalSpy loaded(&w, &frmMain::listLoaded);
    w.Command3->click();
    QVERIFY(loaded.wait(30000));
    const QString result = resultFilePath(w.dataFolder());
    const QByteArray before = readBytes(result);
    open(f, result);
    QCOMPARE(w.CurrentListFile, result);
    QCOMPARE(w.loadedList().lineCount, 5);
    w.TXT1->setText(u"REPORTS"_s);
    w.Command3->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(w.loadedList().lineCount, 2);
    QCOMPARE(w.CurrentListFile, result);
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
    open(f, f.writeList(u"list.csv"_s, (lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8()));
    w.TXT1->setText(u"ДАННЫЕ"_s);
    QSignalSpy loaded(&w, &frmMain::listLoaded);
    w.Command3->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(w.Label24->text(), u"Matches: 3"_s);
    const LoadedList &result = w.loadedList();
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
    QCOMPARE(w.RootPrefix, u"Прочее\\"_s); // the opened list's, kept
    QCOMPARE(f.prompts.boxCount(), 0);
}

QTEST_MAIN(TestUiSearch)
#include "tst_ui_search.moc"
