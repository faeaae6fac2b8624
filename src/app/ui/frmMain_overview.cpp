// The recovery overview goes to its controller; a click on a legend row runs
// the preset filter with that status word.

#include "DesktopController.h"
#include "OverviewController.h"
#include "frmMain.h"

#include <QComboBox>

namespace corvane {

void frmMain::setupOverview()
{
    // The hidden tree columns are kept with the rest of the window's state.
    m_overview = new OverviewController(
        *this, *m_session,
        {SftTree1, m_folderTreeModel, TreeGridSplitter, Frame8_1, Label19, Label20, Label21,
         Label22, Label23, UniLabel1},
        {m_settings.settingsFile, [this] { return m_desktop->CheckSettingsFile(); }}, this);
    connect(m_overview, &OverviewController::statusFilterRequested, this,
            &frmMain::Legend_StatusClicked);
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

void frmMain::Legend_StatusClicked(const QString &status)
{
    RunPresetFilterFor(status);
}

// The preset filter with one status word: Combo1 is set to it (offered in
// its list when it is not yet) and the filter button's handler runs.
void frmMain::RunPresetFilterFor(const QString &status)
{
    int at = Combo1->findText(status, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (at < 0) {
        Combo1->addItem(status);
        at = Combo1->count() - 1;
    }
    Combo1->setCurrentIndex(at);
    Command5_Click();
}

} // namespace corvane
