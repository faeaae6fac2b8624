#pragma once

#include <QLocale>
#include <QStringView>

#include <limits>

namespace corvane {

inline constexpr qint64 InvalidListDate = std::numeric_limits<qint64>::min();

// A sortable value of a list's date-time text (yyyyMMddhhmmss as a number),
// read the way the user's locale writes dates: the day, month and year in the
// order of the locale's short date format (a leading four-digit number is a
// year: year-month-day), then hours, minutes and seconds, with an AM/PM
// marker. InvalidListDate when the text does not read as a date.
qint64 listDateValue(QStringView text, const QLocale &locale);

} // namespace corvane
