#pragma once

// The order of each folder's sub-folders in the folder tree: by name (the
// tree's own order) or by the folder totals, largest first as disk-usage
// browsers show it, or smallest first.

#include <vector>

namespace corvane {

class FolderTree;
class FolderTotals;

enum class FolderSortKey {
    Name,    // the tree's order
    Files,   // entries below the folder
    Size,    // bytes below the folder
    Recovery // the share of each status, the list's most frequent status first
};

// Orders the children of parent (the items the tree lists under it) into
// out, which must hold item(parent).childCount places. Equal folders keep
// the tree's order.
void sortChildren(const FolderTree &tree, const FolderTotals &totals, int parent, FolderSortKey key,
                  bool largestFirst, int *out);

// The same for every folder at once: a table laid out like the tree's own
// child table (the children of item p at item(p).firstChild onwards).
std::vector<int> sortAllChildren(const FolderTree &tree, const FolderTotals &totals,
                                 FolderSortKey key, bool largestFirst);

} // namespace corvane
