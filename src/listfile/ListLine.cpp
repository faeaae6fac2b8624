#include "ListLine.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace corvane {

int fieldCount(QByteArrayView line)
{
    return int(line.count(',')) + 1;
}

QByteArrayView fieldAt(QByteArrayView line, int index)
{
    qsizetype start = 0;
    for (int i = 0; i < index; ++i) {
        const qsizetype comma = line.indexOf(',', start);
        if (comma < 0)
            return {};
        start = comma + 1;
    }
    const qsizetype comma = line.indexOf(',', start);
    return line.sliced(start, (comma < 0 ? line.size() : comma) - start);
}

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The number at the start of a field, taken apart: sign, up to a fixed number
// of significant digits, and the decimal exponent that places them.
struct ScannedNumber
{
    bool found = false;
    bool negative = false;
    bool integral = true; // no fraction digits kept and no exponent
    char digits[40] = {};
    int digitCount = 0;
    long exponent = 0; // value = 0.digits... scaled: digits * 10^exponent
};

ScannedNumber scanNumber(QByteArrayView field)
{
    ScannedNumber n;
    const char *p = field.data();
    const char *end = p + field.size();
    auto skipBlanks = [&] {
        while (p < end && isBlank(*p))
            ++p;
    };
    skipBlanks();
    if (p < end && (*p == '+' || *p == '-')) {
        n.negative = *p == '-';
        ++p;
    }
    const int maxDigits = int(sizeof n.digits);
    bool seenPoint = false;
    bool leading = true;
    for (; p < end; ++p) {
        const char c = *p;
        if (isBlank(c))
            continue;
        if (isDigit(c)) {
            n.found = true;
            if (leading && c == '0') {
                if (seenPoint)
                    --n.exponent;
                continue;
            }
            leading = false;
            if (n.digitCount < maxDigits) {
                n.digits[n.digitCount++] = c;
                if (seenPoint) {
                    --n.exponent;
                    n.integral = false;
                }
            } else if (!seenPoint) {
                ++n.exponent; // digits past what is kept still scale the value
            }
            continue;
        }
        if (c == '.' && !seenPoint) {
            seenPoint = true;
            continue;
        }
        break;
    }
    if (!n.found)
        return n;
    // An exponent: "e" or "E", an optional sign, digits (blanks ignored).
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char *q = p + 1;
        while (q < end && isBlank(*q))
            ++q;
        bool negExp = false;
        if (q < end && (*q == '+' || *q == '-')) {
            negExp = *q == '-';
            ++q;
        }
        long e = 0;
        bool any = false;
        for (; q < end; ++q) {
            if (isBlank(*q))
                continue;
            if (!isDigit(*q))
                break;
            any = true;
            if (e < 100000)
                e = e * 10 + (*q - '0');
        }
        if (any) {
            n.exponent += negExp ? -e : e;
            n.integral = false;
        }
    }
    return n;
}

double toDouble(const ScannedNumber &n)
{
    if (!n.found || n.digitCount == 0)
        return 0.0;
    char text[64];
    std::memcpy(text, n.digits, size_t(n.digitCount));
    const int len = n.digitCount;
    const long e = n.exponent < -99999 ? -99999 : (n.exponent > 99999 ? 99999 : n.exponent);
    std::snprintf(text + len, sizeof text - size_t(len), "e%ld", e);
    const double v = std::strtod(text, nullptr);
    return n.negative ? -v : v;
}

} // namespace

double leadingNumber(QByteArrayView field)
{
    return toDouble(scanNumber(field));
}

std::optional<ByteTotal> leadingSize(QByteArrayView field)
{
    // The common case: nothing but a few digits.
    if (field.size() > 0 && field.size() <= 15) {
        qint64 v = 0;
        qsizetype i = 0;
        for (; i < field.size() && isDigit(field[i]); ++i)
            v = v * 10 + (field[i] - '0');
        if (i == field.size())
            return ByteTotal::fromBytes(v);
    }
    const ScannedNumber n = scanNumber(field);
    if (!n.found || n.digitCount == 0)
        return ByteTotal();
    // Whole numbers are exact; the largest whole byte count that fits has 15
    // digits.
    if (n.exponent >= 0 && n.digitCount + n.exponent <= 15) {
        qint64 v = 0;
        for (int i = 0; i < n.digitCount; ++i)
            v = v * 10 + (n.digits[i] - '0');
        for (long i = 0; i < n.exponent; ++i)
            v *= 10;
        return ByteTotal::fromBytes(n.negative ? -v : v);
    }
    return ByteTotal::fromDouble(toDouble(n));
}

QByteArrayView folderPathOf(QByteArrayView line)
{
    const qsizetype comma = line.indexOf(',');
    const QByteArrayView path = comma < 0 ? line : line.first(comma);
    const qsizetype slash = path.lastIndexOf('\\');
    return slash < 0 ? QByteArrayView() : path.first(slash + 1);
}

QByteArrayView topComponentOf(QByteArrayView line)
{
    const qsizetype comma = line.indexOf(',');
    const QByteArrayView path = comma < 0 ? line : line.first(comma);
    const qsizetype slash = path.indexOf('\\');
    return slash < 0 ? path : path.first(slash);
}

} // namespace corvane
