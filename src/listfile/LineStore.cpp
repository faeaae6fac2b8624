#include "LineStore.h"

#include <algorithm>
#include <cstring>

namespace corvane {

qint64 LineStore::LongLines::lengthAt(qint64 offset) const
{
    const auto it = std::lower_bound(
        m_lines.begin(), m_lines.end(), offset,
        [](const std::pair<qint64, qint64> &line, qint64 at) { return line.first < at; });
    return it != m_lines.end() && it->first == offset ? it->second : qint64(LineRef::LongLength);
}

LineStore::LineStore(QByteArray bytes, std::vector<LineRef> lines, LongLines longLines,
                     ListEncoding encoding)
    : m_bytes(std::move(bytes))
    , m_narrow(false)
    , m_lines(std::move(lines))
    , m_longLines(std::move(longLines))
    , m_encoding(encoding)
{}

LineStore::LineStore(QByteArray bytes, std::vector<quint32> lineOffsets, ListEncoding encoding)
    : m_bytes(std::move(bytes))
    , m_narrow(true)
    , m_offsets(std::move(lineOffsets))
    , m_encoding(encoding)
{}

bool LineStore::lessOrdinal(QByteArrayView a, QByteArrayView b)
{
    const qsizetype n = qMin(a.size(), b.size());
    const int c = n ? std::memcmp(a.data(), b.data(), size_t(n)) : 0;
    return c < 0 || (c == 0 && a.size() < b.size());
}

qsizetype LineStore::lowerBound(QByteArrayView key) const
{
    // The first line not less than key, by halving [first, last).
    qsizetype first = 0;
    qsizetype n = count();
    while (n > 0) {
        const qsizetype half = n / 2;
        if (lessOrdinal(line(first + half), key)) {
            first += half + 1;
            n -= half + 1;
        } else {
            n = half;
        }
    }
    return first;
}

LineStore::Range LineStore::prefixRange(QByteArrayView prefix) const
{
    Range r;
    r.first = lowerBound(prefix);
    // Lines that begin with prefix follow the lower bound directly: the
    // first that does not, by halving.
    qsizetype first = r.first;
    qsizetype n = count() - first;
    while (n > 0) {
        const qsizetype half = n / 2;
        if (line(first + half).startsWith(prefix)) {
            first += half + 1;
            n -= half + 1;
        } else {
            n = half;
        }
    }
    r.last = first;
    return r;
}

void LineStore::clear()
{
    m_bytes = QByteArray();
    std::vector<LineRef>().swap(m_lines);
    std::vector<quint32>().swap(m_offsets);
    m_narrow = true;
    m_longLines = LongLines();
    m_encoding = ListEncoding::Windows1252;
}

} // namespace corvane
