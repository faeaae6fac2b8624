#include "browse/FileGridModel.h"
#include "browse/FileImagePositions.h"
#include "testutil_lists.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;

class TestFileGridModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void imagePositions_data();
    void imagePositions();
    void cellsAndRoles();
    void sortKeepsSelection();
    void headers();
    void fullPaths();
};

void TestFileGridModel::imagePositions_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("found"); // keys the desktop has an icon for
    QTest::addColumn<QList<int>>("positions");
    QTest::addColumn<int>("lookups");

    QTest::newRow("one image per key")
        << QStringList{u"a.txt"_s, u"b.txt"_s, u"c.jpg"_s} << QStringList{u".txt"_s, u".jpg"_s}
        << QList<int>{3, 3, 4} << 2;
    QTest::newRow("keys are case-sensitive")
        << QStringList{u"a.txt"_s, u"b.TXT"_s, u"c.txt"_s} << QStringList{u".txt"_s, u".TXT"_s}
        << QList<int>{3, 4, 3} << 2;
    QTest::newRow("no icon: generic image, asked once")
        << QStringList{u"a.zzz"_s, u"b.zzz"_s, u"c.txt"_s} << QStringList{u".txt"_s}
        << QList<int>{1, 1, 3} << 2;
    QTest::newRow("no dot: the whole name is the key")
        << QStringList{u"README"_s, u"README"_s, u"Makefile"_s} << QStringList{u"Makefile"_s}
        << QList<int>{1, 1, 3} << 2;
    QTest::newRow(".exe reaching GetFileIcon gives 1")
        << QStringList{u"x.exe"_s, u"Y.EXE"_s} << QStringList{u".exe"_s, u".EXE"_s}
        << QList<int>{1, 1} << 0;
}

void TestFileGridModel::imagePositions()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, found);
    QFETCH(QList<int>, positions);
    QFETCH(int, lookups);
    FileImagePositions images([&](const QString &key) { return found.contains(key); });
    QList<int> got;
    for (const QString &n : names)
        got.append(images.GetFileIcon(n));
    QCOMPARE(got, positions);
    QCOMPARE(images.lookups(), lookups);
}

void TestFileGridModel::cellsAndRoles()
{
    const LoadedList list = listOf({u"Data\\A\\SETUP.EXE,d1,1536,33;x,OK"_s,
                                    u"Data\\A\\b.txt,d2,7,1;x,Bad"_s, u"Data\\A\\S\\c,d,1,1;,s"_s});
    FileImagePositions images([](const QString &) { return true; });
    FileGridModel model(images);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setDecoration([](int position) { return QVariant(position * 10); });
    model.setListing(listingOf(list, u"A"_s));

    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.columnCount(), 5);
    QStringList shown;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < 5; ++c)
            cells.append(model.index(r, c).data().toString());
        cells.append(QString::number(model.imagePosition(r)));
        shown.append(cells.join(u'|'));
    }
    QCOMPARE(shown, (QStringList{u"..|||||0"_s, u"S|||||0"_s, u"b.txt|d2|7|1;x|Bad|3"_s,
                                 u"SETUP.EXE|d1|1,536|33;x|OK|2"_s}));
    QCOMPARE(model.index(2, 0).data(Qt::DecorationRole).toInt(), 30);
    QCOMPARE(model.index(3, 0).data(Qt::DecorationRole).toInt(), 20);
    QVERIFY(!model.index(3, 1).data(Qt::DecorationRole).isValid());
    QCOMPARE(model.index(2, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    // The name as tooltip over column 1 only.
    QCOMPARE(model.index(2, 0).data(Qt::ToolTipRole).toString(), u"b.txt"_s);
    QVERIFY(!model.index(2, 1).data(Qt::ToolTipRole).isValid());
    QVERIFY(!(model.flags(model.index(2, 0)) & Qt::ItemIsEditable));

    model.clear();
    QCOMPARE(model.rowCount(), 0);
}

void TestFileGridModel::sortKeepsSelection()
{
    const LoadedList list = listOf({u"Data\\A\\a,d,3,1;,s"_s, u"Data\\A\\b,d,1,1;,s"_s,
                                    u"Data\\A\\c,d,2,1;,s"_s, u"Data\\A\\F\\x,d,1,1;,s"_s});
    FileImagePositions images([](const QString &) { return false; });
    FileGridModel model(images);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setListing(listingOf(list, u"A"_s));
    QPersistentModelIndex a(model.index(2, 0));
    QCOMPARE(a.data().toString(), u"a"_s);
    model.sort(FileGridModel::SizeColumn, Qt::DescendingOrder);
    QStringList names;
    for (int r = 0; r < model.rowCount(); ++r)
        names.append(model.index(r, 0).data().toString());
    QCOMPARE(names, (QStringList{u".."_s, u"F"_s, u"a"_s, u"c"_s, u"b"_s}));
    QCOMPARE(a.row(), 2);
    model.sort(FileGridModel::SizeColumn, Qt::AscendingOrder);
    QCOMPARE(a.row(), 4);
    QCOMPARE(a.data().toString(), u"a"_s);
    // The order stays for the next folder shown.
    model.setListing(listingOf(list, u"A"_s));
    QCOMPARE(model.index(2, 0).data().toString(), u"b"_s);
    model.sort(FileGridModel::AttributesColumn, Qt::AscendingOrder); // not a sort key
    QCOMPARE(model.sortColumn(), int(FileGridModel::SizeColumn));
}

void TestFileGridModel::headers()
{
    FileImagePositions images({});
    FileGridModel model(images);
    QSignalSpy spy(&model, &QAbstractItemModel::headerDataChanged);
    QVERIFY(model.setHeaderData(0, Qt::Horizontal, u"Root"_s));
    QVERIFY(!model.setHeaderData(5, Qt::Horizontal, u"x"_s));
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), u"Root"_s);
    QCOMPARE(spy.count(), 1);
}

void TestFileGridModel::fullPaths()
{
    const LoadedList list = listOf({u"Data\\A\\x.txt,d,1,1;,s"_s, u"Data\\A\\S\\y,d,1,1;,s"_s});
    const FolderListing listing = listingOf(list, u"A"_s);
    QStringList paths;
    for (const GridRow &row : listing.rows)
        paths.append(rowFullPath(list.iGrid1, listing, row));
    QCOMPARE(paths, (QStringList{u"Data\\A"_s, u"Data\\A\\S"_s, u"Data\\A\\x.txt"_s}));
}

QTEST_GUILESS_MAIN(TestFileGridModel)
#include "tst_filegridmodel.moc"
