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
QString sizeWithUnit(double value, const QLocale &grouped, const SizeUnits &names)
{
    struct Unit
    {
        double threshold;
        const QString &suffix;
    };
    const Unit units[] = {
        {std::pow(1024.0, 4), names.tb},
        {std::pow(1024.0, 3), names.gb},
        {std::pow(1024.0, 2), names.mb},
        {1024.0, names.kb},
    };
    for (const Unit &unit : units) {
        if (value > unit.threshold) {
            return grouped.toString(value / unit.threshold, 'f', 1) + u' ' + unit.suffix;
        }
    }
    return QString();
}

} // namespace

SizeUnits SizeUnits::fromText(QStringView text)
{
    const QList<QStringView> words = text.split(u' ', Qt::SkipEmptyParts);
    if (words.size() != 5)
        return {};
    for (QStringView word : words) {
        if (word.size() > 16)
            return {};
    }
    SizeUnits units;
    units.bytes = words[0].toString();
    units.kb = words[1].toString();
    units.mb = words[2].toString();
    units.gb = words[3].toString();
    units.tb = words[4].toString();
    return units;
}

QString FormatSize(ByteTotal size, const QLocale &locale, const SizeUnits &units)
{
    const QLocale grouped = groupingLocale(locale);
    QString withUnit = sizeWithUnit(size.toDouble(), grouped, units);
    if (!withUnit.isEmpty()) {
        return withUnit;
    }
    return grouped.toString(size.roundedBytes()) + u' ' + units.bytes;
}

QString FormatSizeOfBytes(double bytes, const QLocale &locale, const SizeUnits &units)
{
    const QLocale grouped = groupingLocale(locale);
    if (!std::isfinite(bytes)) {
        return u"0 "_s + units.bytes;
    }
    QString withUnit = sizeWithUnit(bytes, grouped, units);
    if (!withUnit.isEmpty()) {
        return withUnit;
    }
    return grouped.toString(qint64(std::llround(bytes))) + u' ' + units.bytes;
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
