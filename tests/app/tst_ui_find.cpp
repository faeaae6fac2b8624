// Narrowing the list as the user types in the Term box: the tree keeps the
// folders with matches (with their counts), the grid the matches of the
// folder shown, the legend the matches' statuses; Esc or an empty box brings
// the whole list back on the folder shown before; Enter still runs the
// search of the file; a new list ends the narrowing.

#include "basket/Basket.h"
#include "basket/ui/BasketController.h"
#include "browse/ui/FolderTreeModel.h"
#include "find/ui/FindController.h"
#include "testutil_window.h"

#include <QLineEdit>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;

namespace {

const QByteArray List = "D:\\Photos\\2019\\beach.jpg,2019-01-02 03:04:05,60000,32;7,OK\r\n"
                        "D:\\Photos\\2019\\notes.txt,2019-01-02 03:04:05,30,32;7,OK\r\n"
                        "D:\\Photos\\2020\\snow.jpg,2020-01-02 03:04:05,50000,32;7,Damaged\r\n"
                        "D:\\Mail\\box.pst,2019-01-02 03:04:05,20000,32;7,OK\r\n"
                        "D:\\Mail\\Old\\archive.pst,2018-01-02 03:04:05,20000,32;7,Overwritten\r\n"
                        "D:\\top.jpg,2019-01-02 03:04:05,10,32;7,OK\r\n";

QLineEdit *termBox(frmMain &w)
{
    return control<QLineEdit>(w, "TXT1");
}

// Types text into the Term box as a user does and waits for the narrowing.
void type(frmMain &w, const QString &text)
{
    QTest::keyClicks(termBox(w), text);
    QTRY_VERIFY_WITH_TIMEOUT(!w.controllers().find->isBusy(), 10000);
}

// The folders the tree shows, one a line, two spaces a level.
QStringList treeRows(const QAbstractItemModel &m, const QModelIndex &parent = {}, int depth = 0)
{
    QStringList out;
    for (int r = 0; r < m.rowCount(parent); ++r) {
        const QModelIndex i = m.index(r, 0, parent);
        out << QString(depth * 2, u' ') + i.data().toString();
        out += treeRows(m, i, depth + 1);
    }
    return out;
}

QString countText(frmMain &w)
{
    return control<QLabel>(w, "FindCount")->text();
}

} // namespace

class TestUiFind : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void narrowsAsTyped();
    void backOnTheFolderShownBefore_data();
    void backOnTheFolderShownBefore();
    void everyLineMatching();
    void wordNotUnderstood();
    void addAllShownTakesTheMatches();
    void enterStillSearchesTheFile();
    void newListEndsIt();
    void textsInEveryLanguage_data();
    void textsInEveryLanguage();
};

void TestUiFind::narrowsAsTyped()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    FolderTreeModel &tree = *folderTreeModel(w);
    const QStringList whole = treeRows(tree);
    type(w, u"jpg"_s);
    QVERIFY(w.controllers().find->isNarrowed());
    QVERIFY(tree.isNarrowed());
    QCOMPARE(treeRows(tree), (QStringList{u"Root"_s, u"  Photos"_s, u"    2019"_s, u"    2020"_s}));
    QCOMPARE(tree.matchesBelow(0), 3);
    QCOMPARE(tree.matchesBelow(f.item(u"Photos"_s)), 2);
    // Root's grid: the folder with matches and the file that matches.
    QCOMPARE(f.gridNames(), (QStringList{u"Photos"_s, u"top.jpg"_s}));
    QCOMPARE(countText(w), langText(w, LangEntry::FindCount)
                               .arg(u"3"_s, w.formatSizeShown(*ByteTotal::fromBytes(110010))));
    // The legend follows the matches: two OK, one damaged, nothing overwritten.
    const QStringList legend = recoveryLegend(w)->rowTexts();
    QCOMPARE(legend.size(), 2);
    QVERIFY2(legend[0].startsWith(u"OK  2"_s), qPrintable(legend.join(u'|')));
    // A folder picked while narrowed lists its matches only.
    w.controllers().browse->ShowFolder(f.item(u"Photos\\2019"_s));
    QCOMPARE(f.gridNames(), (QStringList{u".."_s, u"beach.jpg"_s}));
    // Growing the query narrows on.
    type(w, u" 2020"_s);
    QCOMPARE(treeRows(tree), (QStringList{u"Root"_s, u"  Photos"_s, u"    2020"_s}));
    // The folder shown had no match left: "Root" is shown.
    QCOMPARE(currentFolderItem(w), 0);
    // Removing the last word widens again.
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(termBox(w), Qt::Key_Backspace);
    QTRY_VERIFY_WITH_TIMEOUT(!w.controllers().find->isBusy(), 10000);
    QCOMPARE(treeRows(tree).size(), 4);
    QVERIFY(whole.size() > 4);
}

// Esc, or the box emptied, shows the whole tree on the folder shown before
// the narrowing began.
void TestUiFind::backOnTheFolderShownBefore_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Esc") << true;
    QTest::newRow("box emptied") << false;
}

void TestUiFind::backOnTheFolderShownBefore()
{
    QFETCH(bool, escape);
    WindowFixture f;
    QVERIFY(f.show());
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    w.controllers().browse->ShowFolder(f.item(u"Mail"_s));
    const QStringList before = f.gridNames();
    termBox(w)->setFocus();
    type(w, u"beach"_s);
    QCOMPARE(currentFolderItem(w), 0);
    if (escape) {
        QTest::keyClick(termBox(w), Qt::Key_Escape);
        QCOMPARE(termBox(w)->text(), QString());
    } else {
        termBox(w)->selectAll();
        QTest::keyClick(termBox(w), Qt::Key_Delete);
    }
    QTRY_VERIFY(!w.controllers().find->isNarrowed());
    QVERIFY(!folderTreeModel(w)->isNarrowed());
    QCOMPARE(currentFolderItem(w), f.item(u"Mail"_s));
    QCOMPARE(f.gridNames(), before);
    QCOMPARE(countText(w), QString());
    QCOMPARE(recoveryLegend(w)->rowTexts().size(), 3);
}

// A query every line matches leaves the tree as it is; the count says all.
void TestUiFind::everyLineMatching()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    type(w, u"D:"_s);
    QVERIFY(!folderTreeModel(w)->isNarrowed());
    QCOMPARE(countText(w), langText(w, LangEntry::FindAll).arg(u"6"_s));
    type(w, u"zzz-nothing"_s);
    QCOMPARE(treeRows(*folderTreeModel(w)), QStringList{u"Root"_s});
    QCOMPARE(countText(w), langText(w, LangEntry::FindNone));
    QCOMPARE(f.gridNames(), QStringList());
}

// A word that cannot be read is named in the tooltip, and the rest narrows.
void TestUiFind::wordNotUnderstood()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    type(w, u"pst size:>abc"_s);
    QVERIFY(w.controllers().find->isNarrowed());
    QCOMPARE(folderTreeModel(w)->matchesBelow(0), 2);
    // As plain text: what was typed is never taken as markup.
    const QString tip = termBox(w)->toolTip();
    QVERIFY(!tip.contains(u"size:>"_s));
    QVERIFY2(tip.contains(u"size:&gt;abc"_s), qPrintable(tip));
    QVERIFY2(tip.contains(langText(w, LangEntry::FindBadSize).toHtmlEscaped()), qPrintable(tip));
    QVERIFY(tip.contains(langText(w, LangEntry::FindTipKind)));
    // Only words that cannot be read: nothing narrows.
    termBox(w)->clear();
    type(w, u"size:>abc"_s);
    QVERIFY(!w.controllers().find->isNarrowed());
}

// "Add all shown" while narrowed chooses the matches, of a search result too.
void TestUiFind::addAllShownTakesTheMatches()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    type(w, u"jpg"_s);
    control<QPushButton>(w, "BasketAddShown")->click();
    QCOMPARE(w.controllers().basket->basket().count(), 3);
    type(w, u" 2019"_s);
    control<QPushButton>(w, "BasketRemoveShown")->click();
    QCOMPARE(w.controllers().basket->basket().count(), 2);
    // Back to the whole list: all of it.
    w.controllers().find->widen();
    control<QPushButton>(w, "BasketAddShown")->click();
    QCOMPARE(w.controllers().basket->basket().count(), 6);
    // A search result narrowed: its matches, as lines of the opened list.
    control<QPushButton>(w, "BasketRemoveShown")->click();
    termBox(w)->setText(u"photos"_s);
    LoadSpy loaded(w);
    QTest::keyClick(termBox(w), Qt::Key_Return);
    QVERIFY(loaded.wait(30000));
    QCOMPARE(shownList(w).lineCount, 3);
    termBox(w)->clear();
    type(w, u"snow"_s);
    QTRY_VERIFY(w.controllers().find->isNarrowed());
    control<QPushButton>(w, "BasketAddShown")->click();
    QTRY_COMPARE(w.controllers().basket->basket().count(), 1);
}

void TestUiFind::enterStillSearchesTheFile()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    type(w, u"pst"_s);
    QVERIFY(w.controllers().find->isNarrowed());
    LoadSpy loaded(w);
    QTest::keyClick(termBox(w), Qt::Key_Return);
    QVERIFY(loaded.wait(30000));
    // The search result replaced the list: the narrowing of the old one ended.
    QCOMPARE(shownList(w).lineCount, 2);
    QVERIFY(!w.controllers().find->isNarrowed());
    QVERIFY(!folderTreeModel(w)->isNarrowed());
    QVERIFY(!w.controllers().find->isBusy());
}

void TestUiFind::newListEndsIt()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    type(w, u"jpg"_s);
    QVERIFY(w.controllers().find->isNarrowed());
    QVERIFY(f.load(
        f.writeList(u"other.csv"_s, "E:\\A\\x.jpg,d,1,32;7,OK\r\nE:\\B\\y,d,1,32;7,OK\r\n")));
    QVERIFY(!w.controllers().find->isNarrowed());
    QCOMPARE(treeRows(*folderTreeModel(w)), (QStringList{u"Root"_s, u"  A"_s, u"  B"_s}));
}

void TestUiFind::textsInEveryLanguage_data()
{
    addLanguageRows();
}

void TestUiFind::textsInEveryLanguage()
{
    QFETCH(int, language);
    WindowFixture f;
    frmMain &w = *f.window;
    w.LoadLanguage(language);
    const QStringList column = langColumn(language);
    QCOMPARE(control<QLabel>(w, "FindHint")->text(), column[int(LangEntry::FindHint)]);
    QVERIFY(termBox(w)->toolTip().contains(column[int(LangEntry::FindTipSize)].toHtmlEscaped()));
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    type(w, u"pst"_s);
    QCOMPARE(countText(w), column[int(LangEntry::FindCount)].arg(
                               formatCountShown(w, 2), countText(w).section(u" \u00b7 "_s, 1)));
}

QTEST_MAIN(TestUiFind)
#include "tst_ui_find.moc"
