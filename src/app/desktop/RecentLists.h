#pragma once

// The lists opened last, newest first, kept in the per-user data folder
// ("RecentLists.ini"). What is read is cleaned: relative or empty paths and
// repeats are dropped and no more than RecentListCount are kept, so a file
// edited by hand or damaged gives a shorter list, never an error.

#include "listfile/StateFile.h"

#include <QString>
#include <QStringList>

namespace corvane {

inline constexpr int RecentListCount = 5;
inline constexpr char16_t RecentListsFileName[] = u"RecentLists.ini";
// Five paths and a header: a bigger file is not ours and is left alone.
inline constexpr qint64 RecentListsMaxBytes = 256 * 1024;

// path at the front (moved there when it was already in the list).
QStringList withRecentList(QStringList lists, const QString &path);
QStringList withoutRecentList(QStringList lists, const QString &path);
// At most RecentListCount absolute paths, no repeats, order kept.
QStringList cleanRecentLists(const QStringList &lists);

// Empty with problem set when the file is missing or must be left alone (a
// link, not a regular file, too large): it is then never read.
QStringList readRecentLists(const QString &dataFolder, StateFileProblem *problem = nullptr);
// False when the file could not be written, or is not a plain file and so is
// left alone (problem says which); the lists on screen stay as they are.
bool writeRecentLists(const QString &dataFolder, const QStringList &lists,
                      StateFileProblem *problem = nullptr);

} // namespace corvane
