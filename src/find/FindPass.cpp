#include "FindPass.h"

#include "FindLineTest.h"
#include "listfile/ByteScan.h"
#include "listfile/ChunkSort.h"
#include "listfile/ListLine.h"
#include "listfile/ListLoader.h"

#include <QThread>

#include <algorithm>
#include <cstring>
#include <optional>

namespace corvane {

bool FindMatches::contains(qint32 line) const
{
    return all || std::binary_search(lines.begin(), lines.end(), line);
}

namespace {

// Lines tested between two looks at stop.
constexpr qsizetype StopCheckLines = 4096;
// How many lines ahead of its test a line's bytes are asked for.
constexpr qsizetype PrefetchAhead = 16;
// The bytes of the buffer taken between two looks at stop.
constexpr qsizetype ChunkBytes = qsizetype(1) << 20;
// The matches to narrow within: up to this share of the store they are
// tested where they lie; more are found faster by a pass over the bytes.
constexpr qsizetype WithinShare = 2;
// A store this small is never worth a pass over all of it to narrow.
constexpr qsizetype SmallStore = 100000;

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}

struct PartFound
{
    std::vector<qint32> lines;
    qint64 count = 0;
    ByteTotal bytes;
    bool stopped = false;

    void add(const std::optional<ByteTotal> &size)
    {
        ++count;
        if (size)
            bytes.tryAdd(*size);
    }
};

// ---- the lines where they lie in the store ----------------------------------------

// A line cut up to its size, 64 bytes a step where the processor has AVX2.
PathAndSize cutUpToSize(const char *p, const char *end)
{
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2)
        return cutPathAndSizeAvx2(p, end);
#endif
    return cutPathAndSize(p, end);
}

// Tests the lines at[0, n) of the store (store indexes, ascending), their
// bytes asked for ahead.
template<typename Index>
void testLines(const LineStore &store, FindLineTest &test, Index at, qsizetype n,
               const std::atomic<bool> *stop, PartFound &out)
{
    for (qsizetype k = 0; k < std::min(n, PrefetchAhead); ++k)
        store.prefetchLine(at(k));
    for (qsizetype k = 0; k < n; ++k) {
        if (k % StopCheckLines == 0 && stopped(stop)) {
            out.stopped = true;
            return;
        }
        if (k + PrefetchAhead < n)
            store.prefetchLine(at(k + PrefetchAhead));
        const qint32 i = qint32(at(k));
        const LineStore::LineReach reach = store.reach(i);
        if (!test.needsFields()) {
            // Patterns of the path alone: the line is cut up to its size,
            // its end never looked for.
            const PathAndSize cut = cutUpToSize(reach.begin, reach.bound);
            bool sure = false;
            if (!test.mayMatch(cut.path, &sure))
                continue;
            const char *pathEnd = cut.path.data() + cut.path.size();
            const bool comma = pathEnd < reach.bound && *pathEnd == ',';
            const QByteArrayView upToComma(reach.begin, cut.path.size() + (comma ? 1 : 0));
            if (test.matches(upToComma, sure, nullptr)) {
                out.lines.push_back(i);
                out.add(cut.hasSize ? std::optional<ByteTotal>(cut.size) : std::nullopt);
            }
            continue;
        }
        // The line cut once: its end and its fields.
        const char *lineEnd;
        const LineFields fields = cutLine(reach.begin, reach.bound, &lineEnd);
        bool sure = false;
        if (!test.mayMatch(fields.path, &sure))
            continue;
        std::optional<ByteTotal> size;
        if (test.matches(QByteArrayView(reach.begin, lineEnd - reach.begin), sure, &size,
                         &fields)) {
            out.lines.push_back(i);
            out.add(size);
        }
    }
}

// The parts of two threads (or one) joined in order.
FindMatches joined(std::vector<PartFound> &parts)
{
    FindMatches m;
    size_t total = 0;
    for (const PartFound &p : parts)
        total += p.lines.size();
    m.lines = std::move(parts.front().lines);
    m.lines.reserve(total);
    for (size_t k = 0; k < parts.size(); ++k) {
        if (k > 0)
            m.lines.insert(m.lines.end(), parts[k].lines.begin(), parts[k].lines.end());
        m.count += parts[k].count;
        m.bytes.tryAdd(parts[k].bytes);
        m.stopped = m.stopped || parts[k].stopped;
        std::vector<qint32>().swap(parts[k].lines);
    }
    return m;
}

template<typename Work> void onThreads(int threads, std::vector<PartFound> &parts, Work work)
{
    parts.assign(size_t(threads), PartFound());
    if (threads == 1)
        work(0, parts[0]);
    else
        runOnTwoThreads([&] { work(0, parts[0]); }, [&] { work(1, parts[1]); });
}

// The query's lines among indexes[0, n), tested where they lie.
FindMatches passOverLines(const LoadedList &list, const FindQuery &query, const qint32 *indexes,
                          qsizetype n, const std::atomic<bool> *stop, int threads)
{
    const LineStore &store = list.iGrid1;
    if (n < 100000)
        threads = 1;
    std::vector<PartFound> parts;
    onThreads(threads, parts, [&](int part, PartFound &out) {
        FindLineTest test(query, store.encoding());
        const qsizetype from = n * part / threads;
        const qsizetype to = n * (part + 1) / threads;
        if (indexes)
            testLines(
                store, test, [&](qsizetype k) { return indexes[from + k]; }, to - from, stop, out);
        else
            testLines(
                store, test, [&](qsizetype k) { return from + k; }, to - from, stop, out);
    });
    return joined(parts);
}

// ---- the store's bytes in the file's order ----------------------------------------

// The lines of a store whose buffer is the list's bytes, every line in the
// file's order (as the loader cuts them), found by a scan of the buffer:
// the runs of the anchor, or every line, tested at once. A match is noted
// by a bit for the 16 bytes its line begins in; where another line may
// begin in the same 16 bytes, by its place too. The store's lines are then
// walked in order, each looked up by where it begins: 4 bytes a match are
// kept, and a bit per 16 bytes of the list while the pass runs.
class BufferPass
{
public:
    static constexpr int BucketShift = 4;
    static constexpr qint64 BucketBytes = qint64(1) << BucketShift;

    BufferPass(const LineStore &store, const FindQuery &query, const std::atomic<bool> *stop)
        : m_store(store)
        , m_query(query)
        , m_stop(stop)
        , m_base(store.bytes().constData())
        , m_end(m_base + store.bytes().size())
    {
        m_first = m_base;
        // As the loader reads it: a UTF-8 byte-order mark is no line's.
        if (store.encoding() == ListEncoding::Utf8 && store.bytes().startsWith("\xEF\xBB\xBF"))
            m_first += 3;
        const size_t buckets = size_t((store.bytes().size() >> BucketShift) + 1);
        m_bits.assign((buckets + 63) / 64, 0);
    }

    // False when the buffer's lines are not the store's (the pass over the
    // store's own lines must be taken instead).
    bool run(int threads, FindMatches &out)
    {
        // The parts of the buffer: lines beginning in [starts[k], starts[k + 1]).
        std::vector<const char *> starts{m_first};
        for (int k = 1; k < threads; ++k)
            starts.push_back(nextLineStart(m_first + (m_end - m_first) * k / threads));
        starts.push_back(m_end);
        std::vector<std::vector<qint64>> exact(static_cast<size_t>(threads));
        std::vector<PartFound> parts;
        onThreads(threads, parts, [&](int part, PartFound &found) {
            scanPart(starts[size_t(part)], starts[size_t(part) + 1], exact[size_t(part)], found);
        });
        for (size_t k = 1; k < exact.size(); ++k)
            exact[0].insert(exact[0].end(), exact[k].begin(), exact[k].end());
        m_exact = std::move(exact[0]);
        FindMatches scanned = joined(parts);
        if (scanned.stopped) {
            out.stopped = true;
            return true;
        }
        // The store's lines in order, half on each thread.
        const qsizetype n = m_store.count();
        std::vector<PartFound> indexParts;
        onThreads(n < 100000 ? 1 : threads, indexParts, [&](int part, PartFound &found) {
            const int of = int(indexParts.size());
            collect(n * part / of, n * (part + 1) / of, found);
        });
        FindMatches collected = joined(indexParts);
        if (collected.stopped) {
            out.stopped = true;
            return true;
        }
        if (qint64(collected.lines.size()) != scanned.count)
            return false;
        out.lines = std::move(collected.lines);
        out.count = scanned.count;
        out.bytes = scanned.bytes;
        return true;
    }

private:
    const char *nextLineStart(const char *p) const
    {
        if (p <= m_first)
            return m_first;
        if (p >= m_end)
            return m_end;
        // p may stand right after a line end: then it begins a line.
        if (p[-1] == '\n' || (p[-1] == '\r' && *p != '\n'))
            return p;
        return afterLineEnd(findLineEnd(p, m_end), m_end);
    }

    void mark(const char *lineStart, const char *lineEnd, std::vector<qint64> &exact)
    {
        const qint64 s = lineStart - m_base;
        const qint64 bucket = s >> BucketShift;
        const qint64 bucketStart = bucket << BucketShift;
        __atomic_fetch_or(&m_bits[size_t(bucket >> 6)], quint64(1) << (bucket & 63),
                          __ATOMIC_RELAXED);
        bool shared = false;
        // Another line beginning in the same 16 bytes, after this one...
        const char *next = afterLineEnd(lineEnd, m_end);
        if (next < m_end && next - m_base < bucketStart + BucketBytes)
            shared = true;
        // ... or before it: the line before begins after a line end at or
        // after bucketStart - 1 (or is the first line).
        if (!shared && lineStart > m_first) {
            const char *t = lineStart - 1; // the line end before this line
            if (*t == '\n' && t > m_first && t[-1] == '\r')
                --t;
            const char *from = m_base + std::max<qint64>(bucketStart - 1, 0);
            if (t - m_base >= bucketStart) {
                for (const char *q = from; q < t && !shared; ++q)
                    shared = *q == '\n' || *q == '\r';
                if (!shared && m_first - m_base >= bucketStart)
                    shared = true;
            }
        }
        if (shared)
            exact.push_back(s);
    }

    void scanPart(const char *from, const char *to, std::vector<qint64> &exact, PartFound &found)
    {
        FindLineTest test(m_query, m_store.encoding());
        const bool anchored = test.hasAnchor();
        CandidateLines candidates(test.anchorScanners());
        for (const char *chunk = from; chunk < to;) {
            if (stopped(m_stop)) {
                found.stopped = true;
                return;
            }
            const char *chunkEnd = to - chunk > ChunkBytes ? nextLineStart(chunk + ChunkBytes) : to;
            if (chunkEnd > to)
                chunkEnd = to;
            const QByteArrayView piece(chunk, chunkEnd - chunk);
            const auto take = [&](QByteArrayView line, bool sure) {
                std::optional<ByteTotal> size;
                if (test.matches(line, sure, &size)) {
                    found.add(size);
                    mark(line.data(), line.data() + line.size(), exact);
                }
                return true;
            };
            if (anchored) {
                candidates.scan(piece, take);
            } else {
                const bool cut = test.needsFields();
                for (const char *p = chunk; p < chunkEnd;) {
                    const char *lineEnd;
                    std::optional<ByteTotal> size;
                    bool matched;
                    if (cut) {
                        const LineFields fields = cutLine(p, chunkEnd, &lineEnd);
                        matched =
                            test.matches(QByteArrayView(p, lineEnd - p), false, &size, &fields);
                    } else {
                        lineEnd = findLineEnd(p, chunkEnd);
                        matched = test.matches(QByteArrayView(p, lineEnd - p), false, &size);
                    }
                    if (matched) {
                        found.add(size);
                        mark(p, lineEnd, exact);
                    }
                    p = afterLineEnd(lineEnd, chunkEnd);
                }
            }
            chunk = chunkEnd;
        }
    }

    bool isMatch(qint64 s) const
    {
        const qint64 bucket = s >> BucketShift;
        if (!((m_bits[size_t(bucket >> 6)] >> (bucket & 63)) & 1))
            return false;
        if (m_exact.empty())
            return true;
        // A bucket where several lines may begin holds its matches' places.
        const qint64 bucketStart = bucket << BucketShift;
        const auto at = std::lower_bound(m_exact.begin(), m_exact.end(), bucketStart);
        if (at == m_exact.end() || *at >= bucketStart + BucketBytes)
            return true;
        return std::binary_search(at, m_exact.end(), s);
    }

    void collect(qsizetype from, qsizetype to, PartFound &found) const
    {
        // The bits of the lines ahead are asked for: the lines begin all
        // over the buffer, their bits all over the table.
        constexpr qsizetype Ahead = 32;
        const auto wordOf = [this](qsizetype i) {
            return &m_bits[size_t(((m_store.reach(i).begin - m_base) >> BucketShift) >> 6)];
        };
        for (qsizetype i = from; i < std::min(to, from + Ahead); ++i)
            __builtin_prefetch(wordOf(i));
        for (qsizetype i = from; i < to; ++i) {
            if ((i - from) % (StopCheckLines * 16) == 0 && stopped(m_stop)) {
                found.stopped = true;
                return;
            }
            if (i + Ahead < to)
                __builtin_prefetch(wordOf(i + Ahead));
            if (isMatch(m_store.reach(i).begin - m_base))
                found.lines.push_back(qint32(i));
        }
    }

    const LineStore &m_store;
    const FindQuery &m_query;
    const std::atomic<bool> *m_stop;
    const char *m_base;
    const char *m_end;
    const char *m_first;
    std::vector<quint64> m_bits;
    std::vector<qint64> m_exact;
};

// A full pass: the buffer in the file's order, or else the store's lines
// where they lie.
FindMatches fullPass(const LoadedList &list, const FindQuery &query, const std::atomic<bool> *stop,
                     int threads)
{
    FindMatches m;
    BufferPass pass(list.iGrid1, query, stop);
    if (pass.run(threads, m))
        return m;
    return passOverLines(list, query, nullptr, list.iGrid1.count(), stop, threads);
}

} // namespace

FindMatches runFind(const LoadedList &list, const FindQuery &query, const FindMatches *within,
                    const std::atomic<bool> *stop, int threads)
{
    const LineStore &store = list.iGrid1;
    if (threads <= 0)
        threads = QThread::idealThreadCount();
    threads = std::clamp(threads, 1, 2);
    const qsizetype n = store.count();
    FindMatches m;
    const FindLineTest probe(query, store.encoding());
    if (query.isEmpty() || probe.matchesEverything()) {
        m.all = true;
        m.count = n;
        m.bytes = list.totalSize;
        return m;
    }
    if (n == 0 || probe.matchesNothing())
        return m;
    // Matches of another list (an index past this store's end) are no
    // ground to narrow in either.
    if (within && !within->all && !within->stopped &&
        (within->count * WithinShare <= n || n < SmallStore) &&
        (within->lines.empty() || within->lines.back() < n))
        m = passOverLines(list, query, within->lines.data(), qsizetype(within->lines.size()), stop,
                          threads);
    else
        m = fullPass(list, query, stop, threads);
    if (m.stopped) {
        FindMatches given;
        given.stopped = true;
        return given;
    }
    if (m.count == n) {
        std::vector<qint32>().swap(m.lines);
        m.all = true;
    }
    return m;
}

} // namespace corvane
