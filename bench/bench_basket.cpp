#include "bench_basket.h"

#include "BenchTiming.h"
#include "basket/Basket.h"
#include "basket/LineMapping.h"
#include "browse/FolderListing.h"
#include "listfile/FolderTotals.h"
#include "listfile/ListLoader.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace corvane::bench {

namespace {

QString ms(double value)
{
    return QString::number(value, 'f', 2);
}

} // namespace

QList<std::pair<QString, QString>> basketFigures(const QString &listPath, int repeat,
                                                 QString *error)
{
    QList<std::pair<QString, QString>> figures;
    const LoadedList list = loadList(listPath);
    if (!list.fileFound || !list.error.isEmpty() || list.SftTree1.isEmpty()) {
        *error = u"cannot load %1: %2"_s.arg(listPath, list.error);
        return figures;
    }
    const QString rootPrefix = list.rootPrefixAfter(QString());
    const qsizetype lines = list.iGrid1.count();
    const FolderTotals &totals = list.totals;

    basket::Basket chosen(lines);
    qint64 seen = 0;
    const double rootMs = bestOf(repeat, [&] {
        chosen.clear();
        const LineStore::Range range = list.iGrid1.prefixRange(folderKey(list, rootPrefix, 0));
        chosen.setRange(range.first, range.last, true);
        seen = chosen.count() + totals.files(0) + totals.bytes(0).roundedBytes();
    });

    int big = 0;
    for (int item = 1; item < list.SftTree1.count(); ++item) {
        if (big == 0 || totals.files(item) > totals.files(big))
            big = item;
    }
    qsizetype share = 0;
    const double toggleMs = bestOf(repeat, [&] {
        const LineStore::Range range = list.iGrid1.prefixRange(folderKey(list, rootPrefix, big));
        const bool all = chosen.countIn(range.first, range.last) == range.size();
        chosen.setRange(range.first, range.last, !all);
        share = chosen.countIn(range.first, range.last);
    });

    chosen.setRange(0, lines, true);
    qint64 onDisk = 0;
    const double roomMs = bestOf(repeat, [&] {
        onDisk = basket::measure(list, chosen, basket::FileSystem::ExFat, 1'000'000'000'000,
                                 rootPrefix.size())
                     .onDisk();
    });

    // A search result of every fifth line (its own store, UTF-8 as the
    // window reads its result file), found in the list as the window finds
    // it when the result is shown.
    QByteArray resultBytes;
    for (qsizetype i = 0; i < lines; i += 5)
        resultBytes += list.iGrid1.text(i).toUtf8() + "\r\n";
    LoadOptions resultOptions;
    resultOptions.folderTotals = false;
    const LoadedList result =
        loadListBytes({resultBytes, ListEncoding::Utf8, true, {}, false}, resultOptions);
    resultBytes.clear();
    qsizetype found = 0;
    const double mapMs = bestOf(repeat, [&] {
        const std::vector<qint32> map = basket::mapLines(result.iGrid1, list.iGrid1);
        found = std::count_if(map.begin(), map.end(), [](qint32 at) { return at >= 0; });
    });

    figures.append({u"select_root_ms"_s, ms(rootMs)});
    figures.append({u"select_toggle_big_ms"_s, ms(toggleMs)});
    figures.append({u"select_toggle_big_files"_s, QString::number(totals.files(big))});
    figures.append({u"select_room_ms"_s, ms(roomMs)});
    figures.append({u"select_room_on_disk"_s, QString::number(onDisk)});
    figures.append({u"select_map_result_ms"_s, ms(mapMs)});
    figures.append({u"select_map_result_lines"_s, QString::number(result.iGrid1.count())});
    figures.append({u"select_map_result_found"_s, QString::number(found)});
    figures.append(
        {u"select_bytes_per_line"_s,
         QString::number(double(chosen.bytesUsed()) / double(std::max<qsizetype>(lines, 1)), 'f',
                         3)});
    // Keeps the timed work from being dropped.
    figures.append({u"select_checked"_s, QString::number(seen + share > 0 ? 1 : 0)});
    return figures;
}

} // namespace corvane::bench
