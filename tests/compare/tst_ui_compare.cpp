#include "compare/ui/CompareController.h"
#include "testutil_compare.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;
using namespace Qt::Literals::StringLiterals;

// The comparison in the window: on a worker, with progress and Stop, and
// the grid of its differences.
class TestUiCompare : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void grid_data();
    void grid();
    void swapped();
    void stopped();
    void savedAsShown();

private:
    QStringList column(int c) const;
    std::unique_ptr<QWidget> m_window;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_stop = nullptr;
    QTableView *m_grid = nullptr;
    std::unique_ptr<CompareController> m_controller;
    std::shared_ptr<const LoadedList> m_old;
    std::shared_ptr<const LoadedList> m_new;
};

void TestUiCompare::init()
{
    m_window = std::make_unique<QWidget>();
    m_progress = new QProgressBar(m_window.get());
    m_stop = new QPushButton(m_window.get());
    m_grid = new QTableView(m_window.get());
    m_controller = std::make_unique<CompareController>(CompareWidgets{m_progress, m_stop, m_grid});
    m_old = std::make_shared<const LoadedList>(
        testing::loadFromBytes("Data\\A\\a,x,1,32;AB,Not recovered\r\n"
                               "Data\\A\\gone,x,1,32;AB,OK\r\n"
                               "Data\\B\\<b>bold</b>,x,1,32;AB,OK\r\n"
                               "Data\\top,x,5,32;AB,OK\r\n"));
    m_new = std::make_shared<const LoadedList>(
        testing::loadFromBytes("Disk\\A\\a,x,1,32;AB,OK\r\n"
                               "Disk\\A\\new,x,1,32;AB,OK\r\n"
                               "Disk\\B\\<b>bold</b>,x,1,32;AB,OK\r\n"
                               "Disk\\top,x,6,32;AB,OK\r\n"));
}

void TestUiCompare::cleanup()
{
    m_controller.reset();
    m_window.reset();
}

QStringList TestUiCompare::column(int c) const
{
    QStringList out;
    const QAbstractItemModel *model = m_grid->model();
    for (int row = 0; row < model->rowCount(); ++row)
        out.append(model->index(row, c).data().toString());
    return out;
}

void TestUiCompare::grid_data()
{
    QTest::addColumn<QString>("folder"); // "*": every folder
    QTest::addColumn<int>("only");       // a ListChange, or -1
    QTest::addColumn<int>("became");     // a StatusClass, or -1
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QStringList>("changes");
    QTest::newRow("all") << u"*"_s << -1 << -1
                         << QStringList{u"A\\a"_s, u"A\\gone"_s, u"A\\new"_s, u"top"_s}
                         << QStringList{u"status changed"_s, u"removed"_s, u"added"_s,
                                        u"size changed"_s};
    QTest::newRow("one folder") << u"A"_s << -1 << -1
                                << QStringList{u"A\\a"_s, u"A\\gone"_s, u"A\\new"_s}
                                << QStringList{u"status changed"_s, u"removed"_s, u"added"_s};
    QTest::newRow("the top folder")
        << QString() << -1 << -1 << QStringList{u"top"_s} << QStringList{u"size changed"_s};
    QTest::newRow("one kind") << u"*"_s << int(ListChange::Removed) << -1
                              << QStringList{u"A\\gone"_s} << QStringList{u"removed"_s};
    QTest::newRow("one kind in a folder without it")
        << QString() << int(ListChange::Added) << -1 << QStringList{} << QStringList{};
    QTest::newRow("became good") << u"*"_s << -1 << int(StatusClass::Good) << QStringList{u"A\\a"_s}
                                 << QStringList{u"status changed"_s};
    QTest::newRow("became damaged")
        << u"*"_s << -1 << int(StatusClass::Bad) << QStringList{} << QStringList{};
}

void TestUiCompare::grid()
{
    QFETCH(QString, folder);
    QFETCH(int, only);
    QFETCH(int, became);
    QFETCH(QStringList, paths);
    QFETCH(QStringList, changes);
    QAbstractItemModelTester tester(m_controller->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy done(m_controller.get(), &CompareController::comparisonReady);
    m_controller->compare(m_old, m_new);
    QVERIFY(m_controller->waitForComparison(10000));
    QCOMPARE(done.count(), 1);
    QVERIFY(m_progress->isHidden());
    QVERIFY(m_stop->isHidden());
    if (folder != u"*"_s) {
        const int item = folder.isEmpty() ? 0 : m_new->SftTree1.findPath({folder});
        m_controller->showFolder(item);
    }
    if (only >= 0 || became >= 0)
        m_controller->setFilter(only >= 0 ? std::optional(ListChange(only)) : std::nullopt,
                                became >= 0 ? std::optional(StatusClass(became)) : std::nullopt);
    QCOMPARE(column(DifferencesModel::PathColumn), paths);
    QCOMPARE(column(DifferencesModel::ChangeColumn), changes);
}

void TestUiCompare::swapped()
{
    m_controller->compare(m_old, m_new);
    QVERIFY(m_controller->waitForComparison(10000));
    const QAbstractItemModel *model = m_grid->model();
    QCOMPARE(model->index(0, DifferencesModel::OldStatusColumn).data().toString(),
             u"Not recovered"_s);
    QCOMPARE(model->index(0, DifferencesModel::NewStatusColumn).data().toString(), u"OK"_s);
    QCOMPARE(
        model->index(0, DifferencesModel::ChangeColumn).data(Qt::ForegroundRole).value<QColor>(),
        DifferencesModel::changeColour(ListChange::StatusChanged));
    m_controller->swapLists();
    QVERIFY(m_controller->waitForComparison(10000));
    QCOMPARE(m_controller->oldList(), m_new);
    QCOMPARE(column(DifferencesModel::ChangeColumn),
             (QStringList{u"status changed"_s, u"added"_s, u"removed"_s, u"size changed"_s}));
    QCOMPARE(column(DifferencesModel::PathColumn),
             (QStringList{u"A\\a"_s, u"A\\gone"_s, u"A\\new"_s, u"top"_s}));
    QCOMPARE(model->index(3, DifferencesModel::OldSizeColumn).data().toString(), u"6"_s);
    QCOMPARE(model->index(0, DifferencesModel::OldStatusColumn).data().toString(), u"OK"_s);
}

void TestUiCompare::stopped()
{
    QByteArray a;
    QByteArray b;
    for (int i = 0; i < 400000; ++i) {
        const QByteArray line = "Data\\f" + QByteArray::number(i) + ",x,1,32;AB,OK\r\n";
        a += line;
        if (i % 3 != 0)
            b += line;
    }
    auto o = std::make_shared<const LoadedList>(testing::loadFromBytes(a));
    auto n = std::make_shared<const LoadedList>(testing::loadFromBytes(b));
    QSignalSpy stoppedSpy(m_controller.get(), &CompareController::stopped);
    QSignalSpy done(m_controller.get(), &CompareController::comparisonReady);
    m_controller->compare(o, n);
    QVERIFY(m_controller->isComparing());
    QVERIFY(m_stop->isVisibleTo(m_window.get()));
    QTest::mouseClick(m_stop, Qt::LeftButton);
    QVERIFY(m_controller->waitForComparison(10000));
    QCOMPARE(stoppedSpy.count(), 1);
    QCOMPARE(done.count(), 0);
    QVERIFY(!m_controller->compared());
    QCOMPARE(m_grid->model()->rowCount(), 0);
    QVERIFY(m_stop->isHidden());
}

void TestUiCompare::savedAsShown()
{
    QTemporaryDir dir;
    m_controller->compare(m_old, m_new);
    QVERIFY(m_controller->waitForComparison(10000));
    m_controller->showFolder(0); // the saves take every folder
    m_controller->setFilter(ListChange::Added);
    const QString path = dir.filePath(u"added.csv"_s);
    QVERIFY(m_controller->saveDifferences(path, DifferenceFormat::Csv, {}).ok());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("change,path,old status,new status,old size,new size\r\n"
                                     "added,A\\new,,OK,,1\r\n"));
    const QString lab = dir.filePath(u"added-list.csv"_s);
    QVERIFY(m_controller->saveDifferences(lab, DifferenceFormat::LabList, {}).ok());
    QFile g(lab);
    QVERIFY(g.open(QIODevice::ReadOnly));
    QCOMPARE(g.readAll(), QByteArray("Disk\\A\\new,x,1,32;AB,OK\r\n"));
}

QTEST_MAIN(TestUiCompare)
#include "tst_ui_compare.moc"
