#include "ListSearch.h"

#include "RunScan.h"
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

// ---- term search -------------------------------------------------------------

class TermCriterion final : public LineCriterion
{
public:
    explicit TermCriterion(const QString &term)
    {
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
        return CandidateLines(m_scanners).scan(piece, [&](QByteArrayView line, bool sure) {
            return !(sure || lineMatches(line, encoding)) || emit(line);
        });
    }

private:
    bool lineMatches(QByteArrayView line, ListEncoding encoding)
    {
        ListSubject subject(termPathOf(line, m_scratch), encoding);
        return std::any_of(
            m_patterns.begin(), m_patterns.end(),
            [&](const WildcardPattern &pattern) { return subject.matches(pattern); });
    }

    void prepare(ListEncoding encoding)
    {
        m_prepared = true;
        m_preparedFor = encoding;
        std::vector<const WildcardPattern *> patterns;
        for (const WildcardPattern &pattern : m_patterns)
            patterns.push_back(&pattern);
        m_lineByLine = !runScannersFor(patterns, encoding, &m_scanners);
    }

    std::vector<WildcardPattern> m_patterns;
    bool m_everything = false;
    bool m_prepared = false;
    ListEncoding m_preparedFor = ListEncoding::Windows1252;
    bool m_lineByLine = false;
    std::vector<RunScanner> m_scanners;
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
