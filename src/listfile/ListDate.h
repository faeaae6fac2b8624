#pragma once

#include "ListText.h"

#include <QByteArrayView>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringView>

#include <array>
#include <limits>

namespace corvane {

inline constexpr qint64 InvalidListDate = std::numeric_limits<qint64>::min();

// A sortable value of a list's date-time text (yyyyMMddhhmmss as a number),
// read the way the user's locale writes dates: the day, month and year in the
// order of the locale's short date format (a leading four-digit number is a
// year: year-month-day), then hours, minutes and seconds, with an AM/PM
// marker. InvalidListDate when the text does not read as a date, or names a
// day the calendar does not have (2009-02-31).
qint64 listDateValue(QStringView text, const QLocale &locale);

// The same reading with the locale's date order and AM/PM words looked up
// once, for a pass over many lines.
class ListDateReader
{
public:
    explicit ListDateReader(const QLocale &locale);
    qint64 value(QStringView text) const;
    // A date field as the line holds it: ASCII bytes are read as they are,
    // anything else decoded first.
    qint64 value(QByteArrayView field, ListEncoding encoding) const;

private:
    std::array<int, 3> m_order{}; // positions of day, month and year: 0, 1, 2
    QString m_am;
    QString m_pm;
};

// The day of a listDateValue (an invalid QDate for InvalidListDate).
QDate listDateDay(qint64 value);

// A date the user typed: three numbers, day, month and year in the order of
// the locale's short date format, or a four-digit year first (yyyy-MM-dd),
// with any separators but letters between them. A two-digit year is read as
// the list's dates are (00 to 49 as 2000 to 2049, 50 to 99 as 1950 to 1999);
// a year has two or four digits, day and month one or two. An invalid QDate
// when the text does not read as a day of the calendar.
QDate readTypedDate(QStringView text, const QLocale &locale);

// How a date is written for the user to read and type over: the locale's
// short date format (yyyy-MM-dd when that format is not all numbers), its
// year in four digits when two would read back as another century.
// readTypedDate reads it back as the same day.
QString typedDateText(QDate date, const QLocale &locale);

} // namespace corvane
