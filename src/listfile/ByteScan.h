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
