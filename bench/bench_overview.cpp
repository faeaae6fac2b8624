#include "bench_overview.h"

#include "BenchTiming.h"
#include "browse/FolderOrder.h"
#include "listfile/FolderKinds.h"
#include "listfile/FolderTotals.h"
#include "listfile/ListLoader.h"

#include <algorithm>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace corvane::bench {

namespace {

qint64 keptBytes(const FolderTotals &t)
{
    const qint64 perFolder = qint64(sizeof(qint32) + sizeof(ByteTotal)) * t.statusCount();
    return perFolder * t.folderCount();
}

} // namespace

QList<std::pair<QString, QString>> overviewFigures(const QString &listPath, int repeat,
                                                   QString *error)
{
    QList<std::pair<QString, QString>> figures;
    const LoadedList list = loadList(listPath);
    if (!list.fileFound || !list.error.isEmpty()) {
        *error = u"cannot load %1: %2"_s.arg(listPath, list.error);
        return figures;
    }
    const FolderTotals &totals = list.totals;
    figures.append({u"overview_folders"_s, QString::number(totals.folderCount())});
    figures.append({u"overview_kb"_s, QString::number(keptBytes(totals) / 1024)});
    figures.append(
        {u"overview_bytes_per_line"_s,
         QString::number(list.lineCount > 0 ? double(keptBytes(totals)) / list.lineCount : 0.0, 'f',
                         2)});

    // A folder of 10,000 sub-folders, of varied sizes and statuses.
    QByteArray raw;
    for (int i = 0; i < 10000; ++i) {
        raw += "D\\Big\\F" + QByteArray::number(i) + "\\a,d," +
               QByteArray::number((i * 7919) % 10007) + ",0;x," +
               (i % 3 ? "Recovered" : "Damaged") + "\r\n";
    }
    ListBytes bytes;
    bytes.bytes = raw;
    bytes.fileFound = true;
    const LoadedList big = loadListBytes(std::move(bytes));
    const FolderTotals &bigTotals = big.totals;
    const int parent = big.SftTree1.findPath({u"Big"_s});
    std::vector<int> order(size_t(big.SftTree1.item(parent).childCount));
    const double sortMs = bestOf(repeat, [&] {
        sortChildren(big.SftTree1, bigTotals, parent, FolderSortKey::Size, true, order.data());
    });
    figures.append({u"overview_sort_10k_ms"_s, QString::number(sortMs, 'f', 2)});
    return figures;
}

QList<std::pair<QString, QString>> kindsFigures(const QString &listPath, int repeat, QString *error)
{
    QList<std::pair<QString, QString>> figures;
    const LoadedList list = loadList(listPath);
    if (!list.fileFound || !list.error.isEmpty()) {
        *error = u"cannot load %1: %2"_s.arg(listPath, list.error);
        return figures;
    }
    const FolderKinds &kinds = list.kinds;
    figures.append(
        {u"kinds_bytes_per_line"_s,
         QString::number(list.lineCount > 0 ? double(kinds.memoryBytes()) / list.lineCount : 0.0,
                         'f', 2)});
    qint64 files = 0;
    const double rootMs = bestOf(repeat, [&] { files = kinds.of(list.SftTree1, 0).total().files; });
    figures.append({u"kinds_root_ms"_s, QString::number(rootMs, 'f', 2)});
    figures.append({u"kinds_root_files"_s, QString::number(files)});
    // The top folder with the most below it.
    int biggest = 0;
    qint32 most = -1;
    for (int r = 0; !list.SftTree1.isEmpty() && r < list.SftTree1.item(0).childCount; ++r) {
        const int child = list.SftTree1.child(0, r);
        if (list.totals.files(child) > most) {
            most = list.totals.files(child);
            biggest = child;
        }
    }
    const double folderMs =
        bestOf(repeat, [&] { files = kinds.of(list.SftTree1, biggest).total().files; });
    figures.append({u"kinds_folder_ms"_s, QString::number(folderMs, 'f', 2)});
    return figures;
}

} // namespace corvane::bench
