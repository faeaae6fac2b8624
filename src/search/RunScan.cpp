#include "RunScan.h"

#include "listfile/ByteScan.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

const std::array<unsigned char, 256> &foldTable()
{
    static const std::array<unsigned char, 256> fold = [] {
        std::array<unsigned char, 256> f{};
        for (int b = 0; b < 256; ++b)
            f[size_t(b)] = cp1252::foldByte(uchar(b));
        return f;
    }();
    return fold;
}

// ---- vector steps ------------------------------------------------------------

// One step of the scan at one vector width: the mask of the Width starts at
// a whose byte is one of first and whose byte length - 1 on (at b) is one of
// last. Nothing of a vector type crosses a call.
#ifdef __SSE2__
struct Sse2Lanes
{
    static constexpr int Width = 16;
    static unsigned hits(const char *a, const char *b, const std::array<unsigned char, 2> &first,
                         const std::array<unsigned char, 2> &last)
    {
        const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i *>(a));
        const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b));
        const __m128i hit =
            _mm_and_si128(_mm_or_si128(_mm_cmpeq_epi8(va, _mm_set1_epi8(char(first[0]))),
                                       _mm_cmpeq_epi8(va, _mm_set1_epi8(char(first[1])))),
                          _mm_or_si128(_mm_cmpeq_epi8(vb, _mm_set1_epi8(char(last[0]))),
                                       _mm_cmpeq_epi8(vb, _mm_set1_epi8(char(last[1])))));
        return unsigned(_mm_movemask_epi8(hit));
    }
};
#endif

#if defined(__x86_64__) || defined(__i386__)
struct Avx2Lanes
{
    static constexpr int Width = 32;
    __attribute__((target("avx2"))) static unsigned hits(const char *a, const char *b,
                                                         const std::array<unsigned char, 2> &first,
                                                         const std::array<unsigned char, 2> &last)
    {
        const __m256i va = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(a));
        const __m256i vb = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(b));
        const __m256i hit = _mm256_and_si256(
            _mm256_or_si256(_mm256_cmpeq_epi8(va, _mm256_set1_epi8(char(first[0]))),
                            _mm256_cmpeq_epi8(va, _mm256_set1_epi8(char(first[1])))),
            _mm256_or_si256(_mm256_cmpeq_epi8(vb, _mm256_set1_epi8(char(last[0]))),
                            _mm256_cmpeq_epi8(vb, _mm256_set1_epi8(char(last[1])))));
        return unsigned(_mm256_movemask_epi8(hit));
    }
};
#endif

bool verify(const RunScanner &scanner, const char *at)
{
    const std::array<unsigned char, 256> &fold = foldTable();
    const auto *p = reinterpret_cast<const unsigned char *>(at);
    const size_t n = scanner.folded.size();
    for (size_t k = 0; k < n; ++k) {
        if (fold[p[k]] != scanner.folded[k])
            return false;
    }
    return true;
}

// Where the scanner's first and last characters stand one run length
// apart, at Lanes::Width starts a step; verified there. Leaves p where
// fewer than Lanes::Width starts are left.
template<typename Lanes>
const char *findWide(const RunScanner &scanner, const char *&from, const char *lastStart)
{
    const qsizetype length = qsizetype(scanner.folded.size());
    // Copies the compiler may keep in registers over the whole loop.
    const std::array<unsigned char, 2> first = scanner.first;
    const std::array<unsigned char, 2> last = scanner.last;
    const char *p = from;
    const char *found = nullptr;
    while (!found && lastStart - p >= Lanes::Width - 1) {
        for (unsigned mask = Lanes::hits(p, p + length - 1, first, last); mask; mask &= mask - 1) {
            const char *at = p + __builtin_ctz(mask);
            if (verify(scanner, at)) {
                found = at;
                break;
            }
        }
        if (!found)
            p += Lanes::Width;
    }
    from = p;
    return found;
}

#if defined(__x86_64__) || defined(__i386__)
// The 32-byte scan, on processors that have AVX2 (every call inlined so
// that the vector steps take its instructions).
__attribute__((target("avx2"), flatten)) const char *findAvx2(const RunScanner &scanner,
                                                              const char *&p, const char *lastStart)
{
    return findWide<Avx2Lanes>(scanner, p, lastStart);
}
#endif

const char *findByte(const char *p, const char *end, char c)
{
    return p < end ? static_cast<const char *>(std::memchr(p, c, size_t(end - p))) : nullptr;
}

} // namespace

const char *RunScanner::find(const char *p, const char *end) const
{
    const qsizetype length = qsizetype(folded.size());
    if (end - p < length)
        return end;
    const char *const lastStart = end - length;
#if defined(__x86_64__) || defined(__i386__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2) {
        if (const char *at = findAvx2(*this, p, lastStart))
            return at;
    }
#endif
#ifdef __SSE2__
    if (const char *at = findWide<Sse2Lanes>(*this, p, lastStart))
        return at;
#endif
    for (; p <= lastStart; ++p) {
        const auto c = uchar(*p);
        if ((c == first[0] || c == first[1]) && verify(*this, p))
            return p;
    }
    return end;
}

std::u32string scannableRun(const std::u32string &run, ListEncoding encoding)
{
    if (encoding != ListEncoding::Utf8)
        return run;
    std::u32string best, current;
    for (char32_t c : run) {
        if (c < 128 && !hasForeignLowerCase(c)) {
            current.push_back(c);
            continue;
        }
        if (current.size() > best.size())
            best = current;
        current.clear();
    }
    return current.size() > best.size() ? current : best;
}

bool runScannersFor(const std::vector<const WildcardPattern *> &patterns, ListEncoding encoding,
                    std::vector<RunScanner> *scanners)
{
    scanners->clear();
    const std::array<unsigned char, 256> &fold = foldTable();
    for (const WildcardPattern *pattern : patterns) {
        const std::u32string run = scannableRun(pattern->plainRun(), encoding);
        if (run.empty())
            return false;
        RunScanner scanner;
        scanner.whole = pattern->isPlainContains() && run == pattern->plainRun();
        bool possible = true;
        for (size_t k = 0; k < run.size(); ++k) {
            const QByteArray bytes = cp1252::bytesFolding(run[k]);
            if (bytes.isEmpty()) {
                possible = false; // the code page cannot hold this character
                break;
            }
            if (bytes.size() > 2)
                return false;
            scanner.folded.push_back(fold[uchar(bytes[0])]);
            const std::array<unsigned char, 2> pair{uchar(bytes[0]), uchar(bytes.back())};
            if (k == 0)
                scanner.first = pair;
            if (k + 1 == run.size())
                scanner.last = pair;
        }
        if (possible)
            scanners->push_back(std::move(scanner));
    }
    return true;
}

bool CandidateLines::scan(QByteArrayView piece, const std::function<bool(QByteArrayView, bool)> &f)
{
    const size_t count = m_scanners.size();
    if (count == 0)
        return true; // no pattern can match in this code page
    const char *const base = piece.data();
    const char *const end = base + piece.size();
    m_next.assign(count, nullptr);
    const char *pos = base;
    for (;;) {
        const char *best = end;
        for (size_t k = 0; k < count; ++k) {
            if (!m_next[k] || m_next[k] < pos)
                m_next[k] = m_scanners[k].find(pos, end);
            best = std::min(best, m_next[k]);
        }
        if (best >= end)
            return true;
        // The line's start: after the last LF before the hit, or a lone CR
        // after that.
        const char *lineStart = pos;
        if (best > pos) {
            if (const auto *lf =
                    static_cast<const char *>(::memrchr(pos, '\n', size_t(best - pos))))
                lineStart = lf + 1;
            if (best > lineStart) {
                if (const auto *cr = static_cast<const char *>(
                        ::memrchr(lineStart, '\r', size_t(best - lineStart))))
                    lineStart = cr + 1;
            }
        }
        const char *lineEnd = findLineEnd(best, end);
        const char *comma = findByte(lineStart, lineEnd, ',');
        const char *fieldEnd = comma ? comma : lineEnd;
        // Only a run inside the path makes the line worth a full test.
        bool candidate = false;
        bool sure = false;
        for (size_t k = 0; k < count && !sure; ++k) {
            if (m_next[k] < fieldEnd) {
                candidate = true;
                sure = m_scanners[k].whole;
            }
        }
        if (candidate && !f(QByteArrayView(lineStart, lineEnd - lineStart), sure))
            return false;
        pos = afterLineEnd(lineEnd, end);
    }
}

ListSubject::ListSubject(QByteArrayView bytes, ListEncoding encoding)
    : m_bytes(bytes)
    , m_encoding(encoding)
    , m_byBytes(encoding == ListEncoding::Windows1252 || isAsciiBytes(bytes))
{}

bool ListSubject::matches(const WildcardPattern &pattern)
{
    if (m_byBytes)
        return pattern.matchesBytes(m_bytes);
    if (!m_decoded) {
        m_text = decodeListText(m_bytes, m_encoding).toLower();
        m_decoded = true;
    }
    return pattern.matches(m_text);
}

QByteArrayView termPathOf(QByteArrayView line, QByteArray &scratch)
{
    const char *comma = findByte(line.data(), line.data() + line.size(), ',');
    if (comma)
        return line.first(comma - line.data());
    // A line without "," is taken whole, with its CR LF.
    scratch.resize(0);
    scratch.append(line.data(), line.size());
    scratch.append("\r\n");
    return scratch;
}

} // namespace corvane
