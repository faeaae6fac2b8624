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
    : m_bytes(std::move(bytes)), m_lines(std::move(lines)), m_longLines(std::move(longLines)),
      m_encoding(encoding)
{}

bool LineStore::lessOrdinal(QByteArrayView a, QByteArrayView b)
{
    const qsizetype n = qMin(a.size(), b.size());
    const int c = n ? std::memcmp(a.data(), b.data(), size_t(n)) : 0;
    return c < 0 || (c == 0 && a.size() < b.size());
}

qsizetype LineStore::lowerBound(QByteArrayView key) const
{
    const auto it = std::lower_bound(
        m_lines.begin(), m_lines.end(), key, [this](const LineRef &r, QByteArrayView k) {
            return lessOrdinal(view(r), k);
        });
    return qsizetype(it - m_lines.begin());
}

LineStore::Range LineStore::prefixRange(QByteArrayView prefix) const
{
    Range r;
    r.first = lowerBound(prefix);
    // Lines that begin with prefix follow the lower bound directly.
    const auto it = std::partition_point(
        m_lines.begin() + r.first, m_lines.end(), [this, prefix](const LineRef &ref) {
            return view(ref).startsWith(prefix);
        });
    r.last = qsizetype(it - m_lines.begin());
    return r;
}

void LineStore::clear()
{
    m_bytes = QByteArray();
    std::vector<LineRef>().swap(m_lines);
    m_longLines = LongLines();
    m_encoding = ListEncoding::Windows1252;
}

} // namespace corvane
