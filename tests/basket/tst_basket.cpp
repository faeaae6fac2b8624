// The basket's bits: stretches across word bounds, counts kept as bits change,
// and the room of the chosen lines of a loaded list.

#include "basket/Basket.h"
#include "listfile/ListLine.h"
#include "listfile/ListLoader.h"

#include <QTemporaryDir>
#include <QTest>

#include <random>
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
    void measureMatchesPlainReading_data();
    void measureMatchesPlainReading();
};

namespace {

// The room of the chosen lines read the plain way, one line at a time through
// the field cutter and the decoder: what measure must give.
RoomOnTarget plainRoom(const LoadedList &list, const Basket &basket, FileSystem fs, qint64 capacity,
                       qsizetype rootPrefixLength)
{
    RoomOnTarget room(fs, capacity);
    const LineStore &store = list.iGrid1;
    for (qsizetype i = 0; i < store.count(); ++i) {
        if (!basket.contains(i))
            continue;
        const QByteArrayView line = store.line(i);
        qint64 size = 0;
        if (fieldCount(line) > ListField::Size) {
            const QByteArrayView field = fieldAt(line, ListField::Size);
            const std::optional<ByteTotal> total =
                field.isEmpty() ? std::optional<ByteTotal>(ByteTotal()) : leadingSize(field);
            if (total && total->raw() > 0)
                size = total->raw() / ByteTotal::Scale + (total->raw() % ByteTotal::Scale ? 1 : 0);
        }
        const qsizetype length = store.decode(fieldAt(line, ListField::Path)).size();
        room.add(size, std::max<qsizetype>(length - rootPrefixLength, 0));
    }
    return room;
}

// A list of `lines` lines below "Top\" with every kind of field 0 and field
// 2 a list can hold, the same for the same seed. utf8: names hold UTF-8
// letters (one of four bytes, two UTF-16 units, among them); otherwise
// Windows-1252 ones. Every hugeEvery-th line (0: none) has the largest size
// the format holds.
QByteArray mixedList(int lines, unsigned seed, bool utf8, int hugeEvery)
{
    std::mt19937 random(seed);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    static const char *const sizes[] = {"0",    "1",          "131072", "131073", "4294967296",
                                        "10.5", "0.0001",     " 1 024", "1e3",    "2.5E2",
                                        "",     "garbage",    "-7",     "+12",    "12abc",
                                        ".5",   "99999.9999", "1e400",  "1e-9",   "4294967295"};
    static const char *const utf8Letters[] = {"\xc3\xa9", "\xe2\x82\xac", "\xf0\x9f\x93\xb7",
                                              "\xd0\x96"};
    static const char *const cp1252Letters[] = {"\xe9", "\x80", "\xfc", "\x9f"};
    QByteArray out;
    for (int i = 0; i < lines; ++i) {
        QByteArray line = "Top\\";
        const int depth = pick(4);
        for (int d = 0; d <= depth; ++d) {
            QByteArray name(1 + pick(d == depth ? 90 : 12), 'a' + char(pick(26)));
            if (pick(5) == 0)
                name.insert(pick(int(name.size())),
                            utf8 ? utf8Letters[pick(4)] : cp1252Letters[pick(4)]);
            if (pick(40) == 0)
                name.append(QByteArray(200, 'p')); // a path past the longest a restore takes
            line += name;
            if (d < depth)
                line += '\\';
        }
        const int shape = pick(40);
        if (shape == 0) { // no comma at all
        } else if (shape == 1) {
            line += ",2024-01-02 03:04:05"; // no size field
        } else {
            line += ",2024-01-02 03:04:05,";
            line += hugeEvery > 0 && i % hugeEvery == 0 ? "922337203685477" : sizes[pick(20)];
            if (shape != 2) // else the size ends the line
                line += utf8 ? ",32;x\xc3\xa9,Recovered" : ",32;x\xe9,Recovered";
        }
        out += line + "\r\n";
    }
    return out;
}

} // namespace

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

// Each row: a list, how its lines are chosen and the target; measure, on one
// thread or two, stopped or not, must give the plain per-line reading's room.
void TestBasket::measureMatchesPlainReading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("wide");        // a store that keeps each line's length
    QTest::addColumn<int>("step");         // every step-th line chosen (0: none)
    QTest::addColumn<qsizetype>("prefix"); // root prefix length
    QTest::addColumn<int>("fs");
    const QByteArray odd = "Top\\a.txt,d,10.5,32;x,Recovered\r\n"
                           "Top\\b.txt,d,garbage,32;x,Recovered\r\n"
                           "Top\\c.txt,d,,32;x,Recovered\r\n"
                           "Top\\d.txt,d\r\n"
                           "Top\\no commas here\r\n"
                           "Top\\e.txt,d,5000000000,32;x,Recovered\r\n"
                           "Top\\f.txt,d,922337203685477.5807,32;x,Recovered\r\n"
                           "Top\\g.txt,d,922337203685478,32;x,Recovered\r\n"
                           "Top\\h.txt,d,-3,32;x,Recovered\r\n"
                           "Top\\i.txt,d, 4 096 ,32;x,Recovered\r\n"
                           "Top\\j.txt,d,1.5e3x,32;x,Recovered\r\n"
                           "T,d,1,32;x,Recovered\r\n"
                           "Top\\a very long name that crosses many blocks of sixteen.txt,d,7\r\n";
    QTest::newRow("odd lines, UTF-8")
        << odd + "Top\\\xc3\xa9t\xc3\xa9\\\xf0\x9f\x93\xb7.jpg,d,3,32;x,Recovered\r\n"
        << false << 1 << qsizetype(4) << int(FileSystem::ExFat);
    QTest::newRow("odd lines, Windows-1252")
        << odd + "Top\\\xe9t\xe9\\\x80.jpg,d,3,32;x,Recovered\r\n"
        << false << 1 << qsizetype(4) << int(FileSystem::Fat32);
    QTest::newRow("odd lines, wide store") << odd + "Top\\\xc3\xa9.jpg,d,3,32;x,Recovered\r\n"
                                           << true << 1 << qsizetype(4) << int(FileSystem::Fat32);
    QTest::newRow("prefix longer than the paths")
        << odd << false << 1 << qsizetype(400) << int(FileSystem::Ntfs);
    QTest::newRow("nothing chosen") << odd << false << 0 << qsizetype(4) << int(FileSystem::ExFat);
    QTest::newRow("small, UTF-8, every other line")
        << mixedList(3000, 1, true, 0) << false << 2 << qsizetype(4) << int(FileSystem::ExFat);
    QTest::newRow("two threads, UTF-8")
        << mixedList(150000, 2, true, 0) << false << 1 << qsizetype(4) << int(FileSystem::ExFat);
    QTest::newRow("two threads, Windows-1252, FAT32")
        << mixedList(150000, 3, false, 0) << false << 1 << qsizetype(4) << int(FileSystem::Fat32);
    QTest::newRow("two threads, wide store, every third line")
        << mixedList(330000, 4, true, 0) << true << 3 << qsizetype(4) << int(FileSystem::Ext4);
    // About 6,000 of the largest sizes in each half: neither half's sums
    // saturate, their merge must.
    QTest::newRow("sums saturate only when merged")
        << mixedList(200000, 5, false, 17) << false << 1 << qsizetype(4) << int(FileSystem::ExFat);
    QTest::newRow("sums saturate in each half")
        << mixedList(200000, 6, true, 3) << false << 1 << qsizetype(4) << int(FileSystem::Ntfs);
}

void TestBasket::measureMatchesPlainReading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, wide);
    QFETCH(int, step);
    QFETCH(qsizetype, prefix);
    QFETCH(int, fs);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"list.csv"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
    file.close();
    LoadOptions options;
    options.wideLines = wide;
    const LoadedList list = loadList(path, options);
    QVERIFY2(list.error.isEmpty(), qPrintable(list.error));
    const qsizetype lines = list.iGrid1.count();
    QCOMPARE(lines, bytes.count('\n'));
    Basket basket(lines);
    for (qsizetype i = 0; step > 0 && i < lines; i += step)
        basket.set(i, true);
    const auto target = FileSystem(fs);
    const qint64 capacity = 1'000'000'000'000;
    const RoomOnTarget expected = plainRoom(list, basket, target, capacity, prefix);
    auto same = [&](const RoomOnTarget &room) {
        QCOMPARE(room.files(), expected.files());
        QCOMPARE(room.bytes(), expected.bytes());
        QCOMPARE(room.largest(), expected.largest());
        QCOMPARE(room.onDisk(), expected.onDisk());
        QCOMPARE(room.tooBigForFileSystem(), expected.tooBigForFileSystem());
        QCOMPARE(room.pathsTooLong(), expected.pathsTooLong());
    };
    same(measure(list, basket, target, capacity, prefix));
    if (QTest::currentTestFailed())
        return;
    std::atomic<bool> stop(false);
    const std::optional<RoomOnTarget> kept = measure(list, basket, target, capacity, prefix, stop);
    QVERIFY(kept.has_value());
    same(*kept);
    if (QTest::currentTestFailed())
        return;
    stop = true;
    QVERIFY(!measure(list, basket, target, capacity, prefix, stop).has_value());
    // The rows mean what they say.
    if (QByteArrayView(QTest::currentDataTag()).contains("UTF-8"))
        QCOMPARE(list.iGrid1.encoding(), ListEncoding::Utf8);
    if (QByteArrayView(QTest::currentDataTag()).contains("Windows-1252"))
        QCOMPARE(list.iGrid1.encoding(), ListEncoding::Windows1252);
    if (QByteArrayView(QTest::currentDataTag()).startsWith("sums saturate"))
        QCOMPARE(expected.bytes(), std::numeric_limits<qint64>::max());
    if (QByteArrayView(QTest::currentDataTag()).startsWith("two threads"))
        QVERIFY(basket.count() >= 100000);
}

QTEST_APPLESS_MAIN(TestBasket)
#include "tst_basket.moc"
