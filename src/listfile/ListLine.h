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

// What the loader takes from every line: field 0, field 1 (empty when the
// line has no field 1), the size read from field 2 (none when the line has no field 2 or its number
// is beyond the range), and field 4 when the line has five fields or more.
struct LineFields
{
    QByteArrayView path;
    QByteArrayView modified;
    std::optional<ByteTotal> size;
    QByteArrayView status;
    bool hasStatus = false;
};

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
    const QByteArrayView sizeField(commas[1] + 1, sizeEnd - (commas[1] + 1));
    f.size = sizeField.isEmpty() ? std::optional<ByteTotal>(ByteTotal()) : leadingSize(sizeField);
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
