#include "Basket.h"

#include "LineRoom.h"
#include "listfile/ChunkSort.h"
#include "listfile/ListLine.h"
#include "listfile/ListLoader.h"

#include <algorithm>
#include <thread>

namespace corvane::basket {

namespace {

// The bits of [from, to) within one word (0 <= from < to <= 64).
std::uint64_t bitsOf(int from, int to)
{
    const std::uint64_t high = to == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << to) - 1;
    return high & ~((std::uint64_t(1) << from) - 1);
}

} // namespace

Basket::Basket(qsizetype lineCount)
    : m_words(std::size_t((std::max<qsizetype>(lineCount, 0) + 63) / 64), 0)
    , m_lines(std::max<qsizetype>(lineCount, 0))
{}

bool Basket::contains(qsizetype line) const
{
    if (line < 0 || line >= m_lines)
        return false;
    return (m_words[std::size_t(line / 64)] >> (line % 64) & 1) != 0;
}

void Basket::set(qsizetype line, bool chosen)
{
    setRange(line, line + 1, chosen);
}

void Basket::setRange(qsizetype first, qsizetype last, bool chosen)
{
    first = std::max<qsizetype>(first, 0);
    last = std::min(last, m_lines);
    while (first < last) {
        const std::size_t w = std::size_t(first / 64);
        const int from = int(first % 64);
        const int to = int(std::min<qsizetype>(last - qsizetype(w) * 64, 64));
        const std::uint64_t mask = bitsOf(from, to);
        std::uint64_t &word = m_words[w];
        const int before = std::popcount(word & mask);
        if (chosen)
            word |= mask;
        else
            word &= ~mask;
        m_count += std::popcount(word & mask) - before;
        first = qsizetype(w) * 64 + to;
    }
}

qsizetype Basket::countIn(qsizetype first, qsizetype last) const
{
    first = std::max<qsizetype>(first, 0);
    last = std::min(last, m_lines);
    qsizetype n = 0;
    while (first < last) {
        const std::size_t w = std::size_t(first / 64);
        const int from = int(first % 64);
        const int to = int(std::min<qsizetype>(last - qsizetype(w) * 64, 64));
        n += std::popcount(m_words[w] & bitsOf(from, to));
        first = qsizetype(w) * 64 + to;
    }
    return n;
}

void Basket::clear()
{
    std::fill(m_words.begin(), m_words.end(), 0);
    m_count = 0;
}

namespace {

// Fewer chosen lines than this are measured on one thread.
constexpr qsizetype ParallelFrom = 100000;
// Lines measured between two looks at stop.
constexpr qsizetype StopCheckLines = 4096;
// How many chosen lines ahead of its reading a line's bytes are asked for.
constexpr int PrefetchAhead = 16;

// Measures chosen lines of one store.
class Measurer
{
public:
    Measurer(const LineStore &store, const Basket &basket, qsizetype rootPrefixLength,
             const std::atomic<bool> *stop)
        : m_store(store)
        , m_basket(basket)
        , m_lines(store.count())
        , m_rootPrefixLength(rootPrefixLength)
        , m_stop(stop)
    {
#if defined(__x86_64__) && defined(__GNUC__)
        if (__builtin_cpu_supports("avx2"))
            m_cut = cutPathAndSizeAvx2;
#endif
    }

    // The words of bits that hold lines of the store.
    std::size_t words() const
    {
        return std::min(m_basket.wordCount(), std::size_t((m_lines + 63) / 64));
    }

    // The first word of the second half of the chosen lines in [0, words).
    std::size_t middleWord() const
    {
        const std::size_t n = words();
        qsizetype total = 0;
        for (std::size_t w = 0; w < n; ++w)
            total += std::popcount(m_basket.word(w));
        qsizetype seen = 0;
        for (std::size_t w = 0; w < n; ++w) {
            if (seen * 2 >= total)
                return w;
            seen += std::popcount(m_basket.word(w));
        }
        return n;
    }

    // The chosen lines of words [first, last) into room; false when stop was
    // seen set.
    bool measureWords(std::size_t first, std::size_t last, RoomOnTarget &room) const
    {
        // Each line's bytes are asked for PrefetchAhead chosen lines before
        // they are read.
        ChosenLines lead(*this, first, last);
        for (int k = 0; k < PrefetchAhead; ++k) {
            const qsizetype j = lead.next();
            if (j < 0)
                break;
            m_store.prefetchLine(j);
        }
        ChosenLines trail(*this, first, last);
        for (qsizetype n = 0;; ++n) {
            if (m_stop && n % StopCheckLines == 0 && m_stop->load(std::memory_order_relaxed))
                return false;
            const qsizetype i = trail.next();
            if (i < 0)
                return true;
            if (const qsizetype j = lead.next(); j >= 0)
                m_store.prefetchLine(j);
            measureLine(i, room);
        }
    }

private:
    void measureLine(qsizetype i, RoomOnTarget &room) const
    {
        const LineStore::LineReach line = m_store.reach(i);
        const LineRoom counted =
            lineRoom(m_store, m_cut(line.begin, line.bound), m_rootPrefixLength);
        room.add(counted.size, counted.pathLength);
    }

    // The chosen lines of words [first, last) in order, whole empty words
    // skipped.
    class ChosenLines
    {
    public:
        ChosenLines(const Measurer &m, std::size_t first, std::size_t last)
            : m_basket(m.m_basket)
            , m_lines(m.m_lines)
            , m_word(first)
            , m_last(last)
            , m_bits(first < last ? m_basket.word(first) : 0)
        {}
        // The next one, or -1 after the last.
        qsizetype next()
        {
            while (m_bits == 0) {
                if (++m_word >= m_last)
                    return -1;
                m_bits = m_basket.word(m_word);
            }
            const qsizetype i = qsizetype(m_word * 64 + std::size_t(std::countr_zero(m_bits)));
            m_bits &= m_bits - 1;
            if (i >= m_lines) { // a basket longer than the store
                m_bits = 0;
                m_word = m_last;
                return -1;
            }
            return i;
        }

    private:
        const Basket &m_basket;
        qsizetype m_lines;
        std::size_t m_word;
        std::size_t m_last;
        std::uint64_t m_bits;
    };

    const LineStore &m_store;
    const Basket &m_basket;
    qsizetype m_lines;
    qsizetype m_rootPrefixLength;
    const std::atomic<bool> *m_stop;
    PathAndSize (*m_cut)(const char *, const char *) = cutPathAndSize;
};

std::optional<RoomOnTarget> measureUnlessStopped(const LoadedList &list, const Basket &basket,
                                                 FileSystem fs, qint64 capacity,
                                                 qsizetype rootPrefixLength,
                                                 const std::atomic<bool> *stop)
{
    const Measurer measurer(list.iGrid1, basket, rootPrefixLength, stop);
    const std::size_t words = measurer.words();
    RoomOnTarget room(fs, capacity);
    if (basket.count() < ParallelFrom || std::thread::hardware_concurrency() < 2) {
        if (!measurer.measureWords(0, words, room))
            return std::nullopt;
        return room;
    }
    const std::size_t middle = measurer.middleWord();
    RoomOnTarget second(fs, capacity);
    bool firstDone = false;
    bool secondDone = false;
    runOnTwoThreads([&] { firstDone = measurer.measureWords(0, middle, room); },
                    [&] { secondDone = measurer.measureWords(middle, words, second); });
    if (!firstDone || !secondDone)
        return std::nullopt;
    room.merge(second);
    return room;
}

} // namespace

RoomOnTarget measure(const LoadedList &list, const Basket &basket, FileSystem fs, qint64 capacity,
                     qsizetype rootPrefixLength)
{
    return *measureUnlessStopped(list, basket, fs, capacity, rootPrefixLength, nullptr);
}

std::optional<RoomOnTarget> measure(const LoadedList &list, const Basket &basket, FileSystem fs,
                                    qint64 capacity, qsizetype rootPrefixLength,
                                    const std::atomic<bool> &stop)
{
    return measureUnlessStopped(list, basket, fs, capacity, rootPrefixLength, &stop);
}

} // namespace corvane::basket
