#include "FolderTotals.h"

#include "FolderTree.h"
#include "FolderWalker.h"
#include "LineStore.h"
#include "ListLine.h"

#include <QHash>

#include <algorithm>
#include <memory>
#include <new>

namespace corvane {

namespace {

// While a list has at most this many status ids (the named ones and
// "other"), the gatherer keeps a column per id.
constexpr int DenseColumns = FolderTotals::NamedStatuses + 1;
// Past this many words, a word's id is looked up by hash.
constexpr size_t ScannedWords = 16;

// Entries and bytes per (folder, status): an open-addressing table keyed by
// both, so that a list with thousands of status words costs no more per
// line than one with three.
class PairTable
{
public:
    PairTable() { rehash(4096); }

    // The accumulator of (folder, status), made when missing.
    size_t at(int folder, int status)
    {
        const quint64 key = (quint64(quint32(folder)) << 32) | quint32(status);
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

bool givenUp(size_t i, const std::atomic<bool> *stop)
{
    return (i & 0xFFFF) == 0 && stop && stop->load(std::memory_order_relaxed);
}

} // namespace

// ---- FolderTotalsGatherer ----------------------------------------------------

struct FolderTotalsGatherer::Sparse
{
    QHash<QByteArrayView, int> idOfWord;
    PairTable pairs;
    int previousFolder = -1;
    int previousStatus = -1;
    size_t previousPair = 0;
};

FolderTotalsGatherer::FolderTotalsGatherer() : m_sparse(new Sparse)
{}

FolderTotalsGatherer::~FolderTotalsGatherer()
{
    delete m_sparse;
}

int FolderTotalsGatherer::unknownId()
{
    if (m_unknownId < 0)
        m_unknownId = newId(QByteArrayView());
    return m_unknownId;
}

int FolderTotalsGatherer::findWord(QByteArrayView word)
{
    int id = -1;
    if (m_words.size() <= ScannedWords) {
        for (size_t i = 0; i < m_words.size(); ++i) {
            if (int(i) != m_unknownId && sameBytes(m_words[i], word)) {
                id = int(i);
                break;
            }
        }
    } else if (const auto found = m_sparse->idOfWord.constFind(word);
               found != m_sparse->idOfWord.constEnd()) {
        id = found.value();
    }
    if (id < 0)
        id = newId(word);
    m_previousWord = word;
    m_previousId = id;
    return id;
}

int FolderTotalsGatherer::newId(QByteArrayView word)
{
    const int id = int(m_words.size());
    m_words.push_back(word);
    m_wordLines.push_back(0);
    if (m_words.size() == ScannedWords + 1) {
        for (size_t i = 0; i < m_words.size(); ++i) {
            if (int(i) != m_unknownId)
                m_sparse->idOfWord.insert(m_words[i], int(i));
        }
    } else if (m_words.size() > ScannedWords + 1 && word.data() != nullptr) {
        m_sparse->idOfWord.insert(word, id);
    }
    if (m_dense && int(m_words.size()) > m_width)
        widen();
    return id;
}

void FolderTotalsGatherer::growRows(int folder)
{
    m_files.resize((size_t(folder) + 1) * size_t(m_width), 0);
    m_bytes.resize(m_files.size());
}

// One more column per row, or the pair table once there are too many.
void FolderTotalsGatherer::widen()
{
    const size_t rows = m_files.size() / size_t(m_width);
    const int width = int(m_words.size());
    if (width <= DenseColumns) {
        std::vector<qint32> files(rows * size_t(width), 0);
        std::vector<ByteTotal> bytes(files.size());
        for (size_t r = 0; r < rows; ++r) {
            for (int c = 0; c < m_width; ++c) {
                files[r * size_t(width) + size_t(c)] = m_files[r * size_t(m_width) + size_t(c)];
                bytes[r * size_t(width) + size_t(c)] = m_bytes[r * size_t(m_width) + size_t(c)];
            }
        }
        m_files.swap(files);
        m_bytes.swap(bytes);
        m_width = width;
        return;
    }
    for (size_t r = 0; r < rows; ++r) {
        for (int c = 0; c < m_width; ++c) {
            const size_t from = r * size_t(m_width) + size_t(c);
            if (m_files[from] == 0)
                continue;
            const size_t at = m_sparse->pairs.at(int(r), c);
            m_sparse->pairs.files[at] = m_files[from];
            m_sparse->pairs.bytes[at] = m_bytes[from];
        }
    }
    std::vector<qint32>().swap(m_files);
    std::vector<ByteTotal>().swap(m_bytes);
    m_dense = false;
}

void FolderTotalsGatherer::addSparse(int folder, int id, std::optional<ByteTotal> size)
{
    Sparse &s = *m_sparse;
    if (folder != s.previousFolder || id != s.previousStatus) {
        s.previousPair = s.pairs.at(folder, id);
        s.previousFolder = folder;
        s.previousStatus = id;
    }
    ++s.pairs.files[s.previousPair];
    if (size)
        s.pairs.bytes[s.previousPair].tryAdd(*size);
}

FolderTotals FolderTotalsGatherer::finish(const FolderTree &tree, const std::vector<int> &itemOf,
                                          ListEncoding encoding, const std::atomic<bool> *stop)
{
    FolderTotals out;
    const int folders = tree.count();
    if (folders == 0)
        return out;
    auto itemOfFolder = [&](size_t f) { return itemOf.empty() ? int(f) : itemOf[f]; };

    // Most frequent first; equal counts by word, "unknown" after the words.
    const int distinct = int(m_words.size());
    std::vector<int> ranked(static_cast<size_t>(distinct));
    for (int id = 0; id < distinct; ++id)
        ranked[size_t(id)] = id;
    std::sort(ranked.begin(), ranked.end(), [&](int a, int b) {
        if (m_wordLines[size_t(a)] != m_wordLines[size_t(b)])
            return m_wordLines[size_t(a)] > m_wordLines[size_t(b)];
        if ((a == m_unknownId) != (b == m_unknownId))
            return b == m_unknownId;
        return LineStore::lessOrdinal(m_words[size_t(a)], m_words[size_t(b)]);
    });
    const int named = std::min(distinct, FolderTotals::NamedStatuses);
    const int width = distinct > FolderTotals::NamedStatuses ? DenseColumns : distinct;
    std::vector<int> slotOf(size_t(distinct), FolderTotals::NamedStatuses);
    out.m_statuses.resize(size_t(width));
    for (int r = 0; r < named; ++r) {
        const int id = ranked[size_t(r)];
        slotOf[size_t(id)] = r;
        FolderTotals::Status &s = out.m_statuses[size_t(r)];
        if (id == m_unknownId) {
            s.kind = FolderTotals::StatusKind::Unknown;
        } else {
            s.rawWord = m_words[size_t(id)].toByteArray();
            s.word = decodeListText(m_words[size_t(id)], encoding);
        }
    }
    if (width > named)
        out.m_statuses[size_t(named)].kind = FolderTotals::StatusKind::Other;
    out.m_folders = folders;
    out.m_distinct = distinct;
    if (width == 0) {
        out.m_statusFiles.clear();
        out.m_statusBytes.clear();
        return out;
    }

    std::vector<qint32> &files = out.m_statusFiles;
    std::vector<ByteTotal> &bytes = out.m_statusBytes;
    const size_t w = size_t(width);
    if (m_dense && m_width == width) {
        // The rows become the totals' table where they stand: rows of
        // folders the tree does not know count in "Root", missing rows are
        // empty, each row goes to its item's place and its columns to their
        // statuses' places.
        files.swap(m_files);
        bytes.swap(m_bytes);
        for (size_t r = size_t(folders); r < files.size() / w; ++r) {
            for (size_t c = 0; c < w; ++c) {
                files[c] += files[r * w + c];
                bytes[c].tryAdd(bytes[r * w + c]);
            }
        }
        files.resize(size_t(folders) * w, 0);
        bytes.resize(files.size());
        std::vector<bool> placed(size_t(folders), false);
        std::vector<qint32> carryFiles(w);
        std::vector<ByteTotal> carryBytes(w);
        for (size_t start = 0; start < size_t(folders); ++start) {
            if (givenUp(start, stop)) {
                out = FolderTotals();
                out.m_stopped = true;
                return out;
            }
            if (placed[start])
                continue;
            std::copy_n(files.begin() + qsizetype(start * w), w, carryFiles.begin());
            std::copy_n(bytes.begin() + qsizetype(start * w), w, carryBytes.begin());
            size_t at = start;
            do {
                placed[at] = true;
                const size_t to = size_t(itemOfFolder(at));
                for (size_t c = 0; c < w; ++c) {
                    std::swap(carryFiles[c], files[to * w + c]);
                    std::swap(carryBytes[c], bytes[to * w + c]);
                }
                at = to;
            } while (!placed[at]);
        }
        bool inOrder = true;
        for (int id = 0; id < distinct; ++id)
            inOrder = inOrder && slotOf[size_t(id)] == id;
        if (!inOrder) {
            for (size_t row = 0; row < size_t(folders); ++row) {
                for (size_t c = 0; c < w; ++c) {
                    carryFiles[size_t(slotOf[c])] = files[row * w + c];
                    carryBytes[size_t(slotOf[c])] = bytes[row * w + c];
                }
                std::copy_n(carryFiles.begin(), w, files.begin() + qsizetype(row * w));
                std::copy_n(carryBytes.begin(), w, bytes.begin() + qsizetype(row * w));
            }
        }
    } else {
        files.assign(size_t(folders) * w, 0);
        bytes.assign(files.size(), ByteTotal());
        const PairTable &pairs = m_sparse->pairs;
        for (size_t v = 0; v < pairs.keys.size(); ++v) {
            const size_t at = size_t(itemOfFolder(size_t(pairs.keys[v] >> 32))) * w +
                              size_t(slotOf[size_t(quint32(pairs.keys[v]))]);
            files[at] += pairs.files[v];
            bytes[at].tryAdd(pairs.bytes[v]);
        }
    }
    delete m_sparse;
    m_sparse = new Sparse;

    // Bottom-up: items stand in pre-order, every child after its parent.
    for (int item = folders - 1; item > 0; --item) {
        const size_t from = size_t(item) * w;
        const size_t to = size_t(tree.parent(item)) * w;
        for (size_t c = 0; c < w; ++c) {
            files[to + c] += files[from + c];
            bytes[to + c].tryAdd(bytes[from + c]);
        }
    }
    for (int s = 0; s < width; ++s) {
        out.m_statuses[size_t(s)].lines = files[size_t(s)];
        out.m_statuses[size_t(s)].bytes = bytes[size_t(s)];
    }
    return out;
}

// ---- FolderTotals --------------------------------------------------------------

qint32 FolderTotals::files(int item) const
{
    qint32 sum = 0;
    for (size_t s = 0; s < m_statuses.size(); ++s)
        sum += m_statusFiles[slot(item, int(s))];
    return sum;
}

ByteTotal FolderTotals::bytes(int item) const
{
    ByteTotal sum;
    for (size_t s = 0; s < m_statuses.size(); ++s)
        sum.tryAdd(m_statusBytes[slot(item, int(s))]);
    return sum;
}

void FolderTotals::clear()
{
    *this = FolderTotals();
}

namespace {

// Hands each line of a store to a gatherer with its folder's item (every
// top folder standing for "Root"): consecutive lines mostly share their
// folders, which the walk keeps.
struct LineFolders
{
    LineFolders(const FolderTree &tree, FolderTotalsGatherer &g) : walker(tree), gatherer(g) {}

    FolderWalker walker;
    FolderTotalsGatherer &gatherer;

    void take(QByteArrayView line)
    {
        const LineFields f = lineFields(line);
        int item = 0;
        // The components between the top folder's "\" and the last one.
        if (const char *first = static_cast<const char *>(
                std::memchr(f.path.data(), '\\', size_t(f.path.size())))) {
            const char *last =
                static_cast<const char *>(::memrchr(f.path.data(), '\\', size_t(f.path.size())));
            item = walker.itemOf(QByteArrayView(first + 1, last - first));
        }
        gatherer.add(item, f.hasStatus, f.status, f.size);
    }
};

// Takes the lines of buffer[p, end) in the order the file holds them and
// returns how many there were (-1 when stopped). The buffer is cut into lines
// as the loader cuts it: CR LF, a lone CR or a lone LF end a line.
qsizetype gatherRange(const char *p, const char *const end, LineFolders &g,
                      const std::atomic<bool> *stop)
{
    qsizetype lines = 0;
    while (p < end) {
        if (givenUp(size_t(lines), stop))
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

} // namespace

FolderTotals FolderTotals::compute(const LineStore &store, const FolderTree &tree,
                                   const std::atomic<bool> *stop)
{
    // Too little memory left for the totals: the list is shown without them.
    try {
        if (tree.count() == 0)
            return FolderTotals();
        // The lines in the order the file holds them: the store's sorted
        // views jump all over the buffer, the file's order runs through it
        // once. When the buffer holds other lines than the store (a store
        // made of part of it), the store's own lines are taken instead.
        const QByteArray &bytes = store.bytes();
        const char *p = bytes.constData();
        if (store.encoding() == ListEncoding::Utf8 && bytes.startsWith("\xEF\xBB\xBF"))
            p += 3;
        auto gatherer = std::make_unique<FolderTotalsGatherer>();
        {
            LineFolders lines(tree, *gatherer);
            const qsizetype taken = gatherRange(p, bytes.constData() + bytes.size(), lines, stop);
            if (taken < 0) {
                FolderTotals out;
                out.m_stopped = true;
                return out;
            }
            if (taken != store.count()) {
                gatherer = std::make_unique<FolderTotalsGatherer>();
                LineFolders own(tree, *gatherer);
                for (qsizetype i = 0; i < store.count(); ++i) {
                    if (givenUp(size_t(i), stop)) {
                        FolderTotals out;
                        out.m_stopped = true;
                        return out;
                    }
                    own.take(store.line(i));
                }
            }
        }
        return gatherer->finish(tree, {}, store.encoding(), stop);
    } catch (const std::bad_alloc &) {
        return FolderTotals();
    }
}

} // namespace corvane
