#include "ListDate.h"

#include <QDate>
#include <QString>

#include <algorithm>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

enum class Part { Day, Month, Year };

std::array<Part, 3> dateOrder(const QLocale &locale)
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype d = format.indexOf(u'd');
    const qsizetype m = format.indexOf(u'M');
    const qsizetype y = format.indexOf(u'y');
    if (d < 0 || m < 0 || y < 0)
        return {Part::Month, Part::Day, Part::Year};
    std::array<std::pair<qsizetype, Part>, 3> parts{
        {{d, Part::Day}, {m, Part::Month}, {y, Part::Year}}};
    std::sort(parts.begin(), parts.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    return {parts[0].second, parts[1].second, parts[2].second};
}

bool containsMarker(QStringView text, const QString &marker, QStringView fallback)
{
    if (!marker.isEmpty() && text.contains(marker, Qt::CaseInsensitive))
        return true;
    return text.contains(fallback, Qt::CaseInsensitive);
}

} // namespace

qint64 listDateValue(QStringView text, const QLocale &locale)
{
    return ListDateReader(locale).value(text);
}

ListDateReader::ListDateReader(const QLocale &locale) : m_am(locale.amText()), m_pm(locale.pmText())
{
    const std::array<Part, 3> order = dateOrder(locale);
    for (int k = 0; k < 3; ++k)
        m_order[size_t(k)] = int(order[size_t(k)]);
}

qint64 ListDateReader::value(QStringView text) const
{
    constexpr int MaxNumbers = 6;
    std::array<qint64, MaxNumbers> numbers{};
    std::array<int, MaxNumbers> digits{};
    int count = 0;
    for (qsizetype i = 0; i < text.size() && count < MaxNumbers;) {
        if (!text[i].isDigit() || text[i].unicode() > 0x7f) {
            ++i;
            continue;
        }
        qint64 value = 0;
        int n = 0;
        while (i < text.size() && text[i].unicode() >= u'0' && text[i].unicode() <= u'9') {
            if (n < 9)
                value = value * 10 + (text[i].unicode() - u'0');
            ++n;
            ++i;
        }
        numbers[size_t(count)] = value;
        digits[size_t(count)] = n;
        ++count;
    }
    if (count < 3)
        return InvalidListDate;

    qint64 day = 0, month = 0, year = 0;
    const std::array<Part, 3> order =
        digits[0] >= 3 ? std::array<Part, 3>{Part::Year, Part::Month, Part::Day}
                       : std::array<Part, 3>{Part(m_order[0]), Part(m_order[1]), Part(m_order[2])};
    for (int k = 0; k < 3; ++k) {
        switch (order[size_t(k)]) {
        case Part::Day:
            day = numbers[size_t(k)];
            break;
        case Part::Month:
            month = numbers[size_t(k)];
            break;
        case Part::Year:
            year = numbers[size_t(k)];
            if (digits[size_t(k)] <= 2)
                year += year < 50 ? 2000 : 1900;
            break;
        }
    }
    // A day that is not on the calendar (the 31st of April, the 29th of
    // February of a common year) reads as no date at all.
    if (year < 1 || year > 9999 || !QDate::isValid(int(year), int(month), int(day)))
        return InvalidListDate;

    qint64 hour = count > 3 ? numbers[3] : 0;
    const qint64 minute = count > 4 ? numbers[4] : 0;
    const qint64 second = count > 5 ? numbers[5] : 0;
    // Only a text with letters can hold an AM or PM word.
    const bool letters =
        std::any_of(text.begin(), text.end(), [](QChar ch) { return ch.isLetter(); });
    const bool pm = letters && containsMarker(text, m_pm, u"PM");
    const bool am = letters && !pm && containsMarker(text, m_am, u"AM");
    if (pm && hour < 12)
        hour += 12;
    else if (am && hour == 12)
        hour = 0;
    if (hour > 23 || minute > 59 || second > 60)
        return InvalidListDate;
    return ((((year * 100 + month) * 100 + day) * 100 + hour) * 100 + minute) * 100 + second;
}

} // namespace corvane
