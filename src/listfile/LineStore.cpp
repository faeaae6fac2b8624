#include "LineStore.h"

#include <algorithm>
#include <cstring>

namespace corvane {

LineStore::LineStore(QByteArray bytes, std::vector<LineRef> lines, ListEncoding encoding)
    : m_bytes(std::move(bytes)), m_lines(std::move(lines)), m_encoding(encoding)
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
            return lessOrdinal(QByteArrayView(m_bytes.constData() + r.offset, r.length), k);
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
            return QByteArrayView(m_bytes.constData() + ref.offset, ref.length).startsWith(prefix);
        });
    r.last = qsizetype(it - m_lines.begin());
    return r;
}

void LineStore::clear()
{
    m_bytes = QByteArray();
    std::vector<LineRef>().swap(m_lines);
    m_encoding = ListEncoding::Windows1252;
}

} // namespace corvane
