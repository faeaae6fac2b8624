// "Check my files..." goes to its controller: its entry in "Menu", the
// entries kept with the list's fingerprint, and the matches of its rows
// shown as a search result, then chosen or their best folder shown.

#include "BrowseController.h"
#include "SearchController.h"
#include "basket/ui/BasketController.h"
#include "checklist/CheckList.h"
#include "checklist/ui/CheckController.h"
#include "frmMain.h"

#include <QAction>
#include <QMenu>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

void frmMain::setupCheck()
{
    m_ui.mnuCheck = m_ui.mnuMenu->addAction(langText(LangEntry::CheckOpen));
    m_ui.mnuCheck->setObjectName(u"mnuCheck"_s);
    m_ui.mnuMenu->insertAction(m_ui.mnuB1, m_ui.mnuCheck); // above the separator before "Exit"
    m_check = new CheckController(*this, *m_session, {m_ui.mnuCheck}, this);
    connect(this, &frmMain::languageChanged, m_check, &CheckController::retranslate);
    connect(m_basket, &BasketController::listFingerprintKnown, m_check,
            &CheckController::listFingerprintKnown);
    connect(m_check, &CheckController::matchesRequested, this, &frmMain::ShowCheckMatches);
    // After the search's own handling of its result (connected before).
    connect(m_session, &ListSession::loaded, this, [this](ListSession::LoadKind kind) {
        if (kind == ListSession::LoadKind::Opened) {
            m_check->listOpened();
            m_checkShown = {};
            return;
        }
        if (kind != ListSession::LoadKind::SearchResult)
            return;
        if (!std::exchange(m_checkSearching, false)) {
            m_checkShown = {}; // another search's result
            return;
        }
        FinishCheckMatches();
    });
    connect(m_session, &ListSession::stopped, this, [this] {
        m_checkSearching = false;
        m_checkShown = {};
    });
}

CheckController &frmMain::checkController() const
{
    return *m_check;
}

void frmMain::ShowCheckMatches(const QStringList &entries, bool addToBasket,
                               const QString &bestPath)
{
    // The matches shown already (or on their way): only what follows.
    if (entries == m_checkShown.entries && (m_checkSearching || m_session->showsSearchResult())) {
        m_checkShown.addToBasket = m_checkShown.addToBasket || addToBasket;
        if (!bestPath.isEmpty())
            m_checkShown.bestPath = bestPath;
        if (!m_checkSearching)
            FinishCheckMatches();
        return;
    }
    if (!m_search->runPickedLines(std::shared_ptr<LineCriterion>(checkEntriesCriterion(entries)))) {
        m_prompts.beep();
        return;
    }
    m_checkShown = {entries, addToBasket, bestPath};
    m_checkSearching = true;
}

void frmMain::FinishCheckMatches()
{
    if (std::exchange(m_checkShown.addToBasket, false))
        m_basket->addAllShownWhenFound();
    const QString bestPath = std::exchange(m_checkShown.bestPath, QString());
    if (bestPath.isEmpty())
        return;
    // The best match's folder: its names below the top folder, the file's
    // own name left out.
    QString below = bestPath;
    if (below.startsWith(m_session->RootPrefix()))
        below = below.mid(m_session->RootPrefix().size());
    QStringList names = below.split(u'\\');
    const QString fileName = names.takeLast();
    const int item = m_session->loadedList().SftTree1.findPath(names);
    if (item < 0)
        return;
    m_browse->ShowFolder(item);
    m_browse->SelectGridFileRow(fileName);
}

} // namespace corvane
