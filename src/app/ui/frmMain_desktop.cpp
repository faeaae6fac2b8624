// The desktop goes to its controller (DesktopController): lists dropped on
// the window or named on the command line, the lists opened last under
// "Menu", the window remembered from one run to the next, colours readable on
// any palette. The window hands what comes in from outside to the open
// command and tells the controller of each list that came in.

#include "DesktopController.h"
#include "OpenController.h"
#include "frmMain.h"

namespace corvane {

void frmMain::setupDesktop()
{
    m_controllers.desktop = new DesktopController(
        *this, *m_session,
        {this, m_ui.Command2, m_ui.mnuMenu, m_ui.mnuShowLan, m_ui.TreeGridSplitter, m_ui.iGrid2,
         m_fileGridColumns, m_ui.lblEmail, m_ui.Label25, m_ui.lblLink},
        {m_settings.dataFolder, m_settings.settingsFile, m_settings.screens}, this);
    connect(m_controllers.desktop, &DesktopController::openRequested, m_controllers.open,
            &OpenController::openFile);
    connect(m_controllers.desktop, &DesktopController::commandLineOpenRequested, this,
            &frmMain::OpenListFromCommandLine);
    connect(this, &frmMain::languageChanged, m_controllers.desktop,
            &DesktopController::retranslate);
    // Every list that comes in counts: chosen in the dialog, dropped, named
    // on the command line or picked from the menu. A zip counts as itself.
    connect(this, &frmMain::listLoaded, m_controllers.desktop, [this] {
        if (loadedList().fileFound)
            m_controllers.desktop->rememberRecentList(m_controllers.open->listFromZip()
                                                          ? m_controllers.open->zipArchivePath()
                                                          : m_session->CurrentListFile());
    });
}

// None of the program's own files is read before the controller is built.
void frmMain::ReportIgnoredStateFile(const QString &path, StateFileProblem problem) const
{
    if (m_controllers.desktop)
        m_controllers.desktop->ReportIgnoredStateFile(path, problem);
}

} // namespace corvane
