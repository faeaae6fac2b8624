// "Compare with another list..." in the window: the opened list against a
// chosen one, the summary, the changed folders, the grid by folder and
// filter, the saves, the swap, and browsing the new list.

#include "compare/ListComparison.h"
#include "compare/ui/CompareWindow.h"
#include "testutil_window.h"
#include "zip/testutil_zip.h"

#include <QComboBox>
#include <QStandardItemModel>
#include <QTreeView>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;

namespace {

const QByteArray Old = "D:\\A\\a.jpg,2019-01-02 03:04:05,100,32;7,OK\r\n"
                       "D:\\A\\b.jpg,2019-01-02 03:04:05,200,32;7,OK\r\n"
                       "D:\\A\\B\\c.doc,2019-01-02 03:04:05,300,32;7,Damaged\r\n"
                       "D:\\Gone\\d.txt,2019-01-02 03:04:05,400,32;7,OK\r\n"
                       "D:\\Same\\e.txt,2019-01-02 03:04:05,500,32;7,OK\r\n"
                       "D:\\Same\\g.txt,2019-01-02 03:04:05,600,32;7,Overwritten\r\n";
// Another top folder: paired below it. a.jpg became damaged, b.jpg another
// size, c.doc became good, g.txt another bad status, d.txt and its folder
// gone, f.pst added.
const QByteArray New = "E:\\A\\a.jpg,2019-01-02 03:04:05,100,32;7,Damaged\r\n"
                       "E:\\A\\b.jpg,2019-01-02 03:04:05,250,32;7,OK\r\n"
                       "E:\\A\\B\\c.doc,2019-01-02 03:04:05,300,32;7,OK\r\n"
                       "E:\\A\\B\\f.pst,2019-01-02 03:04:05,9,32;7,OK\r\n"
                       "E:\\Same\\e.txt,2019-01-02 03:04:05,500,32;7,OK\r\n"
                       "E:\\Same\\g.txt,2019-01-02 03:04:05,600,32;7,Damaged\r\n";

struct Compared
{
    QString oldPath;
    QString newPath;
};

Compared compareBoth(WindowFixture &f)
{
    Compared c{f.writeList(u"old.csv"_s, Old), f.writeList(u"new.csv"_s, New)};
    f.openFromCommandLine(c.oldPath);
    f.prompts.openFileAnswers = {c.newPath};
    f.window->findChild<QAction *>(u"mnuCompare"_s)->trigger();
    CompareWindow &w = *f.window->controllers().compare;
    if (!w.waitUntilDone(30000))
        qWarning("the comparison did not end");
    return c;
}

QStringList gridColumn(const CompareWindow &w, int column)
{
    QStringList texts;
    const DifferencesModel &model = *w.controller().model();
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.index(row, column).data().toString());
    return texts;
}

QStringList folderTexts(const QStandardItemModel &model)
{
    QStringList texts;
    std::function<void(const QModelIndex &)> walk = [&](const QModelIndex &parent) {
        for (int row = 0; row < model.rowCount(parent); ++row) {
            const QModelIndex index = model.index(row, 0, parent);
            texts.append(index.data().toString());
            walk(index);
        }
    };
    walk({});
    return texts;
}

} // namespace

class TestUiCompareWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void summaryFoldersAndGrid();
    void filters_data();
    void filters();
    void savedAndSwapped();
    void browseTheNewList();
    void aListInAZip();
    void refused_data();
    void refused();
    void textsInEveryLanguage_data();
    void textsInEveryLanguage();
};

// The summary counts the changes, the tree holds only the folders with one
// below them (a removed file's folder that NEW lacks counts at "Root"), the
// grid all of them, or a folder's own.
void TestUiCompareWindow::summaryFoldersAndGrid()
{
    WindowFixture f;
    frmMain &w = *f.window;
    compareBoth(f);
    CompareWindow &c = *w.controllers().compare;
    QVERIFY(c.controller().compared());
    const ComparisonCounts &counts = c.controller().compared()->comparison.counts;
    QCOMPARE(counts.added, 1);
    QCOMPARE(counts.removed, 1);
    QCOMPARE(counts.statusChanged, 3);
    QCOMPARE(counts.sizeChanged, 1);
    QCOMPARE(counts.unchanged, 1);
    QCOMPARE(text(c.dialog(), "CompareSummary"),
             langText(w, LangEntry::CompareSummary)
                 .arg(u"1"_s, u"1"_s, u"3"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s));
    const QStringList folders = folderTexts(*c.folderModel());
    QCOMPARE(folders.size(), 4); // Root, A, A\B, Same
    QVERIFY(folders[0].startsWith(u"Root"_s));
    QVERIFY2(folders[1].startsWith(u"A "_s) && folders[1].contains(u"+1"_s) &&
                 folders[1].contains(u"~2"_s),
             qPrintable(folders[1]));
    QVERIFY(folders[2].startsWith(u"B "_s));
    QCOMPARE(gridColumn(c, DifferencesModel::PathColumn).size(), 6);
    // A: every difference below it; A\B: those of its files.
    auto *tree = control<QTreeView>(*c.dialog(), "CompareFolders");
    tree->setCurrentIndex(c.folderModel()->index(0, 0, c.folderModel()->index(0, 0)));
    QCOMPARE(gridColumn(c, DifferencesModel::PathColumn).size(), 4);
    const QModelIndex b =
        c.folderModel()->index(0, 0, c.folderModel()->index(0, 0, c.folderModel()->index(0, 0)));
    tree->setCurrentIndex(b);
    QCOMPARE(gridColumn(c, DifferencesModel::ChangeColumn),
             (QStringList{langText(w, LangEntry::CompareStatusChanged),
                          langText(w, LangEntry::CompareAdded)}));
}

void TestUiCompareWindow::filters_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("paths"); // the grid's, all folders
    QTest::newRow("all") << 0 << QStringList{u"A\\B\\c.doc"_s, u"A\\B\\f.pst"_s, u"A\\a.jpg"_s,
                                             u"A\\b.jpg"_s,    u"Gone\\d.txt"_s, u"Same\\g.txt"_s};
    QTest::newRow("added") << 1 << QStringList{u"A\\B\\f.pst"_s};
    QTest::newRow("removed") << 2 << QStringList{u"Gone\\d.txt"_s};
    QTest::newRow("status changed")
        << 3 << QStringList{u"A\\B\\c.doc"_s, u"A\\a.jpg"_s, u"Same\\g.txt"_s};
    QTest::newRow("size changed") << 4 << QStringList{u"A\\b.jpg"_s};
    // Not g.txt: bad before and after.
    QTest::newRow("became damaged") << 5 << QStringList{u"A\\a.jpg"_s};
    QTest::newRow("became good") << 6 << QStringList{u"A\\B\\c.doc"_s};
}

void TestUiCompareWindow::filters()
{
    QFETCH(int, row);
    QFETCH(QStringList, paths);
    WindowFixture f;
    compareBoth(f);
    CompareWindow &c = *f.window->controllers().compare;
    c.setFilterRow(row);
    QCOMPARE(control<QComboBox>(*c.dialog(), "CompareFilter")->currentIndex(), row);
    QStringList shown = gridColumn(c, DifferencesModel::PathColumn);
    shown.sort();
    QCOMPARE(shown, paths);
}

// The differences shown saved as CSV and as a list; never over a list
// compared; swapped, added and removed change places.
void TestUiCompareWindow::savedAndSwapped()
{
    WindowFixture f;
    frmMain &w = *f.window;
    const Compared lists = compareBoth(f);
    CompareWindow &c = *w.controllers().compare;
    const QString folder = QFileInfo(lists.newPath).absolutePath();
    c.setFilterRow(3);
    f.prompts.saveFileAnswers = {folder + u"/changes.csv"_s, folder + u"/changes-list.csv"_s,
                                 lists.oldPath};
    c.saveDifferences(DifferenceFormat::Csv);
    c.saveDifferences(DifferenceFormat::LabList);
    QCOMPARE(f.prompts.count(u"message"_s), 2);
    const QList<QByteArray> csv = readBytes(folder + u"/changes.csv"_s).split('\n');
    QVERIFY2(csv.first().startsWith("change,path,old status,new status,old size,new size"),
             csv.first().constData());
    QCOMPARE(csv.size(), 5); // the header, three rows, the end
    const QByteArray list = readBytes(folder + u"/changes-list.csv"_s);
    QVERIFY(list.contains("E:\\A\\a.jpg,") && list.contains("E:\\A\\B\\c.doc,"));
    QVERIFY(!list.contains("b.jpg"));
    c.saveDifferences(DifferenceFormat::Csv);
    QCOMPARE(f.prompts.count(u"warning"_s), 1);
    QCOMPARE(readBytes(lists.oldPath), Old);

    control<QPushButton>(*c.dialog(), "CompareSwap")->click();
    QVERIFY(c.waitUntilDone(30000));
    const ComparisonCounts &swapped = c.controller().compared()->comparison.counts;
    QCOMPARE(swapped.added, 1);
    QCOMPARE(swapped.removed, 1);
    QVERIFY(text(c.dialog(), "CompareOldName").contains(u"new.csv"_s));
    QVERIFY(text(c.dialog(), "CompareNewName").contains(u"old.csv"_s));
}

// One click and the window browses the new list as any opened list.
void TestUiCompareWindow::browseTheNewList()
{
    WindowFixture f;
    frmMain &w = *f.window;
    const Compared lists = compareBoth(f);
    LoadSpy loaded(w);
    control<QPushButton>(*w.controllers().compare->dialog(), "CompareBrowseNew")->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(QFileInfo(w.session().CurrentListFile()).fileName(), u"new.csv"_s);
    QVERIFY(!w.controllers().compare->dialog()->isVisible());
}

// A zip archive: its first list (as the member grid offers it) is compared.
void TestUiCompareWindow::aListInAZip()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"old.csv"_s, Old));
    const QString zip = QFileInfo(w.session().CurrentListFile()).absolutePath() + u"/second.zip"_s;
    QVERIFY(testing::writeZip(
        zip, {testing::entry("notes.txt", "a note"), testing::entry("pass2.csv", New)}));
    f.prompts.openFileAnswers = {zip};
    w.controllers().compare->showCompare();
    QVERIFY(w.controllers().compare->waitUntilDone(30000));
    QVERIFY(w.controllers().compare->controller().compared());
    QCOMPARE(w.controllers().compare->controller().compared()->comparison.counts.added, 1);
    QVERIFY(text(w.controllers().compare->dialog(), "CompareNewName")
                .contains(u"second.zip:pass2.csv"_s));
}

void TestUiCompareWindow::refused_data()
{
    QTest::addColumn<QString>("other"); // "missing", "folder", "no list"
    QTest::addColumn<QString>("prompt");
    QTest::newRow("no such file") << u"missing"_s << u"warning"_s;
    QTest::newRow("a folder") << u"folder"_s << u"warning"_s;
    QTest::newRow("a zip without a list") << u"no list"_s << u"warning"_s;
}

// What cannot be compared is said, nothing is compared; without a list the
// window does not open.
void TestUiCompareWindow::refused()
{
    QFETCH(QString, other);
    QFETCH(QString, prompt);
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"old.csv"_s, Old));
    const QString folder = QFileInfo(w.session().CurrentListFile()).absolutePath();
    QString path = folder + u"/nothing.csv"_s;
    if (other == u"folder") {
        path = folder + u"/sub"_s;
        QDir(folder).mkdir(u"sub"_s);
    } else if (other == u"no list") {
        path = folder + u"/notes.zip"_s;
        QVERIFY(testing::writeZip(path, {testing::entry("picture.jpg", "no list here")}));
    }
    f.prompts.clear();
    f.prompts.openFileAnswers = {path};
    w.controllers().compare->showCompare();
    QVERIFY(w.controllers().compare->waitUntilDone(30000));
    QCOMPARE(f.prompts.count(prompt), 1);
    QVERIFY(!w.controllers().compare->controller().compared());

    WindowFixture empty;
    empty.window->controllers().compare->showCompare();
    QCOMPARE(empty.prompts.count(u"message"_s), 1);
    QVERIFY(!empty.window->controllers().compare->dialog());
}

void TestUiCompareWindow::textsInEveryLanguage_data()
{
    addLanguageRows();
}

void TestUiCompareWindow::textsInEveryLanguage()
{
    QFETCH(int, language);
    WindowFixture f;
    frmMain &w = *f.window;
    compareBoth(f);
    w.LoadLanguage(language);
    CompareWindow &c = *w.controllers().compare;
    QCOMPARE(c.dialog()->windowTitle(), langText(w, LangEntry::CompareTitle));
    QCOMPARE(w.findChild<QAction *>(u"mnuCompare"_s)->text(), langText(w, LangEntry::CompareOpen));
    QCOMPARE(control<QComboBox>(*c.dialog(), "CompareFilter")->itemText(5),
             langText(w, LangEntry::CompareBecameBad));
    QCOMPARE(c.controller()
                 .model()
                 ->headerData(DifferencesModel::OldStatusColumn, Qt::Horizontal)
                 .toString(),
             langText(w, LangEntry::CompareOldStatusColumn));
    QVERIFY(text(c.dialog(), "CompareOldName")
                .startsWith(langText(w, LangEntry::CompareOld).section(u"%1"_s, 0, 0)));
    for (int entry = int(LangEntry::CompareOpen); entry <= int(LangEntry::CompareShow); ++entry)
        QVERIFY(!langText(w, LangEntry(entry)).isEmpty());
}

QTEST_MAIN(TestUiCompareWindow)
#include "tst_ui_comparewindow.moc"
