#pragma once

// What the map says about a tile under the pointer, as plain text (names
// come from the list: never to be read as markup): its path, its files and
// bytes, the split by status with each status's share, and whether its area
// is not to scale. The words are given by the caller (the window takes them
// from its language table); the English ones stand in otherwise.

#include "listfile/SizeText.h"

#include <QLocale>
#include <QString>

namespace corvane {

struct LoadedList;
class MapLayout;

struct MapTexts
{
    QString files = QStringLiteral("%1 files, %2");             // count, size
    QString ownFiles = QStringLiteral("Files of this folder");  // an OwnFiles tile
    QString smallFolders = QStringLiteral("%1 small folders");  // a SmallFolders tile: how many
    QString status = QStringLiteral("%1: %2 files, %3 (%4 %)"); // word, count, size, share
    QString unknownStatus = QStringLiteral("unknown");
    QString otherStatus = QStringLiteral("other");
    QString notToScale = QStringLiteral("Not to scale");
    SizeUnits units;
};

// The path shown for a tile: the folder's names from "Root" joined by "\",
// and the file's name for a file.
QString mapTilePath(const MapLayout &map, int tile, const LoadedList &list);

// Lines separated by "\n"; empty for a tile outside the map.
QString mapTooltipText(const MapLayout &map, int tile, const LoadedList &list,
                       const MapTexts &texts = {}, const QLocale &locale = QLocale());

} // namespace corvane
