#include "bench_map.h"

#include "BenchTiming.h"
#include "listfile/ListLoader.h"
#include "map/MapLayout.h"
#include "map/paint/MapPainter.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane::bench {

namespace {

constexpr QSize Screen(1920, 1080);

QString ms(double v)
{
    return QString::number(v, 'f', 1);
}

} // namespace

QList<std::pair<QString, QString>> mapFigures(const QString &listPath, int repeat, QString *error)
{
    QList<std::pair<QString, QString>> figures;
    const LoadedList list = loadList(listPath);
    if (!list.fileFound || !list.error.isEmpty()) {
        *error = u"cannot load %1: %2"_s.arg(listPath, list.error);
        return figures;
    }
    const QString prefix = list.rootPrefixAfter(QString());
    const QRectF bounds(QPointF(0, 0), QSizeF(Screen));
    MapLayout root;
    const double layoutMs =
        bestOf(repeat, [&] { root = MapLayout::build(list, prefix, 0, bounds); });
    const double mapMs = bestOf(repeat, [&] {
        const MapLayout map = MapLayout::build(list, prefix, 0, bounds);
        const QImage image = MapPainter::render(map, list, Screen);
        Q_UNUSED(image);
    });
    figures.append({u"map_layout_ms"_s, ms(layoutMs)});
    figures.append({u"map_ms"_s, ms(mapMs)});
    figures.append({u"map_tiles"_s, QString::number(root.count())});
    figures.append(
        {u"map_bytes_per_line"_s,
         QString::number(list.lineCount > 0 ? double(root.memoryBytes()) / list.lineCount : 0.0,
                         'f', 3)});

    // The deepest folder that still holds a thousandth of the files, and the
    // folder with the most sub-folders.
    const FolderTree &tree = list.SftTree1;
    int deep = 0;
    int wide = 0;
    for (int i = 0; i < tree.count(); ++i) {
        if (list.totals.files(i) * 1000 >= list.lineCount &&
            tree.item(i).level > tree.item(deep).level)
            deep = i;
        if (tree.item(i).childCount > tree.item(wide).childCount)
            wide = i;
    }
    const auto timeFolder = [&](int item) {
        return bestOf(repeat, [&] {
            const MapLayout map = MapLayout::build(list, prefix, item, bounds);
            const QImage image = MapPainter::render(map, list, Screen);
            Q_UNUSED(image);
        });
    };
    figures.append({u"map_deep_ms"_s, ms(timeFolder(deep))});
    figures.append({u"map_deep_level"_s, QString::number(tree.item(deep).level)});
    figures.append({u"map_big_ms"_s, ms(timeFolder(wide))});
    figures.append({u"map_big_folders"_s, QString::number(tree.item(wide).childCount)});

    // A folder of 200,000 sub-folders of varied sizes and statuses.
    QByteArray raw;
    for (int i = 0; i < 200000; ++i)
        raw += "D\\Big\\F" + QByteArray::number(i) + "\\a,d," +
               QByteArray::number((i * 7919) % 10007) + ",0;x," +
               (i % 3 ? "Recovered" : "Damaged") + "\r\n";
    ListBytes bytes;
    bytes.bytes = raw;
    bytes.fileFound = true;
    const LoadedList big = loadListBytes(std::move(bytes));
    const int parent = big.SftTree1.findPath({u"Big"_s});
    const QString bigPrefix = big.rootPrefixAfter(QString());
    MapLayout bigMap;
    const double bigMs = bestOf(repeat, [&] {
        bigMap = MapLayout::build(big, bigPrefix, parent, bounds);
        const QImage image = MapPainter::render(bigMap, big, Screen);
        Q_UNUSED(image);
    });
    figures.append({u"map_200k_ms"_s, ms(bigMs)});
    figures.append({u"map_200k_tiles"_s, QString::number(bigMap.count())});
    return figures;
}

} // namespace corvane::bench
