#include "ListText.h"

#include "listfile/ByteScan.h"

#include <cstring>

namespace corvane {

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the five bytes the code page leaves
// undefined keep their C1 code points, so every byte decodes to something.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The Windows-1252 byte of a code point, or -1 when it has none.
int windows1252Byte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    for (int k = 0; k < 32; ++k) {
        if (cp1252High[k] == c)
            return 0x80 + k;
    }
    return -1;
}

// Validates UTF-8; when allowTruncatedEnd, a sequence cut off by the end of
// the view counts as valid (for samples taken from a larger buffer).
bool validUtf8(QByteArrayView bytes, bool allowTruncatedEnd)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while (p < end) {
        if (end - p >= 8) {
            quint64 w;
            std::memcpy(&w, p, 8);
            if (!(w & 0x8080808080808080ULL)) {
                p += 8;
                continue;
            }
        }
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int len;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (end - p < len) {
            if (!allowTruncatedEnd)
                return false;
            for (const unsigned char *q = p + 1; q < end; ++q)
                if ((*q & 0xC0) != 0x80)
                    return false;
            return true;
        }
        for (int i = 1; i < len; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        p += len;
    }
    return true;
}

} // namespace

QString decodeWindows1252(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *d = reinterpret_cast<char16_t *>(out.data());
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char c = p[i];
        d[i] = (c >= 0x80 && c < 0xA0) ? cp1252High[c - 0x80] : char16_t(c);
    }
    return out;
}

QString decodeListText(QByteArrayView bytes, ListEncoding encoding)
{
    if (isAsciiBytes(bytes))
        return QString::fromLatin1(bytes);
    if (encoding == ListEncoding::Utf8 && validUtf8(bytes, false))
        return QString::fromUtf8(bytes);
    return decodeWindows1252(bytes);
}

bool utf8ToWindows1252(QByteArrayView utf8, QByteArray &out)
{
    out.resize(utf8.size());
    char *d = out.data();
    const auto *p = reinterpret_cast<const unsigned char *>(utf8.data());
    const unsigned char *const end = p + utf8.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            *d++ = char(b);
            ++p;
            continue;
        }
        // Windows-1252 holds nothing beyond three UTF-8 bytes.
        char32_t c = 0;
        if ((b & 0xE0) == 0xC0 && end - p >= 2 && (p[1] & 0xC0) == 0x80) {
            c = (char32_t(b & 0x1F) << 6) | (p[1] & 0x3F);
            if (c < 0x80)
                return false; // overlong
            p += 2;
        } else if ((b & 0xF0) == 0xE0 && end - p >= 3 && (p[1] & 0xC0) == 0x80 &&
                   (p[2] & 0xC0) == 0x80) {
            c = (char32_t(b & 0x0F) << 12) | (char32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
            if (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))
                return false;
            p += 3;
        } else {
            return false;
        }
        const int byte = windows1252Byte(c);
        if (byte < 0)
            return false;
        *d++ = char(byte);
    }
    out.resize(d - out.constData());
    return true;
}

QByteArray encodeListText(QStringView text, ListEncoding encoding, bool *ok)
{
    if (ok)
        *ok = true;
    if (encoding == ListEncoding::Utf8)
        return text.toUtf8();
    QByteArray out(text.size(), Qt::Uninitialized);
    char *d = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = windows1252Byte(text[i].unicode());
        if (byte < 0 && ok)
            *ok = false;
        d[i] = byte < 0 ? '?' : char(byte);
    }
    return out;
}

namespace {

// UTF-16LE text without a byte-order mark whose names are mostly beyond
// Latin (a search result of Cyrillic names) has few zero bytes; but its line
// ends stand as 0D 00 0A 00 at even places, which no 8-bit text holds, and
// its surrogates come in pairs.
bool utf16LELineEnds(const unsigned char *p, qsizetype n)
{
    bool lineEnd = false;
    bool lead = false; // the unit before was a lead surrogate
    for (qsizetype i = 0; i + 1 < n; i += 2) {
        const char16_t u = char16_t(p[i] | (p[i + 1] << 8));
        const bool trail = u >= 0xDC00 && u <= 0xDFFF;
        if (trail != lead)
            return false;
        lead = u >= 0xD800 && u <= 0xDBFF;
        if (u == 0x000D && i + 3 < n && p[i + 2] == 0x0A && p[i + 3] == 0)
            lineEnd = true;
    }
    return lineEnd;
}

} // namespace

SniffedEncoding sniffEncoding(QByteArrayView head)
{
    const auto *p = reinterpret_cast<const unsigned char *>(head.data());
    const qsizetype n = head.size();
    if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE)
        return SniffedEncoding::Utf16LE;
    if (n >= 2 && p[0] == 0xFE && p[1] == 0xFF)
        return SniffedEncoding::Utf16BE;
    // UTF-16 text of a list is mostly ASCII: a zero in nearly every high
    // byte (odd for little-endian, even for big-endian) and almost never in
    // a low one.
    const qsizetype pairs = qMin<qsizetype>(n, 8192) / 2;
    if (pairs >= 1) {
        qsizetype oddZeros = 0, evenZeros = 0;
        for (qsizetype i = 0; i < pairs; ++i) {
            evenZeros += p[2 * i] == 0;
            oddZeros += p[2 * i + 1] == 0;
        }
        if (oddZeros * 10 >= pairs * 6 && evenZeros * 20 <= pairs)
            return SniffedEncoding::Utf16LE;
        if (evenZeros * 10 >= pairs * 6 && oddZeros * 20 <= pairs)
            return SniffedEncoding::Utf16BE;
        if (utf16LELineEnds(p, 2 * pairs))
            return SniffedEncoding::Utf16LE;
    }
    if (!isAsciiBytes(head) && validUtf8(head, true))
        return SniffedEncoding::Utf8;
    return SniffedEncoding::Windows1252;
}

} // namespace corvane
