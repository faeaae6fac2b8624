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
    m_controllers.basket =
        new BasketController(*this, *m_session,
                             {m_ui.SftTree1, m_folderTreeModel, m_ui.iGrid2,
                              &m_controllers.browse->model(), m_ui.basketBar},
                             {[this] { return m_controllers.open->zipArchivePath(); }}, this);
    connect(this, &frmMain::languageChanged, m_controllers.basket, &BasketController::retranslate);
}

} // namespace corvane
