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
        {m_ui.SftTree1, m_folderTreeModel, m_ui.TreeGridSplitter, m_ui.Frame8_1, m_ui.Label19,
         m_ui.Label20, m_ui.Label21, m_ui.Label22, m_ui.Label23, m_ui.UniLabel1},
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
