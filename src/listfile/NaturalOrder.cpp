#include "NaturalOrder.h"

#include "ChunkSort.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QHash>
#include <QMutex>
#include <QString>
#include <QtEndian>

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
#include <unicode/ucol.h>

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

quint64 headOf(const char *bytes, size_t size)
{
    quint64 head = 0;
    for (size_t k = 0; k < 8; ++k)
        head = (head << 8) | (k < size ? uchar(bytes[k]) : 0u);
    return head;
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

// A name the byte keys cannot take, in the collator's order: its index and
// the head of its letters (its text is decoded again in the rare case that
// needs it).
struct CollatedName
{
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
        runOnTwoThreads([&] { f(0, half, 0); }, [&] { f(half, n, 1); });
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

// The collator QCollator makes of a locale (ICU, numeric, case-insensitive,
// punctuation counted), opened here the way QCollator opens its own: its
// keys are the same bytes, but they come into one buffer, side by side,
// where QCollatorSortKey keeps each key behind two pointers on the heap and
// shows none of its bytes. Not valid where QCollator does without ICU (the
// C locale) or could not open it: the sort then takes QCollator's keys.
class IcuCollator
{
public:
    explicit IcuCollator(const QLocale &locale)
    {
        if (locale.language() == QLocale::C)
            return;
        QByteArray name = locale.bcp47Name().toLatin1();
        name.replace('-', '_');
        UErrorCode status = U_ZERO_ERROR;
        m_collator = ucol_open(name.constData(), &status);
        if (U_FAILURE(status)) {
            if (m_collator)
                ucol_close(m_collator);
            m_collator = nullptr;
            return;
        }
        set(UCOL_NORMALIZATION_MODE, UCOL_ON);
        set(UCOL_STRENGTH, UCOL_SECONDARY); // case-insensitive
        set(UCOL_NUMERIC_COLLATION, UCOL_ON);
        set(UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE); // punctuation counts
    }
    // A copy for another thread.
    IcuCollator(const IcuCollator &other)
    {
        if (!other.m_collator)
            return;
        UErrorCode status = U_ZERO_ERROR;
        m_collator = ucol_clone(other.m_collator, &status);
        if (U_FAILURE(status))
            throw std::bad_alloc(); // valid() must not change between copies
    }
    IcuCollator &operator=(const IcuCollator &) = delete;
    ~IcuCollator()
    {
        if (m_collator)
            ucol_close(m_collator);
    }

    bool valid() const { return m_collator != nullptr; }

    // Appends text's key without the zero byte that ends it (no other byte
    // of a key is zero) to out; returns its size.
    quint32 appendKey(QStringView text, std::string &out) const
    {
        const auto *units = reinterpret_cast<const UChar *>(text.utf16());
        const auto length = int32_t(text.size());
        const size_t at = out.size();
        const size_t guess = 16 + size_t(text.size()) * 2;
        out.resize(at + guess);
        int32_t size =
            ucol_getSortKey(m_collator, units, length, reinterpret_cast<uint8_t *>(out.data() + at),
                            int32_t(guess));
        if (size_t(size) > guess) {
            out.resize(at + size_t(size));
            size = ucol_getSortKey(m_collator, units, length,
                                   reinterpret_cast<uint8_t *>(out.data() + at), size);
        }
        const size_t bytes = size > 0 ? size_t(size) - 1 : 0;
        out.resize(at + bytes);
        return quint32(bytes);
    }

private:
    void set(UColAttribute attribute, UColAttributeValue value)
    {
        UErrorCode status = U_ZERO_ERROR;
        ucol_setAttribute(m_collator, attribute, value, &status);
    }

    UCollator *m_collator = nullptr;
};

// A name's key as it lies in a key buffer (no byte of it zero) and the name
// it stands for.
struct KeyRef
{
    const uchar *bytes;
    quint32 size;
    quint32 index;
};

// The eight key bytes from depth on as one number (big-endian, zeros past
// the key's end): chunks order as the keys do, and a chunk that ends in a
// zero byte holds the rest of its key.
quint64 chunkAt(const KeyRef &k, quint32 depth)
{
    const quint32 rest = k.size - depth;
    if (rest >= 8) {
        quint64 v;
        std::memcpy(&v, k.bytes + depth, 8);
        return qFromBigEndian(v);
    }
    quint64 v = 0;
    for (quint32 i = 0; i < rest; ++i)
        v |= quint64(k.bytes[depth + i]) << (56 - 8 * i);
    return v;
}

// Sorts keys by their bytes (the shorter first on a tie), equal keys by
// tieLess(index, index): a multikey quicksort on 8-byte chunks. Names of a
// wide folder share long beginnings ("Fotos 2014 ..."), which a comparison
// sort would read again at every step from keys all over memory; here the
// chunks at a range's depth are read once into a table beside the refs, and
// the partitions run over that table.
template<typename TieLess> class KeySorter
{
public:
    explicit KeySorter(const TieLess &tieLess) : m_tieLess(tieLess) {}

    bool less(const KeyRef &a, const KeyRef &b) const { return lessFrom(a, b, 0); }

    void sort(KeyRef *first, KeyRef *last)
    {
        const qsizetype n = last - first;
        if (n < 2)
            return;
        int budget = 2;
        for (qsizetype k = n; k > 1; k >>= 1)
            budget += 2;
        m_first = first;
        m_chunks.assign(size_t(n), 0);
        std::vector<Task> tasks;
        tasks.push_back({first, last, 0, budget, false});
        while (!tasks.empty()) {
            const Task t = tasks.back();
            tasks.pop_back();
            step(t, tasks);
        }
        std::vector<quint64>().swap(m_chunks);
    }

private:
    struct Task
    {
        KeyRef *lo;
        KeyRef *hi;
        quint32 depth; // the keys of [lo, hi) agree before it
        int budget;    // partitions left before a plain sort takes over
        bool chunked;  // the table holds the chunks of [lo, hi) at depth
    };

    bool lessFrom(const KeyRef &a, const KeyRef &b, quint32 depth) const
    {
        const quint32 n = std::min(a.size, b.size) - depth;
        if (n > 0) {
            if (const int c = std::memcmp(a.bytes + depth, b.bytes + depth, n))
                return c < 0;
        }
        if (a.size != b.size)
            return a.size < b.size;
        return m_tieLess(a.index, b.index);
    }

    void step(const Task &t, std::vector<Task> &tasks)
    {
        KeyRef *lo = t.lo;
        KeyRef *hi = t.hi;
        const quint32 depth = t.depth;
        const qsizetype n = hi - lo;
        if (n < 2)
            return;
        auto lessHere = [this, depth](const KeyRef &a, const KeyRef &b) {
            return lessFrom(a, b, depth);
        };
        if (n <= 12) {
            for (KeyRef *i = lo + 1; i < hi; ++i) {
                const KeyRef v = *i;
                KeyRef *j = i;
                for (; j > lo && lessHere(v, *(j - 1)); --j)
                    *j = *(j - 1);
                *j = v;
            }
            return;
        }
        if (t.budget <= 0) {
            std::sort(lo, hi, lessHere);
            return;
        }
        quint64 *const chunks = m_chunks.data() + (lo - m_first);
        if (!t.chunked) {
            for (qsizetype k = 0; k < n; ++k)
                chunks[k] = chunkAt(lo[k], depth);
        }
        const auto [lt, gt, pivot] = partitionByChunk(chunks, lo, n);
        tasks.push_back({lo, lo + lt, depth, t.budget - 1, true});
        tasks.push_back({lo + gt, hi, depth, t.budget - 1, true});
        if ((pivot & 0xFF) != 0) {
            // Eight equal bytes, and the keys go on.
            tasks.push_back({lo + lt, lo + gt, depth + 8, t.budget, false});
        } else {
            // The keys end here and are equal: the names decide.
            std::sort(lo + lt, lo + gt, [this](const KeyRef &x, const KeyRef &y) {
                return m_tieLess(x.index, y.index);
            });
        }
    }

    const TieLess &m_tieLess;
    KeyRef *m_first = nullptr;
    std::vector<quint64> m_chunks; // in the refs' places
};

// Sorts keys with KeySorter; a long range on two threads, split first at
// the median of a sample (everything below it to one side): the same order
// as one sort, and nothing to merge.
constexpr size_t ParallelSortFrom = 1 << 16;
template<typename TieLess> void sortKeys(std::vector<KeyRef> &keys, const TieLess &tieLess)
{
    KeySorter<TieLess> sorter(tieLess);
    if (keys.size() < ParallelSortFrom || std::thread::hardware_concurrency() < 2) {
        sorter.sort(keys.data(), keys.data() + keys.size());
        return;
    }
    KeyRef *const first = keys.data();
    KeyRef *const last = first + keys.size();
    KeyRef *const mid = splitAtSampleMedian(
        first, last, [&sorter](const KeyRef &a, const KeyRef &b) { return sorter.less(a, b); });
    runOnTwoThreads([&] { sorter.sort(first, mid); },
                    [&] {
                        KeySorter<TieLess> upper(tieLess); // a chunk table of its own
                        upper.sort(mid, last);
                    });
}

// Keys in a buffer of their own, one buffer a thread: the refs get their
// pointers once the buffer is complete (it moves while it grows).
struct KeyPart
{
    std::string bytes;
    std::vector<KeyRef> keys;
    std::vector<quint32> others; // names without a key of this kind

    void pointKeys()
    {
        const auto *at = reinterpret_cast<const uchar *>(bytes.data());
        for (KeyRef &k : keys) {
            k.bytes = at;
            at += k.size;
        }
    }
};

std::vector<KeyRef> joined(std::array<KeyPart, 2> &parts)
{
    std::vector<KeyRef> keys = std::move(parts[0].keys);
    keys.insert(keys.end(), parts[1].keys.begin(), parts[1].keys.end());
    std::vector<KeyRef>().swap(parts[1].keys);
    return keys;
}

// The names[pick[k]] in the collator's order, by ICU's keys; with their
// letter heads when ranks are given.
template<typename Names>
std::vector<CollatedName> collatedByIcu(const Names &names, const std::vector<quint32> &pick,
                                        const IcuCollator &icu, const AsciiRanks *ranks)
{
    std::array<KeyPart, 2> parts;
    std::vector<Head> heads(ranks ? pick.size() : 0);
    forRanges(pick.size(), [&](size_t from, size_t to, int which) {
        std::optional<IcuCollator> own; // each thread its own collator
        if (which != 0)
            own.emplace(icu);
        const IcuCollator &collator = own ? *own : icu;
        KeyPart &part = parts[size_t(which)];
        part.keys.reserve(to - from);
        part.bytes.reserve((to - from) * 40);
        for (size_t k = from; k < to; ++k) {
            const QString text = names.text(pick[k]);
            const quint32 size = collator.appendKey(text, part.bytes);
            part.keys.push_back({nullptr, size, quint32(k)});
            if (ranks)
                heads[k] = letterHead(text, *ranks);
        }
        part.pointKeys();
    });
    keysMade += qint64(pick.size());
    std::vector<KeyRef> keys = joined(parts);
    // Equal keys (rare: names equal but for case) go by the texts.
    auto tieLess = [&](quint32 a, quint32 b) {
        if (const int c = names.text(pick[a]).compare(names.text(pick[b])))
            return c < 0;
        return pick[a] < pick[b];
    };
    sortKeys(keys, tieLess);
    std::vector<CollatedName> out;
    out.reserve(keys.size());
    for (const KeyRef &k : keys)
        out.push_back({ranks ? heads[k.index] : Head{}, pick[k.index]});
    return out;
}

// Sorts [first, last): the halves of a long range on two threads, then
// merged.
template<typename T, typename Less> void sortRange(T *first, T *last, Less less)
{
    const size_t n = size_t(last - first);
    if (n < ParallelSortFrom || std::thread::hardware_concurrency() < 2) {
        std::sort(first, last, less);
        return;
    }
    T *const mid = first + n / 2;
    runOnTwoThreads([&] { std::sort(first, mid, less); }, [&] { std::sort(mid, last, less); });
    std::inplace_merge(first, mid, last, less);
}

// The same order by QCollator's own keys: where ICU is not at hand, and as
// the reference for tests.
template<typename Names>
std::vector<CollatedName> collatedByQt(const Names &names, const std::vector<quint32> &pick,
                                       const QLocale &collation, const AsciiRanks *ranks)
{
    struct Keyed
    {
        std::optional<QCollatorSortKey> key;
        Head head;
        quint32 index = 0;
    };
    std::vector<Keyed> keyed(pick.size());
    forRanges(pick.size(), [&](size_t from, size_t to, int) {
        // Each thread its own collator.
        const QCollator collator = makeCollator(collation);
        for (size_t k = from; k < to; ++k) {
            Keyed &c = keyed[k];
            c.index = pick[k];
            const QString text = names.text(c.index);
            c.key.emplace(collator.sortKey(text));
            if (ranks)
                c.head = letterHead(text, *ranks);
        }
    });
    keysMade += qint64(keyed.size());
    // The sort moves pointers: a key is costly to copy.
    std::vector<const Keyed *> sorted;
    sorted.reserve(keyed.size());
    for (const Keyed &c : keyed)
        sorted.push_back(&c);
    sortRange(sorted.data(), sorted.data() + sorted.size(), [&](const Keyed *a, const Keyed *b) {
        if (ranks) {
            if (const int c = compareHeads(a->head, b->head))
                return c < 0;
        }
        if (const int c = a->key->compare(*b->key))
            return c < 0;
        // Equal keys (rare: names equal but for case) go by the texts.
        if (const int c = names.text(a->index).compare(names.text(b->index)))
            return c < 0;
        return a->index < b->index;
    });
    std::vector<CollatedName> out;
    out.reserve(sorted.size());
    for (const Keyed *c : sorted)
        out.push_back({c->head, c->index});
    return out;
}

std::vector<quint32> allOf(size_t n)
{
    std::vector<quint32> all(n);
    for (size_t i = 0; i < n; ++i)
        all[i] = quint32(i);
    return all;
}

std::vector<qsizetype> indexesOf(const std::vector<CollatedName> &sorted)
{
    std::vector<qsizetype> order;
    order.reserve(sorted.size());
    for (const CollatedName &c : sorted)
        order.push_back(c.index);
    return order;
}

} // namespace

struct NaturalSorter::Impl
{
    QLocale locale;
    std::shared_ptr<const AsciiRanks> ranks;
    QCollator collator;
    IcuCollator icu;

    explicit Impl(const QLocale &l)
        : locale(l), ranks(asciiRanks(l)), collator(makeCollator(l)), icu(l)
    {
        // The collator sets itself up on first use: not while it is shared.
        collator.compare(u"a", u"b");
    }

    template<typename Names>
    std::vector<CollatedName> collated(const Names &names, const std::vector<quint32> &pick,
                                       const AsciiRanks *withHeads) const
    {
        if (icu.valid())
            return collatedByIcu(names, pick, icu, withHeads);
        // QCollator's keys are compared behind pointers: the heads spare
        // most of those comparisons.
        return collatedByQt(names, pick, locale, ranks->valid ? ranks.get() : nullptr);
    }

    template<typename Names> std::vector<qsizetype> order(const Names &names) const
    {
        const size_t n = names.size();
        if (n < 2)
            return identity(n);
        if (!ranks->valid)
            return indexesOf(collated(names, allOf(n), nullptr));

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
            return indexesOf(collated(names, allOf(n), nullptr));

        std::array<KeyPart, 2> parts;
        forRanges(n, [&](size_t from, size_t to, int which) {
            KeyPart &part = parts[size_t(which)];
            part.keys.reserve(to - from);
            for (size_t i = from; i < to; ++i) {
                const size_t at = part.bytes.size();
                if (names.key(i, *ranks, &part.bytes))
                    part.keys.push_back({nullptr, quint32(part.bytes.size() - at), quint32(i)});
                else
                    part.others.push_back(quint32(i));
            }
            part.pointKeys();
        });
        std::vector<quint32> otherNames = std::move(parts[0].others);
        otherNames.insert(otherNames.end(), parts[1].others.begin(), parts[1].others.end());
        std::vector<KeyRef> keys = joined(parts);
        keysMade += qint64(keys.size());

        auto tieLess = [&](quint32 a, quint32 b) {
            if (const int c = names.compareAscii(a, b))
                return c < 0;
            return a < b;
        };
        sortKeys(keys, tieLess);
        std::vector<qsizetype> out;
        out.reserve(n);
        if (otherNames.empty()) {
            for (const KeyRef &k : keys)
                out.push_back(k.index);
            return out;
        }

        // The collated names in their order, each placed after the byte-keyed
        // names before it, found by halving from the previous one's place.
        const std::vector<CollatedName> collatedNames = collated(names, otherNames, ranks.get());
        qint64 comparisons = 0;
        auto before = [&](const KeyRef &a, const CollatedName &b) {
            if (const int c = compareHeads(
                    headOfKey(reinterpret_cast<const char *>(a.bytes), a.size), b.head))
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
        for (const CollatedName &c : collatedNames) {
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
    return indexesOf(collatedByQt(TextNames{texts}, allOf(texts.size()), collation, nullptr));
}

NaturalOrderCounts naturalOrderCounts()
{
    return {keysMade.load(), collatorComparisons.load()};
}

} // namespace corvane
