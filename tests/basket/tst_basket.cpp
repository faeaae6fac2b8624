// The basket's bits: stretches across word bounds, counts kept as bits change,
// and the room of the chosen lines of a loaded list.

#include "basket/Basket.h"
#include "listfile/ListLoader.h"

#include <QTemporaryDir>
#include <QTest>

#include <set>

using namespace corvane;
using namespace corvane::basket;
using namespace Qt::Literals::StringLiterals;

class TestBasket : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stretches_data();
    void stretches();
    void measuresChosenLines();
};

// Each row: a store of `lines` lines, stretches set (+) or cleared (-) in
// turn; the result is compared with a plain set of line numbers.
void TestBasket::stretches_data()
{
    QTest::addColumn<qsizetype>("lines");
    QTest::addColumn<QList<qsizetype>>("steps"); // first, last, 1 set / 0 clear, ...
    QTest::newRow("empty store") << qsizetype(0) << QList<qsizetype>{0, 10, 1};
    QTest::newRow("within one word") << qsizetype(50) << QList<qsizetype>{3, 9, 1, 5, 6, 0};
    QTest::newRow("word bounds") << qsizetype(200) << QList<qsizetype>{63, 65, 1, 127, 129, 1};
    QTest::newRow("many words, cleared inside")
        << qsizetype(1000) << QList<qsizetype>{10, 990, 1, 100, 700, 0, 640, 641, 1};
    QTest::newRow("whole last word") << qsizetype(128) << QList<qsizetype>{64, 128, 1};
    QTest::newRow("ranges past the ends are cut")
        << qsizetype(70) << QList<qsizetype>{-5, 3, 1, 68, 500, 1};
    QTest::newRow("set twice counts once") << qsizetype(70) << QList<qsizetype>{0, 70, 1, 0, 70, 1};
    QTest::newRow("empty and reversed ranges")
        << qsizetype(70) << QList<qsizetype>{5, 5, 1, 9, 4, 1};
    QTest::newRow("stretches to the last line of a whole word")
        << qsizetype(192) << QList<qsizetype>{0, 1, 1, 2, 64, 1, 65, 192, 1};
    QTest::newRow("every other line")
        << qsizetype(130) << QList<qsizetype>{0,  1,  1, 2,  3,  1, 4,   5,   1, 62,  63,  1,
                                              63, 64, 0, 64, 65, 1, 127, 128, 1, 129, 130, 1};
}

void TestBasket::stretches()
{
    QFETCH(qsizetype, lines);
    QFETCH(QList<qsizetype>, steps);
    Basket basket(lines);
    std::set<qsizetype> expected;
    for (qsizetype s = 0; s + 2 < steps.size(); s += 3) {
        const qsizetype first = steps.at(s), last = steps.at(s + 1);
        const bool chosen = steps.at(s + 2) != 0;
        basket.setRange(first, last, chosen);
        for (qsizetype i = std::max<qsizetype>(first, 0); i < std::min(last, lines); ++i) {
            if (chosen)
                expected.insert(i);
            else
                expected.erase(i);
        }
    }
    QCOMPARE(basket.count(), qsizetype(expected.size()));
    std::vector<qsizetype> seen;
    basket.forEachChosen([&](qsizetype i) { seen.push_back(i); });
    QCOMPARE(seen, std::vector<qsizetype>(expected.begin(), expected.end()));
    for (qsizetype i = -1; i <= lines; ++i)
        QCOMPARE(basket.contains(i), expected.count(i) == 1);
    // The stretches are the chosen lines, each as long as it can be.
    std::vector<qsizetype> inRuns;
    qsizetype previousEnd = -1;
    basket.forEachRun([&](qsizetype first, qsizetype last) {
        QVERIFY(first < last && first > previousEnd);
        QVERIFY(!basket.contains(first - 1) && !basket.contains(last));
        for (qsizetype i = first; i < last; ++i)
            inRuns.push_back(i);
        previousEnd = last;
    });
    QCOMPARE(inRuns, seen);
    // Counts over stretches that start and end anywhere.
    for (qsizetype first = 0; first < lines; first += 37) {
        const qsizetype last = std::min(lines, first + 150);
        const auto n = std::count_if(expected.begin(), expected.end(),
                                     [&](qsizetype i) { return i >= first && i < last; });
        QCOMPARE(basket.countIn(first, last), qsizetype(n));
    }
    basket.set(lines, true); // outside: nothing changes
    QCOMPARE(basket.count(), qsizetype(expected.size()));
    basket.clear();
    QCOMPARE(basket.count(), qsizetype(0));
    QVERIFY(basket.isEmpty());
}

// Sizes with a fraction, unreadable sizes and paths with and without the root
// prefix, in a list written as the lab writes it (UTF-8 names included).
void TestBasket::measuresChosenLines()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"list.csv"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray longName(300, 'n');
    file.write("Disk\\a.txt,d,10.5,32;x,Recovered\r\n"
               "Disk\\b.txt,d,garbage,32;x,Recovered\r\n"
               "Disk\\\xc3\xa9t\xc3\xa9\\c.txt,d,131072,32;x,Recovered\r\n"
               "Disk\\" +
               longName + ",d,1,32;x,Recovered\r\n");
    file.close();
    const LoadedList list = loadList(path, LoadOptions());
    QCOMPARE(list.lineCount, 4);
    Basket basket(list.iGrid1.count());
    basket.setRange(0, list.iGrid1.count(), true);
    const RoomOnTarget room =
        measure(list, basket, FileSystem::ExFat, 1'000'000'000'000, qsizetype(5)); // "Disk\"
    QCOMPARE(room.files(), qint64(4));
    QCOMPARE(room.bytes(), qint64(11 + 0 + 131072 + 1));
    QCOMPARE(room.largest(), qint64(131072));
    QCOMPARE(room.onDisk(), qint64(3 * 128 * 1024));
    QCOMPARE(room.pathsTooLong(), qint64(1));
    // Nothing chosen, nothing measured.
    basket.clear();
    QCOMPARE(measure(list, basket, FileSystem::ExFat, 1'000'000'000'000, 5).files(), qint64(0));
}

QTEST_APPLESS_MAIN(TestBasket)
#include "tst_basket.moc"
