#pragma once

#include "ByteScan.h"
#include "ListText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <utility>
#include <vector>

namespace corvane {

// The line store: every raw line of a loaded list, unchanged, sorted in
// ordinal (byte) order so that all lines beginning with one folder key stand
// together. It keeps the file's bytes as read and a small reference per
// line; text is decoded only where it is shown.
//
// A list of millions of lines keeps one reference per line, so they are
// small. Below 4 GiB of bytes a line is its 32-bit offset alone: a line ends
// at the first CR or LF after it (the loader cuts lines there, so none holds
// one). A bigger buffer, or lines that do not end so, take a LineRef each.
class LineStore
{
public:
    static constexpr qint64 NarrowLimit = 0xFFFFFFFFLL; // the last offset a narrow store holds

    // Where a line stands in the buffer, in 8 bytes. The offset takes 40
    // bits (1 TiB), the length 24; a line of LongLength bytes or more keeps
    // its length in a table of its own (LongLines), looked up by offset.
    struct LineRef
    {
        static constexpr quint64 LongLength = 0xFFFFFF;
        static constexpr qint64 MaxOffset = (qint64(1) << 40) - 1;
        quint64 packed = 0;

        LineRef() = default;
        // length is clipped to LongLength: a longer line's caller records it.
        LineRef(qint64 offset, qint64 length)
            : packed((quint64(offset) << 24) | quint64(qMin<qint64>(length, LongLength)))
        {}
        qint64 offset() const { return qint64(packed >> 24); }
        bool isLong() const { return (packed & LongLength) == LongLength; }
        qint64 shortLength() const { return qint64(packed & LongLength); }
    };

    // The lengths of the lines of LongLength bytes or more, by offset (added
    // in the file's order, so already sorted).
    class LongLines
    {
    public:
        void add(qint64 offset, qint64 length) { m_lines.push_back({offset, length}); }
        qint64 lengthAt(qint64 offset) const;

    private:
        std::vector<std::pair<qint64, qint64>> m_lines;
    };

    // A line's place and whole length, whatever its size.
    static qint64 lengthOf(const LineRef &r, const LongLines &longLines)
    {
        return r.isLong() ? longLines.lengthAt(r.offset()) : r.shortLength();
    }

    LineStore() = default;
    LineStore(QByteArray bytes, std::vector<LineRef> lines, LongLines longLines,
              ListEncoding encoding);
    // Lines that end at the first CR or LF after their offsets (or at the end
    // of bytes, which must be at most NarrowLimit + 1 long).
    LineStore(QByteArray bytes, std::vector<quint32> lineOffsets, ListEncoding encoding);

    qsizetype count() const { return qsizetype(m_narrow ? m_offsets.size() : m_lines.size()); }
    bool isEmpty() const { return count() == 0; }

    // Line i (from 0, in sorted order) as stored.
    QByteArrayView line(qsizetype i) const
    {
        if (m_narrow) {
            const char *p = m_bytes.constData() + m_offsets[size_t(i)];
            return QByteArrayView(p, findLineEnd(p, m_bytes.constData() + m_bytes.size()) - p);
        }
        return view(m_lines[size_t(i)]);
    }
    // Where line i begins, and how far a scan for its end may go: the line
    // is the bytes from begin up to the first CR or LF before bound, or up to
    // bound. Saves the scan for the end that line() makes, for a caller
    // that cuts the line in one pass of its own (cutPathAndSize).
    struct LineReach
    {
        const char *begin;
        const char *bound;
    };
    LineReach reach(qsizetype i) const
    {
        if (m_narrow)
            return {m_bytes.constData() + m_offsets[size_t(i)],
                    m_bytes.constData() + m_bytes.size()};
        const QByteArrayView v = view(m_lines[size_t(i)]);
        return {v.data(), v.data() + v.size()};
    }
    // Asks for the first 128 bytes of line i (the cache lines they touch) to
    // be fetched ahead of its reading: a pass over many lines in sorted
    // order meets them in an order the hardware cannot guess, and waits for
    // memory at every line without it. Only a hint: nothing is read, and
    // bytes past the buffer's end are never touched.
    void prefetchLine(qsizetype i) const
    {
        const char *p = reach(i).begin;
        __builtin_prefetch(p);
        __builtin_prefetch(p + 64);
        __builtin_prefetch(p + 127);
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
    QByteArrayView view(const LineRef &r) const
    {
        return QByteArrayView(m_bytes.constData() + r.offset(), lengthOf(r, m_longLines));
    }

    QByteArray m_bytes;
    bool m_narrow = true;
    std::vector<quint32> m_offsets; // narrow
    std::vector<LineRef> m_lines;   // wide
    LongLines m_longLines;
    ListEncoding m_encoding = ListEncoding::Windows1252;
};

} // namespace corvane
