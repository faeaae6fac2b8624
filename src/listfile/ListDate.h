#pragma once

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

private:
    std::array<int, 3> m_order{}; // positions of day, month and year: 0, 1, 2
    QString m_am;
    QString m_pm;
};

} // namespace corvane
