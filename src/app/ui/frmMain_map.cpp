// The recovery map goes to its controller: "Recovery map" in "Menu", the
// folder the tree shows, and the folder a click on the map picks.

#include "BrowseController.h"
#include "DesktopController.h"
#include "frmMain.h"
#include "map/ui/MapController.h"

#include <QAction>
#include <QMenu>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

void frmMain::setupMap()
{
    m_ui.mnuMap = new QAction(m_ui.mnuMenu);
    m_ui.mnuMap->setObjectName(u"mnuMap"_s);
    m_ui.mnuMap->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    m_ui.mnuMenu->insertAction(m_ui.mnuB1, m_ui.mnuMap); // above the separator before "Exit"
    // The choice is kept with the rest of the window's state.
    m_controllers.map = new MapController(
        *this, *m_session, {m_ui.mnuMap, m_ui.MapView1, m_ui.GridMapSplitter},
        {m_settings.settingsFile, [this] { return m_controllers.desktop->CheckSettingsFile(); }},
        this);
    connect(this, &frmMain::languageChanged, m_controllers.map, &MapController::retranslate);
    connect(m_controllers.browse, &BrowseController::folderShown, m_controllers.map,
            &MapController::followFolder);
    connect(m_controllers.map, &MapController::folderRequested, m_controllers.browse,
            &BrowseController::ShowFolder);
}

} // namespace corvane
