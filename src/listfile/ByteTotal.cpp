#include "ByteTotal.h"

#include <cmath>

namespace corvane {

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

} // namespace corvane
