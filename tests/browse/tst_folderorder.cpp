#include "browse/FolderOrder.h"
#include "listfile/FolderTotals.h"
#include "testutil_lists.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

Q_DECLARE_METATYPE(corvane::FolderSortKey)

class TestFolderOrder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void order_data();
    void order();
    void tenThousandSubFolders();
};

void TestFolderOrder::order_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<FolderSortKey>("key");
    QTest::addColumn<bool>("largestFirst");
    QTest::addColumn<QStringList>("children"); // of Root

    // a: 3 files, 30 bytes, 1 of 3 Recovered; b: 1 file, 500 bytes, all
    // Recovered; c: 2 files, 20 bytes, half Recovered.
    const QStringList lines = {
        u"D\\a\\1,d,10,0;x,Recovered"_s,  u"D\\a\\2,d,10,0;x,Damaged"_s,
        u"D\\a\\x\\3,d,10,0;x,Damaged"_s, u"D\\b\\1,d,500,0;x,Recovered"_s,
        u"D\\c\\1,d,10,0;x,Recovered"_s,  u"D\\c\\2,d,10,0;x,Damaged"_s,
        u"D\\d\\1,d,10,0;x,Recovered"_s,  u"D\\d\\2,d,10,0;x,Recovered"_s,
        u"D\\d\\3,d,10,0;x,Recovered"_s,  u"D\\d\\4,d,10,0;x,Recovered"_s,
        u"D\\d\\5,d,10,0;x,Damaged"_s,    u"D\\d\\6,d,10,0;x,Damaged"_s,
    };
    QTest::newRow("name") << lines << FolderSortKey::Name << true
                          << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s};
    QTest::newRow("files") << lines << FolderSortKey::Files << true
                           << QStringList{u"d"_s, u"a"_s, u"c"_s, u"b"_s};
    QTest::newRow("files, smallest first")
        << lines << FolderSortKey::Files << false << QStringList{u"b"_s, u"c"_s, u"a"_s, u"d"_s};
    QTest::newRow("size") << lines << FolderSortKey::Size << true
                          << QStringList{u"b"_s, u"d"_s, u"a"_s, u"c"_s};
    // Recovered is the most frequent status (7 of 12): its share decides.
    QTest::newRow("recovery") << lines << FolderSortKey::Recovery << true
                              << QStringList{u"b"_s, u"d"_s, u"c"_s, u"a"_s};
    QTest::newRow("recovery, worst first")
        << lines << FolderSortKey::Recovery << false << QStringList{u"a"_s, u"c"_s, u"d"_s, u"b"_s};
    QTest::newRow("equal folders keep the name order")
        << QStringList{u"D\\z\\1,d,1,0;x,OK"_s, u"D\\y\\1,d,1,0;x,OK"_s, u"D\\x\\1,d,1,0;x,OK"_s}
        << FolderSortKey::Size << true << QStringList{u"x"_s, u"y"_s, u"z"_s};
    QTest::newRow("equal folders keep the name order, smallest first")
        << QStringList{u"D\\z\\1,d,1,0;x,OK"_s, u"D\\y\\1,d,1,0;x,OK"_s, u"D\\x\\1,d,1,0;x,OK"_s}
        << FolderSortKey::Recovery << false << QStringList{u"x"_s, u"y"_s, u"z"_s};
}

void TestFolderOrder::order()
{
    QFETCH(QStringList, lines);
    QFETCH(FolderSortKey, key);
    QFETCH(bool, largestFirst);
    QFETCH(QStringList, children);

    const LoadedList list = test::listOf(lines);
    const FolderTotals totals = FolderTotals::compute(list.iGrid1, list.SftTree1);
    const std::vector<int> table = sortAllChildren(list.SftTree1, totals, key, largestFirst);
    QStringList names;
    const FolderTree::Item &root = list.SftTree1.item(0);
    for (int r = 0; r < root.childCount; ++r)
        names << list.SftTree1.text(table[size_t(root.firstChild + r)]);
    QCOMPARE(names, children);
    // Deeper folders are in the table too.
    const int a = list.SftTree1.findPath({u"a"_s});
    if (a > 0)
        QCOMPARE(list.SftTree1.text(table[size_t(list.SftTree1.item(a).firstChild)]), u"x"_s);
}

void TestFolderOrder::tenThousandSubFolders()
{
    QStringList lines;
    for (int i = 0; i < 10000; ++i)
        lines << u"D\\Big\\F%1\\a,d,%2,0;x,OK"_s.arg(i).arg((i * 7919) % 10007);
    const LoadedList list = test::listOf(lines);
    const FolderTotals totals = FolderTotals::compute(list.iGrid1, list.SftTree1);
    const int big = list.SftTree1.findPath({u"Big"_s});
    std::vector<int> out(10000);
    sortChildren(list.SftTree1, totals, big, FolderSortKey::Size, true, out.data());
    for (size_t r = 1; r < out.size(); ++r)
        QVERIFY(totals.bytes(out[r - 1]).raw() >= totals.bytes(out[r]).raw());
    QCOMPARE(totals.bytes(out.front()).roundedBytes(), qint64(10006));
}

QTEST_GUILESS_MAIN(TestFolderOrder)
#include "tst_folderorder.moc"
