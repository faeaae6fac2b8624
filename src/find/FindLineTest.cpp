#include "FindLineTest.h"

#include "listfile/ByteScan.h"

#include <algorithm>
#include <cstring>

namespace corvane {

namespace {

qint64 dayKey(QDate date, qint64 open)
{
    if (!date.isValid())
        return open;
    return qint64(date.year()) * 10000 + date.month() * 100 + date.day();
}

// The cheaper tests first: a pattern on bytes at hand before the fields are
// cut, a date read last.
int costOf(FindWord::Kind kind)
{
    switch (kind) {
    case FindWord::Kind::Pattern:
        return 0;
    case FindWord::Kind::Ext:
        return 1;
    case FindWord::Kind::Size:
        return 2;
    case FindWord::Kind::Kind:
        return 3;
    case FindWord::Kind::Status:
    case FindWord::Kind::Class:
        return 4;
    case FindWord::Kind::Modified:
        return 5;
    }
    return 6;
}

// For patterns "*." and plain characters: the bytes each character of the
// ending stands for, as the byte matcher compares them (the bytes whose
// lower-case character it is), last character first. Empty when a pattern
// holds a wildcard or a character no byte stands for.
std::vector<std::vector<std::array<bool, 256>>> plainEndings(const QStringList &patterns)
{
    std::vector<std::vector<std::array<bool, 256>>> endings;
    for (const QString &pattern : patterns) {
        const QList<uint> chars = QStringView(pattern).sliced(1).toUcs4();
        std::vector<std::array<bool, 256>> ending;
        for (auto c = chars.crbegin(); c != chars.crend(); ++c) {
            if (*c == U'*' || *c == U'?' || *c == U'#' || *c == U'[')
                return {};
            const QByteArray bytes = cp1252::bytesFolding(char32_t(*c));
            if (bytes.isEmpty())
                return {};
            std::array<bool, 256> set{};
            for (char b : bytes)
                set[uchar(b)] = true;
            ending.push_back(set);
        }
        endings.push_back(std::move(ending));
    }
    return endings;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool FindLineTest::endsWithOne(const Test &t, QByteArrayView name) const
{
    const auto *p = reinterpret_cast<const unsigned char *>(name.data());
    const qsizetype n = name.size();
    for (const std::vector<std::array<bool, 256>> &ending : t.endings) {
        const qsizetype length = qsizetype(ending.size());
        if (n < length)
            continue;
        qsizetype k = 0;
        while (k < length && ending[size_t(k)][p[n - 1 - k]])
            ++k;
        if (k == length)
            return true;
    }
    return false;
}

FindLineTest::FindLineTest(const FindQuery &query, ListEncoding encoding)
    : m_encoding(encoding), m_dates(query.dateLocale())
{
#if defined(__x86_64__) && defined(__GNUC__)
    if (__builtin_cpu_supports("avx2"))
        m_cut = cutPathAndSizeAvx2;
#endif
    for (const FindWord &w : query.words()) {
        if (!w.isUsed())
            continue;
        Test t;
        t.kind = w.kind;
        t.exclude = w.exclude;
        bool always = false; // the word holds for every line
        bool never = false;  // for none
        switch (w.kind) {
        case FindWord::Kind::Pattern:
        case FindWord::Kind::Ext:
            for (const QString &text : w.patterns) {
                WildcardPattern pattern(text);
                if (pattern.needsComma())
                    continue; // no path or name holds a ","
                if (pattern.matchesEverything() && w.kind == FindWord::Kind::Pattern)
                    always = true;
                t.patterns.push_back(std::move(pattern));
            }
            never = t.patterns.empty();
            if (w.kind == FindWord::Kind::Ext)
                t.endings = plainEndings(w.patterns);
            break;
        case FindWord::Kind::Size:
            t.low = w.sizeLow;
            t.high = w.sizeHigh;
            m_needsFields = true;
            break;
        case FindWord::Kind::Modified:
            t.low = dayKey(w.dayFrom, 0);
            t.high = dayKey(w.dayTo, std::numeric_limits<qint64>::max());
            m_needsFields = true;
            break;
        case FindWord::Kind::Status:
            t.status = w.value;
            m_needsFields = true;
            break;
        case FindWord::Kind::Class:
            t.statusClass = w.statusClass;
            m_needsFields = true;
            break;
        case FindWord::Kind::Kind:
            t.fileKind = w.fileKind;
            m_needsFields = true;
            break;
        }
        if (always || never) {
            if (always == t.exclude)
                m_nothing = true; // an excluded "*", or a pattern no line holds
            continue;             // holds for every line: no test
        }
        m_tests.push_back(std::move(t));
    }
    std::stable_sort(m_tests.begin(), m_tests.end(),
                     [](const Test &a, const Test &b) { return costOf(a.kind) < costOf(b.kind); });

    // The anchor: the word kept whose runs are the longest to look for.
    size_t bestRun = 0;
    for (size_t k = 0; k < m_tests.size(); ++k) {
        const Test &t = m_tests[k];
        if (t.exclude || (t.kind != FindWord::Kind::Pattern && t.kind != FindWord::Kind::Ext))
            continue;
        std::vector<const WildcardPattern *> patterns;
        for (const WildcardPattern &p : t.patterns)
            patterns.push_back(&p);
        std::vector<RunScanner> scanners;
        if (!runScannersFor(patterns, encoding, &scanners))
            continue;
        size_t shortest = std::numeric_limits<size_t>::max();
        for (const RunScanner &s : scanners)
            shortest = std::min(shortest, s.folded.size());
        if (scanners.empty()) {
            m_nothing = true; // the code page holds none of its runs
            return;
        }
        if (shortest > bestRun) {
            bestRun = shortest;
            m_anchor = int(k);
            m_scanners = std::move(scanners);
        }
    }
    if (m_anchor >= 0) {
        m_tests[size_t(m_anchor)].anchor = true;
        // A run that is its pattern's whole test says so only for a word of
        // one pattern on the path.
        const Test &a = m_tests[size_t(m_anchor)];
        if (a.kind != FindWord::Kind::Pattern || a.patterns.size() != 1) {
            for (RunScanner &s : m_scanners)
                s.whole = false;
        }
    }
}

std::optional<ByteTotal> FindLineTest::sizeOf(QByteArrayView line)
{
    if (m_fields)
        return m_fields->size;
    if (!m_haveSize) {
        // Cut only up to the size: most lines are then looked at no further.
        const PathAndSize cut = m_cut(line.data(), line.data() + line.size());
        m_size = cut.hasSize ? std::optional<ByteTotal>(cut.size) : std::nullopt;
        m_haveSize = true;
    }
    return m_size;
}

const LineFields &FindLineTest::fields(QByteArrayView line)
{
    if (!m_fields)
        m_fields = lineFields(line);
    return *m_fields;
}

bool FindLineTest::statusBegins(Test &t, QByteArrayView word)
{
    const auto seen = t.statusSeen.constFind(word.toByteArray());
    if (seen != t.statusSeen.cend())
        return seen.value();
    const bool begins =
        decodeListText(word, m_encoding).trimmed().startsWith(t.status, Qt::CaseInsensitive);
    if (t.statusSeen.size() < 4096) // a list of odd words does not fill memory
        t.statusSeen.insert(word.toByteArray(), begins);
    return begins;
}

bool FindLineTest::holds(Test &t, QByteArrayView line)
{
    switch (t.kind) {
    case FindWord::Kind::Pattern: {
        if (!m_havePath) {
            m_path = termPathOf(line, m_scratch);
            m_havePath = true;
        }
        ListSubject subject(m_path, m_encoding);
        return subject.matches(t.patterns.front());
    }
    case FindWord::Kind::Ext: {
        const QByteArrayView path = m_field0;
        const char *slash =
            path.isEmpty()
                ? nullptr
                : static_cast<const char *>(::memrchr(path.data(), '\\', size_t(path.size())));
        const QByteArrayView name = slash ? path.sliced(slash - path.data() + 1) : path;
        // Bytes the byte matcher would take: their endings compared at once.
        if (!t.endings.empty() && (m_encoding == ListEncoding::Windows1252 || isAsciiBytes(name)))
            return endsWithOne(t, name);
        ListSubject subject(name, m_encoding);
        return std::any_of(t.patterns.begin(), t.patterns.end(),
                           [&](const WildcardPattern &p) { return subject.matches(p); });
    }
    case FindWord::Kind::Size: {
        const std::optional<ByteTotal> size = sizeOf(line);
        return size && size->raw() >= t.low && size->raw() <= t.high;
    }
    case FindWord::Kind::Modified: {
        // A date that begins with four digits is read year first, the year
        // those digits: one outside the range needs no reading (nor the
        // line's fields cut).
        const qsizetype at = m_field0.size() + 1; // where field 1 begins
        if (line.size() - at > 4) {
            const char *d = line.data() + at;
            if (isDigit(d[0]) && isDigit(d[1]) && isDigit(d[2]) && isDigit(d[3]) &&
                !isDigit(d[4]) && d[4] != ',') {
                const qint64 year =
                    (d[0] - '0') * 1000 + (d[1] - '0') * 100 + (d[2] - '0') * 10 + (d[3] - '0');
                if (year < t.low / 10000 || year > t.high / 10000)
                    return false;
            }
        }
        const LineFields &f = fields(line);
        const qint64 value = m_dates.value(f.modified, m_encoding);
        if (value == InvalidListDate)
            return false;
        const qint64 day = value / 1000000;
        return day >= t.low && day <= t.high;
    }
    case FindWord::Kind::Status: {
        const LineFields &f = fields(line);
        return f.hasStatus && statusBegins(t, f.status);
    }
    case FindWord::Kind::Class:
        return m_classes.classOf(fields(line).status, m_encoding) == t.statusClass;
    case FindWord::Kind::Kind: {
        const LineFields &f = fields(line);
        if (hasFolderBit(f.attributes))
            return false; // a folder is no kind of file
        const char *slash =
            f.path.isEmpty()
                ? nullptr
                : static_cast<const char *>(::memrchr(f.path.data(), '\\', size_t(f.path.size())));
        return kindOfName(slash ? f.path.sliced(slash - f.path.data() + 1) : f.path) == t.fileKind;
    }
    }
    return false;
}

bool FindLineTest::mayMatch(QByteArrayView field0, bool *sure) const
{
    *sure = false;
    if (m_anchor < 0)
        return true;
    const char *end = field0.data() + field0.size();
    bool found = false;
    for (const RunScanner &s : m_scanners) {
        if (s.find(field0.data(), end) < end) {
            found = true;
            if (s.whole) {
                *sure = true;
                break;
            }
        }
    }
    return found;
}

bool FindLineTest::matches(QByteArrayView line, bool anchorSure, std::optional<ByteTotal> *size,
                           const LineFields *cut)
{
    if (m_nothing)
        return false;
    m_havePath = false;
    m_fields.reset();
    m_haveSize = false;
    if (cut)
        m_fields = *cut;
    const char *comma =
        line.isEmpty()
            ? nullptr
            : static_cast<const char *>(std::memchr(line.data(), ',', size_t(line.size())));
    m_field0 = comma ? line.first(comma - line.data()) : line;
    for (Test &t : m_tests) {
        if (t.anchor && anchorSure)
            continue;
        if (holds(t, line) == t.exclude)
            return false;
    }
    if (size)
        *size = sizeOf(line);
    return true;
}

} // namespace corvane
