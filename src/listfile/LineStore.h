#pragma once

#include "ListText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

namespace corvane {

// The line store: every raw line of a loaded list, unchanged, sorted in
// ordinal (byte) order so that all lines beginning with one folder key stand
// together. It keeps the file's bytes as read and a small view per line;
// text is decoded only where it is shown.
class LineStore
{
public:
    struct LineRef
    {
        qint64 offset = 0;
        qint64 length = 0;
    };

    LineStore() = default;
    LineStore(QByteArray bytes, std::vector<LineRef> lines, ListEncoding encoding);

    qsizetype count() const { return qsizetype(m_lines.size()); }
    bool isEmpty() const { return m_lines.empty(); }

    // Line i (from 0, in sorted order) as stored.
    QByteArrayView line(qsizetype i) const
    {
        const LineRef &r = m_lines[size_t(i)];
        return QByteArrayView(m_bytes.constData() + r.offset, r.length);
    }
    // Line i decoded for display.
    QString text(qsizetype i) const { return decodeListText(line(i), m_encoding); }

    ListEncoding encoding() const { return m_encoding; }
    QString decode(QByteArrayView bytes) const { return decodeListText(bytes, m_encoding); }
    // Text in this store's byte form (ok false: no line can hold it).
    QByteArray encode(QStringView text, bool *ok = nullptr) const
    {
        return encodeListText(text, m_encoding, ok);
    }

    // Index of the first line not less than key, and of the first line that
    // does not begin with prefix after it: [first, last) is the stretch of
    // lines beginning with prefix. Binary search, O(log n).
    qsizetype lowerBound(QByteArrayView key) const;
    struct Range
    {
        qsizetype first = 0;
        qsizetype last = 0; // one past the end
        bool isEmpty() const { return first >= last; }
        qsizetype size() const { return last - first; }
    };
    Range prefixRange(QByteArrayView prefix) const;

    // The underlying buffer (views into it stay valid while the store lives).
    const QByteArray &bytes() const { return m_bytes; }

    void clear();

    // Ordinal byte order of two lines, the order the store is sorted in.
    static bool lessOrdinal(QByteArrayView a, QByteArrayView b);

private:
    QByteArray m_bytes;
    std::vector<LineRef> m_lines;
    ListEncoding m_encoding = ListEncoding::Windows1252;
};

} // namespace corvane
