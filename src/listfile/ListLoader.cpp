#include "ListLoader.h"

#include "ChunkSort.h"
#include "ListDate.h"
#include "ListLine.h"

#include <QElapsedTimer>
#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <limits>
#include <new>
#include <optional>
#include <thread>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

QString LoadedList::rootPrefixAfter(const QString &current) const
{
    if (!current.isEmpty() || !hasTopComponent)
        return current;
    return lastTopComponent + u'\\';
}

void LoadedList::clear()
{
    // Every field, those added later too, back to an empty list's value.
    *this = LoadedList();
}

namespace {

// The number of lines, so that the line table is allocated once.
qsizetype estimateLines(QByteArrayView bytes)
{
    auto count = [&](char c) {
        qsizetype n = 0;
        const char *p = bytes.data();
        const char *end = p + bytes.size();
        // An empty buffer may have no data pointer at all: memchr must not see it.
        while (p < end && (p = static_cast<const char *>(std::memchr(p, c, size_t(end - p))))) {
            ++n;
            ++p;
        }
        return n;
    };
    // LF or CR LF ends the lines of nearly every list: one pass. A list of
    // lone CRs counts those; a mix of both only makes the table grow.
    const qsizetype lf = count('\n');
    return (lf > 0 ? lf : count('\r')) + 1;
}

class ProgressGate
{
public:
    explicit ProgressGate(const LoadOptions &options) : m_options(options) { m_timer.start(); }
    bool due() const
    {
        return m_options.progress && m_timer.elapsed() >= m_options.progressIntervalMs;
    }
    void send(const LoadProgress &p)
    {
        if (!m_options.progress)
            return;
        m_options.progress(p);
        m_timer.restart();
    }

private:
    const LoadOptions &m_options;
    QElapsedTimer m_timer;
};

// The sort looks at lines 7 bytes at a time: the bytes and their count fit
// one 64-bit value, which orders as the bytes do (the shorter first on a tie).
constexpr int ChunkBytes = 7;

// How the sort sees a line of a narrow store: its 32-bit offset, the line
// ending at the first CR or LF (or the buffer's end).
struct NarrowLines
{
    using Ref = quint32;
    const char *base;
    const char *end;

    const char *begin(Ref r) const { return base + r; }
    // The line's bytes from depth on (depth is never past the line's end).
    qint64 restFrom(Ref r, qint64 depth) const
    {
        const char *p = base + r + depth;
        return findLineEnd(p, end) - p;
    }
    QByteArrayView view(Ref r) const { return QByteArrayView(base + r, restFrom(r, 0)); }
    // The 7 bytes at depth (big-endian, zero-padded) above how many of them
    // belong to the line (0 to 7), in one value.
    quint64 chunk(Ref r, qint64 depth) const
    {
        const char *p = base + r + depth;
        const qint64 avail = end - p;
        if (avail <= 0)
            return 0;
        quint64 v = 0;
        const int n = avail >= 8 ? 8 : int(avail);
        std::memcpy(&v, p, size_t(n));
        v = qFromLittleEndian(v);
        // The first CR or LF among them ends the line: a byte that is zero
        // after the XOR. The lowest flagged byte is always a true one.
        constexpr quint64 ones = 0x0101010101010101ULL;
        constexpr quint64 highs = 0x8080808080808080ULL;
        const quint64 x = v ^ (ones * '\r');
        const quint64 y = v ^ (ones * '\n');
        const quint64 z = ((x - ones) & ~x & highs) | ((y - ones) & ~y & highs);
        const int have = std::min({z ? int(__builtin_ctzll(z) / 8) : 8, n, ChunkBytes});
        v &= (quint64(1) << (8 * have)) - 1;
        return qbswap(v) | unsigned(have);
    }
};

// The same for a wide store: offset and length in a LineRef.
struct WideLines
{
    using Ref = LineStore::LineRef;
    const char *base;
    const LineStore::LongLines &longLines;

    const char *begin(const Ref &r) const { return base + r.offset(); }
    qint64 restFrom(const Ref &r, qint64 depth) const
    {
        return LineStore::lengthOf(r, longLines) - depth;
    }
    QByteArrayView view(const Ref &r) const
    {
        return QByteArrayView(base + r.offset(), LineStore::lengthOf(r, longLines));
    }
    quint64 chunk(const Ref &r, qint64 depth) const
    {
        const qint64 rest = restFrom(r, depth);
        if (rest <= 0)
            return 0;
        const char *p = base + r.offset() + depth;
        const int have = rest >= ChunkBytes ? ChunkBytes : int(rest);
        quint64 v = 0;
        for (int i = 0; i < have; ++i)
            v |= quint64(uchar(p[i])) << (56 - 8 * i);
        return v | unsigned(have);
    }
};

// Sorts line references in ordinal byte order (the shorter first on a tie)
// by multikey quicksort on 7-byte chunks: lines of one folder share long
// beginnings, which a comparison sort would compare again and again; here
// each chunk of a shared beginning is looked at about once per line. The
// chunks at a range's depth are read once into a table beside the refs, so
// the partitions run over that table, not over lines all over the file.
template<typename Lines> class LineSorter
{
public:
    using Ref = typename Lines::Ref;
    LineSorter(const Lines &lines, const std::atomic<bool> *stop) : m_lines(lines), m_stop(stop) {}

    void sort(Ref *first, Ref *last)
    {
        const qsizetype n = last - first;
        if (n < 2)
            return;
        int budget = 2;
        for (qsizetype k = n; k > 1; k >>= 1)
            budget += 2;
        m_first = first;
        m_keys.assign(size_t(n), 0);
        std::vector<Task> tasks;
        tasks.push_back({first, last, 0, budget, false});
        unsigned steps = 0;
        while (!tasks.empty()) {
            // A stop leaves the lines unsorted: the load is given up anyway.
            if ((++steps & 0x3FF) == 0 && m_stop && m_stop->load(std::memory_order_relaxed))
                break;
            const Task t = tasks.back();
            tasks.pop_back();
            step(t, tasks);
        }
        std::vector<quint64>().swap(m_keys);
    }

private:
    struct Task
    {
        Ref *lo;
        Ref *hi;
        qint64 depth;
        int budget; // partitions left before falling back to a heap-safe sort
        bool keyed; // the table holds the chunks of [lo, hi) at depth
    };

    bool lessFrom(const Ref &a, const Ref &b, qint64 depth) const
    {
        const qint64 na = m_lines.restFrom(a, depth);
        const qint64 nb = m_lines.restFrom(b, depth);
        const size_t n = size_t(qMax<qint64>(0, qMin(na, nb)));
        const int c = n ? std::memcmp(m_lines.begin(a) + depth, m_lines.begin(b) + depth, n) : 0;
        return c < 0 || (c == 0 && na < nb);
    }

    void step(const Task &t, std::vector<Task> &tasks)
    {
        Ref *lo = t.lo;
        Ref *hi = t.hi;
        const qint64 depth = t.depth;
        const qsizetype n = hi - lo;
        if (n < 2)
            return;
        if (n <= 16) {
            for (Ref *i = lo + 1; i < hi; ++i) {
                const Ref v = *i;
                Ref *j = i;
                for (; j > lo && lessFrom(v, *(j - 1), depth); --j)
                    *j = *(j - 1);
                *j = v;
            }
            return;
        }
        if (t.budget <= 0) {
            std::sort(lo, hi,
                      [this, depth](const Ref &a, const Ref &b) { return lessFrom(a, b, depth); });
            return;
        }
        quint64 *const keys = m_keys.data() + (lo - m_first);
        if (!t.keyed) {
            // Past the first pass the lines lie all over the file: ask for
            // a line's bytes some steps before they are read, so that the
            // fetches overlap instead of waiting one after another.
            constexpr qsizetype Ahead = 16;
            for (qsizetype k = 0; k < n; ++k) {
                if (k + Ahead < n)
                    __builtin_prefetch(m_lines.begin(lo[k + Ahead]) + depth);
                keys[k] = m_lines.chunk(lo[k], depth);
            }
        }
        const auto [lt, gt, pivot] = partitionByChunk(keys, lo, n);
        tasks.push_back({lo, lo + lt, depth, t.budget - 1, true});
        tasks.push_back({lo + gt, hi, depth, t.budget - 1, true});
        // Equal full chunks: the lines go on beyond them. Fewer bytes: they
        // all end here and are equal.
        if (int(pivot & 0xFF) == ChunkBytes)
            tasks.push_back({lo + lt, lo + gt, depth + ChunkBytes, t.budget, false});
    }

    const Lines &m_lines;
    const std::atomic<bool> *m_stop;
    Ref *m_first = nullptr;
    std::vector<quint64> m_keys; // the chunks, in the refs' places
};

template<typename Lines>
void sortLines(const Lines &view, std::vector<typename Lines::Ref> &lines, bool parallel,
               const std::atomic<bool> *stop, const std::function<void()> &alongside)
{
    using Ref = typename Lines::Ref;
    auto less = [&view](const Ref &a, const Ref &b) {
        return LineStore::lessOrdinal(view.view(a), view.view(b));
    };
    LineSorter<Lines> sorter(view, stop);
    if (!parallel || lines.size() < 200000) {
        if (alongside)
            alongside();
        sorter.sort(lines.data(), lines.data() + lines.size());
        return;
    }
    // Split at the median of a sample (everything below it first), then
    // sort the two parts on two cores: the same order as one sort, and no
    // merge buffer as large as half the line table.
    Ref *const first = lines.data();
    Ref *const last = first + lines.size();
    Ref *const mid = splitAtSampleMedian(first, last, less);
    runOnTwoThreads([&] { sorter.sort(first, mid); },
                    [&] {
                        if (alongside)
                            alongside();
                        LineSorter<Lines> upper(view, stop); // a key table of its own
                        upper.sort(mid, last);
                    });
}

// A list too big for the memory left: reported like a read error, so that
// the caller shows why instead of the program ending on the exception.
LoadedList outOfMemory(bool fileFound)
{
    LoadedList out;
    out.fileFound = fileFound;
    out.error = u"there is not enough memory to load it"_s;
    return out;
}

LoadedList loadBytes(ListBytes input, const LoadOptions &options)
{
    LoadedList out;
    out.fileFound = input.fileFound;
    out.error = input.error;
    out.changedWhileRead = input.changedWhileRead;
    if (!input.fileFound)
        return out;

    ProgressGate gate(options);
    LoadProgress progress;
    progress.phase = LoadProgress::Phase::Lines;
    progress.bytesTotal = input.bytes.size();
    gate.send(progress);

    const QByteArray bytes = std::move(input.bytes);
    const char *const base = bytes.constData();
    const char *const end = base + bytes.size();

    // Offsets past 40 bits do not fit a line's place: such a file could
    // not be held in memory anyway.
    if (bytes.size() > LineStore::LineRef::MaxOffset)
        return outOfMemory(true);
    // A line's offset alone below 4 GiB, offset and length above.
    const bool narrow = bytes.size() <= LineStore::NarrowLimit + 1 && !options.wideLines;
    std::vector<quint32> offsets;
    std::vector<LineStore::LineRef> lines;
    LineStore::LongLines longLines;
    if (narrow)
        offsets.reserve(size_t(estimateLines(bytes)));
    else
        lines.reserve(size_t(estimateLines(bytes)));
    size_t lineCount = 0;
    FolderTreeBuilder tree(bytes, input.encoding);
    tree.setStopFlag(options.stop);
    std::optional<FolderTotalsGatherer> totals;
    if (options.folderTotals)
        totals.emplace();
    std::optional<FolderKindsGatherer> kinds;
    if (options.folderKinds)
        kinds.emplace(input.encoding);
    ByteTotal total;
    QByteArrayView lastFolder; // of the last line whose path holds a "\"
    std::optional<ListDateReader> dates;
    if (options.dateLocale)
        dates.emplace(*options.dateLocale);
    qint64 earliest = std::numeric_limits<qint64>::max();
    qint64 latest = InvalidListDate;

    const char *p = base;
    const char *lastStopCheck = base;
    // A UTF-8 byte-order mark (Notepad's "UTF-8") is not part of the first
    // line: left in, that line would stand outside its folder.
    if (input.encoding == ListEncoding::Utf8 && bytes.startsWith("\xEF\xBB\xBF"))
        p += 3;
    while (p < end) {
        const char *lineEnd;
        const LineFields fields = cutLine(p, end, &lineEnd);
        const QByteArrayView line(p, lineEnd - p);
        if (narrow) {
            offsets.push_back(quint32(p - base));
        } else {
            lines.emplace_back(qint64(p - base), qint64(lineEnd - p));
            if (lines.back().isLong())
                longLines.add(qint64(p - base), qint64(lineEnd - p));
        }
        ++lineCount;

        if (fields.size)
            total.tryAdd(*fields.size);
        if (dates && !fields.modified.isEmpty()) {
            const qint64 date = dates->value(fields.modified, input.encoding);
            if (date != InvalidListDate) {
                earliest = std::min(earliest, date);
                latest = std::max(latest, date);
            }
        }
        // An empty line keeps the previous line's folder; a line whose path
        // field is empty is an entry of the top folder.
        int node = 0;
        if (!line.isEmpty()) {
            const QByteArrayView path = fields.path;
            const char *lastSlash =
                path.isEmpty()
                    ? nullptr
                    : static_cast<const char *>(::memrchr(path.data(), '\\', size_t(path.size())));
            const qsizetype slash = lastSlash ? lastSlash - path.data() : -1;
            const QByteArrayView folder = slash < 0 ? QByteArrayView() : path.first(slash + 1);
            tree.addFolderPath(folder);
            if (tree.stopped()) {
                out.stopped = true;
                return out;
            }
            node = tree.currentNode();
            // The top folder comes from the last line whose path holds a
            // "\": a footer line or a loose entry names no top folder.
            if (slash >= 0)
                lastFolder = folder;
            if (kinds && !hasFolderBit(fields.attributes))
                kinds->add(node, path.sliced(slash + 1), fields.hasStatus, fields.status,
                           fields.size);
        }
        // An empty line counts in "Root", with no status.
        if (totals)
            totals->add(node, fields.hasStatus, fields.status, fields.size);

        p = lineEnd;
        if (p < end) {
            if (*p == '\r' && p + 1 < end && p[1] == '\n')
                p += 2;
            else
                ++p;
        }
        // Every 4,096 lines, and after every long stretch of bytes: one line
        // may be many megabytes long.
        if (((lineCount & 0xFFF) == 0 || p - lastStopCheck > (1 << 20)) && options.stop) {
            lastStopCheck = p;
            if (options.stop->load()) {
                out.stopped = true;
                return out;
            }
        }
        if ((lineCount & 0xFFF) == 0 && gate.due()) {
            progress.lines = qint32(lineCount);
            progress.folders = tree.distinctFolderPaths();
            progress.total = total;
            progress.bytesDone = p - base;
            gate.send(progress);
        }
    }

    out.lineCount = qint32(lineCount);
    out.folderCount = tree.distinctFolderPaths();
    out.totalSize = total;
    if (latest != InvalidListDate) {
        out.earliestDate = listDateDay(earliest);
        out.latestDate = listDateDay(latest);
    }
    out.hasTopComponent = !lastFolder.isEmpty();
    if (out.hasTopComponent) {
        const QByteArrayView lastTop = lastFolder.first(lastFolder.indexOf('\\'));
        out.lastTopComponent = decodeListText(lastTop, input.encoding);
        out.lastTopBytes = lastTop.toByteArray();
    }

    progress.phase = LoadProgress::Phase::LinesRead;
    progress.lines = out.lineCount;
    progress.folders = out.folderCount;
    progress.total = total;
    progress.bytesDone = bytes.size();
    gate.send(progress);

    FolderTree sortedTree;
    FolderTotals sortedTotals;
    FolderKinds sortedKinds;
    const QLocale collation = options.collationLocale;
    auto sortTree = [&] {
        std::vector<int> itemOfNode;
        sortedTree = tree.finish(collation, &itemOfNode);
        if (totals && lineCount > 0 && !tree.stopped())
            sortedTotals = totals->finish(sortedTree, itemOfNode, input.encoding, options.stop);
        if (kinds && lineCount > 0 && !tree.stopped())
            sortedKinds = kinds->finish(sortedTree, itemOfNode, options.stop);
    };
    progress.phase = LoadProgress::Phase::SortingLines;
    gate.send(progress);
    if (narrow) {
        const NarrowLines view{bytes.constData(), bytes.constData() + bytes.size()};
        sortLines(view, offsets, options.parallel, options.stop, sortTree);
    } else {
        const WideLines view{bytes.constData(), longLines};
        sortLines(view, lines, options.parallel, options.stop, sortTree);
    }

    if (tree.stopped() || (options.stop && options.stop->load())) {
        out = LoadedList();
        out.fileFound = true;
        out.stopped = true;
        return out;
    }
    if (lineCount > 0) {
        out.SftTree1 = std::move(sortedTree);
        out.totals = std::move(sortedTotals);
        out.kinds = std::move(sortedKinds);
    }
    out.iGrid1 = narrow ? LineStore(bytes, std::move(offsets), input.encoding)
                        : LineStore(bytes, std::move(lines), std::move(longLines), input.encoding);

    progress.phase = LoadProgress::Phase::Finished;
    gate.send(progress);
    return out;
}

} // namespace

LoadedList loadListBytes(ListBytes input, const LoadOptions &options)
{
    const bool fileFound = input.fileFound;
    try {
        return loadBytes(std::move(input), options);
    } catch (const std::bad_alloc &) {
        return outOfMemory(fileFound);
    }
}

LoadedList loadList(const QString &path, const LoadOptions &options)
try {
    ListBytes bytes;
    {
        ProgressGate gate(options);
        LoadProgress progress;
        progress.phase = LoadProgress::Phase::Reading;
        bytes = readListFile(
            path,
            [&](qint64 done, qint64 total) {
                if (options.stop && options.stop->load())
                    return false;
                if (gate.due()) {
                    progress.bytesDone = done;
                    progress.bytesTotal = total;
                    gate.send(progress);
                }
                return true;
            },
            options.fileEncoding);
    }
    if (options.stop && options.stop->load()) {
        LoadedList out;
        out.fileFound = bytes.fileFound;
        out.stopped = true;
        return out;
    }
    return loadListBytes(std::move(bytes), options);
} catch (const std::bad_alloc &) {
    return outOfMemory(true);
}

} // namespace corvane
