#pragma once

#include "ByteTotal.h"

#include <QLocale>
#include <QString>

namespace corvane {

// The words of the size texts: English "Bytes", "Kb", "Mb", "Gb", "Tb" unless
// a language writes them otherwise.
struct SizeUnits
{
    QString bytes = QStringLiteral("Bytes");
    QString kb = QStringLiteral("Kb");
    QString mb = QStringLiteral("Mb");
    QString gb = QStringLiteral("Gb");
    QString tb = QStringLiteral("Tb");

    // Five words separated by spaces, in the order bytes, Kb, Mb, Gb, Tb
    // ("octets Ko Mo Go To"); anything else gives the English units.
    static SizeUnits fromText(QStringView text);
    friend bool operator==(const SizeUnits &, const SizeUnits &) = default;
};

// The short size text with a unit (powers of 1024): "#,0.0 Tb", "Gb", "Mb",
// "Kb" when the size is strictly above the unit, else "#,0 Bytes".
QString FormatSize(ByteTotal size, const QLocale &locale = QLocale(), const SizeUnits &units = {});
// The same text for a byte count beyond the fixed-point range (the details of
// a size field larger than any disk): the units are those of FormatSize, so a
// size past the range reads in Tb like the largest size in it.
QString FormatSizeOfBytes(double bytes, const QLocale &locale = QLocale(),
                          const SizeUnits &units = {});

// The "#,0" number text: digits grouped with the locale's separator, no
// decimals, zero shown as "0".
QString formatCount(qint64 value, const QLocale &locale = QLocale());
// "#,0" of a fixed-point byte total, rounded to a whole number.
QString formatCount(ByteTotal value, const QLocale &locale = QLocale());
// "#,0" of any number, rounded half away from zero; numbers beyond 64 bits
// keep the digits a double holds; not a number or infinite gives "0".
QString formatRoundedCount(double value, const QLocale &locale = QLocale());

} // namespace corvane
