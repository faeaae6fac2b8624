// "Compare with another list..." goes to the comparison's window; "Browse
// the new list" there opens that list as the open dialog would.

#include "OpenController.h"
#include "compare/ui/CompareWindow.h"
#include "frmMain.h"

#include <QAction>
#include <QMenu>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

void frmMain::setupCompare()
{
    m_ui.mnuCompare = new QAction(m_ui.mnuMenu);
    m_ui.mnuCompare->setObjectName(u"mnuCompare"_s);
    m_ui.mnuMenu->insertAction(m_ui.mnuKinds, m_ui.mnuCompare); // below "Check my files..."
    m_controllers.compare = new CompareWindow(*this, *m_session, m_ui.mnuCompare, this);
    connect(this, &frmMain::languageChanged, m_controllers.compare, &CompareWindow::retranslate);
    connect(m_controllers.compare, &CompareWindow::openRequested, m_controllers.open,
            &OpenController::openFile);
}

} // namespace corvane
