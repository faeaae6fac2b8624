#include "bench_browse.h"

#include "browse/FileGridModel.h"
#include "browse/FileImagePositions.h"
#include "browse/FolderListing.h"
#include "listfile/ListLine.h"
#include "listfile/ListLoader.h"

#include <QElapsedTimer>
#include <QHash>

#include <algorithm>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace corvane::bench {

namespace {

// The rows a grid of the window's size has in view.
constexpr int VisibleRows = 40;

// One pick: list the folder, swap it into a fresh model (a fresh image list:
// every extension is looked up again) and read what the view paints.
double pickMs(const LoadedList &list, const QString &rootPrefix, int item,
              const ListingOptions &options, qsizetype *files)
{
    QElapsedTimer timer;
    timer.start();
    FileImagePositions images([](const QString &key) { return key.size() <= 5; });
    FileGridModel model(images);
    model.setOptions(options);
    model.setDecoration([](int position) { return QVariant(position); });
    FolderListing listing = listFolder(list, rootPrefix, item, options);
    *files = listing.fileRows;
    model.setListing(std::move(listing));
    qsizetype touched = 0;
    const int rows = std::min(model.rowCount(), VisibleRows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < FileGridModel::ColumnCount; ++c) {
            const QModelIndex index = model.index(r, c);
            touched += model.data(index, Qt::DisplayRole).toString().size();
            touched += model.data(index, Qt::DecorationRole).isValid();
            touched += model.data(index, Qt::TextAlignmentRole).isValid();
        }
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (touched < 0) // keeps the reads
        return -1;
    return ms;
}

// The tree item of a folder key ('Data\A\B\'), or -1.
int itemOfKey(const LoadedList &list, const QByteArray &rootKey, QByteArrayView key)
{
    if (!key.startsWith(rootKey))
        return -1;
    QByteArrayView rest = key.sliced(rootKey.size());
    QStringList names;
    while (!rest.isEmpty()) {
        const qsizetype slash = rest.indexOf('\\');
        if (slash < 0)
            return -1;
        names.append(list.iGrid1.decode(rest.first(slash)));
        rest = rest.sliced(slash + 1);
    }
    return list.SftTree1.findPath(names);
}

} // namespace

QList<std::pair<QString, QString>> browseFigures(const QString &listPath, int repeat,
                                                 QString *error)
{
    ListingOptions options; // English names and numbers, as the window in English
    LoadOptions loadOptions;
    loadOptions.collationLocale = options.collation;
    const LoadedList list = loadList(listPath, loadOptions);
    if (!list.fileFound || !list.error.isEmpty() || list.SftTree1.isEmpty()) {
        *error = list.error.isEmpty() ? u"browse: %1 holds no list"_s.arg(listPath) : list.error;
        return {};
    }
    const QString rootPrefix = list.rootPrefixAfter(QString());
    const QByteArray rootKey = list.iGrid1.encode(rootPrefix);

    // Files directly in each folder: the lines are sorted, so a folder's
    // files stand in runs of one folder path.
    QHash<QByteArray, qsizetype> direct;
    QByteArrayView runPath;
    qsizetype run = 0;
    auto endRun = [&] {
        if (run > 0)
            direct[runPath.toByteArray()] += run;
    };
    for (qsizetype i = 0; i < list.iGrid1.count(); ++i) {
        const QByteArrayView path = folderPathOf(list.iGrid1.line(i));
        if (path != runPath) {
            endRun();
            runPath = path;
            run = 0;
        }
        ++run;
    }
    endRun();
    QByteArray bigKey, tenKKey;
    qsizetype bigCount = -1;
    qsizetype tenKCount = std::numeric_limits<qsizetype>::max();
    for (auto it = direct.cbegin(); it != direct.cend(); ++it) {
        if (it.key() == rootKey)
            continue;
        if (it.value() > bigCount) {
            bigCount = it.value();
            bigKey = it.key();
        }
        if (it.value() >= 10000 && it.value() < tenKCount) {
            tenKCount = it.value();
            tenKKey = it.key();
        }
    }

    struct Pick
    {
        QString key;
        int item;
    };
    QList<Pick> picks{{u"pick_root"_s, 0}};
    if (const int big = itemOfKey(list, rootKey, bigKey); big > 0)
        picks.append({u"pick_big"_s, big});
    if (const int tenK = itemOfKey(list, rootKey, tenKKey); tenK > 0 && tenKKey != bigKey)
        picks.append({u"pick_10k"_s, tenK});

    QList<std::pair<QString, QString>> figures;
    for (const Pick &pick : picks) {
        double best = std::numeric_limits<double>::infinity();
        qsizetype files = 0;
        for (int round = 0; round < std::max(repeat, 1); ++round)
            best = std::min(best, pickMs(list, rootPrefix, pick.item, options, &files));
        figures.append({pick.key + u"_ms"_s, QString::number(best, 'f', 1)});
        figures.append({pick.key + u"_files"_s, QString::number(files)});
    }
    return figures;
}

} // namespace corvane::bench
