// The keyboard goes to its controller (KeyboardController), built last when
// every control is there: Enter or Space on the approval prompt and on the
// lab's link run their clicks, "Open File List" runs the open command while
// a list may be opened, and the menu titles take their mnemonics anew in
// each language.

#include "DesktopController.h"
#include "KeyboardController.h"
#include "OverviewController.h"
#include "basket/ui/BasketController.h"
#include "frmMain.h"

namespace corvane {

void frmMain::setupKeyboard()
{
    m_controllers.keyboard =
        new KeyboardController(*this, m_ui, this, menuBar(), m_controllers.overview->legend(),
                               m_controllers.basket->tabOrder(), this);
    m_ui.mnuOpen = m_controllers.keyboard->mnuOpen();
    m_ui.FindTermAction = m_controllers.keyboard->findTermAction();
    m_ui.MenuKeyAction = m_controllers.keyboard->menuKeyAction();
    connect(m_controllers.keyboard, &KeyboardController::approvalRequested, this,
            &frmMain::lblEmail_Click);
    connect(m_controllers.keyboard, &KeyboardController::labLinkRequested, this,
            &frmMain::lblLink_Click);
    connect(m_controllers.keyboard, &KeyboardController::openListRequested, this, [this] {
        if (m_controllers.desktop->canOpenList())
            Command2_Click();
    });
    connect(this, &frmMain::languageChanged, m_controllers.keyboard,
            &KeyboardController::applyMenuMnemonics);
}

} // namespace corvane
