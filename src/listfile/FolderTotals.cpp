#include "FolderTotals.h"

#include "FolderTree.h"
#include "LineStore.h"
#include "ListLine.h"

#include <QHash>

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <thread>

namespace corvane {

namespace {

bool lessBytes(QByteArrayView a, QByteArrayView b)
{
    const size_t n = size_t(std::min(a.size(), b.size())) & (~size_t(0) >> 1);
    const int c = n ? std::memcmp(a.data(), b.data(), n) : 0;
    return c < 0 || (c == 0 && a.size() < b.size());
}

bool sameBytes(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() &&
           (a.isEmpty() ||
            std::memcmp(a.data(), b.data(), size_t(a.size()) & (~size_t(0) >> 1)) == 0);
}

// The children of every folder ordered by their names' bytes, so that a name
// read from a line finds its item by binary search.
class ChildrenByName
{
public:
    explicit ChildrenByName(const FolderTree &tree) : m_tree(tree)
    {
        m_children.resize(size_t(std::max(tree.count() - 1, 0)));
        for (int p = 0; p < tree.count(); ++p) {
            const FolderTree::Item &it = tree.item(p);
            for (int r = 0; r < it.childCount; ++r)
                m_children[size_t(it.firstChild + r)] = tree.child(p, r);
            if (it.childCount > 1) {
                auto begin = m_children.begin() + it.firstChild;
                std::sort(begin, begin + it.childCount, [&tree](int a, int b) {
                    return lessBytes(tree.rawName(a), tree.rawName(b));
                });
            }
        }
    }

    // The child of parent whose name is exactly name, or -1.
    int find(int parent, QByteArrayView name) const
    {
        const FolderTree::Item &it = m_tree.item(parent);
        const auto begin = m_children.begin() + it.firstChild;
        const auto end = begin + it.childCount;
        const auto at = std::lower_bound(begin, end, name, [this](int child, QByteArrayView n) {
            return lessBytes(m_tree.rawName(child), n);
        });
        return at != end && sameBytes(m_tree.rawName(*at), name) ? *at : -1;
    }

private:
    const FolderTree &m_tree;
    std::vector<int> m_children;
};

// Entries and bytes per (folder, status), gathered from the lines: an
// open-addressing table keyed by both, so that a list with thousands of
// status words costs no more per line than one with three.
class PairTable
{
public:
    PairTable() { rehash(4096); }

    // The accumulator of (item, status), made when missing.
    size_t at(int item, int status)
    {
        const quint64 key = (quint64(quint32(item)) << 32) | quint32(status);
        size_t h = hashOf(key) & m_mask;
        for (;;) {
            const int v = m_slots[h];
            if (v < 0)
                break;
            if (keys[size_t(v)] == key)
                return size_t(v);
            h = (h + 1) & m_mask;
        }
        m_slots[h] = int(keys.size());
        keys.push_back(key);
        files.push_back(0);
        bytes.emplace_back();
        if (keys.size() * 2 > m_slots.size())
            rehash(m_slots.size() * 2);
        return keys.size() - 1;
    }

    std::vector<quint64> keys;
    std::vector<qint32> files;
    std::vector<ByteTotal> bytes;

private:
    static size_t hashOf(quint64 key)
    {
        key *= 0x9E3779B97F4A7C15ULL;
        return size_t(key ^ (key >> 31));
    }
    void rehash(size_t size)
    {
        m_slots.assign(size, -1);
        m_mask = size - 1;
        for (size_t v = 0; v < keys.size(); ++v) {
            size_t h = hashOf(keys[v]) & m_mask;
            while (m_slots[h] >= 0)
                h = (h + 1) & m_mask;
            m_slots[h] = int(v);
        }
    }

    std::vector<int> m_slots;
    size_t m_mask = 0;
};

// What the lines say, folder by folder and status by status.
struct LineGatherer
{
    explicit LineGatherer(const ChildrenByName &c) : children(c) {}

    const ChildrenByName &children;

    // Status ids in order of first appearance; unknownId for short lines.
    QHash<QByteArrayView, int> idOfWord;
    std::vector<QByteArrayView> words;
    std::vector<qint64> wordLines;
    int unknownId = -1;
    QByteArrayView previousWord;
    int previousWordId = -1;

    PairTable pairs;
    int previousPairItem = -1;
    int previousPairStatus = -1;
    size_t previousPair = 0;

    // The folder of the previous line and the items of its components: the
    // position of the "\" that ends each one, and its item (0 for "Root").
    QByteArrayView previousFolder;
    int previousItem = 0;
    bool havePrevious = false;
    std::vector<std::pair<qsizetype, int>> path;

    void take(QByteArrayView line)
    {
        const char *const b = line.data();
        const char *const end = b + line.size();
        auto nextComma = [end](const char *from) {
            return from < end
                       ? static_cast<const char *>(std::memchr(from, ',', size_t(end - from)))
                       : nullptr;
        };
        const char *c1 = nextComma(b);
        const qsizetype pathLength = (c1 ? c1 : end) - b;

        // The line's folder item.
        const char *lastSlash =
            pathLength > 0 ? static_cast<const char *>(::memrchr(b, '\\', size_t(pathLength)))
                           : nullptr;
        int item = 0;
        if (lastSlash) {
            const QByteArrayView folder(b, lastSlash - b + 1);
            if (havePrevious && sameBytes(folder, previousFolder)) {
                item = previousItem;
            } else {
                qsizetype common = 0;
                if (havePrevious) {
                    const qsizetype n = std::min(folder.size(), previousFolder.size());
                    while (common < n && folder[common] == previousFolder[common])
                        ++common;
                }
                const qsizetype firstSlash =
                    static_cast<const char *>(std::memchr(b, '\\', size_t(folder.size()))) - b;
                if (path.empty() || path.front().first != firstSlash || common <= firstSlash) {
                    path.clear();
                    path.push_back({firstSlash, 0});
                } else {
                    while (path.size() > 1 && path.back().first >= common)
                        path.pop_back();
                }
                qsizetype pos = path.back().first + 1;
                int parent = path.back().second;
                while (pos < folder.size()) {
                    const char *slash = static_cast<const char *>(
                        std::memchr(b + pos, '\\', size_t(folder.size() - pos)));
                    const int child =
                        children.find(parent, QByteArrayView(b + pos, slash - b - pos));
                    if (child < 0)
                        break; // not in the tree: counted in the deepest folder found
                    path.push_back({slash - b, child});
                    parent = child;
                    pos = slash - b + 1;
                }
                item = parent;
                previousFolder = folder;
                previousItem = item;
                havePrevious = true;
            }
        }

        // Size (field 2) and status (field 4).
        QByteArrayView sizeField;
        QByteArrayView word;
        bool complete = false;
        if (c1) {
            if (const char *c2 = nextComma(c1 + 1)) {
                const char *c3 = nextComma(c2 + 1);
                sizeField = QByteArrayView(c2 + 1, (c3 ? c3 : end) - (c2 + 1));
                if (c3) {
                    if (const char *c4 = nextComma(c3 + 1)) {
                        const char *c5 = nextComma(c4 + 1);
                        word = QByteArrayView(c4 + 1, (c5 ? c5 : end) - (c4 + 1));
                        complete = true;
                    }
                }
            }
        }
        int status;
        if (!complete) {
            if (unknownId < 0) {
                unknownId = int(words.size());
                words.push_back(QByteArrayView());
                wordLines.push_back(0);
            }
            status = unknownId;
        } else if (previousWordId >= 0 && sameBytes(word, previousWord)) {
            status = previousWordId;
        } else {
            auto found = idOfWord.constFind(word);
            if (found == idOfWord.constEnd()) {
                found = idOfWord.insert(word, int(words.size()));
                words.push_back(word);
                wordLines.push_back(0);
            }
            status = found.value();
            previousWord = word;
            previousWordId = status;
        }
        ++wordLines[size_t(status)];

        if (item != previousPairItem || status != previousPairStatus) {
            previousPair = pairs.at(item, status);
            previousPairItem = item;
            previousPairStatus = status;
        }
        ++pairs.files[previousPair];
        if (!sizeField.isEmpty()) {
            if (const auto size = leadingSize(sizeField))
                pairs.bytes[previousPair].tryAdd(*size);
        }
    }
};

// Takes the lines of buffer[p, end) in the order the file holds them and
// returns how many there were (-1 when stopped). The buffer is cut into lines
// as the loader cuts it: CR LF, a lone CR or a lone LF end a line.
qsizetype gatherRange(const char *p, const char *const end, LineGatherer &g,
                      const std::atomic<bool> *stop)
{
    qsizetype lines = 0;
    while (p < end) {
        if ((lines & 0xFFFF) == 0 && stop && stop->load(std::memory_order_relaxed))
            return -1;
        const char *lf = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        const char *lineEnd = lf ? lf : end;
        if (const char *cr = static_cast<const char *>(std::memchr(p, '\r', size_t(lineEnd - p))))
            lineEnd = cr;
        g.take(QByteArrayView(p, lineEnd - p));
        ++lines;
        p = lineEnd;
        if (p < end)
            p += (*p == '\r' && p + 1 < end && p[1] == '\n') ? 2 : 1;
    }
    return lines;
}

// Adds what other gathered to g (status words matched by their bytes).
void merge(LineGatherer &g, const LineGatherer &other)
{
    std::vector<int> idOf(other.words.size());
    for (size_t id = 0; id < other.words.size(); ++id) {
        int mine;
        if (int(id) == other.unknownId) {
            if (g.unknownId < 0) {
                g.unknownId = int(g.words.size());
                g.words.push_back(QByteArrayView());
                g.wordLines.push_back(0);
            }
            mine = g.unknownId;
        } else {
            auto found = g.idOfWord.constFind(other.words[id]);
            if (found == g.idOfWord.constEnd()) {
                found = g.idOfWord.insert(other.words[id], int(g.words.size()));
                g.words.push_back(other.words[id]);
                g.wordLines.push_back(0);
            }
            mine = found.value();
        }
        idOf[id] = mine;
        g.wordLines[size_t(mine)] += other.wordLines[id];
    }
    for (size_t v = 0; v < other.pairs.keys.size(); ++v) {
        const int item = int(other.pairs.keys[v] >> 32);
        const int status = idOf[size_t(quint32(other.pairs.keys[v]))];
        const size_t at = g.pairs.at(item, status);
        g.pairs.files[at] += other.pairs.files[v];
        g.pairs.bytes[at].tryAdd(other.pairs.bytes[v]);
    }
    g.previousPairItem = -1; // the table may have moved its entries
}

// Takes the store's lines in the order the file holds them: its sorted
// views jump all over the buffer, the file's order runs through it once, and
// the totals do not depend on the order. A big list is read in two halves on
// two threads. A UTF-8 byte-order mark is not part of the first line. False
// when the cut gives another number of lines than the store holds.
bool gatherInFileOrder(const LineStore &store, LineGatherer &g, const ChildrenByName &children,
                       const std::atomic<bool> *stop, bool *stopped)
{
    const QByteArray &bytes = store.bytes();
    const char *p = bytes.constData();
    const char *const end = p + bytes.size();
    if (store.encoding() == ListEncoding::Utf8 && bytes.startsWith("\xEF\xBB\xBF"))
        p += 3;
    // The second half starts after the first LF past the middle.
    const char *cut = end;
    if (end - p > (8 << 20)) {
        const char *middle = p + (end - p) / 2;
        if (const char *lf =
                static_cast<const char *>(std::memchr(middle, '\n', size_t(end - middle))))
            cut = lf + 1;
    }
    qsizetype lines = 0;
    if (cut < end) {
        LineGatherer second(children);
        qsizetype secondLines = -1;
        std::exception_ptr failed;
        std::thread other([&] {
            try {
                secondLines = gatherRange(cut, end, second, stop);
            } catch (...) {
                failed = std::current_exception();
            }
        });
        try {
            lines = gatherRange(p, cut, g, stop);
        } catch (...) {
            other.join();
            throw;
        }
        other.join();
        if (failed)
            std::rethrow_exception(failed);
        if (lines < 0 || secondLines < 0) {
            *stopped = true;
            return false;
        }
        merge(g, second);
        lines += secondLines;
    } else {
        lines = gatherRange(p, end, g, stop);
        if (lines < 0) {
            *stopped = true;
            return false;
        }
    }
    return lines == store.count();
}

} // namespace

void FolderTotals::clear()
{
    *this = FolderTotals();
}

FolderTotals FolderTotals::compute(const LineStore &store, const FolderTree &tree,
                                   const std::atomic<bool> *stop)
{
    // Too little memory left for the totals: the list is shown without them.
    try {
        return computeTotals(store, tree, stop);
    } catch (const std::bad_alloc &) {
        return FolderTotals();
    }
}

FolderTotals FolderTotals::computeTotals(const LineStore &store, const FolderTree &tree,
                                         const std::atomic<bool> *stop)
{
    FolderTotals out;
    const int folders = tree.count();
    if (folders == 0)
        return out;

    const ChildrenByName children(tree);
    auto gatherer = std::make_unique<LineGatherer>(children);
    if (!gatherInFileOrder(store, *gatherer, children, stop, &out.m_stopped)) {
        if (out.m_stopped)
            return out;
        gatherer = std::make_unique<LineGatherer>(children);
        for (qsizetype i = 0; i < store.count(); ++i) {
            if ((i & 0xFFFF) == 0 && stop && stop->load(std::memory_order_relaxed)) {
                out.m_stopped = true;
                return out;
            }
            gatherer->take(store.line(i));
        }
    }
    const std::vector<QByteArrayView> &words = gatherer->words;
    const std::vector<qint64> &wordLines = gatherer->wordLines;
    const int unknownId = gatherer->unknownId;
    const PairTable &pairs = gatherer->pairs;

    // Most frequent first; equal counts by word, "unknown" after the words.
    const int distinct = int(words.size());
    std::vector<int> ranked(static_cast<size_t>(distinct));
    for (int id = 0; id < distinct; ++id)
        ranked[size_t(id)] = id;
    std::sort(ranked.begin(), ranked.end(), [&](int a, int b) {
        if (wordLines[size_t(a)] != wordLines[size_t(b)])
            return wordLines[size_t(a)] > wordLines[size_t(b)];
        if ((a == unknownId) != (b == unknownId))
            return b == unknownId;
        return lessBytes(words[size_t(a)], words[size_t(b)]);
    });
    const int named = std::min(distinct, NamedStatuses);
    const int width = distinct > NamedStatuses ? NamedStatuses + 1 : distinct;
    std::vector<int> slotOf(size_t(distinct), NamedStatuses);
    out.m_statuses.resize(size_t(width));
    for (int r = 0; r < named; ++r) {
        const int id = ranked[size_t(r)];
        slotOf[size_t(id)] = r;
        Status &s = out.m_statuses[size_t(r)];
        if (id == unknownId) {
            s.kind = StatusKind::Unknown;
        } else {
            s.rawWord = words[size_t(id)].toByteArray();
            s.word = store.decode(words[size_t(id)]);
        }
    }
    if (width > named)
        out.m_statuses[size_t(named)].kind = StatusKind::Other;

    out.m_folders = folders;
    out.m_distinct = distinct;
    out.m_files.assign(size_t(folders), 0);
    out.m_bytes.assign(size_t(folders), ByteTotal());
    out.m_statusFiles.assign(size_t(folders) * size_t(width), 0);
    out.m_statusBytes.assign(size_t(folders) * size_t(width), ByteTotal());
    for (size_t v = 0; v < pairs.keys.size(); ++v) {
        const int item = int(pairs.keys[v] >> 32);
        const int s = slotOf[size_t(quint32(pairs.keys[v]))];
        out.m_statusFiles[out.slot(item, s)] += pairs.files[v];
        out.m_statusBytes[out.slot(item, s)].tryAdd(pairs.bytes[v]);
        out.m_files[size_t(item)] += pairs.files[v];
        out.m_bytes[size_t(item)].tryAdd(pairs.bytes[v]);
    }

    // Bottom-up: items stand in pre-order, every child after its parent.
    for (int item = folders - 1; item > 0; --item) {
        const int parent = tree.parent(item);
        out.m_files[size_t(parent)] += out.m_files[size_t(item)];
        out.m_bytes[size_t(parent)].tryAdd(out.m_bytes[size_t(item)]);
        const size_t from = out.slot(item, 0);
        const size_t to = out.slot(parent, 0);
        for (int s = 0; s < width; ++s) {
            out.m_statusFiles[to + size_t(s)] += out.m_statusFiles[from + size_t(s)];
            out.m_statusBytes[to + size_t(s)].tryAdd(out.m_statusBytes[from + size_t(s)]);
        }
    }
    for (int s = 0; s < width; ++s) {
        out.m_statuses[size_t(s)].lines = out.m_statusFiles[out.slot(0, s)];
        out.m_statuses[size_t(s)].bytes = out.m_statusBytes[out.slot(0, s)];
    }
    return out;
}

} // namespace corvane
