#include "ByteTotal.h"

#include <cmath>

namespace corvane {

std::optional<ByteTotal> ByteTotal::fromBytes(qint64 bytes)
{
    qint64 raw = 0;
    if (__builtin_mul_overflow(bytes, Scale, &raw)) {
        return std::nullopt;
    }
    return fromRaw(raw);
}

std::optional<ByteTotal> ByteTotal::fromDouble(double value)
{
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    // std::round rounds half away from zero.
    const double scaled = std::round(value * double(Scale));
    // 2^63 is the first value a qint64 cannot hold; -2^63 still fits.
    constexpr double Limit = 9223372036854775808.0;
    if (!(scaled >= -Limit && scaled < Limit)) {
        return std::nullopt;
    }
    return fromRaw(qint64(scaled));
}

qint64 ByteTotal::roundedBytes() const
{
    const qint64 whole = m_raw / Scale;
    const qint64 rest = m_raw % Scale; // carries the sign of m_raw
    if (rest >= Scale / 2) {
        return whole + 1;
    }
    if (rest <= -Scale / 2) {
        return whole - 1;
    }
    return whole;
}

bool ByteTotal::tryAdd(ByteTotal other)
{
    qint64 sum = 0;
    if (__builtin_add_overflow(m_raw, other.m_raw, &sum)) {
        return false;
    }
    m_raw = sum;
    return true;
}

} // namespace corvane
