// Browsing: the folder tree pick (SftTree1), the file grid (iGrid2) and its
// details panel go to the browse controller; the tab switch.

#include "BrowseController.h"
#include "frmMain.h"

#include <QGroupBox>
#include <QLabel>
#include <QTableView>
#include <QTreeView>

namespace corvane {

void frmMain::setupBrowsing()
{
    m_controllers.browse = new BrowseController(
        *this, *m_session,
        {m_ui.SftTree1, m_folderTreeModel, m_ui.iGrid2, m_ui.Label19, m_ui.Label20, m_ui.Label21},
        this);
    setFileGridModel(&m_controllers.browse->model());
    m_controllers.browse->setupViews();
    connect(m_controllers.browse, &BrowseController::detailsHintChanged, this,
            &frmMain::SetDetailsHint);
    connect(this, &frmMain::languageChanged, m_controllers.browse, &BrowseController::retranslate);
}

// A folder picked in the tree; itemIndex is the FolderTree item (0 "Root").
void frmMain::SftTree1_ItemClick(int itemIndex)
{
    m_controllers.browse->ShowFolder(itemIndex);
}

// The current cell of the file grid moved; row 0 when there is none.
void frmMain::iGrid2_CurCellChange(int row, int col)
{
    m_controllers.browse->ShowFileDetails(row, col);
}

// A double-click (or Enter) on a file grid row.
void frmMain::iGrid2_DblClick(int row, int col)
{
    m_controllers.browse->OpenGridRow(row, col, true);
}

// The tab page that was showing before the switch.
void frmMain::SSTab1_Click(int previousTab)
{
    if (previousTab != 0) {
        m_ui.Frame2->setVisible(true);
        m_ui.Frame1->setVisible(false);
    } else {
        m_ui.Frame2->setVisible(false);
        m_ui.Frame1->setVisible(true);
    }
}

// Empties the file grid and the two sorted lists of the shown folder
// (ClearViews calls it before the line store and the tree are emptied).
} // namespace corvane
