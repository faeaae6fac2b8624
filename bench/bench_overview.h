#pragma once

// The recovery overview's figures of corvane-bench: the pass that computes
// the folder totals of a loaded list, and sorting a big folder's sub-folders.

#include <QList>
#include <QString>

#include <utility>

namespace corvane::bench {

// overview_ms (the totals of the list being measured, the best of `repeat`),
// overview_kb (what the totals keep), overview_folders, and
// overview_sort_10k_ms (the sub-folders of a folder with 10,000 of them,
// ordered by size). Empty with a reason in error when the list cannot be
// loaded.
QList<std::pair<QString, QString>> overviewFigures(const QString &listPath, int repeat,
                                                   QString *error);

// kinds_bytes_per_line (what the files by kind keep, per line of the list),
// kinds_root_ms (the roll-up of "Root", the best of
// `repeat`) and kinds_folder_ms (of the biggest top folder).
QList<std::pair<QString, QString>> kindsFigures(const QString &listPath, int repeat,
                                                QString *error);

} // namespace corvane::bench
