// The restore basket goes to its controller: its bar stands below the tree
// and the grid, and the approval's body says what it holds.

#include "ApprovalController.h"
#include "BrowseController.h"
#include "OpenController.h"
#include "basket/ui/BasketController.h"
#include "frmMain.h"

namespace corvane {

void frmMain::setupBasket()
{
    m_basket = new BasketController(
        *this, *m_session,
        {m_ui.SftTree1, m_folderTreeModel, m_ui.iGrid2, &m_browse->model(), m_ui.basketBar},
        {[this] { return m_open->zipArchivePath(); }}, this);
    connect(this, &frmMain::languageChanged, m_basket, &BasketController::retranslate);
}

BasketController &frmMain::basketController() const
{
    return *m_basket;
}

} // namespace corvane
