// Browsing through the window: the tree pick, the file grid, double-clicks,
// the keys, the details panel, sorting, copying and the icons.

#include "browse/FileGridModel.h"
#include "browse/ui/FileTypeIcons.h"
#include "browse/ui/FolderTreeModel.h"
#include "testutil_window.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QTableView>
#include <QTreeView>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;

namespace {

const QByteArray sampleList = "Data\\Docs\\Reports\\r1.doc,1/2/2009 10:00,1536,33;a,Recovered\r\n"
                              "Data\\Docs\\Reports\\r2.doc,1/3/2009 10:00,0,32;b,Partial\r\n"
                              "Data\\Docs\\notes.txt,1/4/2009 10:00,2048,22;c,Recovered\r\n"
                              "Data\\Docs\\bare.txt,1/5/2009 10:00,10,32,Bad\r\n"
                              "Data\\Docs\\Docs\\Reports\\deep.txt,1/6/2009,5,16416;d,Good\r\n"
                              "Data\\docs\\lower.txt,1/7/2009,7,1;e,Good\r\n"
                              "Data\\Docs\\..,1/8/2009,1,1;f,Good\r\n"
                              "Data\\Docs\\no comma line\r\n"
                              "Data\\SETUP.EXE,1/9/2009,1234567,32;g,Recovered\r\n"
                              "Data\\top.jpg,1/10/2009,99,32;h,Recovered\r\n";

struct Browsing : WindowFixture
{
    Browsing()
    {
        tester = std::make_unique<QAbstractItemModelTester>(
            fileGrid(*window), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
    bool open(const QByteArray &bytes = sampleList)
    {
        return load(writeList(u"list.csv"_s, bytes));
    }
    int treeCurrent() const
    {
        return folderTreeModel(*window)->itemOf(
            control<QTreeView>(*window, "SftTree1")->currentIndex());
    }
    QModelIndex treeIndex(int item) const { return folderTreeModel(*window)->indexOf(item); }
    void makeCurrent(int row) const
    {
        control<QTableView>(*window, "iGrid2")
            ->setCurrentIndex(fileGrid(*window)->index(row - 1, 0));
    }
    std::unique_ptr<QAbstractItemModelTester> tester;
};

} // namespace

class TestUiBrowse : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pickRoot();
    void pickFolder();
    void upAndDown();
    void fileRowDoesNothing();
    void caseOfNames();
    void samePickTwice();
    void treeKeyboard();
    void keys();
    void details_data();
    void details();
    void hintFollowsRow();
    void tooltip();
    void headerSort();
    void copyPaths();
    void tabSwitch();
    void clearViews();
    void iconPositions();
    void bigFolderAsksThemeOncePerExtension();
    void namesNoMediaTypeKnows();
    void deepTree();
    void screenshot();
};

void TestUiBrowse::pickRoot()
{
    Browsing b;
    QVERIFY(b.open());
    QCOMPARE(currentFolderItem(*b.window), -1);
    b.window->SftTree1_ItemClick(0);
    QCOMPARE(currentFolderItem(*b.window), 0);
    QCOMPARE(b.header(), u"Root"_s);
    QCOMPARE(b.gridNames(), (QStringList{u"Docs"_s, u"docs"_s, u"SETUP.EXE"_s, u"top.jpg"_s}));
    // The lines of "Root": all of them, by binary search.
    QCOMPARE(firstFolderLine(*b.window), 0);
    QCOMPARE(lastFolderLine(*b.window), int(shownList(*b.window).iGrid1.count()) - 1);
    const FileGridModel *grid = fileGrid(*b.window);
    QCOMPARE(grid->imagePosition(0), int(FolderImage));
    QCOMPARE(grid->imagePosition(2), int(ProgramImage));
    QCOMPARE(grid->index(2, 2).data().toString(), u"1,234,567"_s);
    QVERIFY(control<QTableView>(*b.window, "iGrid2")->isColumnHidden(3));
}

void TestUiBrowse::pickFolder()
{
    Browsing b;
    QVERIFY(b.open());
    const int docs = b.item(u"Docs"_s);
    b.window->SftTree1_ItemClick(docs);
    QCOMPARE(b.header(), u"Docs"_s);
    // "..", folders, files; the line without "," never shows; ".." as a file
    // name is an ordinary row.
    QCOMPARE(b.gridNames(), (QStringList{u".."_s, u"Docs"_s, u"Reports"_s, u".."_s, u"bare.txt"_s,
                                         u"notes.txt"_s}));
    QCOMPARE(b.treeCurrent(), docs);
    QVERIFY(control<QTreeView>(*b.window, "SftTree1")->isExpanded(b.treeIndex(docs)));
    // The repeated key 'Docs\' deeper down stays in its own folder.
    b.window->SftTree1_ItemClick(b.item(u"Docs\\Docs\\Reports"_s));
    QCOMPARE(b.gridNames(), (QStringList{u".."_s, u"deep.txt"_s}));
}

void TestUiBrowse::upAndDown()
{
    Browsing b;
    QVERIFY(b.open());
    b.window->SftTree1_ItemClick(0);
    b.window->iGrid2_DblClick(b.row(u"Docs"_s), 1);
    QCOMPARE(currentFolderItem(*b.window), b.item(u"Docs"_s));
    b.window->iGrid2_DblClick(b.row(u"Reports"_s), 3);
    QCOMPARE(currentFolderItem(*b.window), b.item(u"Docs\\Reports"_s));
    QCOMPARE(b.header(), u"Reports"_s);
    QCOMPARE(b.treeCurrent(), b.item(u"Docs\\Reports"_s));
    QVERIFY(control<QTreeView>(*b.window, "SftTree1")->isExpanded(b.treeIndex(b.item(u"Docs"_s))));
    b.window->iGrid2_DblClick(1, 1); // ".."
    QCOMPARE(currentFolderItem(*b.window), b.item(u"Docs"_s));
    b.window->iGrid2_DblClick(1, 1);
    QCOMPARE(currentFolderItem(*b.window), 0);
    QCOMPARE(b.header(), u"Root"_s);
    QCOMPARE(b.treeCurrent(), 0);
    // Root has no ".." row: row 1 is a folder and enters it.
    b.window->iGrid2_DblClick(1, 1);
    QCOMPARE(currentFolderItem(*b.window), b.item(u"Docs"_s));
}

void TestUiBrowse::fileRowDoesNothing()
{
    Browsing b;
    QVERIFY(b.open());
    b.window->SftTree1_ItemClick(b.item(u"Docs"_s));
    const QStringList before = b.gridNames();
    QSignalSpy resets(fileGrid(*b.window), &QAbstractItemModel::modelReset);
    b.window->iGrid2_DblClick(b.row(u"notes.txt"_s), 1);
    b.window->iGrid2_DblClick(5, 1); // the file named ".."
    b.window->iGrid2_DblClick(0, 1);
    b.window->iGrid2_DblClick(99, 1);
    QCOMPARE(resets.count(), 0);
    QCOMPARE(b.gridNames(), before);
    QCOMPARE(currentFolderItem(*b.window), b.item(u"Docs"_s));

    // A file named ".." standing in row 1 of "Root" is a file like any other.
    QVERIFY(b.open("Data\\..,d,1,1;,s\r\nData\\b.txt,d,1,1;,s\r\n"));
    b.window->SftTree1_ItemClick(0);
    QCOMPARE(b.gridNames(), (QStringList{u".."_s, u"b.txt"_s}));
    b.window->iGrid2_DblClick(1, 1);
    QCOMPARE(currentFolderItem(*b.window), 0);
    QCOMPARE(b.gridNames(), (QStringList{u".."_s, u"b.txt"_s}));
}

void TestUiBrowse::caseOfNames()
{
    Browsing b;
    QVERIFY(b.open());
    b.window->SftTree1_ItemClick(0);
    b.window->iGrid2_DblClick(b.row(u"docs"_s), 1);
    QCOMPARE(currentFolderItem(*b.window), b.item(u"docs"_s));
    QCOMPARE(b.gridNames(), (QStringList{u".."_s, u"lower.txt"_s}));
    QVERIFY(b.item(u"docs"_s) != b.item(u"Docs"_s));
}

void TestUiBrowse::samePickTwice()
{
    Browsing b;
    QVERIFY(b.open());
    b.window->SftTree1_ItemClick(0);
    QSignalSpy resets(fileGrid(*b.window), &QAbstractItemModel::modelReset);
    b.window->SftTree1_ItemClick(0);
    QCOMPARE(resets.count(), 0);
    b.window->SftTree1_ItemClick(-1); // no item: nothing
    b.window->SftTree1_ItemClick(10000);
    QCOMPARE(resets.count(), 0);
    QCOMPARE(currentFolderItem(*b.window), 0);
}

void TestUiBrowse::treeKeyboard()
{
    Browsing b;
    QVERIFY(b.open());
    QVERIFY(b.show());
    QTreeView *tree = control<QTreeView>(*b.window, "SftTree1");
    tree->setFocus();
    tree->setCurrentIndex(folderTreeModel(*b.window)->indexOf(0));
    QCOMPARE(currentFolderItem(*b.window), 0);
    QTest::keyClick(tree, Qt::Key_Down);
    QCOMPARE(currentFolderItem(*b.window), b.treeCurrent());
    QVERIFY(currentFolderItem(*b.window) > 0);
}

void TestUiBrowse::keys()
{
    Browsing b;
    QVERIFY(b.open());
    QVERIFY(b.show());
    control<QTabWidget>(*b.window, "SSTab1")->setCurrentIndex(1);
    b.window->SftTree1_ItemClick(0);
    QTableView *grid = control<QTableView>(*b.window, "iGrid2");
    grid->setFocus();
    b.makeCurrent(b.row(u"Docs"_s));
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(currentFolderItem(*b.window), b.item(u"Docs"_s));
    QTest::keyClick(grid, Qt::Key_Backspace);
    QCOMPARE(currentFolderItem(*b.window), 0);
    QTest::keyClick(grid, Qt::Key_Backspace); // at "Root": nothing
    QCOMPARE(currentFolderItem(*b.window), 0);
    // A double-click with the mouse enters one level, no more.
    const QRect docsCell = grid->visualRect(fileGrid(*b.window)->index(b.row(u"Docs"_s) - 1, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, docsCell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, docsCell.center());
    QCOMPARE(currentFolderItem(*b.window), b.item(u"Docs"_s));
    const QRect upCell = grid->visualRect(fileGrid(*b.window)->index(0, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, upCell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, upCell.center());
    QCOMPARE(currentFolderItem(*b.window), 0);
    // Type-ahead moves to the first name that begins with the keys.
    QTest::keyClicks(grid, u"to"_s);
    QCOMPARE(grid->currentIndex().data().toString(), u"top.jpg"_s);
    // Also from a cell of another column: the names are searched.
    grid->setCurrentIndex(fileGrid(*b.window)->index(0, FileGridModel::StatusColumn));
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClicks(grid, u"se"_s);
    QCOMPARE(grid->currentIndex().row() + 1, b.row(u"SETUP.EXE"_s));
    QCOMPARE(grid->currentIndex().column(), int(FileGridModel::NameColumn));
}

void TestUiBrowse::details_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("labels"); // Label19, Label20, Label21, UniLabel1 entry
    QTest::newRow("1,536 bytes, RA")
        << u"Docs\\Reports"_s << u"r1.doc"_s
        << QStringList{u"1.5 Kb"_s, u"1/2/2009 10:00"_s, u"RA"_s, u"26"_s};
    QTest::newRow("0 bytes") << u"Docs\\Reports"_s << u"r2.doc"_s
                             << QStringList{u"0"_s, u"1/3/2009 10:00"_s, u"A"_s, u"26"_s};
    QTest::newRow("DHS") << u"Docs"_s << u"notes.txt"_s
                         << QStringList{u"2.0 Kb"_s, u"1/4/2009 10:00"_s, u"DHS"_s, u"26"_s};
    QTest::newRow("AE") << u"Docs\\Docs\\Reports"_s << u"deep.txt"_s
                        << QStringList{u"5 Bytes"_s, u"1/6/2009"_s, u"AE"_s, u"26"_s};
    QTest::newRow("attributes without ;")
        << u"Docs"_s << u"bare.txt"_s << QStringList{QString(), QString(), QString(), u"32"_s};
    QTest::newRow("folder row") << u"Docs"_s << u"Reports"_s
                                << QStringList{QString(), QString(), QString(), u"32"_s};
    QTest::newRow(".. row") << u"Docs"_s << u".."_s
                            << QStringList{QString(), QString(), QString(), u"32"_s};
}

void TestUiBrowse::details()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QStringList, labels);
    Browsing b;
    QVERIFY(b.open());
    b.window->SftTree1_ItemClick(b.item(folder));
    b.makeCurrent(b.row(name)); // the first row of that name
    QCOMPARE(control<QLabel>(*b.window, "Label19")->text(), labels[0]);
    QCOMPARE(control<QLabel>(*b.window, "Label20")->text(), labels[1]);
    QCOMPARE(control<QLabel>(*b.window, "Label21")->text(), labels[2]);
    QCOMPARE(control<QLabel>(*b.window, "UniLabel1")->text(),
             langText(*b.window, LangEntry(labels[3].toInt())));
}

void TestUiBrowse::hintFollowsRow()
{
    Browsing b;
    QVERIFY(b.open());
    b.window->SftTree1_ItemClick(b.item(u"Docs"_s));
    QCOMPARE(control<QLabel>(*b.window, "UniLabel1")->text(),
             langText(*b.window, LangEntry::DetailsHint));
    b.makeCurrent(2); // a folder row
    const QLabel *hint = control<QLabel>(*b.window, "UniLabel1");
    QCOMPARE(hint->text(), langText(*b.window, LangEntry::DetailsNotAFile));
    b.makeCurrent(b.row(u"notes.txt"_s));
    QCOMPARE(hint->text(), langText(*b.window, LangEntry::DetailsHint));
    QCOMPARE(control<QLabel>(*b.window, "Label21")->text(), u"DHS"_s);
    // Showing another folder leaves the panel as it is.
    b.window->SftTree1_ItemClick(0);
    QCOMPARE(control<QLabel>(*b.window, "Label21")->text(), u"DHS"_s);
}

void TestUiBrowse::tooltip()
{
    Browsing b;
    const QString longName = QString(300, u'x') + u".txt"_s;
    QVERIFY(b.open("Data\\" + longName.toLatin1() + ",d,1,1;,s\r\n"));
    b.window->SftTree1_ItemClick(0);
    const FileGridModel *grid = fileGrid(*b.window);
    QCOMPARE(grid->index(0, 0).data(Qt::ToolTipRole).toString(), longName);
    QCOMPARE(grid->index(0, 1).data(Qt::ToolTipRole).toString(), QString());
}

void TestUiBrowse::headerSort()
{
    Browsing b;
    QVERIFY(b.open());
    QVERIFY(b.show());
    control<QTabWidget>(*b.window, "SSTab1")->setCurrentIndex(1);
    b.window->SftTree1_ItemClick(b.item(u"Docs"_s));
    QHeaderView *header = control<QTableView>(*b.window, "iGrid2")->horizontalHeader();
    const QPoint sizeHeader(header->sectionViewportPosition(FileGridModel::SizeColumn) + 5, 5);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, sizeHeader);
    QVERIFY(header->isSortIndicatorShown());
    const Qt::SortOrder first = header->sortIndicatorOrder();
    const QStringList ascending{u".."_s, u"Docs"_s,     u"Reports"_s,
                                u".."_s, u"bare.txt"_s, u"notes.txt"_s};
    QStringList descending{u".."_s,        u"Docs"_s,     u"Reports"_s,
                           u"notes.txt"_s, u"bare.txt"_s, u".."_s};
    QCOMPARE(b.gridNames(), first == Qt::AscendingOrder ? ascending : descending);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, sizeHeader);
    QCOMPARE(b.gridNames(), first == Qt::AscendingOrder ? descending : ascending);
    // The order stays for the next folder.
    b.window->iGrid2_DblClick(1, 1);
    QCOMPARE(b.gridNames().mid(2),
             (first == Qt::AscendingOrder ? QStringList{u"SETUP.EXE"_s, u"top.jpg"_s}
                                          : QStringList{u"top.jpg"_s, u"SETUP.EXE"_s}));
}

void TestUiBrowse::copyPaths()
{
    Browsing b;
    QVERIFY(b.open());
    QVERIFY(b.show());
    control<QTabWidget>(*b.window, "SSTab1")->setCurrentIndex(1);
    b.window->SftTree1_ItemClick(b.item(u"Docs"_s));
    QTableView *grid = control<QTableView>(*b.window, "iGrid2");
    grid->setFocus();
    grid->selectionModel()->select(fileGrid(*b.window)->index(b.row(u"notes.txt"_s) - 1, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    grid->selectionModel()->select(fileGrid(*b.window)->index(1, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(b.prompts.clipboard, u"Data\\Docs\\Docs\nData\\Docs\\notes.txt"_s);
}

void TestUiBrowse::tabSwitch()
{
    Browsing b;
    QVERIFY(b.open());
    QVERIFY(b.show());
    auto *tabs = control<QTabWidget>(*b.window, "SSTab1");
    const auto *open = control<QGroupBox>(*b.window, "Frame2");
    const auto *view = control<QGroupBox>(*b.window, "Frame1");
    QCOMPARE(tabs->currentIndex(), 1);
    for (int page : {0, 1}) {
        tabs->setCurrentIndex(page);
        QCOMPARE(open->isVisibleTo(b.window.get()), page == 0);
        QCOMPARE(view->isVisibleTo(b.window.get()), page == 1);
    }
}

void TestUiBrowse::clearViews()
{
    Browsing b;
    QVERIFY(b.open());
    b.window->SftTree1_ItemClick(b.item(u"Docs"_s));
    QVERIFY(fileGrid(*b.window)->rowCount() > 0);
    // A new load empties the grid; the first pick after it, Root too, fills it.
    QVERIFY(b.open("Data\\x.txt,d,1,1;,s\r\n"));
    QCOMPARE(fileGrid(*b.window)->rowCount(), 0);
    QCOMPARE(currentFolderItem(*b.window), -1);
    b.window->SftTree1_ItemClick(0);
    QCOMPARE(b.gridNames(), QStringList{u"x.txt"_s});
    // An empty list: no tree, nothing to pick, the grid stays empty.
    QVERIFY(b.open(QByteArray()));
    b.window->SftTree1_ItemClick(0);
    QCOMPARE(fileGrid(*b.window)->rowCount(), 0);
}

void TestUiBrowse::iconPositions()
{
    Browsing b;
    FileTypeIcons &icons = fileTypeIcons(*b.window);
    QCOMPARE(icons.key(0), u"myFolderType"_s);
    QCOMPARE(icons.key(1), u"UnknownFileType"_s);
    QCOMPARE(icons.key(2), u".exe"_s);
    for (int i = 0; i < 3; ++i)
        QVERIFY(!icons.icon(i).pixmap(16, 16).isNull());
    const int txt = b.window->controllers().browse->GetFileIcon(u"a.txt"_s);
    QVERIFY(txt >= 3); // the desktop's theme (or the one found under /usr/share/icons)
    QCOMPARE(b.window->controllers().browse->GetFileIcon(u"b.txt"_s), txt);
    const int upper = b.window->controllers().browse->GetFileIcon(u"c.TXT"_s);
    QVERIFY(upper != txt);
    QCOMPARE(icons.key(upper), u".TXT"_s);
    QCOMPARE(b.window->controllers().browse->GetFileIcon(u"x.unknown-type-zz"_s),
             int(GenericFileImage));
    QCOMPARE(b.window->controllers().browse->GetFileIcon(u"noextension-zz"_s),
             int(GenericFileImage));
    QCOMPARE(b.window->controllers().browse->GetFileIcon(u"setup.EXE"_s), int(GenericFileImage));
    QVERIFY(!icons.icon(txt).pixmap(16, 16).isNull());
}

void TestUiBrowse::bigFolderAsksThemeOncePerExtension()
{
    Browsing b;
    int asked = 0;
    fileTypeIcons(*b.window).setThemeLookup([&](const QString &name) {
        ++asked;
        return name.startsWith(u"text"_s) || name.startsWith(u"image"_s)
                   ? FileTypeIcons::genericFileImage()
                   : QIcon();
    });
    QByteArray bytes;
    const char *const types[] = {".txt", ".jpg", ".png", ".pdf"};
    constexpr int Files = 100000;
    for (int i = 0; i < Files; ++i)
        bytes += "Data\\Big\\f" + QByteArray::number(i) + types[i % 4] + ",d,1,32;x,OK\r\n";
    QVERIFY(b.open(bytes));
    b.window->SftTree1_ItemClick(b.item(u"Big"_s));
    QCOMPARE(fileGrid(*b.window)->rowCount(), Files + 1);
    QCOMPARE(fileTypeIcons(*b.window).themeLookups(), 4);
    // .pdf: its icon and its generic icon were both asked, neither found.
    QCOMPARE(asked, 4 + 1);
    QCOMPARE(fileGrid(*b.window)->imagePosition(b.row(u"f3.pdf"_s) - 1), int(GenericFileImage));
    // Showing it again asks nothing new.
    b.window->SftTree1_ItemClick(0);
    b.window->SftTree1_ItemClick(b.item(u"Big"_s));
    QCOMPARE(fileTypeIcons(*b.window).themeLookups(), 4);
}

// A browser cache holds 100,000 files named without any extension: each name
// is its own key, and the media type database is slow for a name it does
// not know. Such names are not asked about one by one; the names it does
// know keep their images.
void TestUiBrowse::namesNoMediaTypeKnows()
{
    Browsing b;
    fileTypeIcons(*b.window).setThemeLookup(
        [](const QString &) { return FileTypeIcons::genericFileImage(); });
    QByteArray bytes;
    constexpr int Files = 20000;
    for (int i = 0; i < Files; ++i)
        bytes += "Data\\Cache\\f_" + QByteArray::number(i, 16).rightJustified(6, '0') +
                 ",d,1,32;x,OK\r\n";
    const char *const known[] = {"Makefile", "README", "notes.txt", "backup~", "libz.so.1"};
    for (const char *name : known)
        bytes += "Data\\Cache\\" + QByteArray(name) + ",d,1,32;x,OK\r\n";
    QVERIFY(b.open(bytes));
    b.window->SftTree1_ItemClick(b.item(u"Cache"_s));
    QCOMPARE(fileGrid(*b.window)->rowCount(), Files + 1 + int(std::size(known)));
    QVERIFY2(fileTypeIcons(*b.window).mediaTypeLookups() <= int(std::size(known)),
             qPrintable(QString::number(fileTypeIcons(*b.window).mediaTypeLookups())));
    QCOMPARE(fileGrid(*b.window)->imagePosition(b.row(u"f_000000"_s) - 1), int(GenericFileImage));
    // Each known name found its media type and got an image of its own.
    for (const char *name : known)
        QVERIFY2(fileGrid(*b.window)->imagePosition(b.row(QString::fromLatin1(name)) - 1) >
                     int(ProgramImage),
                 name);
}

// A folder thousands of levels deep: picking it opens every level above it
// in the tree, and the window still paints.
void TestUiBrowse::deepTree()
{
    Browsing b;
    constexpr int Levels = 5000;
    QByteArray path = "Data\\";
    for (int i = 0; i < Levels; ++i)
        path += "d" + QByteArray::number(i) + "\\";
    QVERIFY(b.open(path + "f.txt,d,1,32;x,OK\r\n"));
    b.window->resize(900, 600);
    QVERIFY(b.show());
    const int deepest = shownList(*b.window).SftTree1.count() - 1;
    QCOMPARE(shownList(*b.window).SftTree1.item(deepest).level, Levels);
    control<QTabWidget>(*b.window, "SSTab1")->setCurrentIndex(1);
    b.window->SftTree1_ItemClick(deepest);
    QCoreApplication::processEvents();
    control<QTreeView>(*b.window, "SftTree1")->repaint();
    QCOMPARE(b.gridNames(), (QStringList{u".."_s, u"f.txt"_s}));
    QCOMPARE(b.treeCurrent(), deepest);
    // Up one level through "..".
    b.window->iGrid2_DblClick(1, 1);
    QCOMPARE(b.treeCurrent(), deepest - 1);
}

void TestUiBrowse::screenshot()
{
    Browsing b;
    QString list = sourceDir() + u"/data/samples/recovered-disk.csv"_s;
    if (!QFile::exists(list))
        list = b.writeList(u"sample.csv"_s, sampleList);
    QVERIFY(b.load(list));
    b.window->resize(1000, 660);
    QVERIFY(b.show());
    // The folder with the most files directly in it.
    const LoadedList &loaded = shownList(*b.window);
    int best = 0;
    qsizetype most = -1;
    for (int i = 0; i < loaded.SftTree1.count(); ++i) {
        const FolderListing l = listFolder(loaded, rootPrefix(*b.window), i, {});
        if (l.fileRows > most) {
            most = l.fileRows;
            best = i;
        }
    }
    b.window->SftTree1_ItemClick(best);
    for (int r = 1; r <= fileGrid(*b.window)->rowCount(); ++r) {
        if (fileGrid(*b.window)->gridRow(r - 1).kind == GridRowKind::File) {
            b.makeCurrent(r);
            break;
        }
    }
    QTest::qWait(50);
    const QString dir = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
    QDir().mkpath(dir);
    QVERIFY(b.window->grab().save(dir + u"/browse-en.png"_s));
    QCOMPARE(b.prompts.boxCount(), 0);
}

QTEST_MAIN(TestUiBrowse)
#include "tst_ui_browse.moc"
