#pragma once

// What `ls` and `details` share: loading a list for browsing and listing one
// folder of it.

#include "browse/FolderListing.h"
#include "listfile/ListLoader.h"

#include <QString>

namespace corvane::cli {

// Names in the UI language's natural order, numbers in the environment's
// locale.
ListingOptions browseOptions();

// Loads path; a missing or unreadable list gives one line on stderr and false.
// (collated in the same UI locale as browseOptions()).
bool loadForBrowsing(const QString &path, LoadedList &list);

// The rows of folder (names below "Root" joined by "\"; empty for "Root");
// an unknown folder gives one line on stderr and false.
bool listShownFolder(const LoadedList &list, const QString &folder, const ListingOptions &options,
                     FolderListing &listing);

} // namespace corvane::cli
