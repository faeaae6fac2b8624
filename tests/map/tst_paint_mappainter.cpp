#include "browse/paint/StatusColours.h"
#include "map/MapLayout.h"
#include "map/paint/MapPainter.h"
#include "testutil_maplists.h"
#include "testutil_mappixels.h"

#include <QHash>
#include <QImage>
#include <QTest>

#include <cmath>

using namespace Qt::Literals::StringLiterals;
using corvane::LoadedList;
using corvane::MapLayout;
using corvane::MapPainter;

class TestMapPainter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void colourShares_data();
    void colourShares();
    void pictureSize_data();
    void pictureSize();
    void outline();
};

void TestMapPainter::colourShares_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<bool>("shading");
    QTest::addColumn<QSize>("size");

    QByteArray mixed;
    const char *const words[] = {"Recovered", "Damaged", "Not recovered", "Partially recovered"};
    for (int f = 0; f < 40; ++f)
        for (int k = 0; k < 4; ++k)
            mixed += corvane::test::mapLine(
                "D\\F" + QByteArray::number(f % 9) + "\\G" + QByteArray::number(f % 4) + "\\f" +
                    QByteArray::number(f * 4 + k),
                (f * 37 % 11 + 1) * (k + 1) * 100000, words[(f + k) % 4]);
    QTest::newRow("four statuses, flat colours") << mixed << false << QSize(900, 600);
    QTest::newRow("four statuses, shaded") << mixed << true << QSize(900, 600);
    QTest::newRow("four statuses, small") << mixed << false << QSize(120, 80);
    QTest::newRow("one folder, two statuses")
        << corvane::test::mapLine("D\\A\\a", 700000, "Recovered") +
               corvane::test::mapLine("D\\A\\b", 300000, "Overwritten")
        << true << QSize(500, 500);
    QTest::newRow("many small files")
        << corvane::test::mapListBytes(u"200,000 sub-folders"_s) << false << QSize(1200, 800);
}

// The share of the pixels in each status's colour is within a few points
// of that status's share of the bytes.
void TestMapPainter::colourShares()
{
    QFETCH(QByteArray, list);
    QFETCH(bool, shading);
    QFETCH(QSize, size);
    const LoadedList loaded = corvane::test::mapListOf(list);
    const MapLayout map =
        MapLayout::build(loaded, loaded.rootPrefixAfter(QString()), 0, QRectF(QPointF(0, 0), size));
    corvane::MapPaintOptions options;
    options.shading = shading;
    const QImage image = MapPainter::render(map, loaded, size, 1.0, options);
    QCOMPARE(image.size(), size);
    const QList<QColor> colours = corvane::statusColours(loaded.totals);
    const QList<double> shares =
        corvane::test::pixelShares(image, colours, {options.border, options.background});
    double total = 0;
    for (int s = 0; s < loaded.totals.statusCount(); ++s)
        total += loaded.totals.bytes(0, s).toDouble();
    for (int s = 0; s < loaded.totals.statusCount(); ++s) {
        const double expected = 100.0 * loaded.totals.bytes(0, s).toDouble() / total;
        QVERIFY2(std::abs(shares[s] - expected) <= 3.0,
                 qPrintable(u"%1: %2 % of the pixels, %3 % of the bytes"_s.arg(
                     loaded.totals.status(s).word, QString::number(shares[s], 'f', 1),
                     QString::number(expected, 'f', 1))));
    }
}

void TestMapPainter::pictureSize_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("ratio");

    QTest::newRow("16x16") << u"nested"_s << QSize(16, 16) << 1.0;
    QTest::newRow("8192x8192") << u"nested"_s << QSize(8192, 8192) << 1.0;
    QTest::newRow("twice the pixels") << u"nested"_s << QSize(300, 200) << 2.0;
    QTest::newRow("one and a half") << u"flat"_s << QSize(301, 201) << 1.5;
    QTest::newRow("all sizes 0") << u"all sizes 0"_s << QSize(64, 48) << 1.0;
    QTest::newRow("overflowing sizes") << u"overflowing sizes"_s << QSize(64, 48) << 1.0;
}

// The picture has the pixels asked for, at the ratio asked for, and the
// map covers it: no background left showing.
void TestMapPainter::pictureSize()
{
    QFETCH(QString, shape);
    QFETCH(QSize, size);
    QFETCH(double, ratio);
    const LoadedList loaded = corvane::test::mapListOf(corvane::test::mapListBytes(shape));
    const MapLayout map =
        MapLayout::build(loaded, loaded.rootPrefixAfter(QString()), 0, QRectF(QPointF(0, 0), size));
    const corvane::MapPaintOptions options;
    const QImage image = MapPainter::render(map, loaded, size, ratio, options);
    QCOMPARE(image.size(), QSize(qRound(size.width() * ratio), qRound(size.height() * ratio)));
    QCOMPARE(image.devicePixelRatio(), ratio);
    const QRgb background = options.background.rgb();
    const int step = std::max(1, image.width() / 512);
    for (int y = 0; y < image.height(); y += step)
        for (int x = 0; x < image.width(); x += step)
            QVERIFY2(image.pixel(x, y) != background, qPrintable(u"%1,%2"_s.arg(x).arg(y)));
}

// The outlined tile has a dark edge and a light one inside it; the others
// are drawn as without an outline.
void TestMapPainter::outline()
{
    const LoadedList loaded = corvane::test::mapListOf(corvane::test::mapListBytes(u"flat"_s));
    const QSize size(400, 300);
    const MapLayout map =
        MapLayout::build(loaded, loaded.rootPrefixAfter(QString()), 0, QRectF(QPointF(0, 0), size));
    const int tile = corvane::test::childTiles(map, 0).first();
    corvane::MapPaintOptions options;
    const QImage plain = MapPainter::render(map, loaded, size, 1.0, options);
    options.outlined = tile;
    const QImage outlined = MapPainter::render(map, loaded, size, 1.0, options);
    const QRect r = map.tile(tile).rect.toAlignedRect();
    const QPoint mid = r.center();
    QCOMPARE(outlined.pixel(r.left(), mid.y()), qRgb(0, 0, 0));
    QCOMPARE(outlined.pixel(r.left() + 1, mid.y()), qRgb(255, 255, 255));
    QCOMPARE(outlined.pixel(mid), plain.pixel(mid));
    const QRect other = map.tile(corvane::test::childTiles(map, 0).last()).rect.toAlignedRect();
    QCOMPARE(outlined.pixel(other.center()), plain.pixel(other.center()));
}

QTEST_GUILESS_MAIN(TestMapPainter)
#include "tst_paint_mappainter.moc"
