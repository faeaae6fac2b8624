#pragma once

#include "listfile/ListLoader.h"

#include <QLocale>
#include <QString>

namespace corvane::cli {

// The locale the window would collate names in for this environment.
QLocale uiCollationLocale();

// True (after one line on stderr saying so) when path is a zip archive,
// which no sub-command reads as a list.
bool refuseZipArchive(const QString &path);

// Loads LIST for a sub-command (with the folder totals, and the earliest and
// latest date, only when it shows them); on failure writes one line naming
// the file and the reason to stderr and returns false. Dates are read the way
// `dates` reads them, in the environment's locale.
bool loadListArgument(const QString &path, LoadedList &list, bool folderTotals = false,
                      bool dates = false);

// Loads a list given as a file or as ZIP:MEMBER (a list in a zip archive, by
// the name `members` gives it) without its folder totals. Writes nothing: on
// failure returns false with one line (no line end) naming the argument and
// the reason in *error. Safe to call from two threads at once (each then
// better sorts on one, parallel false).
bool loadListOrMember(const QString &argument, const QLocale &collationLocale, bool parallel,
                      LoadedList &list, QString *error);

} // namespace corvane::cli
