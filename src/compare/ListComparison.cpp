#include "ListComparison.h"

#include "listfile/ChunkSort.h"
#include "listfile/ListLine.h"

#include <QElapsedTimer>
#include <QHash>

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// How two keys (paths below the top folder) are ordered. A path ends in ","
// in its line, and that "," orders it: a path before every longer path that
// goes on with a byte above ",", after those going on with a byte below it.
//
// Lists in one encoding compare their bytes. Lists in two compare the
// characters: bytes below 0x80 are the same characters in both, and a
// character from 0x80 up follows all of them, so only the rest of two paths
// that part at two such bytes is decoded.
class KeyOrder
{
public:
    KeyOrder(ListEncoding oldEncoding, ListEncoding newEncoding)
        : m_decoded(oldEncoding != newEncoding)
    {}
    bool decoded() const { return m_decoded; }

    int compare(QByteArrayView a, ListEncoding ea, QByteArrayView b, ListEncoding eb) const
    {
        return m_decoded ? compareDecoded(a, ea, b, eb) : compareBytes(a, b);
    }

    // Whether two fields (status words) read the same.
    bool sameText(QByteArrayView a, ListEncoding ea, QByteArrayView b, ListEncoding eb) const
    {
        if (a.size() == b.size() && (a.isEmpty() || std::memcmp(a.data(), b.data(), a.size()) == 0))
            return !m_decoded || isAscii(a);
        if (!m_decoded || (isAscii(a) && isAscii(b)))
            return false;
        return decodeListText(a, ea) == decodeListText(b, eb);
    }

private:
    static bool isAscii(QByteArrayView bytes)
    {
        return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
    }

    static int compareBytes(QByteArrayView a, QByteArrayView b)
    {
        const qsizetype n = qMin(a.size(), b.size());
        if (n > 0) {
            const int c = std::memcmp(a.data(), b.data(), size_t(n));
            if (c != 0)
                return c < 0 ? -1 : 1;
        }
        if (a.size() == b.size())
            return 0;
        // The shorter one's "," against the longer one's next byte.
        if (a.size() < b.size())
            return uchar(b[n]) < uchar(',') ? 1 : -1;
        return uchar(a[n]) < uchar(',') ? -1 : 1;
    }

    static int compareDecoded(QByteArrayView a, ListEncoding ea, QByteArrayView b, ListEncoding eb)
    {
        const qsizetype n = qMin(a.size(), b.size());
        qsizetype i = 0;
        while (i < n && a[i] == b[i] && uchar(a[i]) < 0x80)
            ++i;
        if (i == n)
            return compareBytes(a.sliced(i), b.sliced(i)); // an end: "," decides
        const uchar x = uchar(a[i]);
        const uchar y = uchar(b[i]);
        if (x < 0x80 && y < 0x80)
            return x < y ? -1 : 1;
        if (x < 0x80)
            return -1;
        if (y < 0x80)
            return 1;
        const QString s = decodeListText(a.sliced(i), ea) + u',';
        const QString t = decodeListText(b.sliced(i), eb) + u',';
        const int c = s.compare(t);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }

    bool m_decoded;
};

// The key of a line (pathBelowTop) and whether a "," ends it.
inline QByteArrayView cutKey(QByteArrayView line, bool *comma)
{
    const char *p = line.data();
    const auto *c = static_cast<const char *>(std::memchr(p, ',', size_t(line.size())));
    *comma = c != nullptr;
    const qsizetype pathLength = c ? c - p : line.size();
    const auto *slash = static_cast<const char *>(std::memchr(p, '\\', size_t(pathLength)));
    if (!slash)
        return QByteArrayView(p, pathLength);
    return QByteArrayView(slash + 1, p + pathLength - (slash + 1));
}

// The lines of one list, or of a stretch of it, walked in path order: the
// store's own order, or an index.
class Walk
{
public:
    Walk(const LineStore &store, const std::vector<quint32> *index, qsizetype begin, qsizetype end)
        : m_store(store)
        , m_index(index && !index->empty() ? index : nullptr)
        , m_end(end)
        , m_pos(begin)
    {
        load();
    }

    bool atEnd() const { return m_pos >= m_end; }
    qsizetype position() const { return m_pos; }
    qint32 line() const { return m_line; }
    QByteArrayView text() const { return m_text; }
    QByteArrayView key() const { return m_key; }
    // The line after its key: "," and the other fields.
    QByteArrayView tail() const
    {
        return m_text.sliced(m_key.data() + m_key.size() - m_text.data());
    }

    // Goes to the next line: -1 when its key follows this one's, 0 when it
    // is the same, 1 when it comes before it (the list is not in path
    // order). -1 at the end.
    int next(const KeyOrder &order)
    {
        const QByteArrayView previousText = m_text;
        const QByteArrayView previous = m_key;
        const bool previousComma = m_comma;
        ++m_pos;
        load();
        if (atEnd())
            return -1;
        // Two lines below the same top folder, both with a ",": their keys
        // stand in the order of the lines, which the store (or the index)
        // keeps; only whether they are the same is left to see.
        const qsizetype top = m_key.data() - m_text.data();
        if (!order.decoded() && m_comma && previousComma && top > 0 &&
            top == previous.data() - previousText.data() &&
            std::memcmp(m_text.data(), previousText.data(), size_t(top)) == 0)
            return m_key == previous ? 0 : -1;
        const int c = order.compare(previous, m_store.encoding(), m_key, m_store.encoding());
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }

private:
    static constexpr qsizetype PrefetchAhead = 8;

    qint32 lineAt(qsizetype k) const { return m_index ? qint32((*m_index)[size_t(k)]) : qint32(k); }

    void load()
    {
        if (atEnd())
            return;
        if (m_pos + PrefetchAhead < m_end)
            m_store.prefetchLine(lineAt(m_pos + PrefetchAhead));
        m_line = lineAt(m_pos);
        m_text = m_store.line(m_line);
        m_key = cutKey(m_text, &m_comma);
    }

    const LineStore &m_store;
    const std::vector<quint32> *m_index;
    qsizetype m_end;
    qsizetype m_pos;
    qint32 m_line = -1;
    QByteArrayView m_text;
    QByteArrayView m_key;
    bool m_comma = false;
};

// The lines of a store sorted by path, equal paths in the order of the file.
std::vector<quint32> pathOrderIndex(const LineStore &store, const KeyOrder &order)
{
    std::vector<quint32> index(size_t(store.count()));
    for (size_t i = 0; i < index.size(); ++i)
        index[i] = quint32(i);
    const ListEncoding e = store.encoding();
    std::sort(index.begin(), index.end(), [&](quint32 a, quint32 b) {
        const QByteArrayView la = store.line(a);
        const QByteArrayView lb = store.line(b);
        const int c = order.compare(pathBelowTop(la), e, pathBelowTop(lb), e);
        if (c != 0)
            return c < 0;
        return std::less<const char *>()(la.data(), lb.data());
    });
    return index;
}

// What one merge of two stretches found.
struct MergedPart
{
    std::vector<ListDifference> differences;
    ComparisonCounts counts;
};

// A stretch of a list in path order: [begin, end) of its store or index.
struct Stretch
{
    const std::vector<quint32> *index;
    qsizetype begin;
    qsizetype end;
};

class Merger
{
public:
    enum class Outcome { Done, Stopped, OldOutOfOrder, NewOutOfOrder };

    Merger(const LineStore &oldStore, const LineStore &newStore, const KeyOrder &order,
           const CompareOptions &options, std::atomic<qint64> &linesDone, bool reports)
        : m_old(oldStore)
        , m_new(newStore)
        , m_order(order)
        , m_options(options)
        , m_linesDone(linesDone)
        , m_reports(reports)
    {}

    MergedPart &out() { return m_out; }

    Outcome run(const Stretch &oldPart, const Stretch &newPart)
    {
        Walk o(m_old, oldPart.index, oldPart.begin, oldPart.end);
        Walk n(m_new, newPart.index, newPart.begin, newPart.end);
        const qint64 total = qint64(m_old.count()) + qint64(m_new.count());
        QElapsedTimer sinceReport;
        sinceReport.start();
        qint64 steps = 0;
        qint64 counted = 0; // of this stretch, in m_linesDone
        std::vector<qint32> oldRun;
        std::vector<qint32> newRun;
        while (!o.atEnd() || !n.atEnd()) {
            if ((++steps & 0x3FFF) == 0) {
                if (m_options.stop && m_options.stop->load())
                    return Outcome::Stopped;
                const qint64 done = (o.position() - oldPart.begin) + (n.position() - newPart.begin);
                m_linesDone += done - counted;
                counted = done;
                if (m_reports && m_options.progress &&
                    sinceReport.elapsed() >= m_options.progressIntervalMs) {
                    m_options.progress({m_linesDone.load(), total});
                    sinceReport.restart();
                }
            }
            int c;
            if (o.atEnd())
                c = 1;
            else if (n.atEnd())
                c = -1;
            else
                c = m_order.compare(o.key(), m_old.encoding(), n.key(), m_new.encoding());
            if (c < 0) {
                removed(o.line());
                if (o.next(m_order) > 0)
                    return Outcome::OldOutOfOrder;
                continue;
            }
            if (c > 0) {
                added(n.line());
                if (n.next(m_order) > 0)
                    return Outcome::NewOutOfOrder;
                continue;
            }
            // The same path: all its lines on either side, paired in the
            // order of their files.
            const qint32 oldFirst = o.line();
            const qint32 newFirst = n.line();
            const QByteArrayView oldText = o.text();
            const QByteArrayView newText = n.text();
            const bool sameTail = !m_order.decoded() && o.tail() == n.tail();
            int oc = o.next(m_order);
            int nc = n.next(m_order);
            if (oc > 0)
                return Outcome::OldOutOfOrder;
            if (nc > 0)
                return Outcome::NewOutOfOrder;
            if (oc != 0 && nc != 0) {
                if (sameTail)
                    ++m_out.counts.unchanged;
                else
                    pair(oldFirst, oldText, newFirst, newText);
                continue;
            }
            oldRun.assign(1, oldFirst);
            newRun.assign(1, newFirst);
            for (; oc == 0; oc = o.next(m_order))
                oldRun.push_back(o.line());
            for (; nc == 0; nc = n.next(m_order))
                newRun.push_back(n.line());
            if (oc > 0)
                return Outcome::OldOutOfOrder;
            if (nc > 0)
                return Outcome::NewOutOfOrder;
            pairRuns(oldRun, newRun);
        }
        m_linesDone += (oldPart.end - oldPart.begin) + (newPart.end - newPart.begin) - counted;
        return Outcome::Done;
    }

private:
    void removed(qint32 line)
    {
        m_out.differences.push_back(ListDifference::removed(line));
        ++m_out.counts.removed;
    }
    void added(qint32 line)
    {
        m_out.differences.push_back(ListDifference::added(line));
        ++m_out.counts.added;
    }

    // Two lines of one path, their paths' bytes left out of the test.
    void pair(qint32 oldLine, QByteArrayView oldText, qint32 newLine, QByteArrayView newText)
    {
        const LineFields of = lineFields(oldText);
        const LineFields nf = lineFields(newText);
        if (!m_order.sameText(of.status, m_old.encoding(), nf.status, m_new.encoding())) {
            m_out.differences.push_back(ListDifference::changed(oldLine, newLine, true));
            ++m_out.counts.statusChanged;
            const StatusClass from = m_oldClasses.classOf(of.status, m_old.encoding());
            const StatusClass to = m_newClasses.classOf(nf.status, m_new.encoding());
            ++m_out.counts.transitions[size_t(from)][size_t(to)];
        } else if (of.size != nf.size) {
            m_out.differences.push_back(ListDifference::changed(oldLine, newLine, false));
            ++m_out.counts.sizeChanged;
        } else {
            ++m_out.counts.unchanged;
        }
    }

    void pairRuns(std::vector<qint32> &oldRun, std::vector<qint32> &newRun)
    {
        const auto byPlace = [](const LineStore &store) {
            return [&store](qint32 a, qint32 b) {
                return std::less<const char *>()(store.reach(a).begin, store.reach(b).begin);
            };
        };
        std::sort(oldRun.begin(), oldRun.end(), byPlace(m_old));
        std::sort(newRun.begin(), newRun.end(), byPlace(m_new));
        const size_t pairs = std::min(oldRun.size(), newRun.size());
        for (size_t k = 0; k < pairs; ++k)
            pair(oldRun[k], m_old.line(oldRun[k]), newRun[k], m_new.line(newRun[k]));
        for (size_t k = pairs; k < newRun.size(); ++k)
            added(newRun[k]);
        for (size_t k = pairs; k < oldRun.size(); ++k)
            removed(oldRun[k]);
    }

    const LineStore &m_old;
    const LineStore &m_new;
    const KeyOrder &m_order;
    const CompareOptions &m_options;
    std::atomic<qint64> &m_linesDone;
    bool m_reports;
    MergedPart m_out;
    StatusWordClasses m_oldClasses;
    StatusWordClasses m_newClasses;
};

// Where a stretch's lines stop coming before key: the first position
// whose key is not less than it (binary search; the stretch is taken to be in
// order, which the merge then checks).
qsizetype keyLowerBound(const LineStore &store, const std::vector<quint32> &index,
                        QByteArrayView key, ListEncoding keyEncoding, const KeyOrder &order)
{
    qsizetype first = 0;
    qsizetype n = store.count();
    while (n > 0) {
        const qsizetype half = n / 2;
        const qsizetype at = first + half;
        const qint32 line = index.empty() ? qint32(at) : qint32(index[size_t(at)]);
        if (order.compare(pathBelowTop(store.line(line)), store.encoding(), key, keyEncoding) < 0) {
            first = at + 1;
            n -= half + 1;
        } else {
            n = half;
        }
    }
    return first;
}

// Whether the lines at position at - 1 and at of a list stand in path order.
bool inOrderAt(const LineStore &store, const std::vector<quint32> &index, qsizetype at,
               const KeyOrder &order)
{
    if (at <= 0 || at >= store.count())
        return true;
    const auto lineAt = [&](qsizetype k) {
        return store.line(index.empty() ? qint32(k) : qint32(index[size_t(k)]));
    };
    return order.compare(pathBelowTop(lineAt(at - 1)), store.encoding(), pathBelowTop(lineAt(at)),
                         store.encoding()) <= 0;
}

// Lists this long are merged in two halves on two threads.
constexpr qint64 ParallelLines = 400000;

// One merge of both lists, in two halves at once when they are long: the
// halves part at a key of NEW, every path on one side of it.
Merger::Outcome mergeLists(const LineStore &o, const LineStore &n, const KeyOrder &order,
                           const std::vector<quint32> &oldIndex,
                           const std::vector<quint32> &newIndex, const CompareOptions &options,
                           MergedPart &out)
{
    std::atomic<qint64> linesDone{0};
    if (!options.parallel || qint64(o.count()) + qint64(n.count()) < ParallelLines ||
        n.count() < 2) {
        Merger merger(o, n, order, options, linesDone, true);
        const Merger::Outcome outcome =
            merger.run({&oldIndex, 0, o.count()}, {&newIndex, 0, n.count()});
        out = std::move(merger.out());
        return outcome;
    }
    const qsizetype middle = n.count() / 2;
    const QByteArrayView pivot =
        pathBelowTop(n.line(newIndex.empty() ? qint32(middle) : qint32(newIndex[size_t(middle)])));
    const qsizetype newSplit = keyLowerBound(n, newIndex, pivot, n.encoding(), order);
    const qsizetype oldSplit = keyLowerBound(o, oldIndex, pivot, n.encoding(), order);
    // The halves check their own lines; the two lines where they meet are
    // checked here.
    if (!inOrderAt(o, oldIndex, oldSplit, order))
        return Merger::Outcome::OldOutOfOrder;
    if (!inOrderAt(n, newIndex, newSplit, order))
        return Merger::Outcome::NewOutOfOrder;
    Merger first(o, n, order, options, linesDone, true);
    Merger second(o, n, order, options, linesDone, false);
    Merger::Outcome firstOutcome = Merger::Outcome::Done;
    Merger::Outcome secondOutcome = Merger::Outcome::Done;
    runOnTwoThreads(
        [&] {
            firstOutcome = first.run({&oldIndex, 0, oldSplit}, {&newIndex, 0, newSplit});
        },
        [&] {
            secondOutcome =
                second.run({&oldIndex, oldSplit, o.count()}, {&newIndex, newSplit, n.count()});
        });
    for (const Merger::Outcome outcome : {Merger::Outcome::Stopped, Merger::Outcome::OldOutOfOrder,
                                          Merger::Outcome::NewOutOfOrder}) {
        if (firstOutcome == outcome || secondOutcome == outcome)
            return outcome;
    }
    out = std::move(first.out());
    const MergedPart &rest = second.out();
    out.differences.reserve(out.differences.size() + rest.differences.size());
    out.differences.insert(out.differences.end(), rest.differences.begin(), rest.differences.end());
    ComparisonCounts &c = out.counts;
    c.added += rest.counts.added;
    c.removed += rest.counts.removed;
    c.statusChanged += rest.counts.statusChanged;
    c.sizeChanged += rest.counts.sizeChanged;
    c.unchanged += rest.counts.unchanged;
    for (size_t from = 0; from < c.transitions.size(); ++from)
        for (size_t to = 0; to < c.transitions[from].size(); ++to)
            c.transitions[from][to] += rest.counts.transitions[from][to];
    return Merger::Outcome::Done;
}

// The folder of a key: up to and with its last "\" (empty: the top folder).
QByteArrayView folderOfKey(QByteArrayView key)
{
    const qsizetype slash = key.lastIndexOf('\\');
    return slash < 0 ? QByteArrayView() : key.first(slash + 1);
}

// NEW's folders found by their names' bytes. A folder of many sub-folders
// gets its children sorted by bytes the first time it is searched.
class TreeLookup
{
public:
    explicit TreeLookup(const FolderTree &tree) : m_tree(tree) {}

    // The deepest item reached from "Root" along the folder path ("A\B\",
    // in encoding).
    int deepest(QByteArrayView folder, ListEncoding encoding)
    {
        int at = 0;
        qsizetype start = 0;
        while (start < folder.size()) {
            const qsizetype slash = folder.indexOf('\\', start);
            if (slash < 0)
                break;
            const QByteArrayView name = folder.sliced(start, slash - start);
            int found;
            if (encoding == m_tree.encoding() || isAscii(name)) {
                found = child(at, name);
            } else {
                bool ok = true;
                const QByteArray recoded =
                    encodeListText(decodeListText(name, encoding), m_tree.encoding(), &ok);
                found = ok ? child(at, recoded) : -1;
            }
            if (found < 0)
                break;
            at = found;
            start = slash + 1;
        }
        return at;
    }

private:
    static constexpr int FewChildren = 16;

    static bool isAscii(QByteArrayView bytes)
    {
        return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
    }

    int child(int parent, QByteArrayView name)
    {
        const int n = m_tree.item(parent).childCount;
        if (n <= FewChildren) {
            for (int r = 0; r < n; ++r) {
                const int c = m_tree.child(parent, r);
                if (m_tree.rawName(c) == name)
                    return c;
            }
            return -1;
        }
        auto it = m_sorted.find(parent);
        if (it == m_sorted.end()) {
            std::vector<int> children(static_cast<size_t>(n));
            for (int r = 0; r < n; ++r)
                children[size_t(r)] = m_tree.child(parent, r);
            std::sort(children.begin(), children.end(), [this](int a, int b) {
                return LineStore::lessOrdinal(m_tree.rawName(a), m_tree.rawName(b));
            });
            it = m_sorted.emplace(parent, std::move(children));
        }
        const std::vector<int> &sorted = it.value();
        const auto found =
            std::lower_bound(sorted.begin(), sorted.end(), name, [this](int c, QByteArrayView key) {
                return LineStore::lessOrdinal(m_tree.rawName(c), key);
            });
        return found != sorted.end() && m_tree.rawName(*found) == name ? *found : -1;
    }

    const FolderTree &m_tree;
    QHash<int, std::vector<int>> m_sorted;
};

void countFolders(const LoadedList &oldList, const LoadedList &newList, ListComparison &out)
{
    const FolderTree &tree = newList.SftTree1;
    if (tree.isEmpty() || out.differences.empty())
        return;
    TreeLookup lookup(tree);
    QHash<int, FolderChanges> direct;
    QByteArrayView lastFolder;
    bool lastFromNew = true;
    int lastItem = -1;
    for (const ListDifference &d : out.differences) {
        const bool fromNew = d.newLine() >= 0;
        const LineStore &store = fromNew ? newList.iGrid1 : oldList.iGrid1;
        const QByteArrayView folder =
            folderOfKey(pathBelowTop(store.line(fromNew ? d.newLine() : d.oldLine())));
        if (lastItem < 0 || fromNew != lastFromNew || folder != lastFolder) {
            lastItem = lookup.deepest(folder, store.encoding());
            lastFolder = folder;
            lastFromNew = fromNew;
        }
        FolderChanges &c = direct[lastItem];
        switch (d.change()) {
        case ListChange::Added:
            ++c.added;
            break;
        case ListChange::Removed:
            ++c.removed;
            break;
        case ListChange::StatusChanged:
            ++c.statusChanged;
            break;
        case ListChange::SizeChanged:
            ++c.sizeChanged;
            break;
        }
    }
    QHash<int, FolderChanges> below;
    for (auto it = direct.cbegin(); it != direct.cend(); ++it) {
        for (int item = it.key(); item >= 0; item = tree.parent(item)) {
            FolderChanges &c = below[item];
            c.added += it->added;
            c.removed += it->removed;
            c.statusChanged += it->statusChanged;
            c.sizeChanged += it->sizeChanged;
        }
    }
    out.folders.reserve(size_t(below.size()));
    for (auto it = below.cbegin(); it != below.cend(); ++it) {
        FolderChanges c = it.value();
        c.item = it.key();
        out.folders.push_back(c);
    }
    std::sort(out.folders.begin(), out.folders.end(),
              [](const FolderChanges &a, const FolderChanges &b) { return a.item < b.item; });
}

} // namespace

QString listChangeMark(ListChange change)
{
    switch (change) {
    case ListChange::Added:
        return u"+"_s;
    case ListChange::Removed:
        return u"-"_s;
    case ListChange::StatusChanged:
        return u"~"_s;
    case ListChange::SizeChanged:
        break;
    }
    return u"s"_s;
}

QByteArrayView pathBelowTop(QByteArrayView line)
{
    const char *p = line.data();
    const auto *comma = static_cast<const char *>(std::memchr(p, ',', size_t(line.size())));
    const qsizetype pathLength = comma ? comma - p : line.size();
    const auto *slash = static_cast<const char *>(std::memchr(p, '\\', size_t(pathLength)));
    if (!slash)
        return QByteArrayView(p, pathLength);
    return QByteArrayView(slash + 1, p + pathLength - (slash + 1));
}

const FolderChanges *ListComparison::changesBelow(int item) const
{
    const auto it = std::lower_bound(folders.begin(), folders.end(), item,
                                     [](const FolderChanges &c, int i) { return c.item < i; });
    return it != folders.end() && it->item == item ? &*it : nullptr;
}

ListComparison compareLists(const LoadedList &oldList, const LoadedList &newList,
                            const CompareOptions &options)
{
    ListComparison out;
    const LineStore &o = oldList.iGrid1;
    const LineStore &n = newList.iGrid1;
    const KeyOrder order(o.encoding(), n.encoding());
    std::vector<quint32> oldIndex;
    std::vector<quint32> newIndex;
    // At most one index per list: a list walked through its index is in order.
    for (;;) {
        MergedPart merged;
        const Merger::Outcome outcome =
            mergeLists(o, n, order, oldIndex, newIndex, options, merged);
        if (outcome == Merger::Outcome::Done) {
            out.differences = std::move(merged.differences);
            out.counts = merged.counts;
            break;
        }
        if (outcome == Merger::Outcome::Stopped ||
            (options.stop && options.stop->load(std::memory_order_relaxed))) {
            out = ListComparison();
            out.stopped = true;
            return out;
        }
        if (outcome == Merger::Outcome::OldOutOfOrder) {
            Q_ASSERT(oldIndex.empty());
            oldIndex = pathOrderIndex(o, order);
            out.oldIndexed = true;
        } else {
            Q_ASSERT(newIndex.empty());
            newIndex = pathOrderIndex(n, order);
            out.newIndexed = true;
        }
    }
    out.differences.shrink_to_fit();
    if (options.folderChanges)
        countFolders(oldList, newList, out);
    return out;
}

std::vector<quint32> differencesInFolder(const ListComparison &comparison,
                                         const LoadedList &oldList, const LoadedList &newList,
                                         int item)
{
    std::vector<quint32> rows;
    const FolderTree &tree = newList.SftTree1;
    if (tree.isEmpty() || item < 0 || item >= tree.count())
        return rows;
    const QByteArray newKey = tree.keyBelowRoot(item);
    bool oldKeyFits = true;
    const QByteArray oldKey =
        oldList.iGrid1.encoding() == newList.iGrid1.encoding()
            ? newKey
            : oldList.iGrid1.encode(newList.iGrid1.decode(newKey), &oldKeyFits);
    TreeLookup lookup(tree);
    for (size_t i = 0; i < comparison.differences.size(); ++i) {
        const ListDifference &d = comparison.differences[i];
        const bool fromNew = d.newLine() >= 0;
        const LineStore &store = fromNew ? newList.iGrid1 : oldList.iGrid1;
        const QByteArrayView key = pathBelowTop(store.line(fromNew ? d.newLine() : d.oldLine()));
        const QByteArray &folderKey = fromNew ? newKey : oldKey;
        if ((!fromNew && !oldKeyFits) || !key.startsWith(folderKey))
            continue;
        const QByteArrayView rest = key.sliced(folderKey.size());
        if (!rest.contains('\\') ||
            (!fromNew && lookup.deepest(folderOfKey(key), store.encoding()) == item))
            rows.push_back(quint32(i));
    }
    return rows;
}

QString differenceLine(const ListDifference &difference, const LoadedList &oldList,
                       const LoadedList &newList)
{
    const LineStore &o = oldList.iGrid1;
    const LineStore &n = newList.iGrid1;
    const ListChange change = difference.change();
    const bool inNew = change != ListChange::Removed;
    const LineStore &store = inNew ? n : o;
    const QByteArrayView line = store.line(inNew ? difference.newLine() : difference.oldLine());
    QString text = listChangeMark(change) + u'\t' + store.decode(pathBelowTop(line)) + u'\t';
    switch (change) {
    case ListChange::Added:
    case ListChange::Removed:
        return text + store.decode(lineFields(line).status);
    case ListChange::StatusChanged:
        return text + o.decode(lineFields(o.line(difference.oldLine())).status) + u'\t' +
               n.decode(lineFields(line).status);
    case ListChange::SizeChanged:
        break;
    }
    return text + o.decode(fieldAt(o.line(difference.oldLine()), ListField::Size)) + u'\t' +
           n.decode(fieldAt(line, ListField::Size));
}

QString comparisonSummaryLine(const ComparisonCounts &counts)
{
    return u"added: %1 removed: %2 status_changed: %3 size_changed: %4 unchanged: %5"_s.arg(
        QString::number(counts.added), QString::number(counts.removed),
        QString::number(counts.statusChanged), QString::number(counts.sizeChanged),
        QString::number(counts.unchanged));
}

} // namespace corvane
