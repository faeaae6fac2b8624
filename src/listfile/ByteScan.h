#pragma once

// Byte scans shared by the loader, the searches and the text helpers: the
// hot loops over a list's bytes, in one place.

#include <QByteArrayView>

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace corvane {

// The first CR or LF at or after p, or end.
inline const char *findLineEnd(const char *p, const char *end)
{
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const int mask =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        if (mask)
            return p + __builtin_ctz(unsigned(mask));
        p += 16;
    }
#endif
    for (; p < end; ++p) {
        if (*p == '\r' || *p == '\n')
            return p;
    }
    return end;
}

// The start of the line after the one ending at lineEnd (CR LF is one end).
inline const char *afterLineEnd(const char *lineEnd, const char *end)
{
    if (lineEnd >= end)
        return end;
    if (*lineEnd == '\r' && lineEnd + 1 < end && lineEnd[1] == '\n')
        return lineEnd + 2;
    return lineEnd + 1;
}

// Whether n bytes at a and b are the same. Short runs (a status word, a
// name) are compared with a few overlapping loads instead of a call.
inline bool sameBytes(const char *a, const char *b, qsizetype n)
{
    auto load8 = [](const char *p) {
        quint64 v;
        std::memcpy(&v, p, 8);
        return v;
    };
    auto load4 = [](const char *p) {
        quint32 v;
        std::memcpy(&v, p, 4);
        return v;
    };
    if (n >= 8 && n <= 16)
        return load8(a) == load8(b) && load8(a + n - 8) == load8(b + n - 8);
    if (n >= 4 && n < 8)
        return load4(a) == load4(b) && load4(a + n - 4) == load4(b + n - 4);
    if (n < 4) {
        for (qsizetype i = 0; i < n; ++i) {
            if (a[i] != b[i])
                return false;
        }
        return true;
    }
    return std::memcmp(a, b, size_t(n)) == 0;
}

// Whether two views hold the same bytes.
inline bool sameBytes(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && sameBytes(a.data(), b.data(), a.size());
}

// True when no byte has its high bit set.
inline bool isAsciiBytes(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while (end - p >= 8) {
        quint64 w;
        std::memcpy(&w, p, 8);
        if (w & 0x8080808080808080ULL)
            return false;
        p += 8;
    }
    for (; p < end; ++p) {
        if (*p & 0x80)
            return false;
    }
    return true;
}

} // namespace corvane
