// The recovery overview in the window: the folder tree's number columns and
// their sorting, hiding columns, the legend, and the languages.

#include "browse/FolderListing.h"
#include "browse/ui/FolderTreeModel.h"
#include "browse/ui/RecoveryLegend.h"
#include "listfile/ListLoader.h"
#include "testutil_window.h"

#include <QAbstractItemModelTester>
#include <QBuffer>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;

namespace {

// a: 3 files, 30 bytes, a third Recovered; b: 1 file, 500 bytes, all
// Recovered; c: 6 files, 60 bytes, two thirds Recovered.
const QByteArray smallList = "D\\a\\1,d,10,0;x,Recovered\r\nD\\a\\2,d,10,0;x,Damaged\r\n"
                             "D\\a\\x\\3,d,10,0;x,Damaged\r\nD\\b\\1,d,500,0;x,Recovered\r\n"
                             "D\\c\\1,d,10,0;x,Recovered\r\nD\\c\\2,d,10,0;x,Recovered\r\n"
                             "D\\c\\3,d,10,0;x,Recovered\r\nD\\c\\4,d,10,0;x,Recovered\r\n"
                             "D\\c\\5,d,10,0;x,Damaged\r\nD\\c\\6,d,10,0;x,Damaged\r\n";

LoadedList loadBytes(QByteArray raw)
{
    QBuffer buffer(&raw);
    buffer.open(QIODevice::ReadOnly);
    LoadOptions options;
    options.collationLocale = QLocale(QLocale::English, QLocale::UnitedStates);
    return loadListBytes(readListDevice(buffer), options);
}

QStringList rootChildren(const QAbstractItemModel &model, int column = 0)
{
    QStringList names;
    const QModelIndex root = model.index(0, 0);
    for (int r = 0; r < model.rowCount(root); ++r)
        names << model.index(r, column, root).data().toString();
    return names;
}

} // namespace

class TestUiOverview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void columns();
    void sorting_data();
    void sorting();
    void sortingKeepsTheSelection();
    void windowShowsTheTotals();
    void hiddenColumnsAreRemembered();
    void legendClickFilters();
    void languages_data();
    void languages();
    void windowKeepsItsSize_data();
    void windowKeepsItsSize();
    void bottomRowStaysPutWhenTheLegendHides();
    void treeNamesTakeTheSpareWidth();
    void numberFormats_data();
    void numberFormats();
};

void TestUiOverview::columns()
{
    const LoadedList list = loadBytes(smallList);
    const FolderTotals totals = FolderTotals::compute(list.iGrid1, list.SftTree1);
    FolderTreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.beginTreeChange();
    model.setTotals(&totals);
    model.endTreeChange();
    QCOMPARE(model.totals(), nullptr); // no tree yet: nothing to show
    model.setTree(&list.SftTree1);
    QCOMPARE(model.columnCount(), int(FolderTreeModel::ColumnCount));
    QCOMPARE(rootChildren(model, FolderTreeModel::FilesColumn),
             (QStringList{u"3"_s, u"1"_s, u"6"_s}));
    QCOMPARE(rootChildren(model, FolderTreeModel::SizeColumn),
             (QStringList{u"30 Bytes"_s, u"500 Bytes"_s, u"60 Bytes"_s}));
    const QModelIndex rootFiles = model.index(0, FolderTreeModel::FilesColumn);
    QCOMPARE(rootFiles.data().toString(), u"10"_s);
    QCOMPARE(model.rowCount(rootFiles), 0);
    const QString tip =
        model.index(0, FolderTreeModel::RecoveryColumn).data(Qt::ToolTipRole).toString();
    QVERIFY2(tip.contains(u"Recovered: 6 (60.0 %) \u00b7 550 Bytes (550 Bytes)"_s),
             qPrintable(tip));
    QVERIFY2(tip.contains(u"Damaged: 4 (40.0 %)"_s), qPrintable(tip));
    // Totals of another list are not shown against this tree.
    const LoadedList other = loadBytes("D\\x\\1,d,1,0;x,OK\r\n");
    const FolderTotals otherTotals = FolderTotals::compute(other.iGrid1, other.SftTree1);
    model.beginTreeChange();
    model.setTotals(&otherTotals);
    model.endTreeChange();
    QCOMPARE(model.index(0, FolderTreeModel::FilesColumn).data(), QVariant());
}

void TestUiOverview::sorting_data()
{
    QTest::addColumn<QList<int>>("columns"); // clicked in turn, each with its order
    QTest::addColumn<QList<int>>("orders");
    QTest::addColumn<QStringList>("children");

    QTest::newRow("files, largest first")
        << QList<int>{1} << QList<int>{Qt::DescendingOrder} << QStringList{u"c"_s, u"a"_s, u"b"_s};
    QTest::newRow("size, largest first")
        << QList<int>{2} << QList<int>{Qt::DescendingOrder} << QStringList{u"b"_s, u"c"_s, u"a"_s};
    QTest::newRow("size, smallest first")
        << QList<int>{2} << QList<int>{Qt::AscendingOrder} << QStringList{u"a"_s, u"c"_s, u"b"_s};
    QTest::newRow("recovery, best first")
        << QList<int>{3} << QList<int>{Qt::DescendingOrder} << QStringList{u"b"_s, u"c"_s, u"a"_s};
    QTest::newRow("the name column gives the tree's order back")
        << QList<int>{2, 0} << QList<int>{Qt::DescendingOrder, Qt::DescendingOrder}
        << QStringList{u"a"_s, u"b"_s, u"c"_s};
}

void TestUiOverview::sorting()
{
    QFETCH(QList<int>, columns);
    QFETCH(QList<int>, orders);
    QFETCH(QStringList, children);

    const LoadedList list = loadBytes(smallList);
    const FolderTotals totals = FolderTotals::compute(list.iGrid1, list.SftTree1);
    FolderTreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setTree(&list.SftTree1);
    model.beginTreeChange();
    model.setTotals(&totals);
    model.endTreeChange();
    for (int i = 0; i < columns.size(); ++i)
        model.sort(columns[i], Qt::SortOrder(orders[i]));
    QCOMPARE(rootChildren(model), children);
    // Every row's index leads back to its item.
    const QModelIndex root = model.index(0, 0);
    for (int r = 0; r < model.rowCount(root); ++r) {
        const QModelIndex child = model.index(r, 0, root);
        QCOMPARE(model.indexOf(model.itemOf(child)), child);
        QCOMPARE(model.parent(child), root);
    }
}

void TestUiOverview::sortingKeepsTheSelection()
{
    WindowFixture f;
    QVERIFY(f.load(f.writeList(u"small.csv"_s, smallList)));
    QTreeView *tree = control<QTreeView>(*f.window, "SftTree1");
    FolderTreeModel *model = folderTreeModel(*f.window);
    const int a = shownList(*f.window).SftTree1.findPath({u"a"_s});
    tree->setCurrentIndex(model->indexOf(a));
    tree->header()->setSortIndicator(FolderTreeModel::SizeColumn, Qt::DescendingOrder);
    QCOMPARE(rootChildren(*model), (QStringList{u"b"_s, u"c"_s, u"a"_s}));
    QCOMPARE(model->itemOf(tree->currentIndex()), a);
    QCOMPARE(tree->currentIndex().row(), 2);
    // A new list keeps the chosen order.
    QVERIFY(f.load(f.writeList(u"again.csv"_s, smallList + "D\\d\\1,d,9999,0;x,Recovered\r\n")));
    QCOMPARE(rootChildren(*model), (QStringList{u"d"_s, u"b"_s, u"c"_s, u"a"_s}));
    tree->header()->setSortIndicator(FolderTreeModel::NameColumn, Qt::AscendingOrder);
    QCOMPARE(rootChildren(*model), (QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s}));
}

void TestUiOverview::windowShowsTheTotals()
{
    WindowFixture f;
    const QString sample = sourceDir() + u"/data/samples/recovered-disk.csv"_s;
    QVERIFY(f.load(sample));
    const FolderTotals &totals = folderTotals(*f.window);
    QCOMPARE(totals.files(0), shownList(*f.window).lineCount);
    QCOMPARE(totals.bytes(0), shownList(*f.window).totalSize);
    FolderTreeModel *model = folderTreeModel(*f.window);
    QCOMPARE(model->index(0, FolderTreeModel::FilesColumn).data().toString(), u"440"_s);
    const QStringList rows = recoveryLegend(*f.window)->rowTexts();
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows.first(), u"Recovered  391 \u00b7 88.9 % \u00b7 901.0 Mb"_s);
    QVERIFY(f.window->findChild<QGroupBox *>(u"fraRecovery"_s)->isVisibleTo(f.window.get()));

    // Emptied views, empty overview.
    f.window->ClearViews();
    QVERIFY(folderTotals(*f.window).isEmpty());
    QCOMPARE(recoveryLegend(*f.window)->rowTexts(), QStringList());
    QVERIFY(!f.window->findChild<QGroupBox *>(u"fraRecovery"_s)->isVisibleTo(f.window.get()));
}

void TestUiOverview::hiddenColumnsAreRemembered()
{
    QTemporaryDir configDir;
    WindowFixture f([&](frmMain::Settings &s) {
        s.settingsFile = configDir.filePath(u"corvane/corvane.conf"_s);
    });
    {
        QHeaderView *header = control<QTreeView>(*f.window, "SftTree1")->header();
        std::unique_ptr<QMenu> menu(buildTreeHeaderMenu(*f.window, nullptr));
        QList<QAction *> entries;
        for (QAction *a : menu->actions()) {
            if (a->isCheckable())
                entries << a;
        }
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries[0]->text(), u"Files"_s);
        QVERIFY(entries[1]->isChecked());
        entries[1]->trigger(); // Size off
        QVERIFY(header->isSectionHidden(FolderTreeModel::SizeColumn));
        QVERIFY(!header->isSectionHidden(FolderTreeModel::FilesColumn));
    }
    f.window.reset();
    QVERIFY(QFile::exists(configDir.filePath(u"corvane/corvane.conf"_s)));
    f.restart();
    QHeaderView *header = control<QTreeView>(*f.window, "SftTree1")->header();
    QVERIFY(header->isSectionHidden(FolderTreeModel::SizeColumn));
    setTreeColumnShown(*f.window, FolderTreeModel::SizeColumn, true);
    f.restart();
    header = control<QTreeView>(*f.window, "SftTree1")->header();
    QVERIFY(!header->isSectionHidden(FolderTreeModel::SizeColumn));
    // Without a settings folder nothing is written anywhere.
    f.settings.settingsFile.clear();
    f.restart();
    setTreeColumnShown(*f.window, FolderTreeModel::FilesColumn, false);
    header = control<QTreeView>(*f.window, "SftTree1")->header();
    QVERIFY(header->isSectionHidden(FolderTreeModel::FilesColumn));
}

void TestUiOverview::legendClickFilters()
{
    WindowFixture f;
    QVERIFY(f.load(f.writeList(u"small.csv"_s, smallList)));
    auto *damaged = f.window->findChild<QToolButton *>(u"RecoveryLegendRow1"_s);
    QVERIFY(damaged);
    QSignalSpy clicked(recoveryLegend(*f.window), &RecoveryLegend::statusClicked);
    damaged->click();
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(clicked.first().first().toString(), u"Damaged"_s);
    QCOMPARE(control<QComboBox>(*f.window, "Combo1")->currentText(), u"Damaged"_s);
    // The same status again is not offered twice.
    damaged->click();
    const QComboBox *combo = control<QComboBox>(*f.window, "Combo1");
    QCOMPARE(combo->findText(u"Damaged"_s), combo->currentIndex());
    QCOMPARE(columnTexts(combo->model()).count(u"Damaged"_s), 1);
}

void TestUiOverview::languages_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QString>("firstRow");
    QTest::addColumn<QString>("rootSize");

    QTest::newRow("English") << int(LanguageEnglish)
                             << QStringList{u"Files"_s, u"Size"_s, u"Recovery"_s}
                             << u"Recovered  7 \u00b7 63.6 % \u00b7 10.3 Kb"_s << u"10.3 Kb"_s;
    QTest::newRow("German") << int(LanguageGerman)
                            << QStringList{u"Dateien"_s, u"Größe"_s, u"Wiederherstellung"_s}
                            << u"Recovered  7 \u00b7 63,6 % \u00b7 10,3 KB"_s << u"10,3 KB"_s;
    QTest::newRow("French") << int(LanguageFrench)
                            << QStringList{u"Fichiers"_s, u"Taille"_s, u"Récupération"_s}
                            << u"Recovered  7 \u00b7 63,6 % \u00b7 10,3 Ko"_s << u"10,3 Ko"_s;
}

void TestUiOverview::languages()
{
    QFETCH(int, language);
    QFETCH(QStringList, headers);
    QFETCH(QString, firstRow);
    QFETCH(QString, rootSize);

    WindowFixture f;
    QVERIFY(f.load(f.writeList(u"small.csv"_s, smallList + "D\\z\\big,d,10000,0;x,Recovered\r\n")));
    f.window->LoadLanguage(language);
    FolderTreeModel *model = folderTreeModel(*f.window);
    QStringList shown;
    for (int s = FolderTreeModel::FilesColumn; s < FolderTreeModel::ColumnCount; ++s)
        shown << model->headerData(s, Qt::Horizontal).toString();
    QCOMPARE(shown, headers);
    QCOMPARE(recoveryLegend(*f.window)->rowTexts().first(), firstRow);
    QCOMPARE(model->index(0, FolderTreeModel::SizeColumn).data().toString(), rootSize);
}

// At the window's default size, nothing the user does on the "View list"
// page makes the window grow: picking each file of the list (long dates and
// attribute strings in the details panel), changing the language, emptying
// the views as a search does.
void TestUiOverview::windowKeepsItsSize_data()
{
    addLanguageRows();
}

void TestUiOverview::windowKeepsItsSize()
{
    QFETCH(int, language);
    WindowFixture f;
    frmMain &w = *f.window;
    w.LoadLanguage(language);
    const QSize size = w.size(); // the default size
    QVERIFY(f.show());
    QCOMPARE(w.size(), size);
    QVERIFY(f.load(sourceDir() + u"/data/samples/recovered-disk.csv"_s));
    QCoreApplication::processEvents();
    QCOMPARE(w.size(), size);
    auto *legendFrame = w.findChild<QGroupBox *>(u"fraRecovery"_s);
    QVERIFY(legendFrame->isVisible());
    // Nothing on the page asks for more than the default width.
    QVERIFY2(w.minimumSizeHint().width() <= size.width(),
             qPrintable(QString::number(w.minimumSizeHint().width())));

    // Every folder, and in it every row of the grid made current.
    const int folders = int(shownList(w).SftTree1.count());
    QVERIFY(folders > 10);
    int filesPicked = 0;
    for (int folder = 0; folder < folders; ++folder) {
        w.SftTree1_ItemClick(folder);
        QAbstractItemModel *grid = control<QTableView>(w, "iGrid2")->model();
        for (int row = 0; row < grid->rowCount(); ++row) {
            control<QTableView>(w, "iGrid2")->setCurrentIndex(grid->index(row, 0));
            if (control<QLabel>(w, "Label21")->text().isEmpty())
                continue;
            ++filesPicked;
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            // The picked file's date is shown whole.
            const QLabel *date = control<QLabel>(w, "Label20");
            QVERIFY2(date->width() >= date->sizeHint().width(),
                     qPrintable(u"%1: %2 < %3"_s.arg(date->text())
                                    .arg(date->width())
                                    .arg(date->sizeHint().width())));
        }
        QCoreApplication::processEvents();
        QVERIFY2(w.size() == size, qPrintable(u"folder %1: %2 x %3, was %4 x %5"_s.arg(folder)
                                                  .arg(w.width())
                                                  .arg(w.height())
                                                  .arg(size.width())
                                                  .arg(size.height())));
    }
    QVERIFY(filesPicked > 100);
    // The pattern hint is shown whole.
    const QLabel *hint = control<QLabel>(w, "Label12");
    QVERIFY2(hint->width() >= hint->sizeHint().width(),
             qPrintable(u"%1 < %2"_s.arg(hint->width()).arg(hint->sizeHint().width())));
    // The legend keeps to its frame, and every row is whole there: wrapped
    // between its parts when it is too long for one line, never cut.
    const QStringList texts = recoveryLegend(w)->rowTexts();
    QCOMPARE(texts.size(), 5);
    const int legendWidth = recoveryLegend(w)->width();
    QVERIFY(legendWidth > 100);
    const auto parts = [](QString text) {
        text.remove(u'\n');
        text.remove(u' ');
        text.remove(u'\u00b7');
        return text;
    };
    for (int i = 0; i < texts.size(); ++i) {
        auto *row = w.findChild<QToolButton *>(u"RecoveryLegendRow%1"_s.arg(i));
        QVERIFY(row->isVisible());
        QVERIFY(row->width() <= legendWidth);
        QVERIFY(row->toolTip().startsWith(texts[i]));
        QVERIFY2(!row->text().contains(u'\u2026'), qPrintable(row->text()));
        QCOMPARE(parts(row->text()), parts(texts[i]));
        const QStringList lines = row->text().split(u'\n');
        QVERIFY(row->height() >= row->fontMetrics().height() * lines.size());
        for (const QString &line : lines)
            QVERIFY2(row->fontMetrics().horizontalAdvance(line) + 10 <= row->width(),
                     qPrintable(line));
    }

    // Every other language, with the list and a picked file shown.
    for (int other : {0, 1, 2, 3, 4, 6}) {
        w.LoadLanguage(other);
        QCoreApplication::processEvents();
        QCOMPARE(w.size(), size);
        QVERIFY(w.minimumSizeHint().width() <= size.width());
    }
    w.ClearViews();
    QCoreApplication::processEvents();
    QCOMPARE(w.size(), size);
}

// At the window's default size the names of the folder tree get the width
// the numbers and bars leave, follow the tree as it is resized, keep a width
// the user gives them, and are whole in their tooltips.
void TestUiOverview::treeNamesTakeTheSpareWidth()
{
    WindowFixture f;
    frmMain &w = *f.window;
    QVERIFY(f.show());
    const QString deep = u"Diplomarbeit Anhang und Quellen"_s;
    QVERIFY(f.load(f.writeList(u"deep.csv"_s, "D\\Users\\Documents\\"_ba + deep.toLatin1() +
                                                  "\\x.doc,d,10,0;x,Recovered\r\n")));
    QTreeView *tree = control<QTreeView>(w, "SftTree1");
    tree->expandAll();
    QCoreApplication::processEvents();
    QHeaderView *header = tree->header();
    const auto others = [header] {
        int sum = 0;
        for (int s = FolderTreeModel::FilesColumn; s < FolderTreeModel::ColumnCount; ++s)
            sum += header->isSectionHidden(s) ? 0 : header->sectionSize(s);
        return sum;
    };
    const int numbers = others();
    QCOMPARE(header->sectionSize(FolderTreeModel::NameColumn) + numbers, tree->viewport()->width());
    QVERIFY(header->sectionSize(FolderTreeModel::NameColumn) > 170);

    // A hidden column gives its room to the names; a wider tree too.
    setTreeColumnShown(w, FolderTreeModel::SizeColumn, false);
    QCOMPARE(header->sectionSize(FolderTreeModel::NameColumn) + others(),
             tree->viewport()->width());
    control<QSplitter>(w, "TreeGridSplitter")->setSizes({600, 400});
    QCoreApplication::processEvents();
    QCOMPARE(header->sectionSize(FolderTreeModel::NameColumn) + others(),
             tree->viewport()->width());
    setTreeColumnShown(w, FolderTreeModel::SizeColumn, true);
    QCOMPARE(others(), numbers);

    // The third level's name is whole in its tooltip.
    const FolderTreeModel *model = folderTreeModel(w);
    const int item = folderItemByPath(shownList(w), QString(u"Users\\Documents\\"_s + deep));
    QVERIFY(item > 0);
    QCOMPARE(model->indexOf(item).data(Qt::ToolTipRole).toString(), deep);

    // Widened by hand: kept, the tree scrolls.
    const int wide = tree->viewport()->width() + 200;
    header->resizeSection(FolderTreeModel::NameColumn, wide);
    control<QSplitter>(w, "TreeGridSplitter")->setSizes({400, 600});
    QCoreApplication::processEvents();
    QCOMPARE(header->sectionSize(FolderTreeModel::NameColumn), wide);
    QVERIFY(tree->horizontalScrollBar()->maximum() > 0);
}

// Emptying the views hides the legend (as a search does while it runs); the
// tree, the grid and the frames of the bottom row keep their places.
void TestUiOverview::bottomRowStaysPutWhenTheLegendHides()
{
    WindowFixture f(QLocale(QLocale::French, QLocale::France));
    frmMain &w = *f.window;
    w.LoadLanguage(LanguageFrench);
    QVERIFY(f.show());
    const QString sample = sourceDir() + u"/data/samples/recovered-disk.csv"_s;
    QVERIFY(f.load(sample));
    QCoreApplication::processEvents();
    const QList<QWidget *> parts = {
        control<QTreeView>(w, "SftTree1"), control<QTableView>(w, "iGrid2"),
        control<QGroupBox>(w, "Frame4"),   control<QGroupBox>(w, "Frame8_1"),
        control<QGroupBox>(w, "Frame8_0"), control<QGroupBox>(w, "Frame6")};
    const auto places = [&] {
        QList<QRect> out;
        for (QWidget *part : parts)
            out << QRect(part->mapTo(&w, QPoint(0, 0)), part->size());
        return out;
    };
    const QList<QRect> shown = places();
    auto *legendFrame = w.findChild<QGroupBox *>(u"fraRecovery"_s);
    QVERIFY(legendFrame->isVisible());

    w.ClearViews();
    QCoreApplication::processEvents();
    QVERIFY(!legendFrame->isVisible());
    QCOMPARE(places(), shown);

    QVERIFY(f.load(sample));
    QCoreApplication::processEvents();
    QVERIFY(legendFrame->isVisible());
    QCOMPARE(places(), shown);
}

// The list's counters (Label22, Label23) are written in the user's locale;
// the tree's columns and the legend in the UI language, with the user's
// regional habits where the user's locale speaks it: the same digits
// wherever the two agree.
void TestUiOverview::numberFormats_data()
{
    QTest::addColumn<QLocale>("user");
    QTest::addColumn<int>("language");
    // Label22, the legend's count and the tree's Files alike.
    QTest::addColumn<QString>("digits");

    const auto locale = [](QLocale::Language l, QLocale::Territory t) { return QLocale(l, t); };
    QTest::newRow("English, United States")
        << locale(QLocale::English, QLocale::UnitedStates) << int(LanguageEnglish) << u"12,345"_s;
    QTest::newRow("English, United Kingdom")
        << locale(QLocale::English, QLocale::UnitedKingdom) << int(LanguageEnglish) << u"12,345"_s;
    QTest::newRow("Portuguese, Portugal") << locale(QLocale::Portuguese, QLocale::Portugal)
                                          << int(LanguagePortuguese) << u"12\u00a0345"_s;
    QTest::newRow("Portuguese, Brazil")
        << locale(QLocale::Portuguese, QLocale::Brazil) << int(LanguagePortuguese) << u"12.345"_s;
    QTest::newRow("German, Germany")
        << locale(QLocale::German, QLocale::Germany) << int(LanguageGerman) << u"12.345"_s;
    QTest::newRow("German, Switzerland")
        << locale(QLocale::German, QLocale::Switzerland) << int(LanguageGerman) << u"12\u2019345"_s;
    QTest::newRow("French, France")
        << locale(QLocale::French, QLocale::France) << int(LanguageFrench) << u"12\u202f345"_s;
    QTest::newRow("Swedish, Sweden")
        << locale(QLocale::Swedish, QLocale::Sweden) << int(LanguageSwedish) << u"12\u00a0345"_s;
    QTest::newRow("Dutch, Netherlands")
        << locale(QLocale::Dutch, QLocale::Netherlands) << int(LanguageDutch) << u"12.345"_s;
    // A UI language other than the locale's: the counters read as the
    // overview beside them does, in the window's language.
    QTest::newRow("English locale, German window")
        << locale(QLocale::English, QLocale::UnitedStates) << int(LanguageGerman) << u"12.345"_s;
    QTest::newRow("German locale, English window")
        << locale(QLocale::German, QLocale::Germany) << int(LanguageEnglish) << u"12,345"_s;
}

void TestUiOverview::numberFormats()
{
    QFETCH(QLocale, user);
    QFETCH(int, language);
    QFETCH(QString, digits);

    WindowFixture f(user);
    f.window->LoadLanguage(language);
    QByteArray list;
    for (int i = 0; i < 12345; ++i)
        list += "D\\a\\f" + QByteArray::number(i) + ",d,10,0;x,Recovered\r\n";
    QVERIFY(f.load(f.writeList(u"list.csv"_s, list)));
    QCOMPARE(control<QLabel>(*f.window, "Label22")->text(), digits);
    const QString row = recoveryLegend(*f.window)->rowTexts().value(0);
    QVERIFY2(row.startsWith(u"Recovered  "_s + digits + u" \u00b7 "_s), qPrintable(row));
    QCOMPARE(folderTreeModel(*f.window)->index(0, FolderTreeModel::FilesColumn).data().toString(),
             digits);
    // The same after the language is chosen again.
    f.window->LoadLanguage(language);
    QCOMPARE(recoveryLegend(*f.window)->rowTexts().value(0), row);
}

QTEST_MAIN(TestUiOverview)
#include "tst_ui_overview.moc"
