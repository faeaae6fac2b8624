#pragma once

// The one home of the list line format: one line per recovered file, fields
// cut at every "," (no quoting, no escapes):
//   0 path ("\"-separated, component 0 is the top folder), 1 modification
//   date-time, 2 size in bytes, 3 attribute bits ";" check code, 4 status.
// Everything here works on the line's bytes as read and allocates nothing.

#include "ByteTotal.h"

#include <QByteArrayView>

#include <cstring>
#include <optional>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace corvane {

namespace ListField {
enum : int { Path = 0, Modified = 1, Size = 2, Attributes = 3, Status = 4, CompleteCount = 5 };
}

// Number of ","-separated fields (an empty line has one, empty, field).
int fieldCount(QByteArrayView line);

// Field `index` (from 0), or an empty view when the line has fewer fields.
QByteArrayView fieldAt(QByteArrayView line, int index);

// Calls f(int index, QByteArrayView field) for every field in order; f may
// return false to stop early.
template<typename F> void forEachField(QByteArrayView line, F &&f)
{
    qsizetype start = 0;
    int index = 0;
    for (;;) {
        const qsizetype comma = line.indexOf(',', start);
        const qsizetype end = comma < 0 ? line.size() : comma;
        if (!f(index, line.sliced(start, end - start)))
            return;
        if (comma < 0)
            return;
        start = comma + 1;
        ++index;
    }
}

// The leading number of a field, read the way sizes are read: leading blanks
// skipped, blanks inside ignored, an optional sign, digits with an optional
// "." fraction and an exponent; reading stops at the first character that
// cannot continue the number. No number at all reads as 0.
double leadingNumber(QByteArrayView field);

// The leading number as a four-decimal fixed-point byte count; nullopt when
// it does not fit the fixed-point range (such a size is not added).
std::optional<ByteTotal> leadingSize(QByteArrayView field);

// Field 2 read as a size into *size: an empty field is 0, anything else its
// leading size; false when that is beyond the range. A field of nothing but
// a few digits is read here, without a call.
inline bool readSizeField(QByteArrayView field, ByteTotal *size)
{
    if (field.isEmpty()) {
        *size = ByteTotal();
        return true;
    }
    if (field.size() <= 15) {
        qint64 v = 0;
        qsizetype i = 0;
        for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
            v = v * 10 + (field[i] - '0');
        if (i == field.size()) {
            qint64 raw = 0;
            if (__builtin_mul_overflow(v, ByteTotal::Scale, &raw))
                return false; // as ByteTotal::fromBytes: beyond the range
            *size = ByteTotal::fromRaw(raw);
            return true;
        }
    }
    const std::optional<ByteTotal> read = leadingSize(field);
    if (read)
        *size = *read;
    return read.has_value();
}

// What the loader takes from every line: field 0, field 1 (empty when the
// line has no field 1), the size read from field 2 (none when the line has no field 2 or its number
// is beyond the range), and field 4 when the line has five fields or more.
struct LineFields
{
    QByteArrayView path;
    QByteArrayView modified;
    std::optional<ByteTotal> size;
    QByteArrayView attributes; // field 3 ("16;6F9B1CC6"); empty when the line has fewer fields
    QByteArrayView status;
    bool hasStatus = false;
};

// Whether an attributes field says "folder": the number before its ";"
// (decimal digits from its start) has the directory bit (16).
inline bool hasFolderBit(QByteArrayView attributes)
{
    const char *const p = attributes.data();
    // Mostly two digits and the ";".
    if (attributes.size() >= 3 && p[2] == ';') {
        const unsigned d0 = unsigned(quint8(p[0])) - '0';
        const unsigned d1 = unsigned(quint8(p[1])) - '0';
        if (d0 <= 9 && d1 <= 9)
            return ((d0 * 10 + d1) & 0x10) != 0;
    }
    quint64 bits = 0;
    for (qsizetype i = 0; i < attributes.size() && i < 18; ++i) {
        const unsigned d = unsigned(quint8(attributes[i])) - '0';
        if (d > 9)
            break;
        bits = bits * 10 + d;
    }
    return (bits & 0x10) != 0;
}

// The fields from the commas that cut them: commas[k] ends field k, n of
// them were found (at most five count), end ends the line.
inline LineFields fieldsFromCommas(const char *begin, const char *end, const char *const *commas,
                                   int n)
{
    LineFields f;
    f.path = QByteArrayView(begin, (n > 0 ? commas[0] : end) - begin);
    if (n < 1)
        return f;
    f.modified = QByteArrayView(commas[0] + 1, (n > 1 ? commas[1] : end) - (commas[0] + 1));
    if (n < 2)
        return f;
    const char *sizeEnd = n > 2 ? commas[2] : end;
    ByteTotal size;
    if (readSizeField(QByteArrayView(commas[1] + 1, sizeEnd - (commas[1] + 1)), &size))
        f.size = size;
    if (n < 3)
        return f;
    f.attributes = QByteArrayView(commas[2] + 1, (n > 3 ? commas[3] : end) - (commas[2] + 1));
    if (n < 4)
        return f;
    f.status = QByteArrayView(commas[3] + 1, (n > 4 ? commas[4] : end) - (commas[3] + 1));
    f.hasStatus = true;
    return f;
}

// Cuts the line that starts at p in one pass over its bytes: its end (the
// first CR or LF, or end) in *lineEnd, and its fields.
inline LineFields cutLine(const char *p, const char *const end, const char **lineEnd)
{
    const char *const begin = p;
    const char *commas[5];
    int n = 0;
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i comma = _mm_set1_epi8(',');
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const unsigned eol =
            unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
        unsigned found = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, comma)));
        if (eol)
            found &= (eol & (0u - eol)) - 1; // only the commas before the line end
        for (; found && n < 5; found &= found - 1)
            commas[n++] = p + __builtin_ctz(found);
        if (eol) {
            *lineEnd = p + __builtin_ctz(eol);
            return fieldsFromCommas(begin, *lineEnd, commas, n);
        }
        p += 16;
    }
#endif
    for (; p < end && *p != '\r' && *p != '\n'; ++p) {
        if (*p == ',' && n < 5)
            commas[n++] = p;
    }
    *lineEnd = p;
    return fieldsFromCommas(begin, p, commas, n);
}

// The same for a line already cut (a view without CR or LF).
inline LineFields lineFields(QByteArrayView line)
{
    const char *lineEnd;
    return cutLine(line.data(), line.data() + line.size(), &lineEnd);
}

// What the room of a line takes from it: field 0, whether field 0 holds only
// bytes below 0x80, and the size read from field 2 exactly as LineFields
// reads it (hasSize false where LineFields::size is none: the line has no
// field 2, or its number is beyond the range).
struct PathAndSize
{
    QByteArrayView path;
    bool pathAscii = true;
    bool hasSize = false;
    ByteTotal size;
};

namespace detail {

// Where a cut of a line for its path and size stands: the commas found so
// far (n of them, at most three), and the high bits seen in field 0.
struct PathAndSizeScan
{
    const char *begin;
    const char *commas[3];
    int n = 0;
    unsigned pathHigh = 0;

    // The result once the third comma is found or the line ends at lineEnd.
    PathAndSize result(const char *lineEnd) const
    {
        PathAndSize f;
        f.path = QByteArrayView(begin, (n > 0 ? commas[0] : lineEnd) - begin);
        f.pathAscii = pathHigh == 0;
        if (n >= 2) {
            const char *sizeEnd = n > 2 ? commas[2] : lineEnd;
            f.hasSize =
                readSizeField(QByteArrayView(commas[1] + 1, sizeEnd - (commas[1] + 1)), &f.size);
        }
        return f;
    }

    // Goes on from p, 16 bytes at a time while there are 16, then a byte at a
    // time.
    PathAndSize finish(const char *p, const char *const end)
    {
#ifdef __SSE2__
        const __m128i cr = _mm_set1_epi8('\r');
        const __m128i lf = _mm_set1_epi8('\n');
        const __m128i comma = _mm_set1_epi8(',');
        while (end - p >= 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
            const unsigned eol = unsigned(
                _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
            unsigned found = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, comma)));
            if (eol)
                found &= (eol & (0u - eol)) - 1; // only the commas before the line end
            if (n == 0) {
                // The high bits of the bytes of field 0 in these 16.
                unsigned high = unsigned(_mm_movemask_epi8(v));
                if (const unsigned stop = found | eol)
                    high &= (stop & (0u - stop)) - 1;
                pathHigh |= high;
            }
            for (; found && n < 3; found &= found - 1)
                commas[n++] = p + __builtin_ctz(found);
            if (n == 3)
                return result(end); // the line end is not needed
            if (eol)
                return result(p + __builtin_ctz(eol));
            p += 16;
        }
#endif
        for (; p < end && *p != '\r' && *p != '\n'; ++p) {
            if (*p == ',') {
                commas[n++] = p;
                if (n == 3)
                    break;
            } else if (n == 0) {
                pathHigh |= static_cast<unsigned char>(*p) & 0x80u;
            }
        }
        return result(p);
    }
};

} // namespace detail

// The line that starts at p (it ends at its first CR or LF, or at end),
// cut only as far as the comma after field 2: field 3 and beyond are not
// read.
inline PathAndSize cutPathAndSize(const char *p, const char *const end)
{
    detail::PathAndSizeScan scan;
    scan.begin = p;
    return scan.finish(p, end);
}

#if defined(__x86_64__) && defined(__GNUC__)
// The same, 64 bytes at a time, for a processor with AVX2
// (__builtin_cpu_supports("avx2")): a path is read in one or two steps.
__attribute__((target("avx2"))) inline PathAndSize cutPathAndSizeAvx2(const char *p,
                                                                      const char *const end)
{
    detail::PathAndSizeScan scan;
    scan.begin = p;
    const __m256i cr = _mm256_set1_epi8('\r');
    const __m256i lf = _mm256_set1_epi8('\n');
    const __m256i comma = _mm256_set1_epi8(',');
    while (end - p >= 64) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p + 32));
        // Bit k of each mask: byte k of the 64.
        const quint64 eol =
            quint64(quint32(_mm256_movemask_epi8(
                _mm256_or_si256(_mm256_cmpeq_epi8(a, cr), _mm256_cmpeq_epi8(a, lf))))) |
            quint64(quint32(_mm256_movemask_epi8(
                _mm256_or_si256(_mm256_cmpeq_epi8(b, cr), _mm256_cmpeq_epi8(b, lf)))))
                << 32;
        quint64 found = quint64(quint32(_mm256_movemask_epi8(_mm256_cmpeq_epi8(a, comma)))) |
                        quint64(quint32(_mm256_movemask_epi8(_mm256_cmpeq_epi8(b, comma)))) << 32;
        if (eol)
            found &= (eol & (0 - eol)) - 1;
        if (scan.n == 0) {
            quint64 high = quint64(quint32(_mm256_movemask_epi8(a))) |
                           quint64(quint32(_mm256_movemask_epi8(b))) << 32;
            if (const quint64 stop = found | eol)
                high &= (stop & (0 - stop)) - 1;
            scan.pathHigh |= high != 0 ? 1u : 0u;
        }
        for (; found && scan.n < 3; found &= found - 1)
            scan.commas[scan.n++] = p + __builtin_ctzll(found);
        if (scan.n == 3)
            return scan.result(end);
        if (eol)
            return scan.result(p + __builtin_ctzll(eol));
        p += 64;
    }
    return scan.finish(p, end);
}
#endif

// Field 4 of a line that has exactly five fields: the status as the preset
// filter and the status words read it. nullopt when the line has fewer or
// more fields.
inline std::optional<QByteArrayView> statusOfFiveFields(QByteArrayView line)
{
    const char *p = line.data();
    const char *const end = p + line.size();
    const char *lastComma = nullptr;
    int commas = 0;
    while (p < end) {
        const auto *c = static_cast<const char *>(std::memchr(p, ',', size_t(end - p)));
        if (!c)
            break;
        if (++commas >= ListField::CompleteCount)
            return std::nullopt; // more than five fields
        lastComma = c;
        p = c + 1;
    }
    if (commas != ListField::CompleteCount - 1)
        return std::nullopt;
    return QByteArrayView(lastComma + 1, end - lastComma - 1);
}

// The folder path of a line: every "\"-component of field 0 but the last,
// each followed by "\" ('Data\Photos\a.jpg' gives 'Data\Photos\'); empty when
// field 0 holds no "\". Returns a view into the line.
QByteArrayView folderPathOf(QByteArrayView line);

// Component 0 of field 0 (the text before the first "\", or all of field 0).
QByteArrayView topComponentOf(QByteArrayView line);

} // namespace corvane
