#pragma once

// The details panel of a file grid row: its size in readable units, its
// modification date and its attribute letters.

#include "listfile/SizeText.h"

#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

namespace corvane {

struct GridRow;

// The attribute letters of a bit set, in the panel's order: D (0x10),
// R (0x01), H (0x02), S (0x04), A (0x20), L (0x40), V (0x08), C (0x80),
// E (0x4000). A clear set gives no letter ("N" is never written).
QString attributeLetters(qint64 bits);

// The bit set of an attributes field: the leading number of the text before
// its first ";", rounded to the nearest whole number (no number reads 0).
// nullopt when the field holds no ";" (folder rows, a bare number). A number
// beyond 64 bits gives no bits.
std::optional<qint64> attributeBits(QStringView attributesField);

struct FileDetails
{
    bool hasAttributes = false; // false: the row has no attributes field (hint 32)
    QString size;               // Label19
    QString modified;           // Label20
    QString attributes;         // Label21
};

// ShowFileDetails' values for a row. A row without ";" in its attributes
// field shows three empty labels. The size is FormatSize of the size cell's
// whole number when it is above 0, otherwise "0"; a size beyond the byte
// count range reads in Tb as well (FormatSizeOfBytes).
FileDetails fileDetails(const GridRow &row, const QLocale &numbers, const SizeUnits &units = {});

} // namespace corvane
