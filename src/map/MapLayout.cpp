#include "MapLayout.h"

#include "browse/FolderListing.h"
#include "listfile/ListLine.h"
#include "listfile/ListLoader.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

constexpr qsizetype PrefetchAhead = 8; // lines

// Differences of totals that saturation may have left inconsistent (a
// parent's sum that stopped growing below its children's): never below 0.
qint64 rawLess(qint64 a, qint64 b)
{
    qint64 d = 0;
    if (__builtin_sub_overflow(a, b, &d) || d < 0)
        return 0;
    return d;
}

void addRaw(ByteTotal &to, ByteTotal more)
{
    if (!to.tryAdd(more))
        to = ByteTotal::fromRaw(std::numeric_limits<qint64>::max());
}

// The worst aspect ratio of a row of areas from largest to smallest along a
// side (the squarified layout's measure).
double worstRatio(double largest, double smallest, double sum, double side)
{
    const double s2 = sum * sum;
    const double side2 = side * side;
    return std::max(side2 * largest / s2, s2 / (side2 * smallest));
}

} // namespace

class MapLayoutBuilder
{
public:
    MapLayoutBuilder(const LoadedList &list, const QString &rootPrefix,
                     const MapLayoutOptions &options, MapLayout &map)
        : m_list(list)
        , m_rootPrefix(rootPrefix)
        , m_options(options)
        , m_map(map)
        , m_statuses(list.totals.statusCount())
    {
        for (int s = 0; s < m_statuses; ++s) {
            const FolderTotals::Status &status = list.totals.status(s);
            switch (status.kind) {
            case FolderTotals::StatusKind::Word:
                m_statusOfWord.insert(status.rawWord, s);
                break;
            case FolderTotals::StatusKind::Unknown:
                m_unknownStatus = s;
                break;
            case FolderTotals::StatusKind::Other:
                m_otherStatus = s;
                break;
            }
        }
    }

    bool stopped() const
    {
        return m_options.stop && m_options.stop->load(std::memory_order_relaxed);
    }

    void layoutFolder(int item, const QRectF &rect, int depth, bool scaled);

private:
    struct Entry
    {
        double area = 0; // the weight first, then the area
        MapTile::Kind kind = MapTile::Kind::Folder;
        qint32 item = 0;
        qint32 line = -1; // File: its line; OwnFiles, SmallFolders: its split
        qint32 folders = 0;
        quint8 status = 0;
        bool scaled = true;
        bool zero = false; // of zero bytes, given a minimum area
    };

    int statusOfLine(const LineFields &fields) const
    {
        if (!fields.hasStatus)
            return m_unknownStatus;
        const auto it = m_statusOfWord.constFind(fields.status.toByteArray());
        return it != m_statusOfWord.cend() ? it.value() : m_otherStatus;
    }
    qint32 newSplit()
    {
        const qint32 split = qint32(m_map.m_splitBytes.size() / size_t(std::max(m_statuses, 1)));
        m_map.m_splitFiles.resize(m_map.m_splitFiles.size() + size_t(m_statuses));
        m_map.m_splitBytes.resize(m_map.m_splitBytes.size() + size_t(m_statuses));
        return split;
    }
    ByteTotal *splitBytes(qint32 split)
    {
        return m_map.m_splitBytes.data() + size_t(split) * size_t(m_statuses);
    }
    qint64 *splitFiles(qint32 split)
    {
        return m_map.m_splitFiles.data() + size_t(split) * size_t(m_statuses);
    }
    qint64 fileSum(qint32 split) const
    {
        qint64 sum = 0;
        for (int s = 0; s < m_statuses; ++s)
            sum += m_map.m_splitFiles[size_t(split) * size_t(m_statuses) + size_t(s)];
        return sum;
    }
    static double weightOf(const ByteTotal *bytes, int count)
    {
        double sum = 0;
        for (int s = 0; s < count; ++s)
            sum += double(std::max<qint64>(bytes[s].raw(), 0));
        return sum;
    }
    void takeOwnFiles(int item, double threshold, Entry &own, std::vector<Entry> &entries);
    void squarify(std::vector<Entry> &entries, QRectF rect, std::vector<QRectF> &rects) const;

    const LoadedList &m_list;
    const QString &m_rootPrefix;
    const MapLayoutOptions &m_options;
    MapLayout &m_map;
    const int m_statuses;
    QHash<QByteArray, int> m_statusOfWord;
    PathAndSize (*m_cut)(const char *, const char *) = cutPathAndSize;
    int m_unknownStatus = 0;
    int m_otherStatus = 0;
};

void MapLayoutBuilder::takeOwnFiles(int item, double threshold, Entry &own,
                                    std::vector<Entry> &entries)
{
    bool ok = true;
    const QByteArray key = folderKey(m_list, m_rootPrefix, item, &ok);
    if (!ok)
        return;
    const LineStore &store = m_list.iGrid1;
    const LineStore::Range range = store.prefixRange(key);
    ByteTotal *ownBytes = splitBytes(own.line);
    qint64 *ownFiles = splitFiles(own.line);
    qsizetype i = range.first;
    while (i < range.last) {
        // Path and size only: the rest of a line is read for a file that
        // gets a tile.
        // Sorted lines stand anywhere in the buffer: the next ones asked for
        // ahead.
        if (i + PrefetchAhead < range.last)
            store.prefetchLine(i + PrefetchAhead);
        const LineStore::LineReach reach = store.reach(i);
        const PathAndSize cut = m_cut(reach.begin, reach.bound);
        const qsizetype slash =
            cut.path.size() > key.size() ? cut.path.sliced(key.size()).indexOf('\\') : -1;
        if (slash >= 0) {
            // A sub-folder's lines stand together: jump past them.
            QByteArray past = cut.path.first(key.size() + slash).toByteArray();
            past.append(char('\\' + 1));
            i = std::max(i + 1, store.lowerBound(past));
            continue;
        }
        if (cut.hasSize && cut.size.raw() > 0 && double(cut.size.raw()) >= threshold) {
            const int s = statusOfLine(lineFields(store.line(i)));
            Entry file;
            file.kind = MapTile::Kind::File;
            file.item = item;
            file.line = qint32(i);
            file.status = quint8(s);
            file.area = double(cut.size.raw());
            entries.push_back(file);
            ownBytes[s] = ByteTotal::fromRaw(rawLess(ownBytes[s].raw(), cut.size.raw()));
            ownFiles[s] = std::max<qint64>(ownFiles[s] - 1, 0);
        }
        ++i;
    }
    own.area = weightOf(ownBytes, m_statuses);
}

void MapLayoutBuilder::squarify(std::vector<Entry> &entries, QRectF rect,
                                std::vector<QRectF> &rects) const
{
    rects.assign(entries.size(), QRectF(rect.bottomRight(), QSizeF(0, 0)));
    const size_t n = entries.size();
    size_t i = 0;
    while (i < n && rect.width() > 0 && rect.height() > 0) {
        if (i + 1 == n) {
            rects[i] = rect;
            break;
        }
        const bool wide = rect.width() >= rect.height();
        const double side = wide ? rect.height() : rect.width();
        double sum = entries[i].area;
        double worst = worstRatio(sum, sum, sum, side);
        size_t j = i + 1;
        for (; j < n; ++j) {
            const double next = sum + entries[j].area;
            const double w = worstRatio(entries[i].area, entries[j].area, next, side);
            if (w > worst)
                break;
            sum = next;
            worst = w;
        }
        double remaining = 0;
        for (size_t k = j; k < n; ++k)
            remaining += entries[k].area;
        // The row's thickness; the last row takes what is left, whatever
        // the rounding of the areas before it.
        const double extent = wide ? rect.width() : rect.height();
        const double thickness =
            j == n ? extent : std::min(extent, extent * sum / std::max(sum + remaining, 1e-300));
        double along = wide ? rect.top() : rect.left();
        const double alongEnd = wide ? rect.bottom() : rect.right();
        for (size_t k = i; k < j; ++k) {
            const double length = k + 1 == j ? alongEnd - along : side * entries[k].area / sum;
            rects[k] = wide ? QRectF(rect.left(), along, thickness, length)
                            : QRectF(along, rect.top(), length, thickness);
            along += length;
        }
        if (wide)
            rect.setLeft(rect.left() + thickness);
        else
            rect.setTop(rect.top() + thickness);
        i = j;
    }
}

void MapLayoutBuilder::layoutFolder(int item, const QRectF &rect, int depth, bool scaled)
{
    const qint32 index = qint32(m_map.m_tiles.size());
    {
        MapTile tile;
        tile.rect = rect;
        tile.item = item;
        tile.depth = quint16(depth);
        tile.scaled = scaled;
        m_map.m_tiles.push_back(tile);
    }
    auto finish = [&] { m_map.m_tiles[size_t(index)].end = qint32(m_map.m_tiles.size()); };

    const FolderTree &tree = m_list.SftTree1;
    const FolderTotals &totals = m_list.totals;
    const double b = m_options.border;
    const QRectF inner = rect.adjusted(b, b, -b, -b);
    const double innerArea = inner.width() * inner.height();
    const int childCount = tree.item(item).childCount;
    if (inner.width() < m_options.minSide || inner.height() < m_options.minSide ||
        depth >= 0xFFFF || stopped() || (childCount == 0 && innerArea < m_options.fileArea)) {
        finish();
        return;
    }

    // Sub-folders, and the folder's own files: what its totals hold beyond
    // its sub-folders'.
    std::vector<Entry> entries;
    entries.reserve(size_t(childCount) + 1);
    Entry own;
    own.kind = MapTile::Kind::OwnFiles;
    own.item = item;
    own.line = newSplit();
    {
        ByteTotal *ownBytes = splitBytes(own.line);
        qint64 *ownFiles = splitFiles(own.line);
        for (int s = 0; s < m_statuses; ++s) {
            ownBytes[s] = totals.bytes(item, s);
            ownFiles[s] = totals.files(item, s);
        }
        for (int r = 0; r < childCount; ++r) {
            const int child = tree.child(item, r);
            Entry e;
            e.item = child;
            for (int s = 0; s < m_statuses; ++s) {
                const ByteTotal bytes = totals.bytes(child, s);
                e.area += double(std::max<qint64>(bytes.raw(), 0));
                ownBytes[s] = ByteTotal::fromRaw(rawLess(ownBytes[s].raw(), bytes.raw()));
                ownFiles[s] = std::max<qint64>(ownFiles[s] - totals.files(child, s), 0);
            }
            entries.push_back(e);
        }
        own.area = weightOf(ownBytes, m_statuses);
    }
    const bool hasOwnFiles = fileSum(own.line) > 0;

    double total = own.area;
    for (const Entry &e : entries)
        total += e.area;
    size_t zeros = 0;
    for (Entry &e : entries) {
        if (e.area <= 0) {
            e.zero = true;
            ++zeros;
        }
    }
    if (hasOwnFiles && own.area <= 0) {
        own.zero = true;
        ++zeros;
    }
    double unit = 0; // area per weight
    double zeroWeight = 0;
    if (total <= 0) {
        // Nothing has a size: every entry the same area, none to scale.
        zeroWeight = 1;
        unit = innerArea / std::max<double>(double(zeros), 1);
    } else {
        // Zero-byte entries a minimum area each, while they take at most
        // their share; the others gathered with the small ones.
        const double room = m_options.zeroShare * innerArea;
        const size_t allowed = size_t(std::max(0.0, std::floor(room / m_options.zeroArea)));
        const double zeroTiles = double(std::min(zeros, allowed));
        const double zeroAreaEach =
            zeroTiles > 0 ? std::min(m_options.zeroArea, room / zeroTiles) : 0;
        zeroWeight =
            zeroTiles > 0 ? zeroAreaEach * total / (innerArea - zeroTiles * zeroAreaEach) : 0;
        unit = innerArea / (total + zeroTiles * zeroWeight);
        size_t given = 0;
        for (Entry &e : entries) {
            if (!e.zero)
                continue;
            if (given + 1 < allowed || (given + 1 == allowed && zeros == allowed)) {
                e.area = zeroWeight;
                e.scaled = false;
                ++given;
            }
        }
        if (own.zero) {
            own.area = zeroWeight;
            own.scaled = false;
        }
    }
    if (total <= 0) {
        for (Entry &e : entries) {
            e.area = zeroWeight;
            e.scaled = false;
        }
        own.area = hasOwnFiles ? zeroWeight : 0;
        own.scaled = false;
    }

    // A big tile of own files: the files big enough for a tile of their own.
    if (hasOwnFiles && !own.zero && total > 0 && own.area * unit >= m_options.fileArea)
        takeOwnFiles(item, m_options.minArea / unit, own, entries);

    if (childCount == 0 && entries.empty()) {
        // Only files, none big enough on its own: the folder is its own tile.
        finish();
        return;
    }

    // Sub-folders too small to see, together (zero-byte ones left without
    // a minimum area among them).
    std::vector<qint32> small;
    for (size_t k = 0; k < entries.size(); ++k) {
        const Entry &e = entries[k];
        if (e.kind == MapTile::Kind::Folder &&
            (e.area * unit < m_options.minArea || (e.zero && e.scaled)))
            small.push_back(qint32(k));
    }
    if (small.size() > 1) {
        Entry gathered;
        gathered.kind = MapTile::Kind::SmallFolders;
        gathered.item = item;
        gathered.line = newSplit();
        gathered.folders = qint32(small.size());
        ByteTotal *bytes = splitBytes(gathered.line);
        qint64 *files = splitFiles(gathered.line);
        bool allZero = true;
        double weight = 0;
        for (const qint32 k : small) {
            Entry &e = entries[size_t(k)];
            for (int s = 0; s < m_statuses; ++s) {
                addRaw(bytes[s], totals.bytes(e.item, s));
                files[s] += totals.files(e.item, s);
            }
            allZero = allZero && e.zero;
            weight += e.area;
            e.area = -1; // taken
        }
        gathered.area = weight;
        if (allZero) {
            // Zero-byte folders the room had no minimum area left for: one
            // more minimum area for all of them.
            gathered.scaled = false;
            if (total > 0)
                gathered.area = zeroWeight;
        }
        std::erase_if(entries, [](const Entry &e) { return e.area < 0; });
        entries.push_back(gathered);
    }
    if (hasOwnFiles && fileSum(own.line) > 0)
        entries.push_back(own);
    std::erase_if(entries, [](const Entry &e) { return !(e.area > 0); });
    if (entries.empty()) {
        finish();
        return;
    }
    for (Entry &e : entries)
        e.area *= unit;
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry &a, const Entry &b) { return a.area > b.area; });
    std::vector<QRectF> rects;
    squarify(entries, inner, rects);
    for (size_t k = 0; k < entries.size(); ++k) {
        const Entry &e = entries[k];
        if (e.kind == MapTile::Kind::Folder) {
            layoutFolder(e.item, rects[k], depth + 1, e.scaled && scaled);
            continue;
        }
        MapTile tile;
        tile.rect = rects[k];
        tile.item = e.item;
        tile.line = e.line;
        tile.depth = quint16(std::min(depth + 1, 0xFFFF));
        tile.kind = e.kind;
        tile.status = e.status;
        tile.scaled = e.scaled && scaled;
        tile.folders = e.folders;
        tile.end = qint32(m_map.m_tiles.size()) + 1;
        m_map.m_tiles.push_back(tile);
    }
    finish();
}

MapLayout MapLayout::build(const LoadedList &list, const QString &rootPrefix, int item,
                           const QRectF &bounds, const MapLayoutOptions &options)
{
    MapLayout map;
    map.m_bounds = bounds;
    map.m_item = item;
    map.m_statusCount = list.totals.statusCount();
    if (item < 0 || item >= list.SftTree1.count() ||
        list.totals.folderCount() != list.SftTree1.count() || !(bounds.width() > 0) ||
        !(bounds.height() > 0))
        return map;
    MapLayoutBuilder builder(list, rootPrefix, options, map);
    builder.layoutFolder(item, bounds, 0, true);
    if (builder.stopped())
        return MapLayout();
    map.m_tiles.shrink_to_fit();
    return map;
}

ByteTotal MapLayout::bytes(const LoadedList &list, int index, int s) const
{
    const MapTile &t = tile(index);
    switch (t.kind) {
    case MapTile::Kind::Folder:
        return list.totals.bytes(t.item, s);
    case MapTile::Kind::File:
        if (s != t.status)
            return ByteTotal();
        if (const std::optional<ByteTotal> size = lineFields(list.iGrid1.line(t.line)).size)
            return *size;
        return ByteTotal();
    case MapTile::Kind::OwnFiles:
    case MapTile::Kind::SmallFolders:
        break;
    }
    return m_splitBytes[size_t(t.line) * size_t(m_statusCount) + size_t(s)];
}

ByteTotal MapLayout::bytes(const LoadedList &list, int index) const
{
    ByteTotal sum;
    for (int s = 0; s < m_statusCount; ++s)
        addRaw(sum, bytes(list, index, s));
    return sum;
}

qint64 MapLayout::files(const LoadedList &list, int index, int s) const
{
    const MapTile &t = tile(index);
    switch (t.kind) {
    case MapTile::Kind::Folder:
        return list.totals.files(t.item, s);
    case MapTile::Kind::File:
        return s == t.status ? 1 : 0;
    case MapTile::Kind::OwnFiles:
    case MapTile::Kind::SmallFolders:
        break;
    }
    return m_splitFiles[size_t(t.line) * size_t(m_statusCount) + size_t(s)];
}

qint64 MapLayout::files(const LoadedList &list, int index) const
{
    qint64 sum = 0;
    for (int s = 0; s < m_statusCount; ++s)
        sum += files(list, index, s);
    return sum;
}

int MapLayout::tileAt(const QPointF &point) const
{
    // Siblings never overlap: follow the one holding the point down.
    int found = -1;
    int i = 0;
    const int n = count();
    const auto holds = [&point](const QRectF &r) {
        return point.x() >= r.left() && point.x() < r.right() && point.y() >= r.top() &&
               point.y() < r.bottom();
    };
    int end = n;
    while (i < end) {
        const MapTile &t = m_tiles[size_t(i)];
        if (holds(t.rect)) {
            found = i;
            end = t.end;
            ++i;
        } else {
            i = t.end;
        }
    }
    return found;
}

qint64 MapLayout::memoryBytes() const
{
    return qint64(m_tiles.capacity() * sizeof(MapTile) + m_splitFiles.capacity() * sizeof(qint64) +
                  m_splitBytes.capacity() * sizeof(ByteTotal));
}

} // namespace corvane
