#include "ListSearch.h"

#include "WildcardPattern.h"
#include "listfile/ByteScan.h"
#include "listfile/ListDate.h"
#include "listfile/ListLine.h"
#include "listfile/ListReader.h"
#include "listfile/SaveTarget.h"

#include <QElapsedTimer>
#include <QHash>

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

// Calls f(line) for every line of a piece of whole lines; f returns false
// to stop. False when stopped.
template<typename F> bool forEachLine(QByteArrayView piece, F &&f)
{
    const char *p = piece.data();
    const char *const end = p + piece.size();
    while (p < end) {
        const char *lineEnd = findLineEnd(p, end);
        if (!f(QByteArrayView(p, lineEnd - p)))
            return false;
        p = afterLineEnd(lineEnd, end);
    }
    return true;
}

const char *findByte(const char *p, const char *end, char c)
{
    return p < end ? static_cast<const char *>(std::memchr(p, c, size_t(end - p))) : nullptr;
}

// ---- vector steps ------------------------------------------------------------

// One step of the term scan at one vector width: the mask of the Width
// starts at a whose byte is one of first and whose byte length - 1 on (at
// b) is one of last. Nothing of a vector type crosses a call.
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

// ---- term search -------------------------------------------------------------

class TermCriterion final : public LineCriterion
{
public:
    explicit TermCriterion(const QString &term)
    {
        std::array<unsigned char, 256> fold{};
        for (int b = 0; b < 256; ++b)
            fold[size_t(b)] = cp1252::foldByte(uchar(b));
        m_fold = fold;
        for (const QString &text : searchPatterns(term)) {
            WildcardPattern pattern(text);
            if (pattern.needsComma())
                continue; // a path taken before the first "," holds none
            if (pattern.matchesEverything())
                m_everything = true;
            m_patterns.push_back(std::move(pattern));
        }
    }

    bool scan(QByteArrayView piece, ListEncoding encoding,
              const std::function<bool(QByteArrayView)> &emit) override
    {
        if (m_everything)
            return forEachLine(piece, emit);
        if (m_patterns.empty())
            return true;
        if (!m_prepared || m_preparedFor != encoding)
            prepare(encoding);
        if (m_lineByLine) {
            return forEachLine(piece, [&](QByteArrayView line) {
                return !lineMatches(line, encoding) || emit(line);
            });
        }
        return scanForRuns(piece, encoding, emit);
    }

private:
    // What a scan for a pattern's plainest run looks for.
    struct Scanner
    {
        std::array<unsigned char, 2> first{}; // the first character's bytes
        std::array<unsigned char, 2> last{};  // the last character's bytes
        std::vector<unsigned char> folded;    // the run, folded
        bool whole = false;                   // finding the run in the path is the whole test
    };

    bool lineMatches(QByteArrayView line, ListEncoding encoding)
    {
        const char *comma = findByte(line.data(), line.data() + line.size(), ',');
        const QByteArrayView field = comma ? line.first(comma - line.data()) : line;
        if (encoding == ListEncoding::Windows1252 || isAsciiBytes(field)) {
            QByteArrayView subject = field;
            if (!comma) {
                // A line without "," is taken whole, with its CR LF.
                m_scratch = line.toByteArray();
                m_scratch.append("\r\n");
                subject = m_scratch;
            }
            for (const WildcardPattern &pattern : m_patterns) {
                if (pattern.matchesBytes(subject))
                    return true;
            }
            return false;
        }
        QString subject = decodeListText(field, encoding).toLower();
        if (!comma)
            subject += u"\r\n"_s;
        for (const WildcardPattern &pattern : m_patterns) {
            if (pattern.matches(subject))
                return true;
        }
        return false;
    }

    void prepare(ListEncoding encoding)
    {
        m_prepared = true;
        m_preparedFor = encoding;
        m_lineByLine = false;
        m_scanners.clear();
        for (const WildcardPattern &pattern : m_patterns) {
            std::u32string run = pattern.plainRun();
            if (encoding == ListEncoding::Utf8) {
                // In UTF-8 only ASCII bytes stand for themselves; and a
                // character that another one lower-cases to cannot be
                // looked for by its bytes alone.
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
                run = current.size() > best.size() ? current : best;
            }
            if (run.empty()) {
                m_lineByLine = true;
                return;
            }
            Scanner scanner;
            scanner.whole = pattern.isPlainContains() && run == pattern.plainRun();
            bool possible = true;
            for (size_t k = 0; k < run.size(); ++k) {
                const QByteArray bytes = cp1252::bytesFolding(run[k]);
                if (bytes.isEmpty()) {
                    possible = false; // the code page cannot hold this character
                    break;
                }
                if (bytes.size() > 2) {
                    m_lineByLine = true;
                    return;
                }
                scanner.folded.push_back(m_fold[uchar(bytes[0])]);
                const std::array<unsigned char, 2> pair{uchar(bytes[0]), uchar(bytes.back())};
                if (k == 0)
                    scanner.first = pair;
                if (k + 1 == run.size())
                    scanner.last = pair;
            }
            if (possible)
                m_scanners.push_back(std::move(scanner));
        }
    }

    bool verify(const Scanner &scanner, const char *at) const
    {
        const auto *p = reinterpret_cast<const unsigned char *>(at);
        const size_t n = scanner.folded.size();
        for (size_t k = 0; k < n; ++k) {
            if (m_fold[p[k]] != scanner.folded[k])
                return false;
        }
        return true;
    }

    // Where the scanner's first and last characters stand one run length
    // apart, at Lanes::Width starts a step; verified there. Leaves p where
    // fewer than Lanes::Width starts are left.
    template<typename Lanes>
    const char *findWide(const Scanner &scanner, const char *&from, const char *lastStart) const
    {
        const qsizetype length = qsizetype(scanner.folded.size());
        // Copies the compiler may keep in registers over the whole loop.
        const std::array<unsigned char, 2> first = scanner.first;
        const std::array<unsigned char, 2> last = scanner.last;
        const char *p = from;
        const char *found = nullptr;
        while (!found && lastStart - p >= Lanes::Width - 1) {
            for (unsigned mask = Lanes::hits(p, p + length - 1, first, last); mask;
                 mask &= mask - 1) {
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
    __attribute__((target("avx2"), flatten)) const char *
    findAvx2(const Scanner &scanner, const char *&p, const char *lastStart) const
    {
        return findWide<Avx2Lanes>(scanner, p, lastStart);
    }
#endif

    // The first place at or after p where the scanner's run stands, or end.
    const char *find(const Scanner &scanner, const char *p, const char *end) const
    {
        const qsizetype length = qsizetype(scanner.folded.size());
        if (end - p < length)
            return end;
        const char *const lastStart = end - length;
#if defined(__x86_64__) || defined(__i386__)
        static const bool avx2 = __builtin_cpu_supports("avx2");
        if (avx2) {
            if (const char *at = findAvx2(scanner, p, lastStart))
                return at;
        }
#endif
#ifdef __SSE2__
        if (const char *at = findWide<Sse2Lanes>(scanner, p, lastStart))
            return at;
#endif
        for (; p <= lastStart; ++p) {
            const auto c = uchar(*p);
            if ((c == scanner.first[0] || c == scanner.first[1]) && verify(scanner, p))
                return p;
        }
        return end;
    }

    bool scanForRuns(QByteArrayView piece, ListEncoding encoding,
                     const std::function<bool(QByteArrayView)> &emit)
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
                    m_next[k] = find(m_scanners[k], pos, end);
                best = std::min(best, m_next[k]);
            }
            if (best >= end)
                return true;
            // The line's start: after the last LF before the hit, or a lone
            // CR after that.
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
            const QByteArrayView line(lineStart, lineEnd - lineStart);
            if (candidate && (sure || lineMatches(line, encoding)) && !emit(line))
                return false;
            pos = afterLineEnd(lineEnd, end);
        }
    }

    std::vector<WildcardPattern> m_patterns;
    bool m_everything = false;
    bool m_prepared = false;
    ListEncoding m_preparedFor = ListEncoding::Windows1252;
    bool m_lineByLine = false;
    std::vector<Scanner> m_scanners;
    std::vector<const char *> m_next;
    std::array<unsigned char, 256> m_fold{};
    QByteArray m_scratch;
};

// ---- preset filter -------------------------------------------------------------

class StatusCriterion final : public LineCriterion
{
public:
    explicit StatusCriterion(const QString &status)
        : m_status(status)
        , m_ascii(status.toLatin1())
        , m_statusAscii(
              std::all_of(status.begin(), status.end(), [](QChar c) { return c.unicode() < 128; }))
    {}

    bool scan(QByteArrayView piece, ListEncoding encoding,
              const std::function<bool(QByteArrayView)> &emit) override
    {
        return forEachLine(piece, [&](QByteArrayView line) {
            const std::optional<QByteArrayView> status = statusOfFiveFields(line);
            if (!status)
                return true;
            const QByteArrayView field = *status;
            bool same;
            if (m_statusAscii)
                same = field == QByteArrayView(m_ascii);
            else
                same = !isAsciiBytes(field) && decodeListText(field, encoding) == m_status;
            return !same || emit(line);
        });
    }

private:
    QString m_status;
    QByteArray m_ascii;
    bool m_statusAscii;
};

// ---- date search ---------------------------------------------------------------

class DateCriterion final : public LineCriterion
{
public:
    DateCriterion(QDate from, QDate to, const QLocale &locale)
        : m_reader(locale), m_from(dayKey(from)), m_to(dayKey(to))
    {}

    bool scan(QByteArrayView piece, ListEncoding encoding,
              const std::function<bool(QByteArrayView)> &emit) override
    {
        return forEachLine(piece, [&](QByteArrayView line) {
            const char *end = line.data() + line.size();
            const char *c1 = findByte(line.data(), end, ',');
            if (!c1)
                return true; // no date field
            const char *c2 = findByte(c1 + 1, end, ',');
            const QByteArrayView field(c1 + 1, (c2 ? c2 : end) - c1 - 1);
            const qint64 value = m_reader.value(field, encoding);
            if (value == InvalidListDate)
                return true;
            const qint64 day = value / 1000000;
            return day < m_from || day > m_to || emit(line);
        });
    }

private:
    static qint64 dayKey(QDate date)
    {
        if (!date.isValid())
            return -1;
        return qint64(date.year()) * 10000 + date.month() * 100 + date.day();
    }

    ListDateReader m_reader;
    qint64 m_from;
    qint64 m_to;
};

} // namespace

std::unique_ptr<LineCriterion> termCriterion(const QString &term)
{
    return std::make_unique<TermCriterion>(term);
}

std::unique_ptr<LineCriterion> statusCriterion(const QString &status)
{
    return std::make_unique<StatusCriterion>(status);
}

std::unique_ptr<LineCriterion> dateCriterion(QDate from, QDate to, const QLocale &locale)
{
    return std::make_unique<DateCriterion>(from, to, locale);
}

// ---- the pass --------------------------------------------------------------------

SearchOutcome searchList(const QString &listPath, LineCriterion &criterion, MatchSink &sink,
                         const SearchOptions &options)
{
    SearchOutcome out;
    auto settle = [&] {
        if (out.failure == SearchOutcome::Failure::None && !out.stopped && !sink.finish()) {
            out.failure = SearchOutcome::Failure::ResultNotWritten;
            out.error = sink.error();
        }
        out.matches =
            qint32(std::min<qint64>(sink.linesKept(), std::numeric_limits<qint32>::max()));
        return out;
    };

    ListChunkReader reader;
    if (!reader.open(listPath)) {
        out.listFound = reader.fileFound();
        out.error = reader.error();
        if (out.listFound)
            out.failure = SearchOutcome::Failure::ListUnreadable;
        return settle(); // no list: an empty result
    }
    out.listFound = true;

    QElapsedTimer timer;
    timer.start();
    SearchProgress progress;
    progress.bytesTotal = reader.expectedSize();
    ListEncoding encoding = ListEncoding::Windows1252;
    bool sinkFailed = false;
    qint64 emitted = 0;
    const std::function<bool(QByteArrayView)> emit = [&](QByteArrayView line) {
        if (!sink.add(line, encoding)) {
            sinkFailed = true;
            return false;
        }
        ++emitted;
        return true;
    };
    for (;;) {
        if (options.stop && options.stop->load()) {
            out.stopped = true;
            break;
        }
        const QByteArrayView piece = reader.next();
        if (piece.isEmpty())
            break;
        encoding = reader.encoding();
        if (!criterion.scan(piece, encoding, emit))
            break;
        if (options.progress && timer.elapsed() >= options.progressIntervalMs) {
            progress.bytesDone = reader.bytesRead();
            progress.matches = emitted;
            options.progress(progress);
            timer.restart();
        }
    }
    if (sinkFailed) {
        out.failure = SearchOutcome::Failure::ResultNotWritten;
        out.error = sink.error();
    } else if (!out.stopped && !reader.error().isEmpty()) {
        out.failure = SearchOutcome::Failure::ListUnreadable;
        out.error = reader.error();
    }
    if (options.progress && out.failure == SearchOutcome::Failure::None && !out.stopped) {
        progress.bytesDone = reader.bytesRead();
        progress.matches = emitted;
        options.progress(progress);
    }
    return settle();
}

SearchOutcome searchToResultFile(const QString &listPath, LineCriterion &criterion,
                                 const QString &resultPath, const SearchOptions &options)
{
    SearchOutcome out;
    if (isSameFile(listPath, resultPath)) {
        out.listFound = true;
        out.failure = SearchOutcome::Failure::ResultNotCreated;
        out.error = u"the search result would replace the list being searched"_s;
        return out;
    }
    ResultFileWriter writer(resultPath);
    if (!writer.open()) {
        out.failure = SearchOutcome::Failure::ResultNotCreated;
        out.error = writer.error();
        return out;
    }
    out = searchList(listPath, criterion, writer, options);
    if (!out.complete())
        writer.abandon();
    return out;
}

SearchOutcome termSearch(const QString &listPath, const QString &term, const QString &resultPath,
                         const SearchOptions &options)
{
    return searchToResultFile(listPath, *termCriterion(term), resultPath, options);
}

SearchOutcome presetFilter(const QString &listPath, const QString &status,
                           const QString &resultPath, const SearchOptions &options)
{
    return searchToResultFile(listPath, *statusCriterion(status), resultPath, options);
}

SearchOutcome dateSearch(const QString &listPath, QDate from, QDate to, const QLocale &locale,
                         const QString &resultPath, const SearchOptions &options)
{
    return searchToResultFile(listPath, *dateCriterion(from, to, locale), resultPath, options);
}

// ---- status words ---------------------------------------------------------------

QList<std::pair<QString, qint64>> collectStatusWords(QByteArrayView listBytes,
                                                     ListEncoding encoding, int limit,
                                                     const std::atomic<bool> *stop)
{
    QHash<QByteArrayView, qint64> counts;
    qint64 lines = 0;
    const bool finished = forEachLine(listBytes, [&](QByteArrayView line) {
        if ((++lines & 0xFFFF) == 0 && stop && stop->load())
            return false;
        if (const std::optional<QByteArrayView> status = statusOfFiveFields(line))
            ++counts[*status];
        return true;
    });
    QList<std::pair<QString, qint64>> words;
    if (!finished)
        return words;
    QHash<QString, qint64> byText; // bytes that read as the same text are one word
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        byText[decodeListText(it.key(), encoding)] += it.value();
    words.reserve(byText.size());
    for (auto it = byText.cbegin(); it != byText.cend(); ++it)
        words.append({it.key(), it.value()});
    std::sort(words.begin(), words.end(), [](const auto &a, const auto &b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    if (words.size() > limit)
        words.resize(limit);
    return words;
}

} // namespace corvane
