#include "SizeText.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// "#,0" groups digits in every locale, also in one (like the C locale) whose
// number options leave the group separator out.
QLocale groupingLocale(const QLocale &locale)
{
    if (!(locale.numberOptions() & QLocale::OmitGroupSeparator)) {
        return locale;
    }
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped;
}

} // namespace

namespace {

// The unit text of a size above 1 Kb; empty when it is 1,024 bytes or less.
QString sizeWithUnit(double value, const QLocale &grouped)
{
    struct Unit
    {
        double threshold;
        QStringView suffix;
    };
    static const Unit units[] = {
        {std::pow(1024.0, 4), u" Tb"},
        {std::pow(1024.0, 3), u" Gb"},
        {std::pow(1024.0, 2), u" Mb"},
        {1024.0, u" Kb"},
    };
    for (const Unit &unit : units) {
        if (value > unit.threshold) {
            return grouped.toString(value / unit.threshold, 'f', 1) + unit.suffix;
        }
    }
    return QString();
}

} // namespace

QString FormatSize(ByteTotal size, const QLocale &locale)
{
    const QLocale grouped = groupingLocale(locale);
    const QString withUnit = sizeWithUnit(size.toDouble(), grouped);
    if (!withUnit.isEmpty()) {
        return withUnit;
    }
    return grouped.toString(size.roundedBytes()) + u" Bytes"_s;
}

QString FormatSizeOfBytes(double bytes, const QLocale &locale)
{
    const QLocale grouped = groupingLocale(locale);
    if (!std::isfinite(bytes)) {
        return u"0 Bytes"_s;
    }
    const QString withUnit = sizeWithUnit(bytes, grouped);
    if (!withUnit.isEmpty()) {
        return withUnit;
    }
    return grouped.toString(qint64(std::llround(bytes))) + u" Bytes"_s;
}

QString formatCount(qint64 value, const QLocale &locale)
{
    return groupingLocale(locale).toString(value);
}

QString formatCount(ByteTotal value, const QLocale &locale)
{
    return formatCount(value.roundedBytes(), locale);
}

QString formatRoundedCount(double value, const QLocale &locale)
{
    if (!std::isfinite(value))
        return u"0"_s;
    const double rounded = std::round(value);
    // 2^63: the largest magnitude a 64-bit count holds exactly.
    constexpr double Limit = 9223372036854775808.0;
    if (rounded > -Limit && rounded < Limit)
        return formatCount(qint64(rounded), locale);
    return groupingLocale(locale).toString(rounded, 'f', 0);
}

} // namespace corvane
