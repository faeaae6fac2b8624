#pragma once

// The lists opened last, newest first, kept in the per-user data folder
// ("RecentLists.ini"). What is read is cleaned: relative or empty paths and
// repeats are dropped and no more than RecentListCount are kept, so a file
// edited by hand or damaged gives a shorter list, never an error.

#include <QString>
#include <QStringList>

namespace corvane {

inline constexpr int RecentListCount = 5;
inline constexpr char16_t RecentListsFileName[] = u"RecentLists.ini";

// path at the front (moved there when it was already in the list).
QStringList withRecentList(QStringList lists, const QString &path);
QStringList withoutRecentList(QStringList lists, const QString &path);
// At most RecentListCount absolute paths, no repeats, order kept.
QStringList cleanRecentLists(const QStringList &lists);

QStringList readRecentLists(const QString &dataFolder);
// False when the file could not be written; the lists on screen stay as they are.
bool writeRecentLists(const QString &dataFolder, const QStringList &lists);

} // namespace corvane
