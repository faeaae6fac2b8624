#include "CheckMatcher.h"

#include "listfile/ByteScan.h"
#include "search/RunScan.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// Rows of the dense part of the automaton may take this much; deeper states
// beyond it keep their children in a list and follow their failure links.
constexpr size_t DenseRowBudget = size_t(12) << 20;

// Slices spread over the first piece of the list, where the rarest places
// of the runs are learned.
struct ListSample
{
    QByteArrayView piece;
    const std::array<unsigned char, 256> *fold = nullptr;

    // How often the folded bytes x and y stand `gap` apart, by x << 8 | y.
    std::vector<quint32> pairs(int gap) const
    {
        std::vector<quint32> counts(size_t(1) << 16, 0);
        constexpr qsizetype Slice = 4096;
        constexpr qsizetype Slices = 32;
        const qsizetype step = std::max(Slice, piece.size() / Slices);
        for (qsizetype from = 0; from + gap < piece.size(); from += step) {
            const qsizetype to = std::min(piece.size() - gap, from + Slice);
            for (qsizetype i = from; i < to; ++i)
                ++counts[size_t((*fold)[uchar(piece[i])]) << 8 | (*fold)[uchar(piece[i + gap])]];
        }
        return counts;
    }
};

// A few runs looked for together, 32 bytes a step (on processors with
// AVX2). Each run is looked for by two of its bytes a fixed gap apart (the
// same gap for all, at the rarest place of each run): for each of the two,
// two 16-entry tables (low and high nibble) give the buckets whose runs may
// have that byte there; where both agree on a bucket, the runs of that
// bucket are compared in full.
class PrefilterRuns
{
public:
    bool usable = false;

    void build(const std::vector<std::vector<unsigned char>> &runs,
               const std::array<unsigned char, 256> &fold, const ListSample &sample)
    {
        usable = false;
        if (runs.empty() || runs.size() > MaxRuns || !__builtin_cpu_supports("avx2"))
            return;
        m_fold = fold;
        size_t shortest = runs.front().size();
        for (const auto &run : runs)
            shortest = std::min(shortest, run.size());
        if (shortest < 1)
            return;
        // The gap whose plan the sample says finds fewest places to compare.
        Plan best = plan(runs, 0, sample.pairs(0));
        for (int gap = 1; gap <= int(std::min<size_t>(shortest - 1, 16)); ++gap) {
            Plan candidate = plan(runs, gap, sample.pairs(gap));
            if (candidate.cost < best.cost)
                best = std::move(candidate);
        }
        m_gap = best.gap;
        std::memset(m_lo, 0, sizeof m_lo);
        std::memset(m_hi, 0, sizeof m_hi);
        m_runs.clear();
        for (auto &bucket : m_bucketRuns)
            bucket.clear();
        for (size_t r = 0; r < runs.size(); ++r) {
            m_bucketRuns[best.bucketOf[r]].push_back(int(m_runs.size()));
            const int offset = best.offsetOf[r];
            m_runs.push_back(
                {runs[r], offset, runs[r][size_t(offset)], runs[r][size_t(offset + best.gap)]});
        }
        for (int k = 0; k < 8; ++k) {
            for (int j = 0; j < 2; ++j) {
                for (int nib = 0; nib < 16; ++nib) {
                    for (int lane = 0; lane < 32; lane += 16) {
                        if ((best.buckets[size_t(k)].low[j] >> nib) & 1)
                            m_lo[j][lane + nib] |= uchar(1 << k);
                        if ((best.buckets[size_t(k)].high[j] >> nib) & 1)
                            m_hi[j][lane + nib] |= uchar(1 << k);
                    }
                }
            }
        }
        usable = true;
    }

    // More runs would share the buckets too much to be worth it.
    static constexpr size_t MaxRuns = 16;

private:
    // Each bucket accepts, at each of the two places, the bytes whose low
    // and high nibbles it holds: runs sharing a bucket accept mixes of their
    // bytes too.
    struct Nibbles
    {
        quint16 low[2] = {0, 0};
        quint16 high[2] = {0, 0};
    };
    struct Plan
    {
        int gap = 0;
        quint64 cost = 0; // places the sample would have compared
        std::array<Nibbles, 8> buckets{};
        std::vector<int> bucketOf;
        std::vector<int> offsetOf;
    };

    // Each run goes, at its place, into the bucket where what the bucket
    // then accepts is rarest in the sample.
    Plan plan(const std::vector<std::vector<unsigned char>> &runs, int gap,
              const std::vector<quint32> &counts) const
    {
        Plan out;
        out.gap = gap;
        // The nibbles of the bytes folding to each folded byte.
        std::array<quint16, 256> lowOf{};
        std::array<quint16, 256> highOf{};
        for (int x = 0; x < 256; ++x) {
            lowOf[m_fold[size_t(x)]] |= quint16(1u << (x & 15));
            highOf[m_fold[size_t(x)]] |= quint16(1u << (x >> 4));
        }
        auto withRun = [&](Nibbles n, const std::vector<unsigned char> &bytes, int offset) {
            for (int j = 0; j < 2; ++j) {
                const unsigned char want = bytes[size_t(offset + (j ? gap : 0))];
                n.low[j] |= lowOf[want];
                n.high[j] |= highOf[want];
            }
            return n;
        };
        // The bytes a bucket accepts at one place: every low nibble with
        // every high one.
        auto bytesOf = [](quint16 low, quint16 high, std::array<int, 256> &out) {
            int count = 0;
            for (unsigned h = high; h; h &= h - 1) {
                for (unsigned l = low; l; l &= l - 1)
                    out[size_t(count++)] = __builtin_ctz(h) << 4 | __builtin_ctz(l);
            }
            return count;
        };
        auto accepted = [&](const Nibbles &n) {
            std::array<int, 256> first{};
            std::array<int, 256> second{};
            const int firsts = bytesOf(n.low[0], n.high[0], first);
            const int seconds = bytesOf(n.low[1], n.high[1], second);
            quint64 total = 0;
            for (int i = 0; i < firsts; ++i) {
                const size_t row = size_t(first[size_t(i)]) << 8;
                for (int k = 0; k < seconds; ++k)
                    total += counts[row | size_t(second[size_t(k)])];
            }
            return total;
        };
        std::array<quint64, 8> cost{};
        for (const std::vector<unsigned char> &bytes : runs) {
            quint64 best = ~quint64(0);
            int offset = 0;
            int bucket = 0;
            for (int o = 0; o + gap < int(bytes.size()); ++o) {
                for (int k = 0; k < 8; ++k) {
                    const quint64 added =
                        accepted(withRun(out.buckets[size_t(k)], bytes, o)) - cost[size_t(k)];
                    if (added < best) {
                        best = added;
                        offset = o;
                        bucket = k;
                    }
                    if (out.buckets[size_t(k)].low[0] == 0)
                        break; // the empty buckets are all alike
                }
            }
            out.buckets[size_t(bucket)] = withRun(out.buckets[size_t(bucket)], bytes, offset);
            cost[size_t(bucket)] = accepted(out.buckets[size_t(bucket)]);
            out.bucketOf.push_back(bucket);
            out.offsetOf.push_back(offset);
        }
        for (quint64 c : cost)
            out.cost += c;
        return out;
    }

public:
    // The start of the first run standing whole at or after p (none starts
    // before p), or nullptr.
    const char *findLine(const char *p, const char *end) const
    {
        const char *const begin = p;
        if (const char *at = findWide(p, begin, end))
            return at;
        // The last few bytes, one at a time.
        for (; end - p > m_gap; ++p) {
            const auto a = uchar(p[0]);
            const auto b = uchar(p[m_gap]);
            const unsigned buckets =
                m_lo[0][a & 15] & m_hi[0][a >> 4] & m_lo[1][b & 15] & m_hi[1][b >> 4];
            if (buckets) {
                if (const char *at = verify(buckets, p, begin, end))
                    return at;
            }
        }
        return nullptr;
    }

private:
    struct Run
    {
        std::vector<unsigned char> bytes; // folded
        int offset = 0;                   // of the first looked-for byte in the run
        unsigned char first = 0;          // the two looked-for bytes
        unsigned char second = 0;
    };

    // A run of the buckets whose bytes stand around `at`, or nullptr.
    const char *verify(unsigned buckets, const char *at, const char *begin, const char *end) const
    {
        for (; buckets; buckets &= buckets - 1) {
            for (int r : m_bucketRuns[__builtin_ctz(buckets)]) {
                const Run &run = m_runs[size_t(r)];
                // The nibbles of other runs of the bucket mix: the two
                // bytes themselves first.
                if (m_fold[uchar(at[0])] != run.first || m_fold[uchar(at[m_gap])] != run.second)
                    continue;
                const char *start = at - run.offset;
                const auto n = qsizetype(run.bytes.size());
                if (start < begin || end - start < n)
                    continue;
                qsizetype k = 0;
                while (k < n && m_fold[uchar(start[k])] == run.bytes[size_t(k)])
                    ++k;
                if (k == n)
                    return start;
            }
        }
        return nullptr;
    }

    // Leaves p where fewer than a whole step is left.
    __attribute__((target("avx2"))) const char *findWide(const char *&p, const char *begin,
                                                         const char *end) const
    {
        const __m256i nibble = _mm256_set1_epi8(0x0F);
        const __m256i zero = _mm256_setzero_si256();
        const __m256i lo0 = _mm256_load_si256(reinterpret_cast<const __m256i *>(m_lo[0]));
        const __m256i hi0 = _mm256_load_si256(reinterpret_cast<const __m256i *>(m_hi[0]));
        const __m256i lo1 = _mm256_load_si256(reinterpret_cast<const __m256i *>(m_lo[1]));
        const __m256i hi1 = _mm256_load_si256(reinterpret_cast<const __m256i *>(m_hi[1]));
        const int gap = m_gap;
        alignas(32) unsigned char buckets[32];
        while (end - p >= 32 + gap) {
            const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p));
            const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p + gap));
            const __m256i res = _mm256_and_si256(
                _mm256_and_si256(
                    _mm256_shuffle_epi8(lo0, _mm256_and_si256(a, nibble)),
                    _mm256_shuffle_epi8(hi0, _mm256_and_si256(_mm256_srli_epi16(a, 4), nibble))),
                _mm256_and_si256(
                    _mm256_shuffle_epi8(lo1, _mm256_and_si256(b, nibble)),
                    _mm256_shuffle_epi8(hi1, _mm256_and_si256(_mm256_srli_epi16(b, 4), nibble))));
            auto mask = ~unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(res, zero)));
            if (mask) {
                _mm256_store_si256(reinterpret_cast<__m256i *>(buckets), res);
                for (; mask; mask &= mask - 1) {
                    const int i = __builtin_ctz(mask);
                    if (const char *at = verify(buckets[i], p + i, begin, end))
                        return at;
                }
            }
            p += 32;
        }
        return nullptr;
    }

    int m_gap = 0;
    alignas(32) unsigned char m_lo[2][32]{};
    alignas(32) unsigned char m_hi[2][32]{};
    std::vector<int> m_bucketRuns[8];
    std::vector<Run> m_runs;
    std::array<unsigned char, 256> m_fold{};
};

} // namespace

// The automaton over byte classes: every byte maps to the class of its
// folded form (0 for bytes no run holds, Separator for "," CR and LF).
// A state is handed around encoded: a dense state s as s * classes (its
// row's offset), a sparse one as denseLimit + (s - dense); OutBit marks a
// state where a run, or a run ending in it, ends.
struct CheckMatcher::Automaton
{
    static constexpr quint32 OutBit = 0x80000000u;
    static constexpr unsigned char Separator = 1;

    std::array<unsigned char, 256> classOf{};
    quint32 classes = 2;
    quint32 dense = 1;      // states below this have rows
    quint32 denseLimit = 0; // dense * classes
    std::vector<quint32> rows;

    std::vector<quint32> fail;       // by state
    std::vector<quint32> childStart; // by state, and one more
    std::vector<unsigned char> childClass;
    std::vector<quint32> childTarget; // encoded
    std::vector<qint32> dictionary;   // the nearest shorter state with runs of its own, or -1
    std::vector<quint32> outStart;    // by state, and one more
    std::vector<int> outPattern;
    std::vector<quint32> stateStamp;

    std::vector<int> alwaysTest; // patterns without a run to look for
    std::vector<char> sure;      // by pattern: finding its run is the whole test
    bool anything = false;       // some pattern may match a line
#if defined(__x86_64__) || defined(__i386__)
    PrefilterRuns filter; // usable when only a few runs decide
    std::vector<std::vector<unsigned char>> filterRuns;
    QByteArray sample; // slices of the pieces seen, to plan the filter again from
    int pieces = 0;
#endif

    quint32 encode(quint32 s) const
    {
        const quint32 e = s < dense ? s * classes : denseLimit + (s - dense);
        return outStart[s + 1] > outStart[s] || dictionary[s] >= 0 ? e | OutBit : e;
    }
    quint32 decode(quint32 e) const
    {
        return e < denseLimit ? e / classes : e - denseLimit + dense;
    }

    // The encoded state after class c from encoded state e.
    quint32 step(quint32 e, unsigned char c) const
    {
        if (e < denseLimit)
            return rows[e + c];
        quint32 s = e - denseLimit + dense;
        while (s >= dense) {
            for (quint32 k = childStart[s]; k < childStart[s + 1]; ++k) {
                if (childClass[k] == c)
                    return childTarget[k];
            }
            s = fail[s];
        }
        return rows[size_t(s) * classes + c];
    }

    void build(const std::vector<std::pair<std::vector<unsigned char>, int>> &runs,
               const std::array<unsigned char, 256> &fold);
};

void CheckMatcher::Automaton::build(
    const std::vector<std::pair<std::vector<unsigned char>, int>> &runs,
    const std::array<unsigned char, 256> &fold)
{
    // Classes: one per folded byte some run holds.
    std::array<int, 256> classOfFolded{};
    classOfFolded.fill(0);
    for (const auto &[bytes, pattern] : runs) {
        for (unsigned char b : bytes) {
            if (classOfFolded[b] == 0)
                classOfFolded[b] = int(classes++);
        }
    }
    for (int b = 0; b < 256; ++b)
        classOf[size_t(b)] = uchar(classOfFolded[fold[size_t(b)]]);
    classOf[uchar(',')] = Separator;
    classOf[uchar('\r')] = Separator;
    classOf[uchar('\n')] = Separator;

    // The trie, runs inserted in sorted order so that the child to follow is
    // always the last one made.
    std::vector<size_t> order(runs.size());
    std::iota(order.begin(), order.end(), size_t(0));
    auto classesOf = [&](size_t i) {
        std::vector<unsigned char> c;
        c.reserve(runs[i].first.size());
        for (unsigned char b : runs[i].first)
            c.push_back(uchar(classOfFolded[b]));
        return c;
    };
    std::vector<std::vector<unsigned char>> keyed(runs.size());
    for (size_t i = 0; i < runs.size(); ++i)
        keyed[i] = classesOf(i);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const std::vector<unsigned char> &x = keyed[a];
        const std::vector<unsigned char> &y = keyed[b];
        for (size_t k = 0; k < x.size() && k < y.size(); ++k) {
            if (x[k] != y[k])
                return x[k] < y[k];
        }
        return x.size() < y.size();
    });

    std::vector<quint32> firstChild{0}, nextSibling{0}, lastChild{0};
    std::vector<unsigned char> nodeClass{0};
    std::vector<std::pair<quint32, int>> ends; // (node, pattern)
    std::array<quint32, 256> rootChild{};
    for (size_t i : order) {
        quint32 node = 0;
        for (unsigned char c : keyed[i]) {
            const quint32 last = lastChild[node];
            if (last != 0 && nodeClass[last] == c) {
                node = last;
                continue;
            }
            const auto made = quint32(nodeClass.size());
            nodeClass.push_back(c);
            firstChild.push_back(0);
            nextSibling.push_back(0);
            lastChild.push_back(0);
            if (last == 0)
                firstChild[node] = made;
            else
                nextSibling[last] = made;
            lastChild[node] = made;
            if (node == 0)
                rootChild[c] = made;
            node = made;
        }
        ends.emplace_back(node, runs[i].second);
    }
    const auto states = quint32(nodeClass.size());

    // Breadth-first numbering: a state's failure target comes before it.
    std::vector<quint32> byOrder{0};
    byOrder.reserve(states);
    std::vector<quint32> number(states, 0);
    for (size_t k = 0; k < byOrder.size(); ++k) {
        for (quint32 c = firstChild[byOrder[k]]; c != 0; c = nextSibling[c]) {
            number[c] = quint32(byOrder.size());
            byOrder.push_back(c);
        }
    }
    auto childOf = [&](quint32 node, unsigned char c) -> quint32 {
        if (node == 0)
            return rootChild[c];
        for (quint32 k = firstChild[node]; k != 0; k = nextSibling[k]) {
            if (nodeClass[k] == c)
                return k;
        }
        return 0;
    };
    std::vector<quint32> oldFail(states, 0);
    for (quint32 node : byOrder) {
        for (quint32 child = firstChild[node]; child != 0; child = nextSibling[child]) {
            if (node == 0)
                continue; // a child of the root fails to the root
            quint32 f = oldFail[node];
            for (;;) {
                if (const quint32 t = childOf(f, nodeClass[child])) {
                    oldFail[child] = t;
                    break;
                }
                if (f == 0)
                    break;
                f = oldFail[f];
            }
        }
    }

    // The tables by the new numbers.
    fail.assign(states, 0);
    for (quint32 s = 0; s < states; ++s)
        fail[number[s]] = number[oldFail[s]];
    std::sort(ends.begin(), ends.end(), [&](const auto &a, const auto &b) {
        return number[a.first] != number[b.first] ? number[a.first] < number[b.first]
                                                  : a.second < b.second;
    });
    outStart.assign(size_t(states) + 1, 0);
    outPattern.clear();
    for (const auto &[node, pattern] : ends) {
        ++outStart[number[node] + 1];
        outPattern.push_back(pattern);
    }
    for (quint32 s = 0; s < states; ++s)
        outStart[s + 1] += outStart[s];
    dictionary.assign(states, -1);
    for (quint32 s = 1; s < states; ++s) {
        const quint32 f = fail[s];
        dictionary[s] = outStart[f + 1] > outStart[f] ? qint32(f) : dictionary[f];
    }
    childStart.assign(size_t(states) + 1, 0);
    for (quint32 s = 0; s < states; ++s) {
        quint32 count = 0;
        for (quint32 c = firstChild[byOrder[s]]; c != 0; c = nextSibling[c])
            ++count;
        childStart[s + 1] = childStart[s] + count;
    }
    dense = quint32(std::clamp<size_t>(DenseRowBudget / (sizeof(quint32) * classes), 1, states));
    denseLimit = dense * classes;
    childClass.resize(childStart[states]);
    childTarget.resize(childStart[states]);
    for (quint32 s = 0; s < states; ++s) {
        quint32 k = childStart[s];
        for (quint32 c = firstChild[byOrder[s]]; c != 0; c = nextSibling[c], ++k)
            childClass[k] = nodeClass[c];
    }
    // Targets are encoded, which needs dense and the outputs: a second round.
    for (quint32 s = 0; s < states; ++s) {
        quint32 k = childStart[s];
        for (quint32 c = firstChild[byOrder[s]]; c != 0; c = nextSibling[c], ++k)
            childTarget[k] = encode(number[c]);
    }
    rows.assign(size_t(denseLimit), 0);
    for (quint32 s = 0; s < dense; ++s) {
        quint32 *row = rows.data() + size_t(s) * classes;
        if (s != 0)
            std::copy_n(rows.data() + size_t(fail[s]) * classes, classes, row);
        for (quint32 k = childStart[s]; k < childStart[s + 1]; ++k)
            row[childClass[k]] = childTarget[k];
        row[0] = s == 0 ? 0 : rows[size_t(fail[s]) * classes];
        row[Separator] = 0;
    }
    stateStamp.assign(states, 0);
}

// ---- the matcher -----------------------------------------------------------------

CheckMatcher::CheckMatcher(const QStringList &patterns)
{
    for (int b = 0; b < 256; ++b)
        m_fold[size_t(b)] = cp1252::foldByte(uchar(b));
    m_patterns.resize(size_t(patterns.size()));
    for (qsizetype i = 0; i < patterns.size(); ++i) {
        PatternInfo &info = m_patterns[size_t(i)];
        info.text = patterns[i];
        info.everything = WildcardPattern(patterns[i]).matchesEverything();
        if (info.everything)
            m_everyLine.push_back(int(i));
    }
    m_patternStamp.assign(m_patterns.size(), 0);
}

CheckMatcher::~CheckMatcher() = default;

const WildcardPattern &CheckMatcher::compiled(int pattern)
{
    PatternInfo &info = m_patterns[size_t(pattern)];
    if (!info.compiled)
        info.compiled = std::make_unique<WildcardPattern>(info.text);
    return *info.compiled;
}

void CheckMatcher::prepare(ListEncoding encoding, QByteArrayView sample)
{
    m_preparedFor = encoding;
    m_automaton = std::make_unique<Automaton>();
    Automaton &a = *m_automaton;
    a.sure.assign(m_patterns.size(), 0);
    std::vector<std::pair<std::vector<unsigned char>, int>> runs;
    for (size_t i = 0; i < m_patterns.size(); ++i) {
        PatternInfo &info = m_patterns[i];
        if (info.everything)
            continue;
        // Built for its run only; kept when the pattern is tested on every line.
        WildcardPattern pattern(info.text);
        if (pattern.needsComma())
            continue; // a path taken before the first "," holds none
        const std::u32string run = scannableRun(pattern.plainRun(), encoding);
        std::vector<unsigned char> bytes;
        bool possible = true;
        bool byBytes = !run.empty();
        for (char32_t c : run) {
            const QByteArray folding = cp1252::bytesFolding(c);
            if (folding.isEmpty()) {
                possible = false; // the code page cannot hold this character
                break;
            }
            const unsigned char folded = m_fold[uchar(folding[0])];
            for (char b : folding)
                byBytes = byBytes && m_fold[uchar(b)] == folded;
            bytes.push_back(folded);
        }
        if (!possible)
            continue;
        if (!byBytes) {
            a.alwaysTest.push_back(int(i));
            if (!info.compiled)
                info.compiled = std::make_unique<WildcardPattern>(std::move(pattern));
            continue;
        }
        a.sure[i] = pattern.isPlainContains() && run == pattern.plainRun();
        runs.emplace_back(std::move(bytes), int(i));
    }
    a.build(runs, m_fold);
    a.anything = !runs.empty() || !a.alwaysTest.empty() || !m_everyLine.empty();
#if defined(__x86_64__) || defined(__i386__)
    if (a.alwaysTest.empty() && m_everyLine.empty() && runs.size() <= PrefilterRuns::MaxRuns) {
        a.filterRuns.reserve(runs.size());
        for (const auto &run : runs)
            a.filterRuns.push_back(run.first);
        a.filter.build(a.filterRuns, m_fold, ListSample{sample, &m_fold});
    }
#endif
}

bool CheckMatcher::fullMatch(int pattern, QByteArrayView line, QByteArrayView field, bool comma,
                             ListEncoding encoding)
{
    const WildcardPattern &p = compiled(pattern);
    if (encoding == ListEncoding::Windows1252 || isAsciiBytes(field)) {
        if (comma)
            return p.matchesBytes(field);
        // A line without "," is taken whole, with its CR LF.
        if (m_scratch.isEmpty()) {
            m_scratch = line.toByteArray();
            m_scratch.append("\r\n");
        }
        return p.matchesBytes(m_scratch);
    }
    if (!m_decodedValid) {
        m_decoded = decodeListText(field, encoding).toLower();
        if (!comma)
            m_decoded += u"\r\n"_s;
        m_decodedValid = true;
    }
    return p.matches(m_decoded);
}

// One line from lineStart: its path run through the automaton, the
// candidates tested, found called when a pattern matches. The start of the
// next line; nullptr when found ended the pass.
const char *CheckMatcher::processLine(const char *lineStart, const char *end, ListEncoding encoding,
                                      const Found &found)
{
    Automaton &a = *m_automaton;
    if (++m_stamp == 0) {
        std::fill(m_patternStamp.begin(), m_patternStamp.end(), 0);
        std::fill(a.stateStamp.begin(), a.stateStamp.end(), 0);
        m_stamp = 1;
    }
    m_candidates.clear();
    const std::array<unsigned char, 256> &classOf = a.classOf;
    const quint32 *const rows = a.rows.data();
    const quint32 denseLimit = a.denseLimit;
    quint32 state = 0;
    const char *p = lineStart;
    for (; p < end; ++p) {
        const unsigned char c = classOf[uchar(*p)];
        if (c == Automaton::Separator)
            break;
        const quint32 next = state < denseLimit ? rows[state + c] : a.step(state, c);
        state = next & ~Automaton::OutBit;
        if (next & Automaton::OutBit) [[unlikely]] {
            // Every run ending here: the state's own and its dictionary's.
            for (qint32 s = qint32(a.decode(state)); s >= 0; s = a.dictionary[size_t(s)]) {
                if (a.stateStamp[size_t(s)] == m_stamp)
                    break;
                a.stateStamp[size_t(s)] = m_stamp;
                for (quint32 k = a.outStart[size_t(s)]; k < a.outStart[size_t(s) + 1]; ++k) {
                    const int pattern = a.outPattern[k];
                    if (m_patternStamp[size_t(pattern)] != m_stamp) {
                        m_patternStamp[size_t(pattern)] = m_stamp;
                        m_candidates.push_back(pattern);
                    }
                }
            }
        }
    }
    const bool comma = p < end && *p == ',';
    const char *const fieldEnd = p;
    const char *const lineEnd = comma ? findLineEnd(p + 1, end) : p;
    const char *const next = afterLineEnd(lineEnd, end);
    if (m_candidates.empty() && a.alwaysTest.empty() && m_everyLine.empty())
        return next;

    const QByteArrayView line(lineStart, lineEnd - lineStart);
    const QByteArrayView field(lineStart, fieldEnd - lineStart);
    m_scratch.clear();
    m_decodedValid = false;
    m_hits.assign(m_everyLine.begin(), m_everyLine.end());
    for (int pattern : m_candidates) {
        if (a.sure[size_t(pattern)] || fullMatch(pattern, line, field, comma, encoding))
            m_hits.push_back(pattern);
    }
    for (int pattern : a.alwaysTest) {
        if (fullMatch(pattern, line, field, comma, encoding))
            m_hits.push_back(pattern);
    }
    if (m_hits.empty())
        return next;
    std::sort(m_hits.begin(), m_hits.end());
    return found(line, m_hits) ? next : nullptr;
}

bool CheckMatcher::scan(QByteArrayView piece, ListEncoding encoding, const Found &found)
{
    if (m_patterns.empty())
        return true;
    if (!m_automaton || m_preparedFor != encoding)
        prepare(encoding, piece);
    if (!m_automaton->anything)
        return true; // no pattern can match in this encoding
    const char *p = piece.data();
    const char *const end = p + piece.size();
#if defined(__x86_64__) || defined(__i386__)
    if (m_automaton->filter.usable) {
        // The first piece may be unlike the rest of the list (a folder of
        // photos first): the places to look for are planned again from
        // slices of the pieces seen so far.
        Automaton &a = *m_automaton;
        constexpr qsizetype Slice = 4 << 10;
        constexpr int LastPlan = 128;
        if (a.pieces < LastPlan)
            a.sample.append(piece.first(std::min(piece.size(), Slice)));
        ++a.pieces;
        if (a.pieces == 16 || a.pieces == LastPlan)
            a.filter.build(a.filterRuns, m_fold, ListSample{a.sample, &m_fold});
        if (a.pieces == LastPlan)
            a.sample = QByteArray();
        // Only lines where a run's fingerprint stands, and the run itself,
        // are worth the automaton.
        const PrefilterRuns &filter = a.filter;
        while (p < end) {
            const char *at = filter.findLine(p, end);
            if (!at)
                return true;
            // The line's start: after the last LF before the hit, or a lone
            // CR after that.
            const char *lineStart = p;
            if (at > p) {
                if (const auto *lf = static_cast<const char *>(::memrchr(p, '\n', size_t(at - p))))
                    lineStart = lf + 1;
                if (at > lineStart) {
                    if (const auto *cr = static_cast<const char *>(
                            ::memrchr(lineStart, '\r', size_t(at - lineStart))))
                        lineStart = cr + 1;
                }
            }
            p = processLine(lineStart, end, encoding, found);
            if (!p)
                return false;
        }
        return true;
    }
#endif
    while (p < end) {
        p = processLine(p, end, encoding, found);
        if (!p)
            return false;
    }
    return true;
}

} // namespace corvane
