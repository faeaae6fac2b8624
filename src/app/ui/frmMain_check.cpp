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

namespace {

// The matches of a check's rows shown as a search result of the list, then
// chosen or the best match's folder shown. The list's search runs the
// matches; what follows waits until their result is loaded.
class CheckMatchesShown : public QObject
{
public:
    CheckMatchesShown(ListSession &session, const WindowControllers &controllers, Prompts &prompts,
                      QObject *parent)
        : QObject(parent), m_session(session), m_controllers(controllers), m_prompts(prompts)
    {
        // After the search's own handling of its result (connected before).
        connect(&m_session, &ListSession::loaded, this, [this](ListSession::LoadKind kind) {
            if (kind == ListSession::LoadKind::Opened) {
                m_controllers.check->listOpened();
                m_shown = {};
                return;
            }
            if (kind != ListSession::LoadKind::SearchResult)
                return;
            if (!std::exchange(m_searching, false)) {
                m_shown = {}; // another search's result
                return;
            }
            finish();
        });
        connect(&m_session, &ListSession::stopped, this, [this] {
            m_searching = false;
            m_shown = {};
        });
    }

    void show(const QStringList &entries, bool addToBasket, const QString &bestPath)
    {
        // The matches shown already (or on their way): only what follows.
        if (entries == m_shown.entries && (m_searching || m_session.showsSearchResult())) {
            m_shown.addToBasket = m_shown.addToBasket || addToBasket;
            if (!bestPath.isEmpty())
                m_shown.bestPath = bestPath;
            if (!m_searching)
                finish();
            return;
        }
        if (!m_controllers.search->runPickedLines(
                std::shared_ptr<LineCriterion>(checkEntriesCriterion(entries)))) {
            m_prompts.beep();
            return;
        }
        m_shown = {entries, addToBasket, bestPath};
        m_searching = true;
    }

private:
    void finish()
    {
        if (std::exchange(m_shown.addToBasket, false))
            m_controllers.basket->addAllShownWhenFound();
        const QString bestPath = std::exchange(m_shown.bestPath, QString());
        if (bestPath.isEmpty())
            return;
        // The best match's folder: its names below the top folder, the file's
        // own name left out.
        QString below = bestPath;
        if (below.startsWith(m_session.RootPrefix()))
            below = below.mid(m_session.RootPrefix().size());
        QStringList names = below.split(u'\\');
        const QString fileName = names.takeLast();
        const int item = m_session.loadedList().SftTree1.findPath(names);
        if (item < 0)
            return;
        m_controllers.browse->ShowFolder(item);
        m_controllers.browse->SelectGridFileRow(fileName);
    }

    ListSession &m_session;
    const WindowControllers &m_controllers;
    Prompts &m_prompts;
    struct Shown
    {
        QStringList entries;
        bool addToBasket = false;
        QString bestPath;
    } m_shown;
    bool m_searching = false;
};

} // namespace

void frmMain::setupCheck()
{
    m_ui.mnuCheck = m_ui.mnuMenu->addAction(langText(LangEntry::CheckOpen));
    m_ui.mnuCheck->setObjectName(u"mnuCheck"_s);
    m_ui.mnuMenu->insertAction(m_ui.mnuB1, m_ui.mnuCheck); // above the separator before "Exit"
    m_controllers.check = new CheckController(*this, *m_session, {m_ui.mnuCheck}, this);
    connect(this, &frmMain::languageChanged, m_controllers.check, &CheckController::retranslate);
    connect(m_controllers.basket, &BasketController::listFingerprintKnown, m_controllers.check,
            &CheckController::listFingerprintKnown);
    auto *shown = new CheckMatchesShown(*m_session, m_controllers, prompts(), this);
    connect(m_controllers.check, &CheckController::matchesRequested, shown,
            &CheckMatchesShown::show);
}

} // namespace corvane
