// The folder tree's item model over a loaded list's FolderTree.

#include "browse/ui/FolderTreeModel.h"
#include "listfile/ListLoader.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace corvane;
using namespace Qt::Literals::StringLiterals;

namespace {

FolderTree treeOf(const QByteArray &lines)
{
    ListBytes bytes;
    bytes.bytes = lines;
    bytes.fileFound = true;
    return loadListBytes(bytes).SftTree1;
}

void print(const QAbstractItemModel &m, const QModelIndex &parent, int depth, QStringList &out)
{
    for (int r = 0; r < m.rowCount(parent); ++r) {
        const QModelIndex i = m.index(r, 0, parent);
        out << QString(depth * 2, u' ') + i.data().toString();
        print(m, i, depth + 1, out);
    }
}

QStringList print(const QAbstractItemModel &m)
{
    QStringList out;
    print(m, {}, 0, out);
    return out;
}

} // namespace

class TestUiFolderTreeModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shape_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::newRow("nested") << QByteArray("D\\A\\B\\f1\r\nD\\A\\B\\f2\r\nD\\A\\C\\f3\r\n"
                                              "D\\Z\\f\r\nD\\A\\B\\E\\F\\g\r\n");
        QTest::newRow("case") << QByteArray("D\\Docs\\x\r\nD\\docs\\y\r\n");
        QTest::newRow("root only") << QByteArray("D\\a\r\nD\\b\r\n");
        QTest::newRow("empty") << QByteArray();
        QByteArray wide;
        for (int i = 0; i < 2000; ++i)
            wide += "D\\F" + QByteArray::number(i) + "\\x\r\n";
        QTest::newRow("2000 siblings") << wide;
    }
    void shape()
    {
        QFETCH(QByteArray, lines);
        const FolderTree tree = treeOf(lines);
        FolderTreeModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setTree(&tree);
        QCOMPARE(print(model), tree.printable());
        for (int item = 0; item < tree.count(); ++item) {
            const QModelIndex index = model.indexOf(item);
            QCOMPARE(model.itemOf(index), item);
            QCOMPARE(model.itemOf(index.parent()), tree.parent(item));
        }
        QCOMPARE(model.itemOf({}), -1);
        QCOMPARE(model.indexOf(tree.count()).isValid(), false);
    }

    // A new list is swapped in under a reset; the views see one reset.
    void swap()
    {
        FolderTree tree = treeOf("D\\A\\x\r\nD\\B\\y\r\n");
        FolderTreeModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setTree(&tree);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        model.beginTreeChange();
        tree = treeOf("E\\P\\Q\\R\\z\r\n");
        model.endTreeChange();
        QCOMPARE(reset.size(), 1);
        QCOMPARE(print(model), (QStringList{u"Root"_s, u"  P"_s, u"    Q"_s, u"      R"_s}));
        model.beginTreeChange();
        tree.clear();
        model.endTreeChange();
        QCOMPARE(model.rowCount(), 0);
        model.setTree(nullptr);
        QCOMPARE(model.rowCount(), 0);
    }

    // Narrowed: only the folders with matches below them stand in the tree,
    // in the whole tree's order, with their counts; every shown item's index
    // leads back to it, the others have none; the whole tree comes back.
    void narrowed_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QList<int>>("matchesByItem"); // by item, in the tree's order
        QTest::addColumn<QStringList>("shown");
        const QByteArray nested("D\\A\\B\\f1\r\nD\\A\\C\\f3\r\nD\\Z\\f\r\nD\\Z\\Y\\g\r\n");
        // Items: 0 Root, 1 A, 2 B, 3 C, 4 Z, 5 Y.
        QTest::newRow("one branch") << nested << QList<int>{1, 1, 1, 0, 0, 0}
                                    << QStringList{u"Root"_s, u"  A"_s, u"    B"_s};
        QTest::newRow("two branches")
            << nested << QList<int>{3, 1, 0, 1, 2, 1}
            << QStringList{u"Root"_s, u"  A"_s, u"    C"_s, u"  Z"_s, u"    Y"_s};
        QTest::newRow("none") << nested << QList<int>{0, 0, 0, 0, 0, 0} << QStringList{u"Root"_s};
        QTest::newRow("all") << nested << QList<int>{4, 2, 1, 1, 2, 1}
                             << QStringList{u"Root"_s,  u"  A"_s, u"    B"_s,
                                            u"    C"_s, u"  Z"_s, u"    Y"_s};
    }
    void narrowed()
    {
        QFETCH(QByteArray, lines);
        QFETCH(QList<int>, matchesByItem);
        QFETCH(QStringList, shown);
        const FolderTree tree = treeOf(lines);
        QCOMPARE(tree.count(), matchesByItem.size());
        FolderTreeModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setTree(&tree);
        auto counts =
            std::make_shared<std::vector<qint32>>(matchesByItem.begin(), matchesByItem.end());
        model.setMatchCounts(counts);
        QVERIFY(model.isNarrowed());
        QCOMPARE(print(model), shown);
        for (int item = 0; item < tree.count(); ++item) {
            const QModelIndex index = model.indexOf(item, FolderTreeModel::FilesColumn);
            if (item > 0 && matchesByItem[item] == 0) {
                QVERIFY(!index.isValid());
                continue;
            }
            QCOMPARE(model.itemOf(index), item);
            QCOMPARE(index.data().toString(), QString::number(matchesByItem[item]));
            // The whole folder's size is not the matches'.
            QVERIFY(index.siblingAtColumn(FolderTreeModel::SizeColumn).data().isNull());
        }
        model.setMatchCounts(nullptr);
        QCOMPARE(print(model), tree.printable());
        // Counts of another tree are not taken.
        model.setMatchCounts(std::make_shared<std::vector<qint32>>(size_t(tree.count() + 1), 1));
        QVERIFY(!model.isNarrowed());
    }

    // A tree change drops the counts of the tree that went.
    void narrowedSwap()
    {
        FolderTree tree = treeOf("D\\A\\x\r\nD\\B\\y\r\n");
        FolderTreeModel model;
        model.setTree(&tree);
        model.setMatchCounts(std::make_shared<std::vector<qint32>>(std::vector<qint32>{1, 1, 0}));
        QCOMPARE(print(model), (QStringList{u"Root"_s, u"  A"_s}));
        model.beginTreeChange();
        tree = treeOf("E\\P\\z\r\n");
        model.endTreeChange();
        QVERIFY(!model.isNarrowed());
        QCOMPARE(print(model), (QStringList{u"Root"_s, u"  P"_s}));
    }

    void header()
    {
        FolderTreeModel model;
        QSignalSpy changed(&model, &QAbstractItemModel::headerDataChanged);
        QVERIFY(model.setHeaderData(0, Qt::Horizontal, u"Pfad\\Dateiname"_s));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), u"Pfad\\Dateiname"_s);
        QCOMPARE(model.setHeaderData(FolderTreeModel::ColumnCount, Qt::Horizontal, u"x"_s), false);
    }
};

QTEST_MAIN(TestUiFolderTreeModel)
#include "tst_ui_foldertreemodel.moc"
