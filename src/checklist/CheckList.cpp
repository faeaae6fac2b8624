#include "CheckList.h"

#include "CheckMatcher.h"
#include "listfile/ByteScan.h"
#include "listfile/ListLine.h"
#include "listfile/ListReader.h"
#include "status/StatusClasses.h"
#include "util/CsvField.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// Spaces only, as the term search trims (a tab is part of the entry).
QStringView trimSpaces(QStringView text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) == u' ')
        ++from;
    while (to > from && text.at(to - 1) == u' ')
        --to;
    return text.sliced(from, to - from);
}

// Where the first "," outside brackets stands (the matcher's reading of
// "[...]"), or -1.
qsizetype literalComma(QStringView p)
{
    const qsizetype n = p.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == u',')
            return i;
        if (p[i] != u'[')
            continue;
        qsizetype j = i + 1;
        if (j < n && p[j] == u'!')
            ++j;
        if (j < n && p[j] == u']')
            ++j; // a "]" first belongs to the list
        while (j < n && p[j] != u']')
            ++j;
        if (j < n)
            i = j; // a whole class; a "[" without "]" is itself
    }
    return -1;
}

// The rank of a class for the best match: lower is better.
int rankOf(StatusClass statusClass)
{
    switch (statusClass) {
    case StatusClass::Good:
        return 0;
    case StatusClass::Partial:
        return 1;
    case StatusClass::Unknown:
        return 2;
    case StatusClass::Bad:
        return 3;
    }
    return 2;
}

constexpr int NoMatch = 4;

// What one distinct pattern found.
struct PatternTally
{
    qint64 matches = 0;
    int bestRank = NoMatch;
    QByteArray bestPath;
    QByteArray bestStatus;
    ListEncoding bestEncoding = ListEncoding::Windows1252;
};

// The class of each raw status word, found once per word.
class StatusCache
{
public:
    StatusClass classOf(QByteArrayView word, ListEncoding encoding)
    {
        QHash<QByteArray, StatusClass> &cache = m_cache[encoding == ListEncoding::Utf8 ? 1 : 0];
        if (m_lastValid && m_lastEncoding == encoding && sameBytes(word, m_lastWord))
            return m_lastClass;
        auto it = cache.constFind(QByteArray::fromRawData(word.data(), word.size()));
        if (it == cache.cend())
            it = cache.insert(word.toByteArray(), classifyStatus(decodeListText(word, encoding)));
        m_lastWord = it.key();
        m_lastClass = it.value();
        m_lastEncoding = encoding;
        m_lastValid = true;
        return m_lastClass;
    }

private:
    QHash<QByteArray, StatusClass> m_cache[2];
    QByteArray m_lastWord;
    StatusClass m_lastClass = StatusClass::Unknown;
    ListEncoding m_lastEncoding = ListEncoding::Windows1252;
    bool m_lastValid = false;
};

QByteArrayView pathOf(QByteArrayView line)
{
    const qsizetype comma = line.indexOf(',');
    return comma < 0 ? line : line.first(comma);
}

// The lines of one entry, for the searches.
class EntriesCriterion final : public LineCriterion
{
public:
    explicit EntriesCriterion(const QStringList &patterns) : m_matcher(patterns) {}

    bool scan(QByteArrayView piece, ListEncoding encoding,
              const std::function<bool(QByteArrayView line)> &emit) override
    {
        return m_matcher.scan(piece, encoding, [&](QByteArrayView line, const std::vector<int> &) {
            return emit(line);
        });
    }

private:
    CheckMatcher m_matcher;
};

} // namespace

QString checkVerdictName(CheckVerdict verdict)
{
    switch (verdict) {
    case CheckVerdict::Recovered:
        return u"recovered"_s;
    case CheckVerdict::Partial:
        return u"partial"_s;
    case CheckVerdict::Damaged:
        return u"damaged"_s;
    case CheckVerdict::Missing:
        return u"missing"_s;
    }
    return u"missing"_s;
}

QStringList checkEntries(QStringView text)
{
    QStringList entries;
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start <= n) {
        qsizetype end = start;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QStringView entry = trimSpaces(text.sliced(start, end - start));
        if (!entry.isEmpty() && !entry.startsWith(u'#'))
            entries.append(entry.toString());
        if (end >= n)
            break;
        start = end + (text[end] == u'\r' && end + 1 < n && text[end + 1] == u'\n' ? 2 : 1);
    }
    return entries;
}

bool readCheckEntries(const QString &path, QStringList *entries, QString *error)
{
    entries->clear();
    if (QFileInfo(path).isDir()) {
        *error = u"it is a folder, not a check list"_s;
        return false;
    }
    const ListBytes read = readListFile(path);
    if (!read.fileFound || !read.ok()) {
        *error = read.error.isEmpty() ? u"cannot be read"_s : read.error;
        return false;
    }
    QByteArrayView bytes(read.bytes);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3); // a byte-order mark is not part of the first entry
    *entries = checkEntries(decodeListText(bytes, read.encoding));
    return true;
}

QString checkEntryPattern(const QString &entry)
{
    QString pattern = trimSpaces(entry).toString().toLower();
    const qsizetype comma = literalComma(pattern);
    if (comma >= 0)
        pattern.truncate(comma);
    if (!pattern.startsWith(u'*'))
        pattern.prepend(u'*');
    if (!pattern.endsWith(u'*'))
        pattern.append(u'*');
    return pattern;
}

CheckOutcome checkList(const QString &listPath, const QStringList &entries,
                       const SearchOptions &options)
{
    CheckOutcome out;
    // Entries that read as the same pattern are checked once.
    QHash<QString, int> patternIndex;
    QStringList patterns;
    std::vector<int> entryPattern;
    entryPattern.reserve(size_t(entries.size()));
    for (const QString &entry : entries) {
        const QString pattern = checkEntryPattern(entry);
        auto it = patternIndex.constFind(pattern);
        if (it == patternIndex.cend()) {
            it = patternIndex.insert(pattern, int(patterns.size()));
            patterns.append(pattern);
        }
        entryPattern.push_back(it.value());
    }
    std::vector<PatternTally> tallies(size_t(patterns.size()));
    auto settle = [&] {
        out.results.reserve(entries.size());
        for (int index : entryPattern) {
            const PatternTally &tally = tallies[size_t(index)];
            CheckEntryResult result;
            result.matches = tally.matches;
            switch (tally.bestRank) {
            case 0:
                result.verdict = CheckVerdict::Recovered;
                break;
            case 1:
                result.verdict = CheckVerdict::Partial;
                break;
            case NoMatch:
                result.verdict = CheckVerdict::Missing;
                break;
            default:
                result.verdict = CheckVerdict::Damaged;
            }
            if (tally.bestRank != NoMatch) {
                result.bestPath = decodeListText(tally.bestPath, tally.bestEncoding);
                result.bestStatus = decodeListText(tally.bestStatus, tally.bestEncoding);
            }
            out.results.append(result);
        }
        return out;
    };

    ListChunkReader reader;
    if (!reader.open(listPath)) {
        out.listFound = reader.fileFound();
        out.error = reader.error().isEmpty() ? u"cannot be read"_s : reader.error();
        return settle();
    }
    out.listFound = true;

    CheckMatcher matcher(patterns);
    StatusCache statuses;
    QElapsedTimer timer;
    timer.start();
    SearchProgress progress;
    progress.bytesTotal = reader.expectedSize();
    ListEncoding encoding = ListEncoding::Windows1252;
    const CheckMatcher::Found found = [&](QByteArrayView line, const std::vector<int> &hits) {
        ++progress.matches;
        const std::optional<QByteArrayView> status = statusOfFiveFields(line);
        const int rank =
            status ? rankOf(statuses.classOf(*status, encoding)) : rankOf(StatusClass::Unknown);
        for (int index : hits) {
            PatternTally &tally = tallies[size_t(index)];
            ++tally.matches;
            if (rank < tally.bestRank) {
                tally.bestRank = rank;
                tally.bestPath = pathOf(line).toByteArray();
                tally.bestStatus = status ? status->toByteArray() : QByteArray();
                tally.bestEncoding = encoding;
            }
        }
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
        matcher.scan(piece, encoding, found);
        if (options.progress && timer.elapsed() >= options.progressIntervalMs) {
            progress.bytesDone = reader.bytesRead();
            options.progress(progress);
            timer.restart();
        }
    }
    if (!out.stopped && !reader.error().isEmpty())
        out.error = reader.error();
    if (options.progress && out.complete()) {
        progress.bytesDone = reader.bytesRead();
        options.progress(progress);
    }
    return settle();
}

CheckSummary summarizeCheck(const QList<CheckEntryResult> &results)
{
    CheckSummary summary;
    summary.entries = results.size();
    for (const CheckEntryResult &result : results) {
        switch (result.verdict) {
        case CheckVerdict::Recovered:
            ++summary.recovered;
            break;
        case CheckVerdict::Partial:
            ++summary.partial;
            break;
        case CheckVerdict::Damaged:
            ++summary.damaged;
            break;
        case CheckVerdict::Missing:
            ++summary.missing;
            break;
        }
    }
    return summary;
}

QByteArray checkResultsCsv(const QStringList &entries, const QList<CheckEntryResult> &results)
{
    QByteArray out = "entry,verdict,matches,best path,best status\r\n";
    const qsizetype n = std::min(entries.size(), results.size());
    for (qsizetype i = 0; i < n; ++i) {
        const CheckEntryResult &result = results[i];
        appendCsvField(out, entries[i]);
        out += ',';
        out += checkVerdictName(result.verdict).toLatin1();
        out += ',';
        out += QByteArray::number(result.matches);
        out += ',';
        appendCsvField(out, result.bestPath);
        out += ',';
        appendCsvField(out, result.bestStatus);
        out += "\r\n";
    }
    return out;
}

std::unique_ptr<LineCriterion> checkEntryCriterion(const QString &entry)
{
    return checkEntriesCriterion({entry});
}

std::unique_ptr<LineCriterion> checkEntriesCriterion(const QStringList &entries)
{
    QStringList patterns;
    patterns.reserve(entries.size());
    for (const QString &entry : entries)
        patterns.append(checkEntryPattern(entry));
    return std::make_unique<EntriesCriterion>(patterns);
}

bool listStatusWords(const QString &listPath, QList<std::pair<QString, qint64>> *words,
                     QString *error, const std::atomic<bool> *stop)
{
    words->clear();
    ListChunkReader reader;
    if (!reader.open(listPath)) {
        *error = reader.error().isEmpty() ? u"cannot be read"_s : reader.error();
        return false;
    }
    QHash<QByteArray, qint64> counts;
    QByteArray last;
    qint64 *lastCount = nullptr;
    for (;;) {
        if (stop && stop->load()) {
            *error = u"stopped"_s;
            return false;
        }
        const QByteArrayView piece = reader.next();
        if (piece.isEmpty())
            break;
        const char *p = piece.data();
        const char *const end = p + piece.size();
        while (p < end) {
            const char *lineEnd = findLineEnd(p, end);
            if (const std::optional<QByteArrayView> status =
                    statusOfFiveFields(QByteArrayView(p, lineEnd - p))) {
                if (!lastCount || !sameBytes(*status, last)) {
                    last = status->toByteArray();
                    lastCount = &counts[last];
                }
                ++*lastCount;
            }
            p = lineEnd;
            if (p < end)
                p += *p == '\r' && p + 1 < end && p[1] == '\n' ? 2 : 1;
        }
    }
    if (!reader.error().isEmpty()) {
        *error = reader.error();
        return false;
    }
    // Words are ASCII until the encoding is known: the one at the end reads them all.
    QHash<QString, qint64> byText; // bytes that read as the same text are one word
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        byText[decodeListText(it.key(), reader.encoding())] += it.value();
    words->reserve(byText.size());
    for (auto it = byText.cbegin(); it != byText.cend(); ++it)
        words->append({it.key(), it.value()});
    std::sort(words->begin(), words->end(), [](const auto &a, const auto &b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    return true;
}

} // namespace corvane
