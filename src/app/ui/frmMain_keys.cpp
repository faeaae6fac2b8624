// The keyboard goes to its controller (KeyboardController), built last when
// every control is there: Enter or Space on the approval prompt and on the
// lab's link run their clicks, "Open File List" runs the open command while
// a list may be opened, and the menu titles take their mnemonics anew in
// each language.

#include "DesktopController.h"
#include "KeyboardController.h"
#include "basket/ui/BasketController.h"
#include "frmMain.h"

namespace corvane {

void frmMain::setupKeyboard()
{
    m_keys = new KeyboardController(*this, m_ui, this, menuBar(), recoveryLegend(),
                                    m_basket->tabOrder(), this);
    m_ui.mnuOpen = m_keys->mnuOpen();
    m_ui.FindTermAction = m_keys->findTermAction();
    m_ui.MenuKeyAction = m_keys->menuKeyAction();
    connect(m_keys, &KeyboardController::approvalRequested, this, &frmMain::lblEmail_Click);
    connect(m_keys, &KeyboardController::labLinkRequested, this, &frmMain::lblLink_Click);
    connect(m_keys, &KeyboardController::openListRequested, this, [this] {
        if (m_desktop->canOpenList())
            Command2_Click();
    });
    connect(this, &frmMain::languageChanged, m_keys, &KeyboardController::applyMenuMnemonics);
}

KeyboardController &frmMain::keyboardController() const
{
    return *m_keys;
}

} // namespace corvane
