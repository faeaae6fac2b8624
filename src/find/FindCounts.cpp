#include "FindPass.h"
#include "browse/FolderListing.h"
#include "listfile/ByteScan.h"
#include "listfile/ChunkSort.h"
#include "listfile/ListLine.h"
#include "listfile/ListLoader.h"

#include <QHash>

#include <algorithm>
#include <cstring>

namespace corvane {

namespace {

constexpr qsizetype PrefetchAhead = 16;
constexpr qsizetype StopCheckLines = 4096;
// Fewer lines than this are counted on one thread.
constexpr qsizetype ParallelFrom = 200000;

// The lines of a set of matches in order: its indexes, or every line.
struct MatchLines
{
    const FindMatches &m;
    qsizetype storeCount;
    qsizetype size() const { return m.all ? storeCount : qsizetype(m.lines.size()); }
    qint32 at(qsizetype k) const { return m.all ? qint32(k) : m.lines[size_t(k)]; }
};

// Finds the tree item of a folder path below "Root" ('A\B\', the names each
// followed by "\") from the item of the path before: consecutive lines of
// the store mostly share their folders. Children are looked up by the
// bytes of their names, each folder's sorted when first needed.
class ItemWalker
{
public:
    explicit ItemWalker(const FolderTree &tree)
        : m_tree(tree), m_sorted(size_t(tree.count()), 0), m_children(size_t(tree.count()))
    {}

    int itemOf(QByteArrayView folder)
    {
        if (m_have && sameBytes(folder, QByteArrayView(m_previous)))
            return m_path.empty() ? 0 : m_path.back().second;
        // Keep the components both paths share.
        qsizetype common = 0;
        if (m_have) {
            const qsizetype n = std::min(folder.size(), qsizetype(m_previous.size()));
            while (common < n && folder[common] == m_previous[common])
                ++common;
        }
        while (!m_path.empty() && m_path.back().first >= common)
            m_path.pop_back();
        qsizetype pos = m_path.empty() ? 0 : m_path.back().first + 1;
        int parent = m_path.empty() ? 0 : m_path.back().second;
        m_previous = folder.toByteArray();
        m_have = true;
        while (pos < folder.size()) {
            const char *slash = static_cast<const char *>(
                std::memchr(folder.data() + pos, '\\', size_t(folder.size() - pos)));
            if (!slash)
                break;
            const qsizetype end = slash - folder.data();
            const int child = find(parent, folder.sliced(pos, end - pos));
            if (child < 0)
                break; // not in the tree: counted in the deepest folder found
            m_path.push_back({end, child});
            parent = child;
            pos = end + 1;
        }
        return parent;
    }

private:
    int find(int parent, QByteArrayView name)
    {
        std::vector<int> &children = m_children[size_t(parent)];
        if (!m_sorted[size_t(parent)]) {
            const FolderTree::Item &it = m_tree.item(parent);
            children.resize(size_t(it.childCount));
            for (int r = 0; r < it.childCount; ++r)
                children[size_t(r)] = m_tree.child(parent, r);
            std::sort(children.begin(), children.end(), [this](int a, int b) {
                return LineStore::lessOrdinal(m_tree.rawName(a), m_tree.rawName(b));
            });
            m_sorted[size_t(parent)] = 1;
        }
        const auto at = std::lower_bound(
            children.begin(), children.end(), name, [this](int child, QByteArrayView n) {
                return LineStore::lessOrdinal(m_tree.rawName(child), n);
            });
        return at != children.end() && sameBytes(m_tree.rawName(*at), name) ? *at : -1;
    }

    const FolderTree &m_tree;
    std::vector<char> m_sorted;
    std::vector<std::vector<int>> m_children;
    QByteArray m_previous;
    bool m_have = false;
    std::vector<std::pair<qsizetype, int>> m_path; // the "\" ending each component, its item
};

// Adds each line of lines[from, to) to the count of its folder's item.
bool countFolders(const LoadedList &list, QByteArrayView rootKey, const MatchLines &lines,
                  qsizetype from, qsizetype to, std::vector<qint32> &counts,
                  const std::atomic<bool> *stop)
{
    const LineStore &store = list.iGrid1;
    ItemWalker walker(list.SftTree1);
    for (qsizetype k = from; k < std::min(to, from + PrefetchAhead); ++k)
        store.prefetchLine(lines.at(k));
    for (qsizetype k = from; k < to; ++k) {
        if ((k - from) % StopCheckLines == 0 && stop && stop->load(std::memory_order_relaxed))
            return false;
        if (k + PrefetchAhead < to)
            store.prefetchLine(lines.at(k + PrefetchAhead));
        const QByteArrayView line = store.line(lines.at(k));
        if (!line.startsWith(rootKey))
            continue; // in no folder's stretch
        const char *comma =
            static_cast<const char *>(std::memchr(line.data(), ',', size_t(line.size())));
        const QByteArrayView path = comma ? line.first(comma - line.data()) : line;
        const QByteArrayView below = path.sliced(rootKey.size());
        const char *lastSlash =
            below.isEmpty()
                ? nullptr
                : static_cast<const char *>(::memrchr(below.data(), '\\', size_t(below.size())));
        const int item = lastSlash ? walker.itemOf(below.first(lastSlash - below.data() + 1)) : 0;
        ++counts[size_t(item)];
    }
    return true;
}

} // namespace

std::vector<qint32> matchesPerItem(const LoadedList &list, const QString &rootPrefix,
                                   const FindMatches &m, const std::atomic<bool> *stop)
{
    const FolderTree &tree = list.SftTree1;
    std::vector<qint32> counts(size_t(tree.count()), 0);
    if (tree.isEmpty() || m.stopped)
        return counts;
    bool encoded = true;
    const QByteArray rootKey = folderKey(list, rootPrefix, 0, &encoded);
    if (!encoded)
        return counts; // no line begins with the root prefix
    const LineStore &store = list.iGrid1;
    if (m.all && list.totals.folderCount() == tree.count() &&
        store.prefixRange(rootKey).size() == store.count()) {
        // Every line lies below the root prefix: the loader's totals
        // counted each in the item of its folder, as the stretches do.
        for (int i = 0; i < tree.count(); ++i)
            counts[size_t(i)] = list.totals.files(i);
        return counts;
    }
    const MatchLines lines{m, store.count()};
    const qsizetype n = lines.size();
    bool done = true;
    if (n < ParallelFrom) {
        done = countFolders(list, rootKey, lines, 0, n, counts, stop);
    } else {
        std::vector<qint32> second(counts.size(), 0);
        bool secondDone = true;
        runOnTwoThreads(
            [&] { done = countFolders(list, rootKey, lines, 0, n / 2, counts, stop); },
            [&] { secondDone = countFolders(list, rootKey, lines, n / 2, n, second, stop); });
        done = done && secondDone;
        for (size_t i = 0; i < counts.size(); ++i)
            counts[i] += second[i];
    }
    if (!done)
        return {};
    // Each item's count into its parent's, the deepest first (pre-order:
    // every item after its parent).
    for (int i = tree.count() - 1; i > 0; --i)
        counts[size_t(tree.parent(i))] += counts[size_t(i)];
    return counts;
}

std::vector<qint64> matchesPerStatus(const LoadedList &list, const FindMatches &m)
{
    const FolderTotals &totals = list.totals;
    const int statuses = totals.statusCount();
    std::vector<qint64> counts(size_t(statuses), 0);
    if (m.all) {
        for (int s = 0; s < statuses; ++s)
            counts[size_t(s)] = totals.status(s).lines;
        return counts;
    }
    QHash<QByteArray, int> byWord;
    int unknown = -1;
    int other = -1;
    for (int s = 0; s < statuses; ++s) {
        switch (totals.status(s).kind) {
        case FolderTotals::StatusKind::Word:
            byWord.insert(totals.status(s).rawWord, s);
            break;
        case FolderTotals::StatusKind::Unknown:
            unknown = s;
            break;
        case FolderTotals::StatusKind::Other:
            other = s;
            break;
        }
    }
    const LineStore &store = list.iGrid1;
    const qsizetype n = qsizetype(m.lines.size());
    QByteArray lastWord;
    int lastStatus = -1;
    bool haveLast = false;
    for (qsizetype k = 0; k < std::min(n, PrefetchAhead); ++k)
        store.prefetchLine(m.lines[size_t(k)]);
    for (qsizetype k = 0; k < n; ++k) {
        if (k + PrefetchAhead < n)
            store.prefetchLine(m.lines[size_t(k + PrefetchAhead)]);
        const LineFields f = lineFields(store.line(m.lines[size_t(k)]));
        int s = unknown;
        if (f.hasStatus) {
            if (!haveLast || !sameBytes(f.status, QByteArrayView(lastWord))) {
                lastWord = f.status.toByteArray();
                lastStatus = byWord.value(lastWord, other);
                haveLast = true;
            }
            s = lastStatus;
        }
        if (s >= 0)
            ++counts[size_t(s)];
    }
    return counts;
}

} // namespace corvane
