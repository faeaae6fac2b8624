#include "FindFigures.h"

#include "browse/FolderListing.h"
#include "listfile/ByteScan.h"
#include "listfile/ChunkSort.h"
#include "listfile/FolderWalker.h"
#include "listfile/ListLine.h"
#include "listfile/ListLoader.h"

#include <QHash>

#include <algorithm>

namespace corvane {

namespace {

constexpr qsizetype StopCheckLines = 4096;
constexpr qsizetype PrefetchAhead = 16;
// Fewer lines than this are read on one thread.
constexpr qsizetype ParallelFrom = 100000;

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}

// The status of a line: its word's place in the totals, "other" for the
// words past the named ones, "unknown" for a line without a status field.
class StatusOfLine
{
public:
    explicit StatusOfLine(const FolderTotals &totals)
    {
        for (int s = 0; s < totals.statusCount(); ++s) {
            const FolderTotals::Status &status = totals.status(s);
            if (status.kind == FolderTotals::StatusKind::Word)
                m_byWord.insert(status.rawWord, s);
            else if (status.kind == FolderTotals::StatusKind::Other)
                m_other = s;
            else
                m_unknown = s;
        }
    }
    int of(const LineFields &fields)
    {
        if (!fields.hasStatus)
            return m_unknown;
        if (m_previous >= -1 && sameBytes(fields.status, QByteArrayView(m_previousWord)))
            return m_previous;
        m_previousWord = fields.status.toByteArray();
        m_previous = m_byWord.value(m_previousWord, m_other);
        return m_previous;
    }

private:
    QHash<QByteArray, int> m_byWord;
    int m_other = -1;
    int m_unknown = -1;
    QByteArray m_previousWord;
    int m_previous = -2; // none yet
};

// Adds the figures of the store lines at(k), k in [from, to).
template<typename At>
bool addFigures(const LoadedList &list, At at, qsizetype from, qsizetype to,
                std::vector<StatusFigure> &figures, const std::atomic<bool> *stop)
{
    const LineStore &store = list.iGrid1;
    StatusOfLine statusOf(list.totals);
    for (qsizetype k = from; k < std::min(to, from + PrefetchAhead); ++k)
        store.prefetchLine(at(k));
    for (qsizetype k = from; k < to; ++k) {
        if ((k - from) % StopCheckLines == 0 && stopped(stop))
            return false;
        if (k + PrefetchAhead < to)
            store.prefetchLine(at(k + PrefetchAhead));
        const LineFields fields = lineFields(store.line(at(k)));
        const int s = statusOf.of(fields);
        if (s < 0)
            continue;
        StatusFigure &f = figures[size_t(s)];
        ++f.lines;
        if (fields.size)
            f.bytes.tryAdd(*fields.size);
    }
    return true;
}

// The figures of the lines at(k), k in [0, n), on two threads when many.
template<typename At>
bool figuresOf(const LoadedList &list, At at, qsizetype n, std::vector<StatusFigure> &figures,
               const std::atomic<bool> *stop)
{
    if (n < ParallelFrom)
        return addFigures(list, at, 0, n, figures, stop);
    std::vector<StatusFigure> second(figures.size());
    bool firstDone = true;
    bool secondDone = true;
    runOnTwoThreads([&] { firstDone = addFigures(list, at, 0, n / 2, figures, stop); },
                    [&] { secondDone = addFigures(list, at, n / 2, n, second, stop); });
    for (size_t s = 0; s < figures.size(); ++s) {
        figures[s].lines += second[s].lines;
        figures[s].bytes.tryAdd(second[s].bytes);
    }
    return firstDone && secondDone;
}

} // namespace

FolderStretches FolderStretches::of(const LoadedList &list, const QString &rootPrefix,
                                    const std::atomic<bool> *stop)
{
    FolderStretches out;
    const FolderTree &tree = list.SftTree1;
    if (tree.isEmpty())
        return out;
    std::vector<std::pair<qint32, qint32>> stretches(size_t(tree.count()), {0, 0});
    bool encoded = true;
    const QByteArray rootKey = folderKey(list, rootPrefix, 0, &encoded);
    const LineStore &store = list.iGrid1;
    const qsizetype n = store.count();
    if (encoded && n > 0) {
        // Each line's own folder: its first and last line, then every
        // folder's stretch spans its sub-folders'.
        constexpr qint32 None = -1;
        auto walk = [&](qsizetype from, qsizetype to, std::vector<std::pair<qint32, qint32>> &own) {
            FolderWalker walker(tree);
            own.assign(size_t(tree.count()), {None, None});
            for (qsizetype k = from; k < std::min(to, from + PrefetchAhead); ++k)
                store.prefetchLine(k);
            for (qsizetype i = from; i < to; ++i) {
                if ((i - from) % StopCheckLines == 0 && stopped(stop))
                    return false;
                if (i + PrefetchAhead < to)
                    store.prefetchLine(i + PrefetchAhead);
                const int item = walker.itemOfLine(store.line(i), rootKey);
                if (item < 0)
                    continue;
                auto &[first, last] = own[size_t(item)];
                if (first == None)
                    first = qint32(i);
                last = qint32(i + 1);
            }
            return true;
        };
        std::vector<std::pair<qint32, qint32>> own;
        bool done = true;
        if (n < ParallelFrom) {
            done = walk(0, n, own);
        } else {
            std::vector<std::pair<qint32, qint32>> second;
            bool secondDone = true;
            runOnTwoThreads([&] { done = walk(0, n / 2, own); },
                            [&] { secondDone = walk(n / 2, n, second); });
            done = done && secondDone;
            for (size_t i = 0; done && i < own.size(); ++i) {
                if (second[i].first == None)
                    continue;
                if (own[i].first == None)
                    own[i].first = second[i].first;
                own[i].second = second[i].second;
            }
        }
        if (!done)
            return out;
        // The deepest first (pre-order: every item after its parent).
        for (int item = tree.count() - 1; item >= 0; --item) {
            const auto [first, last] = own[size_t(item)];
            if (first != None) {
                auto &s = stretches[size_t(item)];
                if (s.first == s.second) {
                    s = {first, last};
                } else {
                    s.first = std::min(s.first, first);
                    s.second = std::max(s.second, last);
                }
            }
            const auto s = stretches[size_t(item)];
            if (item == 0 || s.first == s.second)
                continue;
            auto &p = stretches[size_t(tree.parent(item))];
            if (p.first == p.second) {
                p = s;
            } else {
                p.first = std::min(p.first, s.first);
                p.second = std::max(p.second, s.second);
            }
        }
    }
    out.m_ends.reserve(stretches.size() * 2);
    for (const auto &[first, last] : stretches) {
        if (first == last)
            continue;
        out.m_ends.push_back(first);
        out.m_ends.push_back(last);
    }
    std::sort(out.m_ends.begin(), out.m_ends.end());
    out.m_ends.erase(std::unique(out.m_ends.begin(), out.m_ends.end()), out.m_ends.end());
    out.m_stretches = std::move(stretches);
    return out;
}

std::vector<qint32> matchesPerItem(const FolderStretches &stretches, const FindMatches &m)
{
    std::vector<qint32> counts(size_t(stretches.folderCount()), 0);
    // The matches before each end: one walk over both, in order.
    const std::vector<qint32> &ends = stretches.m_ends;
    std::vector<qint32> before(ends.size(), 0);
    if (m.all) {
        before = ends;
    } else {
        size_t k = 0;
        for (size_t e = 0; e < ends.size(); ++e) {
            // Few matches between two ends: a step at a time; many: halving.
            const qint32 end = ends[e];
            if (k + 64 < m.lines.size() && m.lines[k + 64] < end)
                k = size_t(std::lower_bound(m.lines.begin() + qsizetype(k), m.lines.end(), end) -
                           m.lines.begin());
            while (k < m.lines.size() && m.lines[k] < end)
                ++k;
            before[e] = qint32(k);
        }
    }
    auto rank = [&](qint32 at) {
        return before[size_t(std::lower_bound(ends.begin(), ends.end(), at) - ends.begin())];
    };
    for (int item = 0; item < stretches.folderCount(); ++item) {
        const auto [first, last] = stretches.stretch(item);
        if (first < last)
            counts[size_t(item)] = rank(last) - rank(first);
    }
    return counts;
}

std::vector<StatusFigure> matchesPerStatusFigure(const LoadedList &list,
                                                 const FolderStretches &stretches,
                                                 const std::vector<qint32> &perItem,
                                                 const FindMatches &m,
                                                 const std::atomic<bool> *stop)
{
    const FolderTotals &totals = list.totals;
    const FolderTree &tree = list.SftTree1;
    const int statuses = totals.statusCount();
    std::vector<StatusFigure> figures(static_cast<size_t>(statuses));
    if (m.all) {
        for (int s = 0; s < statuses; ++s)
            figures[size_t(s)] = {totals.status(s).lines, totals.status(s).bytes};
        return figures;
    }
    if (totals.isEmpty() || stretches.folderCount() != tree.count() ||
        totals.folderCount() != tree.count() || perItem.size() != size_t(tree.count()))
        return figures;
    // Folders whose lines all match take their totals; of the others, the
    // matched lines directly in them are read (their sub-folders' stretches
    // skipped), and their sub-folders are looked at in turn.
    std::vector<qint32> toRead;
    std::vector<std::pair<qint32, qint32>> childStretches;
    std::vector<int> pending{0};
    while (!pending.empty()) {
        if (stopped(stop))
            return {};
        const int item = pending.back();
        pending.pop_back();
        const qint32 matched = perItem[size_t(item)];
        if (matched == 0)
            continue;
        const auto [first, last] = stretches.stretch(item);
        if (matched == last - first && totals.files(item) == matched) {
            for (int s = 0; s < statuses; ++s) {
                figures[size_t(s)].lines += totals.files(item, s);
                figures[size_t(s)].bytes.tryAdd(totals.bytes(item, s));
            }
            continue;
        }
        childStretches.clear();
        const FolderTree::Item &it = tree.item(item);
        for (int r = 0; r < it.childCount; ++r) {
            const int child = tree.child(item, r);
            pending.push_back(child);
            const auto cs = stretches.stretch(child);
            if (cs.first < cs.second)
                childStretches.push_back(cs);
        }
        std::sort(childStretches.begin(), childStretches.end());
        auto at = std::lower_bound(m.lines.begin(), m.lines.end(), first);
        const auto end = std::lower_bound(at, m.lines.end(), last);
        size_t c = 0;
        while (at != end) {
            while (c < childStretches.size() && childStretches[c].second <= *at)
                ++c;
            if (c < childStretches.size() && childStretches[c].first <= *at) {
                at = std::lower_bound(at, end, childStretches[c].second);
                continue;
            }
            toRead.push_back(*at);
            ++at;
        }
    }
    std::sort(toRead.begin(), toRead.end());
    if (!figuresOf(
            list, [&toRead](qsizetype k) { return toRead[size_t(k)]; }, qsizetype(toRead.size()),
            figures, stop))
        return {};
    return figures;
}

} // namespace corvane
