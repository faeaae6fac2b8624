// The recovery overview goes to its controller; a click on a legend row runs
// the search controller's preset filter with that status word (the search is
// set up first).

#include "DesktopController.h"
#include "OverviewController.h"
#include "SearchController.h"
#include "frmMain.h"

namespace corvane {

void frmMain::setupOverview()
{
    // The hidden tree columns are kept with the rest of the window's state.
    m_overview = new OverviewController(
        *this, *m_session,
        {SftTree1, m_folderTreeModel, TreeGridSplitter, Frame8_1, Label19, Label20, Label21,
         Label22, Label23, UniLabel1},
        {m_settings.settingsFile, [this] { return m_desktop->CheckSettingsFile(); }}, this);
    connect(m_overview, &OverviewController::statusFilterRequested, m_search,
            &SearchController::runPresetFilterFor);
    connect(this, &frmMain::languageChanged, m_overview, &OverviewController::retranslate);
}

OverviewController &frmMain::overviewController() const
{
    return *m_overview;
}

RecoveryLegend *frmMain::recoveryLegend() const
{
    return m_overview->legend();
}

void frmMain::showFolderTotals()
{
    m_overview->showFolderTotals();
}

} // namespace corvane
