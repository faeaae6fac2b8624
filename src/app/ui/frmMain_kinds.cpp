// "Files by kind...", "Save report..." and "Print report..." go to the
// kinds controller: their entries in "Menu", the folder it follows, what the
// report takes from the basket, the check and the approval, and the files of
// a kind shown as a filter of the list.

#include "ApprovalController.h"
#include "BrowseController.h"
#include "OpenController.h"
#include "SearchController.h"
#include "approval/ApprovalMail.h"
#include "basket/ui/BasketController.h"
#include "checklist/ui/CheckController.h"
#include "frmMain.h"
#include "report/KindLines.h"
#include "report/ui/KindsController.h"

#include <QAction>
#include <QMenu>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

void frmMain::setupKinds()
{
    const auto addAction = [this](QAction **action, const QString &name) {
        *action = new QAction(m_ui.mnuMenu);
        (*action)->setObjectName(name);
        m_ui.mnuMenu->insertAction(m_ui.mnuB1, *action); // above the separator before "Exit"
    };
    addAction(&m_ui.mnuKinds, u"mnuKinds"_s);
    addAction(&m_ui.mnuReport, u"mnuReport"_s);
    addAction(&m_ui.mnuPrintReport, u"mnuPrintReport"_s);
    ReportSources sources;
    sources.zipArchivePath = [this] {
        return m_controllers.open->listFromZip() ? m_controllers.open->zipArchivePath() : QString();
    };
    sources.basket = [this]() -> std::optional<ReportBasket> {
        const QStringList lines = m_controllers.basket->reportLines();
        if (lines.isEmpty())
            return std::nullopt;
        return ReportBasket{lines};
    };
    sources.check = [this] { return m_controllers.check->reportCheck(); };
    sources.approvalSubject = [this] {
        return buildApprovalMessage(m_controllers.approval->listName()).subject;
    };
    m_controllers.kinds =
        new KindsController(*this, *m_session, {m_ui.mnuKinds, m_ui.mnuReport, m_ui.mnuPrintReport},
                            std::move(sources), this);
    connect(this, &frmMain::languageChanged, m_controllers.kinds, &KindsController::retranslate);
    connect(m_controllers.basket, &BasketController::listFingerprintKnown, m_controllers.kinds,
            &KindsController::listFingerprintKnown);
    connect(m_controllers.browse, &BrowseController::folderShown, m_controllers.kinds,
            &KindsController::followFolder);
    // The files of a kind below a folder (of a status class unless -1), shown
    // as a filter of the list.
    connect(m_controllers.kinds, &KindsController::filesRequested, this,
            [this](const QByteArray &keyBelowRoot, FileKind kind, int statusClass) {
                const std::optional<StatusClass> c =
                    statusClass < 0 ? std::nullopt
                                    : std::optional<StatusClass>(StatusClass(statusClass));
                if (!m_controllers.search->runPickedLines(
                        std::shared_ptr<LineCriterion>(kindLinesCriterion(keyBelowRoot, kind, c))))
                    prompts().beep();
            });
}

} // namespace corvane
