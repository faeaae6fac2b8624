#pragma once

#include <QtGlobal>

#include <optional>

namespace corvane {

// A byte count as the list format keeps it: a 64-bit signed fixed-point number
// with four decimal places (range +-922,337,203,685,477.5807).
class ByteTotal
{
public:
    static constexpr qint64 Scale = 10000;

    constexpr ByteTotal() = default;
    static constexpr ByteTotal fromRaw(qint64 tenThousandths)
    {
        ByteTotal t;
        t.m_raw = tenThousandths;
        return t;
    }
    // Whole bytes; nullopt when the value is outside the fixed-point range.
    static std::optional<ByteTotal> fromBytes(qint64 bytes)
    {
        qint64 raw = 0;
        if (__builtin_mul_overflow(bytes, Scale, &raw))
            return std::nullopt;
        return fromRaw(raw);
    }
    // Rounds to four decimals (half away from zero); nullopt when out of range
    // or not finite.
    static std::optional<ByteTotal> fromDouble(double value);

    constexpr qint64 raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / double(Scale); }
    // Rounded to a whole number for display (half away from zero).
    qint64 roundedBytes() const;

    // Adds other unless the sum would leave the fixed-point range; returns
    // whether it was added.
    bool tryAdd(ByteTotal other)
    {
        qint64 sum = 0;
        if (__builtin_add_overflow(m_raw, other.m_raw, &sum))
            return false;
        m_raw = sum;
        return true;
    }

    friend constexpr bool operator==(ByteTotal a, ByteTotal b) { return a.m_raw == b.m_raw; }

private:
    qint64 m_raw = 0;
};

} // namespace corvane
