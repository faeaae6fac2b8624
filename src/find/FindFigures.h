#pragma once

// What the window shows of a find's matches besides the lines: how many
// stand below every folder of the tree, and how many lines and bytes each
// status of the list's totals has among them. Both read as few lines as
// they can: the folders' stretches of the store are found once per list
// (FolderStretches), the matches below a folder are then counted by their
// indexes alone, and the statuses of most of a list are the list's totals
// less the lines that did not match.

#include "FindPass.h"
#include "listfile/FolderTotals.h"

#include <QString>

#include <atomic>
#include <utility>
#include <vector>

namespace corvane {

struct LoadedList;

// Where the lines of every folder tree item (the folder and below) stand in
// the store: [first, last) store indexes (the lines of a folder and its
// sub-folders stand together in the store's order). Found by one pass over
// the store in its order, on two threads; 8 bytes a folder, and the ends of
// the stretches once more, sorted, for counting.
class FolderStretches
{
public:
    // Empty when stop was set (or the list has no tree).
    static FolderStretches of(const LoadedList &list, const QString &rootPrefix,
                              const std::atomic<bool> *stop = nullptr);
    bool isEmpty() const { return m_stretches.empty(); }
    int folderCount() const { return int(m_stretches.size()); }
    // [first, last); first == last: no line.
    std::pair<qint32, qint32> stretch(int item) const { return m_stretches[size_t(item)]; }

private:
    friend std::vector<qint32> matchesPerItem(const FolderStretches &, const FindMatches &);
    std::vector<std::pair<qint32, qint32>> m_stretches;
    std::vector<qint32> m_ends; // every stretch's first and last, ascending, each once
};

// The matches below every item of the tree the stretches are of, by one
// walk over the matches' indexes beside the stretches' ends: no line read.
std::vector<qint32> matchesPerItem(const FolderStretches &stretches, const FindMatches &m);

// The lines and bytes of the matches per status of list.totals (its order,
// statusCount() figures). A folder whose lines all match takes its totals'
// figures; only the matched lines of folders partly matched are read.
// perItem: matchesPerItem of the same matches. Empty when stop was set.
std::vector<StatusFigure> matchesPerStatusFigure(const LoadedList &list,
                                                 const FolderStretches &stretches,
                                                 const std::vector<qint32> &perItem,
                                                 const FindMatches &m,
                                                 const std::atomic<bool> *stop = nullptr);

} // namespace corvane
