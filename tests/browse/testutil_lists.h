#pragma once

// Small lists for the browsing tests, loaded from bytes the way the loader
// loads a file.

#include "browse/FolderListing.h"
#include "listfile/ListLoader.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace corvane::test {

inline QLocale englishLocale()
{
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

// Lines joined with CR LF, as Windows-1252 bytes (Latin-1 text is the same).
inline LoadedList listOf(const QStringList &lines)
{
    ListBytes bytes;
    bytes.bytes = lines.join(QStringLiteral("\r\n")).toLatin1();
    bytes.fileFound = true;
    LoadOptions options;
    options.collationLocale = englishLocale();
    return loadListBytes(std::move(bytes), options);
}

inline LoadedList listOfBytes(QByteArray data)
{
    ListBytes bytes;
    bytes.bytes = std::move(data);
    bytes.fileFound = true;
    LoadOptions options;
    options.collationLocale = englishLocale();
    return loadListBytes(std::move(bytes), options);
}

inline ListingOptions englishOptions()
{
    ListingOptions options;
    options.collation = englishLocale();
    options.numbers = englishLocale();
    options.dates = englishLocale();
    return options;
}

// One row a string: kind|name|date|size|attributes|status.
inline QString printRow(const GridRow &row)
{
    QString kind;
    switch (row.kind) {
    case GridRowKind::Up:
        kind = QStringLiteral("..");
        break;
    case GridRowKind::Folder:
        kind = QStringLiteral("folder");
        break;
    case GridRowKind::File:
        kind = row.program ? QStringLiteral("program") : QStringLiteral("file");
        break;
    }
    return QStringList{kind, row.name, row.modified, row.sizeText, row.attributes, row.status}.join(
        u'|');
}

inline QStringList printRows(const FolderListing &listing)
{
    QStringList out;
    for (const GridRow &row : listing.rows)
        out.append(printRow(row));
    return out;
}

// The rows of a folder given by its names below "Root" joined by "\".
inline FolderListing listingOf(const LoadedList &list, const QString &folder)
{
    const int item = folderItemByPath(list, folder);
    return listFolder(list, list.rootPrefixAfter(QString()), item, englishOptions());
}

} // namespace corvane::test
