// The window's side of the searches (SearchController): the search row's
// progress bar and Stop button, and the wiring of the controller to the
// session and the loader. The term search (Command3), the date search
// (Command4) and the preset filter (Command5) forward to it.

#include "BrowseController.h"
#include "KeptList.h"
#include "SearchController.h"
#include "frmMain.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

void frmMain::setupSearch()
{
    m_ui.SearchProgressBar = new QProgressBar(m_ui.Frame4);
    m_ui.SearchProgressBar->setObjectName(u"SearchProgressBar"_s);
    m_ui.SearchProgressBar->setTextVisible(false);
    m_ui.SearchProgressBar->setMaximumHeight(fontMetrics().height());
    m_ui.SearchProgressBar->hide();
    m_ui.SearchStop = new QPushButton(m_ui.Frame4);
    m_ui.SearchStop->setObjectName(u"SearchStop"_s);
    m_ui.SearchStop->hide();
    // The row keeps its room, so that the views do not jump when a search starts.
    for (QWidget *keep : {static_cast<QWidget *>(m_ui.SearchProgressBar),
                          static_cast<QWidget *>(m_ui.SearchStop)}) {
        QSizePolicy policy = keep->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        keep->setSizePolicy(policy);
    }
    if (auto *grid = qobject_cast<QGridLayout *>(m_ui.Frame4->layout())) {
        grid->addWidget(m_ui.SearchProgressBar, 4, 1);
        grid->addWidget(m_ui.SearchStop, 4, 2);
    }

    SearchWidgets widgets;
    widgets.TXT1 = m_ui.TXT1;
    widgets.Combo1 = m_ui.Combo1;
    widgets.Label24 = m_ui.Label24;
    widgets.Label8 = m_ui.Label8;
    widgets.mnuReload = m_ui.mnuReload;
    widgets.SearchProgressBar = m_ui.SearchProgressBar;
    widgets.SearchStop = m_ui.SearchStop;
    widgets.DTPicker1 = m_ui.DTPicker1;
    widgets.DTPicker2 = m_ui.DTPicker2;
    widgets.Label11 = m_ui.Label11;
    widgets.Label13 = m_ui.Label13;
    widgets.DateHint = m_ui.DateHint;
    m_controllers.search = new SearchController(*this, *m_session, *m_lock, widgets, this);
    m_controllers.search->readRecentTerms(m_settings.dataFolder);

    connect(m_controllers.search, &SearchController::loadResultRequested, this,
            [this](const QString &path, const QString &label24Before) {
                m_keptList->keep(LangEntry::SearchStopped, label24Before);
                // The window wrote this file itself: it is UTF-16LE, which a
                // result of non-Latin names does not show by its bytes.
                LoadListFile(path, ListSession::LoadKind::SearchResult, ListFileEncoding::Utf16LE);
            });
    connect(m_controllers.search, &SearchController::showFolderRequested, m_controllers.browse,
            &BrowseController::ShowFolder);
    connect(m_controllers.search, &SearchController::reloadRequested, this,
            &frmMain::mnuReload_Click);
    connect(this, &frmMain::languageChanged, m_controllers.search, &SearchController::retranslate);
    connect(m_session, &ListSession::loaded, m_controllers.search,
            [this](ListSession::LoadKind kind) {
                m_controllers.search->listLoadEnded(kind, false, m_keptList->lastLoadKeptShown());
            });
    connect(m_session, &ListSession::stopped, m_controllers.search,
            [this](ListSession::LoadKind kind) {
                m_controllers.search->listLoadEnded(kind, true, m_keptList->lastLoadKeptShown());
            });
}

bool frmMain::isSearching() const
{
    return m_controllers.search && m_controllers.search->isSearching();
}

void frmMain::StopSearch()
{
    if (m_controllers.search)
        m_controllers.search->stop();
}

void frmMain::Command3_Click()
{
    m_controllers.search->runTermSearch();
}

void frmMain::Command4_Click()
{
    m_controllers.search->runDateSearch();
}

void frmMain::Command5_Click()
{
    m_controllers.search->runPresetFilter();
}

} // namespace corvane
