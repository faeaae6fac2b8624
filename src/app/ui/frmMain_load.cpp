// Loading a list into the window: the loader runs on a worker thread, its
// progress comes back queued to the window's thread, and the finished list is
// swapped in whole.

#include "BrowseController.h"
#include "CommandLock.h"
#include "DatePicker.h"
#include "KeptList.h"
#include "OpenController.h"
#include "OpenMessages.h"
#include "OverviewController.h"
#include "browse/ui/FolderTreeModel.h"
#include "frmMain.h"
#include "listfile/SizeText.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <QThreadPool>
#include <QTreeView>

#include <algorithm>
#include <memory>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// The load bar: reading and taking in the lines is the long part (to 90 %),
// the two sorts share the rest.
constexpr int BarRange = 1000;
int barValue(const LoadProgress &p)
{
    switch (p.phase) {
    case LoadProgress::Phase::Reading:
    case LoadProgress::Phase::Lines:
        if (p.bytesTotal <= 0)
            return 0;
        return int(std::clamp<qint64>(p.bytesDone * 900 / p.bytesTotal, 0, 900));
    case LoadProgress::Phase::LinesRead:
        return 920;
    case LoadProgress::Phase::SortingLines:
        return 960;
    case LoadProgress::Phase::Finished:
        return BarRange;
    }
    return 0;
}

} // namespace

// The views follow the session: they let go of a list before it goes, show
// the one that comes in, and the window's state follows each load's end.
void frmMain::connectSession()
{
    // What each kind of long work keeps from starting: a load anything that
    // reads or replaces the list; a search also the criteria and the member
    // grid; the open command its own page and the menu that reaches it.
    QObject *menu = m_ui.mnuMenu->menuAction();
    QObject *languages = m_ui.mnuLan->menuAction();
    m_lock->guard(CommandLock::Reason::Loading,
                  {m_ui.Frame2, m_ui.Frame4, m_ui.Frame6, menu, languages}, true);
    m_lock->guard(CommandLock::Reason::Searching,
                  {m_ui.Frame2, m_ui.Frame3, m_ui.Command3, m_ui.Command4, m_ui.Command5, m_ui.TXT1,
                   m_ui.Combo1, m_ui.DTPicker1, m_ui.DTPicker2, menu, languages},
                  true);
    m_lock->guard(CommandLock::Reason::Opening, {m_ui.Frame2, menu}, false);

    connect(m_session, &ListSession::progress, this, &frmMain::showLoadProgress);
    connect(m_session, &ListSession::aboutToReplace, this, [this](const LoadedList *incoming) {
        if (incoming && incoming->lineCount > 0) {
            ShowNumberText(m_ui.Label4,
                           [this, n = incoming->lineCount] { return formatCountShown(n); });
            ShowNumberText(m_ui.Label6, [this, n = incoming->totalSize] {
                return formatCount(n, numberLocale());
            });
            ShowNumberText(m_ui.Label1,
                           [this, n = incoming->folderCount] { return formatCountShown(n); });
        }
        // A list kept while this one loaded goes now, grid and details first.
        if (m_controllers.browse)
            m_controllers.browse->clear();
        ClearShownList();
        m_folderTreeModel->beginTreeChange();
    });
    connect(m_session, &ListSession::replaced, this, [this] {
        m_controllers.overview->showFolderTotals();
        m_folderTreeModel->endTreeChange();
    });
    connect(m_session, &ListSession::loaded, this, &frmMain::finishLoad);
    connect(m_session, &ListSession::stopped, this, [this] {
        FinishStoppedLoad();
        Q_EMIT listLoaded();
    });
}

bool frmMain::LoadListFile(const QString &path, ListSession::LoadKind kind, ListFileEncoding as)
{
    if (m_session->isLoading()) {
        m_keptList->takeForLoad(false);
        return false;
    }
    m_keptList->takeForLoad(true);
    setLoadingState(true);
    LoadOptions options;
    options.collationLocale = localeForLanguage(currentLanguage());
    options.dateLocale = m_settings.locale; // as the date search reads them
    options.fileEncoding = as;
    m_session->load(path, kind, std::move(options));
    return true;
}

// Stop (or Esc) while a list loads: the loader is told to give up, and the
// window does not wait for it to notice: the views are emptied (or the list
// kept for this load is left) at once and whatever the loader still hands
// back is thrown away.
void frmMain::StopLoad()
{
    m_session->stop();
}

void frmMain::FinishStoppedLoad()
{
    setLoadingState(false);
    if (m_keptList->restore())
        return;
    m_session->setCurrentFolderItem(-1);
    m_session->setRootPrefix(QString());
    m_session->setCurrentListFile(QString());
    ClearViews();
    ZeroOpenPageCounters();
    m_ui.Label8->clear();
    m_ui.Label22->clear();
    m_ui.Label23->clear();
    m_ui.SSTab1->setTabEnabled(1, false);
    m_ui.SSTab1->setCurrentIndex(0);
}

void frmMain::showLoadProgress(const LoadProgress &progress)
{
    // The counters change only once a line has been read, so an empty list
    // leaves the previous values standing.
    if (progress.lines > 0) {
        ShowNumberText(m_ui.Label4, [this, n = progress.lines] { return formatCountShown(n); });
        ShowNumberText(m_ui.Label6,
                       [this, n = progress.total] { return formatCount(n, numberLocale()); });
        ShowNumberText(m_ui.Label1, [this, n = progress.folders] { return formatCountShown(n); });
    }
    if (progress.phase == LoadProgress::Phase::LinesRead)
        m_ui.Label8->setText(caption(LangEntry::LinesRead));
    else if (progress.phase == LoadProgress::Phase::SortingLines)
        m_ui.Label8->setText(caption(LangEntry::SortingList));
    const int value = barValue(progress);
    if (value > m_loadProgressShown) {
        m_loadProgressShown = value;
        m_ui.LoadProgressBar->setValue(value);
    }
}

void frmMain::finishLoad(ListSession::LoadKind kind)
{
    m_keptList->loadEnded();
    const LoadedList &list = m_session->loadedList();
    if (list.SftTree1.count() > 0)
        m_ui.SftTree1->expand(m_folderTreeModel->indexOf(0));

    setLoadingState(false);
    m_ui.Label8->clear();
    ShowListInTitle();
    prompts().beep();
    m_ui.SSTab1->setTabEnabled(1, true);
    m_ui.SSTab1->setCurrentIndex(1);
    ShowNumberText(m_ui.Label22, [this, n = list.lineCount] { return formatCountShown(n); });
    ShowNumberText(m_ui.Label23, [this, n = list.totalSize] { return formatSizeShown(n); });

    const QString &listFile = m_session->CurrentListFile();
    if (list.changedWhileRead) {
        prompts().warning(this,
                          langText(LangEntry::ListChangedWhileRead) + u"\n\n"_s +
                              QDir::toNativeSeparators(listFile),
                          errorTitle(), false);
    } else if (list.fileFound && !list.error.isEmpty()) {
        // Only lines that were read can be shown: say so only when there are any.
        prompts().warning(this, readFailureText(*this, listFile, list.error, list.lineCount > 0),
                          errorTitle(), false);
    }
    if (kind == ListSession::LoadKind::Opened)
        m_controllers.open->listShown();
    Q_EMIT listLoaded();
}

void frmMain::ClearViews()
{
    m_session->clear();
}

// While a list loads, nothing may start that reads or replaces it: the open
// page, the searches and both menus are off (the command lock), and get back
// afterwards the state they had.
void frmMain::setLoadingState(bool loading)
{
    if (loading) {
        m_lock->hold(CommandLock::Reason::Loading);
        m_loadProgressShown = 0;
        m_ui.LoadProgressBar->setValue(0);
        m_ui.LoadProgressBar->show();
        if (m_ui.LoadStopButton) {
            m_ui.LoadStopButton->setEnabled(true);
            m_ui.LoadStopButton->show();
        }
    } else {
        m_lock->release(CommandLock::Reason::Loading);
        m_ui.LoadProgressBar->hide();
        if (m_ui.LoadStopButton)
            m_ui.LoadStopButton->hide();
    }
}

} // namespace corvane
