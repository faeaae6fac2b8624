// The approval e-mail (lblEmail, Image2) and "Save list as..." (mnuSaveList)
// go to their controller; the window adds the menu entry and forwards its
// handlers.

#include "ApprovalController.h"
#include "OpenController.h"
#include "basket/ui/BasketController.h"
#include "frmMain.h"

#include <QAction>
#include <QMenu>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

void frmMain::setupApproval()
{
    m_ui.mnuSaveList = m_ui.mnuMenu->addAction(langText(LangEntry::SaveListAs));
    m_ui.mnuSaveList->setObjectName(u"mnuSaveList"_s);
    m_ui.mnuMenu->insertAction(m_ui.mnuB1, m_ui.mnuSaveList); // above the separator before "Exit"

    ApprovalSources sources;
    sources.memberNameOf = [this](const QString &path) {
        return m_controllers.open->memberNameOf(path);
    };
    sources.offeredListName = [this] { return m_controllers.open->offeredListName(); };
    sources.zipArchivePath = [this] { return m_controllers.open->zipArchivePath(); };
    sources.bodyNote = [this] { return m_controllers.basket->approvalNote(); };
    m_controllers.approval =
        new ApprovalController(*this, *m_session, {m_ui.lblEmail, m_ui.Image2, m_ui.mnuSaveList},
                               std::move(sources), this);
    connect(m_controllers.approval, &ApprovalController::lblEmailClicked, this,
            &frmMain::lblEmail_Click);
    connect(m_controllers.approval, &ApprovalController::Image2Clicked, this,
            &frmMain::Image2_Click);
    connect(m_ui.mnuSaveList, &QAction::triggered, this, &frmMain::mnuSaveList_Click);
    connect(m_controllers.open, &OpenController::listOpening, m_controllers.approval,
            &ApprovalController::rememberListName);
    connect(this, &frmMain::listLoaded, m_controllers.approval,
            &ApprovalController::updateControls);
    connect(this, &frmMain::languageChanged, m_controllers.approval,
            &ApprovalController::retranslate);
}

void frmMain::lblEmail_Click()
{
    m_controllers.approval->sendApproval();
}

void frmMain::mnuSaveList_Click()
{
    m_controllers.approval->saveList();
}

} // namespace corvane
