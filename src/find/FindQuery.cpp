#include "FindQuery.h"

#include "listfile/ByteTotal.h"
#include "listfile/ListDate.h"
#include "search/WildcardPattern.h"

#include <algorithm>
#include <cmath>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

constexpr qint64 MinRaw = std::numeric_limits<qint64>::min();
constexpr qint64 MaxRaw = std::numeric_limits<qint64>::max();

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString withoutQuotes(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c != u'"')
            out.append(c);
    }
    return out;
}

// The key before ":" when the word begins with ASCII letters and ":" (no
// quote before it), lower-cased; empty otherwise.
QString keyOf(QStringView body, qsizetype *colon)
{
    qsizetype i = 0;
    while (i < body.size() && body[i].unicode() < 128 && body[i].isLetter())
        ++i;
    if (i == 0 || i >= body.size() || body[i] != u':')
        return QString();
    *colon = i;
    return body.first(i).toString().toLower();
}

// ---- sizes ---------------------------------------------------------------------

// "1.5mb", "200", "3 GB": a size as a raw ByteTotal value; nullopt when it
// is none or beyond the range.
std::optional<qint64> readSize(QStringView text)
{
    text = text.trimmed();
    qsizetype i = 0;
    QString number;
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            number.append(c);
            digits = true;
        } else if ((c == u'.' || c == u',') && !point) {
            // "1..2" is a range: a point followed by a point ends the number.
            if (i + 1 < text.size() && text[i + 1] == u'.')
                break;
            number.append(u'.');
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return std::nullopt;
    const QString unit = text.sliced(i).trimmed().toString().toLower();
    long double scale = 1;
    if (unit.isEmpty() || unit == u"b"_s || unit == u"byte"_s || unit == u"bytes"_s)
        scale = 1;
    else if (unit == u"kb"_s || unit == u"k"_s)
        scale = 1024.0L;
    else if (unit == u"mb"_s || unit == u"m"_s)
        scale = 1024.0L * 1024;
    else if (unit == u"gb"_s || unit == u"g"_s)
        scale = 1024.0L * 1024 * 1024;
    else if (unit == u"tb"_s || unit == u"t"_s)
        scale = 1024.0L * 1024 * 1024 * 1024;
    else
        return std::nullopt;
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    const long double raw = std::round(static_cast<long double>(value) * scale * ByteTotal::Scale);
    if (!(raw < 9.2e18L))
        return std::nullopt;
    return qint64(raw);
}

// ---- days ----------------------------------------------------------------------

struct DaySpan
{
    QDate first;
    QDate last;
};

// "2019", "2019-03", "2019-03-01" (or with "." or "/"), or a date written
// the locale's way.
std::optional<DaySpan> readDays(QStringView text, const QLocale &locale)
{
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    QList<QStringView> parts;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == u'-' || text[i] == u'.' || text[i] == u'/') {
            parts.append(text.sliced(from, i - from));
            from = i + 1;
        }
    }
    const bool numbers = std::all_of(parts.begin(), parts.end(), [](QStringView p) {
        return !p.isEmpty() && p.size() <= 4 &&
               std::all_of(p.begin(), p.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    });
    if (numbers && parts.first().size() == 4 && parts.size() <= 3) {
        const int year = parts[0].toInt();
        if (year < 1)
            return std::nullopt;
        if (parts.size() == 1)
            return DaySpan{QDate(year, 1, 1), QDate(year, 12, 31)};
        if (parts[1].size() > 2)
            return std::nullopt;
        const int month = parts[1].toInt();
        if (month < 1 || month > 12)
            return std::nullopt;
        const QDate firstDay(year, month, 1);
        if (parts.size() == 2)
            return DaySpan{firstDay, QDate(year, month, firstDay.daysInMonth())};
        if (parts[2].size() > 2)
            return std::nullopt;
        const QDate day(year, month, parts[2].toInt());
        if (!day.isValid())
            return std::nullopt;
        return DaySpan{day, day};
    }
    const QDate typed = readTypedDate(text, locale);
    if (!typed.isValid())
        return std::nullopt;
    return DaySpan{typed, typed};
}

// ---- comparisons and ranges -------------------------------------------------------

enum class Bound { Equal, Less, LessOrEqual, Greater, GreaterOrEqual };

// Cuts "<=x", ">x", "=x", "x" into its comparison and the rest.
Bound cutComparison(QStringView &text)
{
    if (text.startsWith(u"<="_s)) {
        text = text.sliced(2);
        return Bound::LessOrEqual;
    }
    if (text.startsWith(u">="_s)) {
        text = text.sliced(2);
        return Bound::GreaterOrEqual;
    }
    if (text.startsWith(u'<')) {
        text = text.sliced(1);
        return Bound::Less;
    }
    if (text.startsWith(u'>')) {
        text = text.sliced(1);
        return Bound::Greater;
    }
    if (text.startsWith(u'=')) {
        text = text.sliced(1);
        return Bound::Equal;
    }
    return Bound::Equal;
}

// A value's range from text: "A..B", "A..", "..B", or a comparison. read
// gives the lowest and highest values one written value stands for. False
// when it cannot be read.
template<typename T, typename Read, typename Before, typename After>
bool readRange(QStringView text, Read read, Before before, After after, T *low, T *high,
               bool *lowOpen, bool *highOpen)
{
    *lowOpen = true;
    *highOpen = true;
    const qsizetype dots = text.indexOf(u".."_s);
    if (dots >= 0) {
        const QStringView left = text.first(dots).trimmed();
        const QStringView right = text.sliced(dots + 2).trimmed();
        if (left.isEmpty() && right.isEmpty())
            return false;
        if (!left.isEmpty()) {
            const auto l = read(left);
            if (!l)
                return false;
            *low = l->first;
            *lowOpen = false;
        }
        if (!right.isEmpty()) {
            const auto r = read(right);
            if (!r)
                return false;
            *high = r->second;
            *highOpen = false;
        }
        return *lowOpen || *highOpen || !(*high < *low);
    }
    const Bound bound = cutComparison(text);
    const auto v = read(text);
    if (!v)
        return false;
    switch (bound) {
    case Bound::Equal:
        *low = v->first;
        *high = v->second;
        *lowOpen = *highOpen = false;
        break;
    case Bound::Less:
        *high = before(v->first);
        *highOpen = false;
        break;
    case Bound::LessOrEqual:
        *high = v->second;
        *highOpen = false;
        break;
    case Bound::Greater:
        *low = after(v->second);
        *lowOpen = false;
        break;
    case Bound::GreaterOrEqual:
        *low = v->first;
        *lowOpen = false;
        break;
    }
    return true;
}

void readSizeWord(FindWord &w)
{
    const auto read = [](QStringView t) -> std::optional<std::pair<qint64, qint64>> {
        const std::optional<qint64> v = readSize(t);
        if (!v)
            return std::nullopt;
        return std::pair{*v, *v};
    };
    qint64 low = 0, high = 0;
    bool lowOpen = true, highOpen = true;
    if (!readRange<qint64>(
            w.value, read, [](qint64 v) { return v == MinRaw ? v : v - 1; },
            [](qint64 v) { return v == MaxRaw ? v : v + 1; }, &low, &high, &lowOpen, &highOpen)) {
        w.problem = FindProblem::BadSize;
        return;
    }
    w.sizeLow = lowOpen ? MinRaw : low;
    w.sizeHigh = highOpen ? MaxRaw : high;
}

void readDayWord(FindWord &w, const QLocale &locale)
{
    const auto read = [&](QStringView t) -> std::optional<std::pair<QDate, QDate>> {
        const std::optional<DaySpan> span = readDays(t, locale);
        if (!span)
            return std::nullopt;
        return std::pair{span->first, span->last};
    };
    QDate low, high;
    bool lowOpen = true, highOpen = true;
    if (!readRange<QDate>(
            w.value, read, [](QDate d) { return d.addDays(-1); },
            [](QDate d) { return d.addDays(1); }, &low, &high, &lowOpen, &highOpen)) {
        w.problem = FindProblem::BadDate;
        return;
    }
    w.dayFrom = lowOpen ? QDate() : low;
    w.dayTo = highOpen ? QDate() : high;
}

// The one name among names that is text or begins with it; -1 when none or
// several.
int uniqueName(const QStringList &names, const QString &text)
{
    int found = -1;
    for (int i = 0; i < names.size(); ++i) {
        if (names[i] == text)
            return i;
        if (names[i].startsWith(text)) {
            if (found >= 0)
                return -2;
            found = i;
        }
    }
    return found;
}

void readWord(FindWord &w, QStringView raw, const QLocale &locale)
{
    QStringView body = raw;
    if (body.startsWith(u'-')) {
        w.exclude = true;
        body = body.sliced(1);
    }
    qsizetype colon = -1;
    const QString key = keyOf(body, &colon);
    static const QStringList keys{u"ext"_s, u"size"_s, u"dm"_s, u"status"_s, u"class"_s, u"kind"_s};
    if (!key.isEmpty() && keys.contains(key)) {
        w.value = withoutQuotes(body.sliced(colon + 1)).trimmed();
        if (key == u"ext"_s)
            w.kind = FindWord::Kind::Ext;
        else if (key == u"size"_s)
            w.kind = FindWord::Kind::Size;
        else if (key == u"dm"_s)
            w.kind = FindWord::Kind::Modified;
        else if (key == u"status"_s)
            w.kind = FindWord::Kind::Status;
        else if (key == u"class"_s)
            w.kind = FindWord::Kind::Class;
        else
            w.kind = FindWord::Kind::Kind;
    } else {
        w.kind = FindWord::Kind::Pattern;
        w.value = withoutQuotes(body);
    }
    if (w.value.trimmed().isEmpty()) {
        w.problem = FindProblem::EmptyValue;
        return;
    }
    switch (w.kind) {
    case FindWord::Kind::Pattern:
        w.patterns = {wordPattern(w.value)};
        break;
    case FindWord::Kind::Ext: {
        QString pieces = w.value;
        pieces.replace(u',', u';');
        for (QString piece : pieces.split(u';')) {
            piece = piece.trimmed();
            while (piece.startsWith(u'.'))
                piece.remove(0, 1);
            if (!piece.isEmpty() && !w.patterns.contains(u"*."_s + piece.toLower()))
                w.patterns.append(u"*."_s + piece.toLower());
        }
        if (w.patterns.isEmpty())
            w.problem = FindProblem::EmptyValue;
        break;
    }
    case FindWord::Kind::Size:
        readSizeWord(w);
        break;
    case FindWord::Kind::Modified:
        readDayWord(w, locale);
        break;
    case FindWord::Kind::Status:
        break;
    case FindWord::Kind::Class: {
        static const QStringList names{
            statusClassName(StatusClass::Good), statusClassName(StatusClass::Partial),
            statusClassName(StatusClass::Bad), statusClassName(StatusClass::Unknown)};
        const int at = uniqueName(names, w.value.toLower());
        if (at < 0)
            w.problem = FindProblem::UnknownClass;
        else
            w.statusClass = *statusClassFromName(names[at]);
        break;
    }
    case FindWord::Kind::Kind: {
        static const QStringList ids = [] {
            QStringList out;
            for (int k = 0; k < FileKindCount; ++k)
                out.append(fileKindId(FileKind(k)));
            return out;
        }();
        const int at = uniqueName(ids, w.value.toLower());
        if (at < 0)
            w.problem = FindProblem::UnknownKind;
        else
            w.fileKind = FileKind(at);
        break;
    }
    }
}

// True when every line n matches is matched by p (both used, the same kind
// and exclusion).
bool implies(const FindWord &n, const FindWord &p)
{
    if (n.kind != p.kind || n.exclude != p.exclude)
        return false;
    if (n.meaning() == p.meaning())
        return true;
    // For an excluded word the sets turn round: n must exclude more.
    const FindWord &narrow = n.exclude ? p : n;
    const FindWord &wide = n.exclude ? n : p;
    switch (n.kind) {
    case FindWord::Kind::Pattern: {
        // A pattern that holds the other one: every path holding a match of
        // the longer holds one of the shorter, as each character is a
        // token of its own. A "[" could become a class with what follows.
        const QString shorter = wide.value.trimmed().toLower();
        const QString longer = narrow.value.trimmed().toLower();
        return !longer.contains(u'[') && longer.contains(shorter);
    }
    case FindWord::Kind::Ext:
        return std::all_of(narrow.patterns.begin(), narrow.patterns.end(),
                           [&](const QString &e) { return wide.patterns.contains(e); });
    case FindWord::Kind::Size:
        return narrow.sizeLow >= wide.sizeLow && narrow.sizeHigh <= wide.sizeHigh;
    case FindWord::Kind::Modified: {
        const bool fromOk =
            !wide.dayFrom.isValid() || (narrow.dayFrom.isValid() && narrow.dayFrom >= wide.dayFrom);
        const bool toOk =
            !wide.dayTo.isValid() || (narrow.dayTo.isValid() && narrow.dayTo <= wide.dayTo);
        return fromOk && toOk;
    }
    case FindWord::Kind::Status:
        return narrow.value.startsWith(wide.value, Qt::CaseInsensitive);
    case FindWord::Kind::Class:
    case FindWord::Kind::Kind:
        return false;
    }
    return false;
}

} // namespace

QString FindWord::meaning() const
{
    if (!isUsed())
        return QString();
    QString m = QString::number(int(kind)) + (exclude ? u'-' : u'+');
    switch (kind) {
    case Kind::Pattern:
        return m + patterns.join(u'\n');
    case Kind::Ext: {
        QStringList sorted = patterns;
        sorted.sort();
        return m + sorted.join(u'\n');
    }
    case Kind::Size:
        return m + QString::number(sizeLow) + u".."_s + QString::number(sizeHigh);
    case Kind::Modified:
        return m + dayFrom.toString(Qt::ISODate) + u".."_s + dayTo.toString(Qt::ISODate);
    case Kind::Status:
        return m + value.toCaseFolded();
    case Kind::Class:
        return m + QString::number(int(statusClass));
    case Kind::Kind:
        return m + QString::number(int(fileKind));
    }
    return m;
}

FindQuery FindQuery::parse(QStringView text, const QLocale &dateLocale)
{
    FindQuery q;
    q.m_dateLocale = dateLocale;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n && isSpace(text[i]))
            ++i;
        if (i >= n)
            break;
        const qsizetype start = i;
        bool quoted = false;
        while (i < n && (quoted || !isSpace(text[i]))) {
            if (text[i] == u'"')
                quoted = !quoted;
            ++i;
        }
        FindWord w;
        w.start = int(start);
        w.length = int(i - start);
        readWord(w, text.sliced(start, i - start), dateLocale);
        q.m_words.push_back(std::move(w));
    }
    return q;
}

bool FindQuery::isEmpty() const
{
    return std::none_of(m_words.begin(), m_words.end(),
                        [](const FindWord &w) { return w.isUsed(); });
}

bool FindQuery::narrows(const FindQuery &previous) const
{
    if (m_dateLocale.name() != previous.m_dateLocale.name())
        return false;
    for (const FindWord &p : previous.m_words) {
        if (!p.isUsed())
            continue;
        const bool held = std::any_of(m_words.begin(), m_words.end(), [&](const FindWord &w) {
            return w.isUsed() && implies(w, p);
        });
        if (!held)
            return false;
    }
    return true;
}

bool FindQuery::operator==(const FindQuery &other) const
{
    auto meanings = [](const FindQuery &q) {
        QStringList out;
        for (const FindWord &w : q.m_words) {
            if (w.isUsed())
                out.append(w.meaning());
        }
        out.sort();
        out.removeDuplicates();
        return out;
    };
    return m_dateLocale.name() == other.m_dateLocale.name() && meanings(*this) == meanings(other);
}

} // namespace corvane
