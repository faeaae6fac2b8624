#include "NaturalOrder.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QHash>
#include <QMutex>
#include <QString>

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <type_traits>

// A collation sort key costs about a microsecond a name: a folder of 100,000
// files would wait a tenth of a second for its keys alone. Most names are
// plain ASCII, and for those the collator's order is simple: every printable
// ASCII character has one primary weight (no contractions, nothing ignorable
// when punctuation counts), letters of both cases share theirs, and a run of
// digits weighs as its number. So such a name gets a byte key built from the
// collator's own ranking of the ASCII characters, compared with memcmp; any
// other name gets the collator's own key. Either way a name's key is made
// once, and the sort compares keys: a wide folder of two million names would
// otherwise ask the collator to compare texts some forty million times.
// The few names of a mostly ASCII folder that need the collator are sorted
// among themselves by its keys and then placed among the others by halving,
// a few comparisons each.

namespace corvane {

namespace {

QCollator makeCollator(const QLocale &locale)
{
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setIgnorePunctuation(false);
    return collator;
}

constexpr char16_t FirstPrintable = 0x20;
constexpr char16_t LastPrintable = 0x7e;
// Longer digit runs are left to the collator.
constexpr qsizetype MaxDigitRun = 200;

// The collator's ranking of the printable ASCII characters; valid is false
// when the ranking does not have the simple shape the byte keys rely on.
struct AsciiRanks
{
    std::array<quint8, 128> rank{};
    quint8 digitRun = 0; // the rank every digit run starts with
    bool valid = false;
    // The letters from U+0080 to U+017F that weigh as one or two ASCII
    // letters before their accents count ('\u00e9' as e, '\u00df' as ss in
    // most languages; not '\u00e5' in Swedish): their ranks, 0 for others.
    std::array<std::array<quint8, 2>, 0x100> latin{};
};

constexpr char16_t FirstLatin = 0x80;
constexpr char16_t LastLatin = 0x17f;

AsciiRanks rankAscii(const QLocale &locale)
{
    AsciiRanks out;
    const QCollator collator = makeCollator(locale);
    std::vector<QString> chars;
    for (char16_t c = FirstPrintable; c <= LastPrintable; ++c)
        chars.push_back(QString(QChar(c)));
    for (const QString &c : chars) {
        if (collator.compare(c, QString()) == 0)
            return out; // an ignorable character: no simple keys
    }
    std::vector<size_t> order(chars.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return collator.compare(chars[a], chars[b]) < 0; });
    quint8 rank = 1;
    for (size_t k = 0; k < order.size(); ++k) {
        if (k > 0 && collator.compare(chars[order[k - 1]], chars[order[k]]) != 0)
            ++rank;
        out.rank[FirstPrintable + order[k]] = rank;
    }
    // Digits must rank next to each other, in order, with nothing between.
    for (char16_t d = u'1'; d <= u'9'; ++d) {
        if (out.rank[d] != out.rank[d - 1] + 1)
            return out;
    }
    // Each step up the ranking must be a difference of the letters
    // themselves, not only of their accents: then the first differing
    // character decides whatever follows it ("Ab" before "Ba").
    for (size_t k = 1; k < order.size(); ++k) {
        const QString low = chars[order[k - 1]];
        const QString high = chars[order[k]];
        if (out.rank[FirstPrintable + order[k - 1]] != out.rank[FirstPrintable + order[k]] &&
            collator.compare(low + u'b', high + u'a') >= 0)
            return out;
    }
    out.digitRun = out.rank[u'0'];
    out.valid = true;

    // Equal first weights: "Lb" after "Sa" and "La" before "Sb".
    std::vector<QString> spellings;
    for (char16_t c = u'a'; c <= u'z'; ++c)
        spellings.push_back(QString(QChar(c)));
    for (const char *pair : {"ss", "ae", "oe", "ij", "th", "dh"})
        spellings.push_back(QString::fromLatin1(pair));
    for (char16_t c = FirstLatin; c <= LastLatin; ++c) {
        if (!QChar(c).isLetter())
            continue;
        const QString letter(QChar{c});
        for (const QString &s : spellings) {
            if (collator.compare(letter + u'b', s + u'a') > 0 &&
                collator.compare(letter + u'a', s + u'b') < 0) {
                auto &ranks = out.latin[size_t(c - FirstLatin)];
                ranks[0] = out.rank[s[0].unicode()];
                ranks[1] = s.size() > 1 ? out.rank[s[1].unicode()] : 0;
                break;
            }
        }
    }
    return out;
}

std::shared_ptr<const AsciiRanks> asciiRanks(const QLocale &locale)
{
    static QMutex mutex;
    static QHash<QString, std::shared_ptr<const AsciiRanks>> cache;
    const QString name = locale.bcp47Name() + u'|' + locale.name();
    QMutexLocker lock(&mutex);
    auto it = cache.constFind(name);
    if (it == cache.constEnd())
        it = cache.insert(name, std::make_shared<const AsciiRanks>(rankAscii(locale)));
    return it.value();
}

std::atomic<qint64> keysMade{0};
std::atomic<qint64> collatorComparisons{0};

// Appends the byte key of a printable-ASCII name to key (when key is given)
// and returns true, or returns false for any other name (key unchanged).
template<typename C>
bool asciiKey(const C *p, qsizetype n, const AsciiRanks &ranks, std::string *key)
{
    using U = std::make_unsigned_t<C>;
    const size_t start = key ? key->size() : 0;
    auto refuse = [&] {
        if (key)
            key->resize(start);
        return false;
    };
    for (qsizetype i = 0; i < n;) {
        const uint c = U(p[i]);
        if (c < FirstPrintable || c > LastPrintable)
            return refuse();
        if (c >= '0' && c <= '9') {
            qsizetype end = i;
            while (end < n && U(p[end]) >= '0' && U(p[end]) <= '9')
                ++end;
            qsizetype first = i;
            while (first < end - 1 && U(p[first]) == '0')
                ++first; // the number's value: leading zeros do not count
            const qsizetype digits = end - first;
            if (digits > MaxDigitRun)
                return refuse();
            if (key) {
                key->push_back(char(ranks.digitRun));
                key->push_back(char(digits));
                for (qsizetype k = first; k < end; ++k)
                    key->push_back(char(U(p[k])));
            }
            i = end;
            continue;
        }
        if (key)
            key->push_back(char(ranks.rank[c]));
        ++i;
    }
    return true;
}

// A byte key with its first eight bytes as one number: most comparisons end
// there, without reading the key itself. Key bytes are never 0 (ranks start
// at 1, a digit run has at least one digit), so the zeros that fill a short
// head sort it before any longer key it begins.
struct ByteKey
{
    quint64 head;
    const char *bytes;
    quint32 size;
    quint32 index;
};

quint64 headOf(const char *bytes, size_t size)
{
    quint64 head = 0;
    for (size_t k = 0; k < 8; ++k)
        head = (head << 8) | (k < size ? uchar(bytes[k]) : 0u);
    return head;
}

int compareKeys(const ByteKey &a, const ByteKey &b)
{
    if (a.head != b.head)
        return a.head < b.head ? -1 : 1;
    const int c = std::memcmp(a.bytes, b.bytes, std::min(a.size, b.size));
    if (c != 0)
        return c;
    return a.size < b.size ? -1 : (a.size > b.size ? 1 : 0);
}

// The first bytes of a name's key by the letters alone: enough to order two
// names that differ there, for the collator weighs letters (and numbers)
// before accents and case. Plain ASCII characters take their byte-key
// bytes, Latin letters that weigh as ASCII ones take theirs; the head ends
// before the character in front of any other one (it may combine with what
// follows), and before a number that such a character ends.
constexpr quint32 HeadBytes = 16;
struct Head
{
    quint64 high = 0;
    quint64 low = 0;
    quint32 size = 0;
};

Head headOfKey(const char *bytes, size_t size)
{
    Head h;
    h.size = quint32(std::min<size_t>(size, HeadBytes));
    h.high = headOf(bytes, std::min<size_t>(h.size, 8));
    h.low = h.size > 8 ? headOf(bytes + 8, h.size - 8) : 0;
    return h;
}

// Negative or positive when the heads decide, 0 when only the collator can.
int compareHeads(const Head &a, const Head &b)
{
    quint64 x = a.high;
    quint64 y = b.high;
    quint32 base = 0;
    if (x == y) {
        x = a.low;
        y = b.low;
        base = 8;
        if (x == y)
            return 0;
    }
    const quint32 at = base + quint32(std::countl_zero(x ^ y)) / 8;
    if (at >= std::min(a.size, b.size))
        return 0;
    return x < y ? -1 : 1;
}

Head letterHead(QStringView text, const AsciiRanks &ranks)
{
    const char16_t *p = text.utf16();
    const qsizetype n = text.size();
    auto plain = [](char16_t c) { return c >= FirstPrintable && c <= LastPrintable; };
    auto latin = [&](char16_t c) -> const std::array<quint8, 2> * {
        if (c < FirstLatin || c > LastLatin || ranks.latin[size_t(c - FirstLatin)][0] == 0)
            return nullptr;
        return &ranks.latin[size_t(c - FirstLatin)];
    };
    char key[HeadBytes + MaxDigitRun + 4];
    size_t size = 0;
    size_t lastUnit = 0; // where the key of the last character (or number) began
    qsizetype i = 0;
    bool whole = true;
    while (i < n && size < HeadBytes) {
        const char16_t c = p[i];
        const size_t unit = size;
        if (c >= u'0' && c <= u'9') {
            qsizetype end = i;
            while (end < n && p[end] >= u'0' && p[end] <= u'9')
                ++end;
            if (end < n && !plain(p[end]) && !latin(p[end])) {
                whole = false; // the number may run on in other digits
                lastUnit = size;
                break;
            }
            qsizetype first = i;
            while (first < end - 1 && p[first] == u'0')
                ++first;
            if (end - first > MaxDigitRun) {
                whole = false;
                lastUnit = size;
                break;
            }
            key[size++] = char(ranks.digitRun);
            key[size++] = char(end - first);
            for (qsizetype k = first; k < end && size < sizeof key; ++k)
                key[size++] = char(p[k]);
            i = end;
        } else if (plain(c)) {
            key[size++] = char(ranks.rank[c]);
            ++i;
        } else if (const auto *r = latin(c)) {
            key[size++] = char((*r)[0]);
            if ((*r)[1])
                key[size++] = char((*r)[1]);
            ++i;
        } else {
            whole = false;
            break;
        }
        lastUnit = unit;
    }
    if (i < n || !whole)
        size = lastUnit;
    return headOfKey(key, size);
}

// A name the byte keys cannot take, with the collator's key and its head
// (its text is decoded again in the rare case that needs it).
struct CollatedName
{
    std::optional<QCollatorSortKey> key;
    Head head;
    quint32 index = 0;
};

std::vector<qsizetype> identity(size_t n)
{
    std::vector<qsizetype> order(n);
    for (size_t i = 0; i < n; ++i)
        order[i] = qsizetype(i);
    return order;
}

// Keys from this many names on are made on two threads.
constexpr size_t ParallelFrom = 4096;

// Calls f(from, to, part) for the two halves of [0, n) on two threads, or
// once for all of it (part 0).
template<typename F> void forRanges(size_t n, F &&f)
{
    if (n >= ParallelFrom && std::thread::hardware_concurrency() > 1) {
        const size_t half = n / 2;
        std::exception_ptr failed;
        std::thread second([&] {
            try {
                f(half, n, 1);
            } catch (...) {
                failed = std::current_exception();
            }
        });
        f(0, half, 0);
        second.join();
        if (failed)
            std::rethrow_exception(failed);
    } else {
        f(0, n, 0);
    }
}

// The names to sort, seen as text (QStringView) or as list bytes.
struct TextNames
{
    const std::vector<QStringView> &texts;
    size_t size() const { return texts.size(); }
    bool key(size_t i, const AsciiRanks &ranks, std::string *out) const
    {
        return asciiKey(texts[i].utf16(), texts[i].size(), ranks, out);
    }
    QString text(size_t i) const { return texts[i].toString(); }
    // Ordinal order of two names that both have byte keys.
    int compareAscii(size_t a, size_t b) const { return texts[a].compare(texts[b]); }
};

struct ByteNames
{
    const std::vector<QByteArrayView> &names;
    ListEncoding encoding;
    size_t size() const { return names.size(); }
    bool key(size_t i, const AsciiRanks &ranks, std::string *out) const
    {
        return asciiKey(names[i].data(), names[i].size(), ranks, out);
    }
    QString text(size_t i) const { return decodeListText(names[i], encoding); }
    int compareAscii(size_t a, size_t b) const
    {
        const QByteArrayView x = names[a];
        const QByteArrayView y = names[b];
        const qsizetype n = std::min(x.size(), y.size());
        const int c = n > 0 ? std::memcmp(x.data(), y.data(), size_t(n)) : 0;
        if (c != 0)
            return c;
        return x.size() < y.size() ? -1 : (x.size() > y.size() ? 1 : 0);
    }
};

// Sorts [first, last): the halves of a long range on two threads, then
// merged.
constexpr size_t ParallelSortFrom = 1 << 16;
template<typename T, typename Less> void sortRange(T *first, T *last, Less less)
{
    const size_t n = size_t(last - first);
    if (n < ParallelSortFrom || std::thread::hardware_concurrency() < 2) {
        std::sort(first, last, less);
        return;
    }
    T *const mid = first + n / 2;
    std::exception_ptr failed;
    std::thread second([&] {
        try {
            std::sort(mid, last, less);
        } catch (...) {
            failed = std::current_exception();
        }
    });
    std::sort(first, mid, less);
    second.join();
    if (failed)
        std::rethrow_exception(failed);
    std::inplace_merge(first, mid, last, less);
}

// The names[pick[k]] with the collator's keys, and the same in order (the
// sort moves pointers: a key is costly to copy).
struct Collated
{
    std::vector<CollatedName> names;
    std::vector<const CollatedName *> sorted;
};

template<typename Names>
Collated collatedInOrder(const Names &names, const std::vector<quint32> &pick,
                         const QLocale &collation, const AsciiRanks *ranks)
{
    Collated out;
    out.names.resize(pick.size());
    forRanges(pick.size(), [&](size_t from, size_t to, int) {
        // Each thread its own collator.
        const QCollator collator = makeCollator(collation);
        for (size_t k = from; k < to; ++k) {
            CollatedName &c = out.names[k];
            c.index = pick[k];
            const QString text = names.text(c.index);
            c.key.emplace(collator.sortKey(text));
            if (ranks)
                c.head = letterHead(text, *ranks);
        }
    });
    keysMade += qint64(out.names.size());
    // The heads beside the pointers: most comparisons read nothing else.
    std::vector<std::pair<Head, const CollatedName *>> byHead;
    byHead.reserve(out.names.size());
    for (const CollatedName &c : out.names)
        byHead.emplace_back(c.head, &c);
    using Entry = std::pair<Head, const CollatedName *>;
    sortRange(byHead.data(), byHead.data() + byHead.size(), [&](const Entry &x, const Entry &y) {
        if (const int c = compareHeads(x.first, y.first))
            return c < 0;
        const CollatedName *a = x.second;
        const CollatedName *b = y.second;
        if (const int c = a->key->compare(*b->key))
            return c < 0;
        // Equal keys (rare: names equal but for case) go by the texts.
        if (const int c = names.text(a->index).compare(names.text(b->index)))
            return c < 0;
        return a->index < b->index;
    });
    out.sorted.reserve(byHead.size());
    for (const Entry &e : byHead)
        out.sorted.push_back(e.second);
    return out;
}

template<typename Names>
std::vector<qsizetype> orderByCollator(const Names &names, const QLocale &collation,
                                       const AsciiRanks *ranks)
{
    std::vector<quint32> all(names.size());
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = quint32(i);
    const Collated collated = collatedInOrder(names, all, collation, ranks);
    std::vector<qsizetype> order;
    order.reserve(collated.sorted.size());
    for (const CollatedName *c : collated.sorted)
        order.push_back(c->index);
    return order;
}

} // namespace

struct NaturalSorter::Impl
{
    QLocale locale;
    std::shared_ptr<const AsciiRanks> ranks;
    QCollator collator;

    explicit Impl(const QLocale &l) : locale(l), ranks(asciiRanks(l)), collator(makeCollator(l))
    {
        // The collator sets itself up on first use: not while it is shared.
        collator.compare(u"a", u"b");
    }

    template<typename Names> std::vector<qsizetype> order(const Names &names) const
    {
        const size_t n = names.size();
        if (n < 2)
            return identity(n);
        if (!ranks->valid)
            return orderByCollator(names, locale, nullptr);

        // The names the byte keys cannot take: few of them, and the byte
        // keys do the rest; many, and the collator's keys do all.
        std::array<size_t, 2> othersOf{0, 0};
        forRanges(n, [&](size_t from, size_t to, int part) {
            size_t count = 0;
            for (size_t i = from; i < to; ++i)
                count += !names.key(i, *ranks, nullptr);
            othersOf[size_t(part)] = count;
        });
        const size_t others = othersOf[0] + othersOf[1];
        if (others * size_t(std::bit_width(n)) > n)
            return orderByCollator(names, locale, ranks.get());

        struct Part
        {
            std::string bytes;
            std::vector<ByteKey> keys;
            std::vector<quint32> others;
        };
        std::array<Part, 2> parts;
        forRanges(n, [&](size_t from, size_t to, int which) {
            Part &part = parts[size_t(which)];
            part.keys.reserve(to - from);
            for (size_t i = from; i < to; ++i) {
                const size_t at = part.bytes.size();
                if (names.key(i, *ranks, &part.bytes))
                    part.keys.push_back({at, nullptr, quint32(part.bytes.size() - at), quint32(i)});
                else
                    part.others.push_back(quint32(i));
            }
            // The buffer is complete: offsets become pointers.
            for (ByteKey &k : part.keys) {
                k.bytes = part.bytes.data() + k.head;
                k.head = headOf(k.bytes, k.size);
            }
        });
        std::vector<ByteKey> keys = std::move(parts[0].keys);
        keys.insert(keys.end(), parts[1].keys.begin(), parts[1].keys.end());
        std::vector<quint32> otherNames = std::move(parts[0].others);
        otherNames.insert(otherNames.end(), parts[1].others.begin(), parts[1].others.end());
        keysMade += qint64(keys.size());

        sortRange(keys.data(), keys.data() + keys.size(), [&](const ByteKey &a, const ByteKey &b) {
            if (const int c = compareKeys(a, b))
                return c < 0;
            if (const int c = names.compareAscii(a.index, b.index))
                return c < 0;
            return a.index < b.index;
        });
        std::vector<qsizetype> out;
        out.reserve(n);
        if (otherNames.empty()) {
            for (const ByteKey &k : keys)
                out.push_back(k.index);
            return out;
        }

        // The collated names in their order, each placed after the byte-keyed
        // names before it, found by halving from the previous one's place.
        const Collated collated = collatedInOrder(names, otherNames, locale, ranks.get());
        qint64 comparisons = 0;
        auto before = [&](const ByteKey &a, const CollatedName &b) {
            if (const int c = compareHeads(headOfKey(a.bytes, a.size), b.head))
                return c < 0;
            const QString text = names.text(a.index);
            const QString other = names.text(b.index);
            ++comparisons;
            if (const int c = collator.compare(text, other))
                return c < 0;
            if (const int c = text.compare(other))
                return c < 0;
            return a.index < b.index;
        };
        size_t placed = 0;
        for (const CollatedName *other : collated.sorted) {
            const CollatedName &c = *other;
            size_t first = placed;
            size_t count = keys.size() - placed;
            while (count > 0) {
                const size_t half = count / 2;
                if (before(keys[first + half], c)) {
                    first += half + 1;
                    count -= half + 1;
                } else {
                    count = half;
                }
            }
            for (; placed < first; ++placed)
                out.push_back(keys[placed].index);
            out.push_back(c.index);
        }
        for (; placed < keys.size(); ++placed)
            out.push_back(keys[placed].index);
        collatorComparisons += comparisons;
        return out;
    }
};

NaturalSorter::NaturalSorter(const QLocale &collation) : d(std::make_unique<Impl>(collation))
{}

NaturalSorter::~NaturalSorter() = default;

std::vector<qsizetype> NaturalSorter::order(const std::vector<QStringView> &texts) const
{
    return d->order(TextNames{texts});
}

std::vector<qsizetype> NaturalSorter::order(const std::vector<QByteArrayView> &names,
                                            ListEncoding encoding) const
{
    return d->order(ByteNames{names, encoding});
}

std::vector<qsizetype> naturalOrder(const std::vector<QStringView> &texts, const QLocale &collation)
{
    if (texts.size() < 2)
        return identity(texts.size());
    return NaturalSorter(collation).order(texts);
}

std::vector<qsizetype> naturalOrderByCollator(const std::vector<QStringView> &texts,
                                              const QLocale &collation)
{
    if (texts.size() < 2)
        return identity(texts.size());
    return orderByCollator(TextNames{texts}, collation, nullptr);
}

NaturalOrderCounts naturalOrderCounts()
{
    return {keysMade.load(), collatorComparisons.load()};
}

} // namespace corvane
