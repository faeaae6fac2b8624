#pragma once

// The entries of "Check my files" kept per list beside its basket, in the
// data folder: baskets/<SHA-256 of the list>.check, UTF-8, a first line
// "corvane-check 1" and then one entry a line. An empty set of entries
// removes the file.

#include "listfile/StateFile.h"

#include <QString>
#include <QStringList>

namespace corvane {

// The most bytes such a file may have; longer entries are not kept.
inline constexpr qint64 MaxCheckEntriesBytes = 16 * 1024 * 1024;

QString checkEntriesFilePath(const QString &dataFolder, const QString &sha256);

struct CheckEntriesRead
{
    QStringList entries;
    StateFileProblem problem = StateFileProblem::None; // Missing: none kept
    bool damaged = false;                              // a file there that is not such a file
    QString error;                                     // why it was not taken, in English
};
CheckEntriesRead loadCheckEntries(const QString &dataFolder, const QString &sha256);

// False with the reason (in English) when the entries could not be kept.
bool saveCheckEntries(const QString &dataFolder, const QString &sha256, const QStringList &entries,
                      QString *error);

} // namespace corvane
