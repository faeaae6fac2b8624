#include "NaturalOrder.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QHash>
#include <QMutex>
#include <QString>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>

// A collation sort key costs about a microsecond a name: a folder of 100,000
// files would wait a tenth of a second for its keys alone. Most names are
// plain ASCII, and for those the collator's order is simple: every printable
// ASCII character has one primary weight (no contractions, nothing ignorable
// when punctuation counts), letters of both cases share theirs, and a run of
// digits weighs as its number. So such a name gets a byte key built from the
// collator's own ranking of the ASCII characters, compared with memcmp; any
// other name is compared by the collator itself.

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
};

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
    out.digitRun = out.rank[u'0'];
    out.valid = true;
    return out;
}

const AsciiRanks &asciiRanks(const QLocale &locale)
{
    static QMutex mutex;
    static QHash<QString, std::shared_ptr<const AsciiRanks>> cache;
    const QString name = locale.bcp47Name() + u'|' + locale.name();
    QMutexLocker lock(&mutex);
    auto it = cache.constFind(name);
    if (it == cache.constEnd())
        it = cache.insert(name, std::make_shared<const AsciiRanks>(rankAscii(locale)));
    return *it.value();
}

// The byte key of a printable-ASCII text, or nullopt for any other text.
std::optional<std::string> asciiKey(QStringView text, const AsciiRanks &ranks)
{
    std::string key;
    key.reserve(size_t(text.size()) + 2);
    const char16_t *p = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        const char16_t c = p[i];
        if (c < FirstPrintable || c > LastPrintable)
            return std::nullopt;
        if (c >= u'0' && c <= u'9') {
            qsizetype end = i;
            while (end < n && p[end] >= u'0' && p[end] <= u'9')
                ++end;
            qsizetype first = i;
            while (first < end - 1 && p[first] == u'0')
                ++first; // the number's value: leading zeros do not count
            const qsizetype digits = end - first;
            if (digits > MaxDigitRun)
                return std::nullopt;
            key.push_back(char(ranks.digitRun));
            key.push_back(char(digits));
            for (qsizetype k = first; k < end; ++k)
                key.push_back(char(p[k]));
            i = end;
            continue;
        }
        key.push_back(char(ranks.rank[c]));
        ++i;
    }
    return key;
}

int compareKeys(const std::string &a, const std::string &b)
{
    const int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (c != 0)
        return c;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::vector<qsizetype> identity(size_t n)
{
    std::vector<qsizetype> order(n);
    for (size_t i = 0; i < n; ++i)
        order[i] = qsizetype(i);
    return order;
}

// Keys from this many names on are made on two threads.
constexpr size_t ParallelFrom = 4096;

template<typename F> void forRanges(size_t n, F &&f)
{
    if (n >= ParallelFrom && std::thread::hardware_concurrency() > 1) {
        const size_t half = n / 2;
        std::thread second([&] { f(half, n); });
        f(0, half);
        second.join();
    } else {
        f(0, n);
    }
}

} // namespace

std::vector<qsizetype> naturalOrderByCollator(const std::vector<QStringView> &texts,
                                              const QLocale &collation)
{
    std::vector<qsizetype> order = identity(texts.size());
    if (texts.size() < 2)
        return order;
    std::vector<std::optional<QCollatorSortKey>> keys(texts.size());
    forRanges(texts.size(), [&](size_t from, size_t to) {
        // Each thread its own collator.
        const QCollator collator = makeCollator(collation);
        for (size_t i = from; i < to; ++i)
            keys[i].emplace(collator.sortKey(texts[i].toString()));
    });
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int c = keys[size_t(a)]->compare(*keys[size_t(b)]);
        if (c != 0)
            return c < 0;
        return texts[size_t(a)].compare(texts[size_t(b)]) < 0;
    });
    return order;
}

std::vector<qsizetype> naturalOrder(const std::vector<QStringView> &texts, const QLocale &collation)
{
    std::vector<qsizetype> order = identity(texts.size());
    if (texts.size() < 2)
        return order;
    const AsciiRanks &ranks = asciiRanks(collation);
    if (!ranks.valid)
        return naturalOrderByCollator(texts, collation);

    std::vector<std::optional<std::string>> keys(texts.size());
    std::array<size_t, 2> others{0, 0};
    forRanges(texts.size(), [&](size_t from, size_t to) {
        size_t count = 0;
        for (size_t i = from; i < to; ++i) {
            keys[i] = asciiKey(texts[i], ranks);
            count += !keys[i];
        }
        others[from == 0 ? 0 : 1] += count;
    });
    const size_t other = others[0] + others[1];
    // Many names the keys cannot take: the collator's own keys are cheaper
    // than comparing each pair.
    if (other * 50 > texts.size())
        return naturalOrderByCollator(texts, collation);

    const QCollator collator = makeCollator(collation);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const auto &ka = keys[size_t(a)];
        const auto &kb = keys[size_t(b)];
        const int c =
            ka && kb ? compareKeys(*ka, *kb) : collator.compare(texts[size_t(a)], texts[size_t(b)]);
        if (c != 0)
            return c < 0;
        return texts[size_t(a)].compare(texts[size_t(b)]) < 0;
    });
    return order;
}

} // namespace corvane
