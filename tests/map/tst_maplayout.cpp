#include "map/MapLayout.h"
#include "map/MapTooltip.h"
#include "testutil_maplists.h"

#include <QTest>

#include <cmath>

using namespace Qt::Literals::StringLiterals;
using corvane::LoadedList;
using corvane::MapLayout;
using corvane::MapTile;

class TestMapLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tiling_data();
    void tiling();
    void areasFollowBytes_data();
    void areasFollowBytes();
    void zeroBytes_data();
    void zeroBytes();
    void ownFiles();
    void hitTest_data();
    void hitTest();
    void tooltip_data();
    void tooltip();
    void noMap_data();
    void noMap();
    void stop();
};

void TestMapLayout::tiling_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QSizeF>("size");

    for (const QString &shape : {u"one file"_s, u"flat"_s, u"nested"_s, u"200,000 sub-folders"_s,
                                 u"all sizes 0"_s, u"overflowing sizes"_s, u"deep chain"_s,
                                 u"big and small files"_s, u"empty folder of lost files"_s}) {
        for (const QSizeF &size : {QSizeF(16, 16), QSizeF(1200, 800), QSizeF(8192, 8192)})
            QTest::addRow("%s, %gx%g", qPrintable(shape), size.width(), size.height())
                << shape << size;
    }
    QTest::newRow("flat, a sliver") << u"flat"_s << QSizeF(3000, 17);
    QTest::newRow("nested, fractional") << u"nested"_s << QSizeF(333.3, 121.7);
}

// Whatever the list, the tiles inside each folder fill it without
// overlapping, and there are never more tiles than the area has room for.
void TestMapLayout::tiling()
{
    QFETCH(QString, shape);
    QFETCH(QSizeF, size);
    const LoadedList list = corvane::test::mapListOf(corvane::test::mapListBytes(shape));
    const corvane::MapLayoutOptions options;
    const MapLayout map = MapLayout::build(list, list.rootPrefixAfter(QString()), 0,
                                           QRectF(QPointF(0, 0), size), options);
    QVERIFY(!map.isEmpty());
    QCOMPARE(map.tile(0).rect, QRectF(QPointF(0, 0), size));
    QCOMPARE(map.tile(0).end, map.count());
    QVERIFY(corvane::test::tilesTileTheirFolders(map));
    // A folder tile for each laid-out folder plus a tile per gathered
    // entry: at most two per least area, and a few for the levels.
    const double room = size.width() * size.height() / options.minArea;
    QVERIFY2(map.count() <= 2 * room + 1000, qPrintable(QString::number(map.count())));
    // Tiles inside a folder are deeper by one.
    for (int i = 0; i < map.count(); ++i)
        for (int c : corvane::test::childTiles(map, i))
            QCOMPARE(int(map.tile(c).depth), int(map.tile(i).depth) + 1);
}

void TestMapLayout::areasFollowBytes_data()
{
    QTest::addColumn<QList<qint64>>("sizes");
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<double>("worstRatio"); // the largest side over the smallest allowed

    QTest::newRow("1 to 20, wide")
        << QList<qint64>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}
        << QSizeF(1200, 800) << 4.0;
    QTest::newRow("1 to 20, tall")
        << QList<qint64>{20, 19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}
        << QSizeF(300, 1000) << 4.0;
    QTest::newRow("equal") << QList<qint64>(36, 5000) << QSizeF(600, 600) << 2.0;
    QTest::newRow("one dominant") << QList<qint64>{1000000, 10000, 10000, 10000}
                                  << QSizeF(1000, 500) << 8.0;
    QTest::newRow("two") << QList<qint64>{3, 1} << QSizeF(800, 800)
                         << 4.01; // 3:1 in a square: no better cut
    QTest::newRow("past 32 bits") << QList<qint64>{5000000000LL, 3000000000LL, 2000000000LL}
                                  << QSizeF(1000, 1000) << 3.0;
}

// Every sub-folder of a flat folder gets the share of the area its bytes
// have of the folder's, and no tile is much longer than it is wide.
void TestMapLayout::areasFollowBytes()
{
    QFETCH(QList<qint64>, sizes);
    QFETCH(QSizeF, size);
    QFETCH(double, worstRatio);

    QByteArray raw;
    qint64 total = 0;
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        raw += corvane::test::mapLine("D\\F" + QByteArray::number(i) + "\\f", sizes[i], "OK");
        total += sizes[i];
    }
    const LoadedList list = corvane::test::mapListOf(raw);
    const MapLayout map =
        MapLayout::build(list, list.rootPrefixAfter(QString()), 0, QRectF(QPointF(0, 0), size));
    const QList<int> children = corvane::test::childTiles(map, 0);
    QCOMPARE(children.size(), sizes.size());
    const double inner = (size.width() - 2) * (size.height() - 2);
    for (int c : children) {
        const MapTile &t = map.tile(c);
        QCOMPARE(t.kind, MapTile::Kind::Folder);
        QVERIFY(t.scaled);
        const qint64 bytes = map.bytes(list, c).roundedBytes();
        const double expected = inner * double(bytes) / double(total);
        QVERIFY2(std::abs(corvane::test::areaOf(t.rect) - expected) <= 1e-6 * inner,
                 qPrintable(u"%1 bytes: area %2, expected %3"_s.arg(bytes)
                                .arg(corvane::test::areaOf(t.rect))
                                .arg(expected)));
        const double ratio =
            std::max(t.rect.width() / t.rect.height(), t.rect.height() / t.rect.width());
        QVERIFY2(ratio <= worstRatio, qPrintable(QString::number(ratio)));
    }
}

void TestMapLayout::zeroBytes_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("folder"); // the zero-byte folder looked for
    QTest::addColumn<qint64>("files");

    QTest::newRow("beside a full folder")
        << u"empty folder of lost files"_s << u"Lost"_s << qint64(10000);
    QTest::newRow("all sizes 0") << u"all sizes 0"_s << u"F3"_s << qint64(4);
}

// A folder without bytes still has a tile, of at least the minimum area,
// said not to be to scale.
void TestMapLayout::zeroBytes()
{
    QFETCH(QString, shape);
    QFETCH(QString, folder);
    QFETCH(qint64, files);
    const LoadedList list = corvane::test::mapListOf(corvane::test::mapListBytes(shape));
    const corvane::MapLayoutOptions options;
    const MapLayout map = MapLayout::build(list, list.rootPrefixAfter(QString()), 0,
                                           QRectF(0, 0, 1200, 800), options);
    const int item = list.SftTree1.findPath({folder});
    QVERIFY(item > 0);
    int found = -1;
    for (int i = 0; i < map.count(); ++i)
        if (map.tile(i).kind == MapTile::Kind::Folder && map.tile(i).item == item)
            found = i;
    QVERIFY(found >= 0);
    const MapTile &t = map.tile(found);
    QVERIFY(!t.scaled);
    QVERIFY2(corvane::test::areaOf(t.rect) >= options.zeroArea - 1e-6,
             qPrintable(QString::number(corvane::test::areaOf(t.rect))));
    QCOMPARE(map.files(list, found), files);
    QVERIFY(corvane::mapTooltipText(map, found, list).endsWith(u"\nNot to scale"_s));
}

// A big file of a folder has a tile of its own; the many small ones beside
// it are one tile, with their count and bytes.
void TestMapLayout::ownFiles()
{
    const LoadedList list =
        corvane::test::mapListOf(corvane::test::mapListBytes(u"big and small files"_s));
    const MapLayout map =
        MapLayout::build(list, list.rootPrefixAfter(QString()), 0, QRectF(0, 0, 1200, 800));
    const int mixed = list.SftTree1.findPath({u"Mixed"_s});
    int file = -1;
    int rest = -1;
    for (int i = 0; i < map.count(); ++i) {
        if (map.tile(i).item != mixed)
            continue;
        if (map.tile(i).kind == MapTile::Kind::File)
            file = i;
        if (map.tile(i).kind == MapTile::Kind::OwnFiles)
            rest = i;
    }
    QVERIFY(file >= 0);
    QVERIFY(rest >= 0);
    QCOMPARE(corvane::mapTilePath(map, file, list), u"Root\\Mixed\\big.iso"_s);
    QCOMPARE(map.bytes(list, file).roundedBytes(), qint64(5000000));
    QCOMPARE(map.files(list, file), qint64(1));
    QCOMPARE(map.files(list, rest), qint64(3000));
    QCOMPARE(map.bytes(list, rest).roundedBytes(), qint64(30000));
    QCOMPARE(list.totals.status(map.tile(file).status).word, u"Damaged"_s);
    // Its bytes by status: all of it under its own.
    for (int s = 0; s < map.statusCount(); ++s)
        QCOMPARE(map.bytes(list, file, s).roundedBytes(),
                 s == map.tile(file).status ? qint64(5000000) : qint64(0));
}

void TestMapLayout::hitTest_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<QString>("path"); // "" for none

    // Two folders side by side (3:1), each one file: A left, B right.
    QTest::newRow("in A, its one file") << QPointF(100, 100) << u"Root\\A\\f"_s;
    QTest::newRow("in B, its one file") << QPointF(700, 100) << u"Root\\B\\g"_s;
    QTest::newRow("the left edge") << QPointF(0, 0) << u"Root"_s;
    QTest::newRow("Root's border") << QPointF(0.5, 300) << u"Root"_s;
    QTest::newRow("the last point inside") << QPointF(799.9, 399.9) << u"Root"_s;
    QTest::newRow("right of the map") << QPointF(800, 100) << QString();
    QTest::newRow("above the map") << QPointF(100, -0.1) << QString();
}

void TestMapLayout::hitTest()
{
    QFETCH(QPointF, point);
    QFETCH(QString, path);
    const LoadedList list = corvane::test::mapListOf(corvane::test::mapLine("D\\A\\f", 300, "OK") +
                                                     corvane::test::mapLine("D\\B\\g", 100, "OK"));
    const MapLayout map =
        MapLayout::build(list, list.rootPrefixAfter(QString()), 0, QRectF(0, 0, 800, 400));
    const int at = map.tileAt(point);
    QCOMPARE(at < 0 ? QString() : corvane::mapTilePath(map, at, list), path);
    // The tile found holds the point and is the deepest that does.
    if (at >= 0) {
        QVERIFY(map.tile(at).rect.contains(point));
        for (int c : corvane::test::childTiles(map, at))
            QVERIFY(!map.tile(c).rect.contains(point));
    }
}

void TestMapLayout::tooltip_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("text");

    QTest::newRow("a split by status")
        << corvane::test::mapLine("D\\A\\a", 3072, "Recovered") +
               corvane::test::mapLine("D\\A\\b", 1024, "Damaged") +
               corvane::test::mapLine("D\\C\\c", 100, "Recovered")
        << u"A"_s
        << u"Root\\A\n2 files, 4.0 Kb\nRecovered: 1 files, 3.0 Kb (75.0 %)\n"
           u"Damaged: 1 files, 1,024 Bytes (25.0 %)"_s;
    QTest::newRow("markup in a name stays text")
        << corvane::test::mapLine("D\\<b>x</b>\\a", 10, "<i>OK</i>") +
               corvane::test::mapLine("D\\Z\\b", 10, "OK")
        << u"<b>x</b>"_s
        << u"Root\\<b>x</b>\n1 files, 10 Bytes\n<i>OK</i>: 1 files, 10 Bytes (100.0 %)"_s;
    QTest::newRow("no bytes: shares of the files")
        << corvane::test::mapLine("D\\A\\a", 0, "Recovered") +
               corvane::test::mapLine("D\\A\\b", 0, "Lost") +
               corvane::test::mapLine("D\\A\\c", 0, "Lost")
        << u"A"_s
        << u"Root\\A\n3 files, 0 Bytes\nLost: 2 files, 0 Bytes (66.7 %)\n"
           u"Recovered: 1 files, 0 Bytes (33.3 %)\nNot to scale"_s;
}

void TestMapLayout::tooltip()
{
    QFETCH(QByteArray, list);
    QFETCH(QString, folder);
    QFETCH(QString, text);
    const LoadedList loaded = corvane::test::mapListOf(list);
    const MapLayout map =
        MapLayout::build(loaded, loaded.rootPrefixAfter(QString()), 0, QRectF(0, 0, 400, 300));
    const int item = loaded.SftTree1.findPath({folder});
    int tile = -1;
    for (int i = 0; i < map.count(); ++i)
        if (map.tile(i).kind == MapTile::Kind::Folder && map.tile(i).item == item)
            tile = i;
    QVERIFY(tile >= 0);
    QCOMPARE(corvane::mapTooltipText(map, tile, loaded, {}, QLocale(QLocale::English)), text);
}

void TestMapLayout::noMap_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<int>("item");
    QTest::addColumn<QRectF>("bounds");

    const QByteArray one = corvane::test::mapLine("D\\a", 5, "OK");
    QTest::newRow("an empty list") << QByteArray() << 0 << QRectF(0, 0, 100, 100);
    QTest::newRow("an item past the tree") << one << 1 << QRectF(0, 0, 100, 100);
    QTest::newRow("a negative item") << one << -1 << QRectF(0, 0, 100, 100);
    QTest::newRow("no width") << one << 0 << QRectF(0, 0, 0, 100);
    QTest::newRow("no height") << one << 0 << QRectF(0, 0, 100, 0);
    QTest::newRow("not a number") << one << 0 << QRectF(0, 0, std::nan(""), 100);
}

void TestMapLayout::noMap()
{
    QFETCH(QByteArray, list);
    QFETCH(int, item);
    QFETCH(QRectF, bounds);
    const LoadedList loaded = corvane::test::mapListOf(list);
    const MapLayout map = MapLayout::build(loaded, QString(), item, bounds);
    QVERIFY(map.isEmpty());
    QCOMPARE(map.tileAt(QPointF(1, 1)), -1);
    QVERIFY(corvane::mapTooltipText(map, 0, loaded).isEmpty());
}

// A stop asked for before the layout gives an empty map at once.
void TestMapLayout::stop()
{
    const LoadedList list =
        corvane::test::mapListOf(corvane::test::mapListBytes(u"200,000 sub-folders"_s));
    std::atomic<bool> stop = true;
    corvane::MapLayoutOptions options;
    options.stop = &stop;
    QVERIFY(MapLayout::build(list, list.rootPrefixAfter(QString()), 0, QRectF(0, 0, 1920, 1080),
                             options)
                .isEmpty());
}

QTEST_GUILESS_MAIN(TestMapLayout)
#include "tst_maplayout.moc"
