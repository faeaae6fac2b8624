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
    m_controllers.overview = new OverviewController(
        *this, *m_session,
        {m_ui.SftTree1, m_folderTreeModel, m_ui.TreeGridSplitter, m_ui.Frame8_1, m_ui.Label19,
         m_ui.Label20, m_ui.Label21, m_ui.Label22, m_ui.Label23, m_ui.UniLabel1},
        {m_settings.settingsFile, [this] { return m_controllers.desktop->CheckSettingsFile(); }},
        this);
    connect(m_controllers.overview, &OverviewController::statusFilterRequested,
            m_controllers.search, &SearchController::runPresetFilterFor);
    connect(this, &frmMain::languageChanged, m_controllers.overview,
            &OverviewController::retranslate);
}

} // namespace corvane
