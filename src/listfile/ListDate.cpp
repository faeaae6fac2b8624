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

// A year of one or two digits is in the window 1950 to 2049.
qint64 fullYear(qint64 year, int digits)
{
    if (digits <= 2)
        return year + (year < 50 ? 2000 : 1900);
    return year;
}

// The locale's short date format when it is made of numbers and separators
// only (no month names, no weekday), else the ISO form.
QString numericDateFormat(const QLocale &locale)
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    bool day = false, month = false, year = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar ch = format[i];
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == ch)
            ++run;
        if (ch == u'd' && run <= 2)
            day = true;
        else if (ch == u'M' && run <= 2)
            month = true;
        else if (ch == u'y' && (run == 2 || run == 4))
            year = true;
        else if (ch.isLetterOrNumber() || ch == u'\'')
            return u"yyyy-MM-dd"_s;
        i += run;
    }
    return day && month && year ? format : u"yyyy-MM-dd"_s;
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
            year = fullYear(numbers[size_t(k)], digits[size_t(k)]);
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

namespace {

// The shape nearly every line's date has, "yyyy-MM-dd hh:mm:ss" with any
// ASCII separators but digits and letters: read where it lies, the same value
// as the whole reading gives (a four-digit number first is the year, no
// letters: no AM or PM). False for any other text.
bool readPlainDate(QByteArrayView field, qint64 *value)
{
    static constexpr int Digits[] = {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18};
    static constexpr int Separators[] = {4, 7, 10, 13, 16};
    if (field.size() != 19)
        return false;
    const auto digit = [&field](int i) { return unsigned(uchar(field[i])) - unsigned('0'); };
    for (const int i : Digits) {
        if (digit(i) > 9)
            return false;
    }
    for (const int i : Separators) {
        const uchar c = uchar(field[i]);
        if (c >= 0x80 || (c >= '0' && c <= '9') || QChar(char16_t(c)).isLetter())
            return false;
    }
    const auto number = [&digit](int i, int n) {
        qint64 v = 0;
        for (int k = 0; k < n; ++k)
            v = v * 10 + digit(i + k);
        return v;
    };
    const qint64 year = number(0, 4);
    const qint64 month = number(5, 2);
    const qint64 day = number(8, 2);
    const qint64 hour = number(11, 2);
    const qint64 minute = number(14, 2);
    const qint64 second = number(17, 2);
    if (year < 1 || !QDate::isValid(int(year), int(month), int(day)) || hour > 23 || minute > 59 ||
        second > 60) {
        *value = InvalidListDate;
        return true;
    }
    *value = ((((year * 100 + month) * 100 + day) * 100 + hour) * 100 + minute) * 100 + second;
    return true;
}

} // namespace

qint64 ListDateReader::value(QByteArrayView field, ListEncoding encoding) const
{
    if (qint64 plain; readPlainDate(field, &plain))
        return plain;
    constexpr qsizetype Room = 64;
    if (field.size() <= Room) {
        char16_t text[Room];
        qsizetype i = 0;
        for (; i < field.size() && uchar(field[i]) < 0x80; ++i)
            text[i] = char16_t(uchar(field[i]));
        if (i == field.size())
            return value(QStringView(text, field.size()));
    }
    return value(decodeListText(field, encoding));
}

QDate listDateDay(qint64 value)
{
    if (value == InvalidListDate || value < 0)
        return QDate();
    const qint64 day = value / 1000000;
    return QDate(int(day / 10000), int(day / 100 % 100), int(day % 100));
}

QDate readTypedDate(QStringView text, const QLocale &locale)
{
    text = text.trimmed();
    if (text.isEmpty() || !text.front().isDigit() || !text.back().isDigit())
        return QDate();
    std::array<int, 3> digits{};
    int count = 0;
    for (qsizetype i = 0; i < text.size();) {
        const QChar ch = text[i];
        if (ch.isLetter() || (ch.isDigit() && ch.unicode() > 0x7f))
            return QDate();
        if (!ch.isDigit()) {
            ++i;
            continue;
        }
        if (count == 3)
            return QDate();
        int n = 0;
        for (; i < text.size() && text[i].unicode() >= u'0' && text[i].unicode() <= u'9'; ++i)
            ++n;
        digits[size_t(count++)] = n;
    }
    if (count != 3)
        return QDate();
    const std::array<Part, 3> order = digits[0] >= 3
                                          ? std::array<Part, 3>{Part::Year, Part::Month, Part::Day}
                                          : dateOrder(locale);
    for (int k = 0; k < 3; ++k) {
        const int n = digits[size_t(k)];
        if (order[size_t(k)] == Part::Year ? (n != 2 && n != 4) : n > 2)
            return QDate();
    }
    return listDateDay(ListDateReader(locale).value(text));
}

QString typedDateText(QDate date, const QLocale &locale)
{
    if (!date.isValid())
        return QString();
    QString format = numericDateFormat(locale);
    const qsizetype y = format.indexOf(u"yy"_s);
    const bool twoDigits = y >= 0 && !format.mid(y).startsWith(u"yyyy"_s);
    if (twoDigits && fullYear(date.year() % 100, 2) != date.year())
        format.replace(y, 2, u"yyyy"_s);
    return locale.toString(date, format);
}

} // namespace corvane
