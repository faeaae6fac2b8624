#pragma once

// The check boxes of the folder tree and the file grid: what each box shows
// and what a click on it asks for. The models only hand these on; whoever
// keeps the choice (the restore basket) answers, and repaints the views when
// the choice changes.

#include <Qt>

namespace corvane {

struct FolderListing;
struct GridRow;

class RowChecks
{
public:
    virtual ~RowChecks() = default;
    // A folder of the tree: checked when every line below it is chosen,
    // partly when some are.
    virtual Qt::CheckState folderCheck(int item) const = 0;
    virtual void setFolderChosen(int item, bool chosen) = 0;
    // A row of the grid listing (a sub-folder or a file; never "..").
    virtual Qt::CheckState rowCheck(const FolderListing &listing, const GridRow &row) const = 0;
    virtual void setRowChosen(const FolderListing &listing, const GridRow &row, bool chosen) = 0;
};

} // namespace corvane
