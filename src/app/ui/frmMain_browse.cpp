// Browsing: the folder tree pick (SftTree1), the file grid (iGrid2) and its
// details panel, and the tab switch.

#include "frmMain.h"

namespace corvane {

// A folder picked in the tree; itemIndex is the FolderTree item (0 "Root").
void frmMain::SftTree1_ItemClick(int itemIndex)
{
    Q_UNUSED(itemIndex);
}

// The current cell of the file grid moved; row 0 when there is none.
void frmMain::iGrid2_CurCellChange(int row, int col)
{
    Q_UNUSED(row);
    Q_UNUSED(col);
}

// A double-click (or Enter) on a file grid row.
void frmMain::iGrid2_DblClick(int row, int col)
{
    Q_UNUSED(row);
    Q_UNUSED(col);
}

// The tab page that was showing before the switch.
void frmMain::SSTab1_Click(int previousTab)
{
    Q_UNUSED(previousTab);
}

// Empties the file grid and the two sorted lists of the shown folder
// (ClearViews calls it before the line store and the tree are emptied).
void frmMain::ClearFileGrid()
{}

} // namespace corvane
