#include "FileDetails.h"

#include "FolderListing.h"
#include "listfile/ByteTotal.h"
#include "listfile/ListLine.h"
#include "listfile/SizeText.h"

#include <QByteArray>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

QString attributeLetters(qint64 bits)
{
    struct Letter
    {
        qint64 bit;
        char16_t letter;
    };
    static constexpr Letter letters[] = {
        {0x10, u'D'}, {0x01, u'R'}, {0x02, u'H'}, {0x04, u'S'},   {0x20, u'A'},
        {0x40, u'L'}, {0x08, u'V'}, {0x80, u'C'}, {0x4000, u'E'},
    };
    QString out;
    for (const Letter &l : letters) {
        if (bits & l.bit)
            out.append(QChar(l.letter));
    }
    return out;
}

std::optional<qint64> attributeBits(QStringView attributesField)
{
    const qsizetype semicolon = attributesField.indexOf(u';');
    if (semicolon < 0)
        return std::nullopt;
    // The number is plain ASCII; anything else stops the reading anyway.
    const QByteArray number = attributesField.first(semicolon).toLatin1();
    const double value = std::round(leadingNumber(number));
    constexpr double Limit = 9223372036854775808.0; // 2^63
    if (!std::isfinite(value) || value >= Limit || value < -Limit)
        return qint64(0);
    return qint64(value);
}

FileDetails fileDetails(const GridRow &row, const QLocale &numbers, const SizeUnits &units)
{
    FileDetails details;
    const std::optional<qint64> bits = attributeBits(row.attributes);
    if (!bits)
        return details;
    details.hasAttributes = true;
    details.modified = row.modified;
    details.attributes = attributeLetters(*bits);

    const double whole = row.hasSize ? std::round(row.size) : 0.0;
    if (whole > 0) {
        constexpr double Limit = 9223372036854775808.0; // 2^63
        const std::optional<ByteTotal> bytes =
            whole < Limit ? ByteTotal::fromBytes(qint64(whole)) : std::nullopt;
        details.size =
            bytes ? FormatSize(*bytes, numbers, units) : FormatSizeOfBytes(whole, numbers, units);
    } else {
        details.size = u"0"_s;
    }
    return details;
}

} // namespace corvane
