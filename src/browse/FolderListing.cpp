#include "FolderListing.h"

#include "listfile/ListDate.h"
#include "listfile/ListLine.h"
#include "listfile/ListLoader.h"
#include "listfile/NaturalOrder.h"
#include "listfile/SizeText.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <thread>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// File rows from this many on are filled on two threads.
constexpr size_t ParallelRowsFrom = 4096;

QString decodeField(const LineStore &store, QByteArrayView field)
{
    return field.isEmpty() ? QString() : store.decode(field);
}

struct LastText
{
    QByteArray bytes;
    QString text;
    const QString &set(QByteArrayView b, QString t)
    {
        bytes = b.toByteArray();
        text = std::move(t);
        return text;
    }
};

void fillFileRow(GridRow &row, const LineStore &store, QByteArrayView line, const QLocale &numbers,
                 LastText &lastStatus)
{
    // Field 0 gave the name; the other cells are the line's fields 1 to 4.
    forEachField(line, [&](int index, QByteArrayView field) {
        switch (index) {
        case ListField::Path:
            return true;
        case ListField::Modified:
            row.modified = decodeField(store, field);
            return true;
        case ListField::Size:
            row.hasSize = true;
            row.size = leadingNumber(field);
            row.sizeText = sizeCellText(row.size, numbers);
            return true;
        case ListField::Attributes:
            row.attributes = decodeField(store, field);
            return true;
        case ListField::Status:
            // A list holds a handful of status words: share one string each.
            if (field == lastStatus.bytes)
                row.status = lastStatus.text;
            else
                row.status = lastStatus.set(field, decodeField(store, field));
            return false; // fields beyond the fifth have no cell
        }
        return false;
    });
}

// The first byte string that sorts after every string beginning with
// prefix + "\": the same with "\" raised by one.
QByteArray pastSubFolder(QByteArrayView key, QByteArrayView name)
{
    QByteArray probe;
    probe.reserve(key.size() + name.size() + 1);
    probe.append(key.data(), key.size());
    probe.append(name.data(), name.size());
    probe.append(char('\\' + 1));
    return probe;
}

} // namespace

QByteArray folderKey(const LoadedList &list, const QString &rootPrefix, int item, bool *ok)
{
    bool encoded = true;
    // The list's own top folder is taken as its lines hold it: a name the
    // store's encoding could not decode (it fell back to another) would
    // not encode back to the same bytes.
    QByteArray key;
    if (list.hasTopComponent && rootPrefix == list.rootPrefixAfter(QString()))
        key = list.lastTopBytes + '\\';
    else
        key = list.iGrid1.encode(rootPrefix, &encoded);
    if (item > 0 && item < list.SftTree1.count())
        key += list.SftTree1.keyBelowRoot(item);
    if (ok)
        *ok = encoded;
    return key;
}

FolderLines FindFolderLines(const LineStore &store, QByteArrayView key)
{
    FolderLines lines;
    const LineStore::Range range = store.prefixRange(key);
    if (!range.isEmpty()) {
        lines.FirstFolderLine = qint32(range.first);
        lines.LastFolderLine = qint32(range.last - 1);
    }
    return lines;
}

FolderListing FillFileGrid(const LineStore &store, QByteArrayView key, FolderLines lines,
                           bool upRow, const ListingOptions &options)
{
    FolderListing listing;
    listing.key = key.toByteArray();
    listing.lines = lines;
    if (store.isEmpty())
        return listing;
    listing.filled = true;

    struct Found
    {
        qint32 line;
        QByteArrayView name;
    };
    std::vector<Found> folders;
    std::vector<Found> files;

    // A folder without any line of its own shows no entry (not line 0).
    if (!lines.isEmpty()) {
        qsizetype i = lines.FirstFolderLine;
        const qsizetype end = qsizetype(lines.LastFolderLine) + 1;
        while (i < end) {
            const QByteArrayView line = store.line(i);
            const qsizetype comma = line.indexOf(',');
            if (comma < 0 || comma < key.size()) {
                ++i; // never shown
                continue;
            }
            // Every line of the stretch begins with the key: only that leading
            // key is taken off, a repetition deeper in the path stays.
            const QByteArrayView relative = line.sliced(key.size(), comma - key.size());
            const qsizetype slash = relative.indexOf('\\');
            if (slash < 0) {
                files.push_back({qint32(i), relative});
                ++i;
                continue;
            }
            const QByteArrayView name = relative.first(slash);
            if (!name.isEmpty())
                folders.push_back({qint32(i), name});
            // Every line below this sub-folder stands in one stretch: jump past it.
            const qsizetype next = store.lowerBound(pastSubFolder(key, name));
            i = std::max(i + 1, next);
        }
    }

    listing.rows.reserve(size_t(upRow) + folders.size() + files.size());
    if (upRow) {
        GridRow up;
        up.kind = GridRowKind::Up;
        up.name = u".."_s;
        listing.rows.push_back(std::move(up));
    }

    auto sortedNames = [&](const std::vector<Found> &found, std::vector<QString> &names) {
        names.reserve(found.size());
        for (const Found &f : found)
            names.push_back(store.decode(f.name));
        std::vector<QStringView> views(names.begin(), names.end());
        return naturalOrder(views, options.collation);
    };

    std::vector<QString> folderNames;
    for (qsizetype index : sortedNames(folders, folderNames)) {
        GridRow row;
        row.kind = GridRowKind::Folder;
        row.name = std::move(folderNames[size_t(index)]);
        listing.rows.push_back(std::move(row));
    }
    // The file rows in store order (on two threads for a big folder), then
    // moved into name order.
    std::vector<GridRow> fileRows(files.size());
    auto fillRange = [&](size_t from, size_t to) {
        const QLocale numbers = options.numbers; // each thread its own copy
        LastText lastStatus;
        for (size_t i = from; i < to; ++i) {
            const Found &f = files[i];
            GridRow &row = fileRows[i];
            row.kind = GridRowKind::File;
            row.line = f.line;
            row.name = store.decode(f.name);
            row.program = isProgramName(row.name);
            fillFileRow(row, store, store.line(f.line), numbers, lastStatus);
        }
    };
    if (files.size() >= ParallelRowsFrom && std::thread::hardware_concurrency() > 1) {
        const size_t half = files.size() / 2;
        std::thread second(fillRange, half, files.size());
        fillRange(0, half);
        second.join();
    } else {
        fillRange(0, files.size());
    }
    std::vector<QStringView> fileNames;
    fileNames.reserve(fileRows.size());
    for (const GridRow &row : fileRows)
        fileNames.push_back(row.name);
    for (qsizetype index : naturalOrder(fileNames, options.collation))
        listing.rows.push_back(std::move(fileRows[size_t(index)]));
    listing.folderRows = qsizetype(folders.size());
    listing.fileRows = qsizetype(files.size());
    return listing;
}

FolderListing listFolder(const LoadedList &list, const QString &rootPrefix, int item,
                         const ListingOptions &options)
{
    if (item < 0 || item >= list.SftTree1.count()) {
        FolderListing none;
        none.item = item;
        return none;
    }
    bool ok = true;
    const QByteArray key = folderKey(list, rootPrefix, item, &ok);
    const FolderLines lines = ok ? FindFolderLines(list.iGrid1, key) : FolderLines{};
    FolderListing listing = FillFileGrid(list.iGrid1, key, lines, item > 0, options);
    listing.item = item;
    listing.header = list.SftTree1.text(item);
    return listing;
}

void narrowListing(FolderListing &listing, const FolderTree &tree, const ListingFilter &filter)
{
    const bool folderKnown = listing.item >= 0 && listing.item < tree.count();
    std::vector<GridRow> kept;
    kept.reserve(listing.rows.size());
    qsizetype folders = 0;
    qsizetype files = 0;
    for (GridRow &row : listing.rows) {
        switch (row.kind) {
        case GridRowKind::Up:
            break;
        case GridRowKind::Folder: {
            const int child = folderKnown ? tree.findChild(listing.item, row.name) : -1;
            if (child < 0 || !filter.keepsFolder(child))
                continue;
            ++folders;
            break;
        }
        case GridRowKind::File:
            if (!filter.keepsLine(row.line))
                continue;
            ++files;
            break;
        }
        kept.push_back(std::move(row));
    }
    listing.rows = std::move(kept);
    listing.folderRows = folders;
    listing.fileRows = files;
}

int folderItemByPath(const LoadedList &list, QStringView path)
{
    if (list.SftTree1.isEmpty())
        return -1;
    if (path.endsWith(u'\\'))
        path.chop(1);
    if (path.isEmpty())
        return 0;
    QStringList names;
    for (QStringView name : path.split(u'\\'))
        names.append(name.toString());
    return list.SftTree1.findPath(names);
}

QStringView fileExtensionKey(QStringView name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.sliced(dot);
}

bool isProgramName(QStringView name)
{
    return name.size() >= 4 && name.last(4).compare(u".exe", Qt::CaseInsensitive) == 0;
}

QString sizeCellText(double size, const QLocale &numbers)
{
    return formatRoundedCount(size, numbers);
}

void sortListing(FolderListing &listing, int column, Qt::SortOrder order,
                 const ListingOptions &options)
{
    auto &rows = listing.rows;
    const size_t upRows = listing.hasUpRow() ? 1 : 0;
    const auto foldersBegin = rows.begin() + qsizetype(upRows);
    const auto filesBegin = std::stable_partition(
        foldersBegin, rows.end(), [](const GridRow &r) { return r.kind == GridRowKind::Folder; });

    auto byName = [&](auto first, auto last) {
        std::vector<QStringView> names;
        names.reserve(size_t(last - first));
        for (auto it = first; it != last; ++it)
            names.push_back(it->name);
        const std::vector<qsizetype> sorted = naturalOrder(names, options.collation);
        std::vector<qsizetype> rank(sorted.size());
        for (size_t i = 0; i < sorted.size(); ++i)
            rank[size_t(sorted[i])] = qsizetype(i);
        return rank; // rank[i]: the place of row first + i in name order
    };

    auto apply = [](auto first, auto last, std::vector<qsizetype> &perm) {
        // perm[k]: which row (relative to first) goes to place k.
        std::vector<GridRow> moved;
        moved.reserve(perm.size());
        for (qsizetype p : perm)
            moved.push_back(std::move(*(first + p)));
        std::move(moved.begin(), moved.end(), first);
        Q_UNUSED(last);
    };

    const bool descending = order == Qt::DescendingOrder;

    // Folders: by name, reversed only for a descending name sort.
    {
        std::vector<qsizetype> rank = byName(foldersBegin, filesBegin);
        std::vector<qsizetype> perm(rank.size());
        for (size_t i = 0; i < rank.size(); ++i)
            perm[size_t(rank[i])] = qsizetype(i);
        if (descending && column == 1)
            std::reverse(perm.begin(), perm.end());
        apply(foldersBegin, filesBegin, perm);
    }

    // Files: by the column, ties by name.
    const auto filesEnd = rows.end();
    const std::vector<qsizetype> nameRank = byName(filesBegin, filesEnd);
    const size_t n = nameRank.size();
    std::vector<qsizetype> perm(n);
    for (size_t i = 0; i < n; ++i)
        perm[i] = qsizetype(i);
    auto fileRow = [&](qsizetype i) -> const GridRow & { return *(filesBegin + i); };

    std::vector<qint64> dates;
    std::vector<qsizetype> statusRank;
    if (column == 2) {
        dates.resize(n);
        for (size_t i = 0; i < n; ++i)
            dates[i] = listDateValue(fileRow(qsizetype(i)).modified, options.dates);
    } else if (column == 5) {
        std::vector<QStringView> statuses;
        statuses.reserve(n);
        for (size_t i = 0; i < n; ++i)
            statuses.push_back(fileRow(qsizetype(i)).status);
        const std::vector<qsizetype> sorted = naturalOrder(statuses, options.collation);
        statusRank.resize(n);
        // Equal statuses share a rank so that the name decides among them.
        for (size_t k = 0; k < n; ++k) {
            const qsizetype i = sorted[k];
            statusRank[size_t(i)] = k > 0 && statuses[size_t(sorted[k - 1])] == statuses[size_t(i)]
                                        ? statusRank[size_t(sorted[k - 1])]
                                        : qsizetype(k);
        }
    }

    auto primary = [&](qsizetype a, qsizetype b) -> int {
        switch (column) {
        case 2: {
            const qint64 da = dates[size_t(a)], db = dates[size_t(b)];
            if (da != db)
                return da < db ? -1 : 1;
            if (da == InvalidListDate) {
                const int c = fileRow(a).modified.compare(fileRow(b).modified);
                if (c != 0)
                    return c;
            }
            return 0;
        }
        case 3: {
            const GridRow &ra = fileRow(a), &rb = fileRow(b);
            // A row without a size field sorts below every size.
            const double sa = ra.hasSize ? ra.size : -HUGE_VAL;
            const double sb = rb.hasSize ? rb.size : -HUGE_VAL;
            if (sa != sb)
                return sa < sb ? -1 : 1;
            return 0;
        }
        case 5: {
            const qsizetype ra = statusRank[size_t(a)], rb = statusRank[size_t(b)];
            return ra == rb ? 0 : (ra < rb ? -1 : 1);
        }
        default:
            return 0;
        }
    };
    std::stable_sort(perm.begin(), perm.end(), [&](qsizetype a, qsizetype b) {
        int c = primary(a, b);
        if (c == 0) {
            if (nameRank[size_t(a)] == nameRank[size_t(b)])
                return false;
            c = nameRank[size_t(a)] < nameRank[size_t(b)] ? -1 : 1;
        }
        return descending ? c > 0 : c < 0;
    });
    apply(filesBegin, filesEnd, perm);
}

} // namespace corvane
