#include "Basket.h"

#include "listfile/ListLine.h"
#include "listfile/ListLoader.h"

#include <algorithm>

namespace corvane::basket {

namespace {

// The bits of [from, to) within one word (0 <= from < to <= 64).
std::uint64_t bitsOf(int from, int to)
{
    const std::uint64_t high = to == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << to) - 1;
    return high & ~((std::uint64_t(1) << from) - 1);
}

// Whole bytes of a four-decimal size, a part of a byte rounded up.
qint64 wholeBytesUp(ByteTotal size)
{
    const qint64 raw = size.raw();
    if (raw <= 0)
        return 0;
    return raw / ByteTotal::Scale + (raw % ByteTotal::Scale != 0 ? 1 : 0);
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

RoomOnTarget measure(const LoadedList &list, const Basket &basket, FileSystem fs, qint64 capacity,
                     qsizetype rootPrefixLength)
{
    RoomOnTarget room(fs, capacity);
    const LineStore &store = list.iGrid1;
    basket.forEachChosen([&](qsizetype i) {
        if (i >= store.count())
            return;
        const QByteArrayView line = store.line(i);
        const LineFields fields = lineFields(line);
        const qint64 size = fields.size ? wholeBytesUp(*fields.size) : 0;
        // A Windows-1252 byte or an ASCII one is one character; other UTF-8
        // paths are decoded to be counted.
        const QByteArrayView path = fields.path;
        const bool byteWide = store.encoding() == ListEncoding::Windows1252 ||
                              std::all_of(path.begin(), path.end(), [](char c) {
                                  return static_cast<unsigned char>(c) < 0x80;
                              });
        const qsizetype length = byteWide ? path.size() : store.decode(path).size();
        room.add(size, std::max<qsizetype>(length - rootPrefixLength, 0));
    });
    return room;
}

} // namespace corvane::basket
