// Loading a list into the window: the loader runs on a worker thread, its
// progress comes back queued to the window's thread, and the finished list is
// swapped in whole.

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

// Freeing a list of millions of lines takes a noticeable moment: leave it to
// a pool thread, so that the window does not wait for it.
void releaseInBackground(LoadedList &list)
{
    auto old = std::make_shared<LoadedList>(std::move(list));
    list.clear();
    QThreadPool::globalInstance()->start([old = std::move(old)]() mutable { old.reset(); });
}

} // namespace

bool frmMain::LoadListFile(const QString &path, std::function<void()> whenDone, ListFileEncoding as)
{
    if (m_loadThread) {
        m_keepForNextLoad.reset();
        return false;
    }
    m_kept = std::exchange(m_keepForNextLoad, std::nullopt);
    m_lastLoadKeptShown = false;
    setLoadingState(true);

    // Each load has its own stop flag: a load given up with Stop may still be
    // ending while the next one runs.
    m_loadStop = std::make_shared<std::atomic<bool>>(false);
    const quint64 serial = ++m_loadSerial;
    LoadOptions options;
    options.collationLocale = localeForLanguage(m_language);
    options.dateLocale = m_settings.locale; // as the date search reads them
    options.stop = m_loadStop.get();
    options.fileEncoding = as;
    options.progress = [this, serial](const LoadProgress &progress) {
        QMetaObject::invokeMethod(
            this,
            [this, serial, progress] {
                if (serial == m_loadSerial)
                    showLoadProgress(progress);
            },
            Qt::QueuedConnection);
    };

    auto result = std::make_shared<LoadedList>();
    m_loadThread =
        QThread::create([path, options, result, stop = m_loadStop, load = m_settings.loadList] {
            *result = load ? load(path, options) : loadList(path, options);
        });
    m_loadThread->setObjectName(u"ListLoader"_s);
    QThread *thread = m_loadThread;
    connect(m_loadThread, &QThread::finished, this, [this, thread, result, whenDone] {
        thread->deleteLater();
        if (thread != m_loadThread) {
            // Given up with Stop: its lines are not wanted.
            std::erase(m_stoppedLoads, thread);
            releaseInBackground(*result);
            return;
        }
        m_loadThread = nullptr;
        if (result->stopped) {
            releaseInBackground(*result);
            FinishStoppedLoad();
            Q_EMIT listLoaded();
            return;
        }
        stageFolderTotals(std::move(result->totals));
        finishLoad(std::move(*result));
        if (whenDone)
            whenDone();
        Q_EMIT listLoaded();
    });
    m_loadThread->start();
    return true;
}

// Stop (or Esc) while a list loads: the loader is told to give up, and the
// window does not wait for it to notice: the views are emptied (or the list
// kept for this load is left) at once and whatever the loader still hands
// back is thrown away.
void frmMain::StopLoad()
{
    if (!m_loadThread)
        return;
    if (m_loadStop)
        *m_loadStop = true;
    m_stoppedLoads.push_back(m_loadThread);
    m_loadThread = nullptr;
    ++m_loadSerial; // late progress reports of that load are ignored
    FinishStoppedLoad();
    Q_EMIT listLoaded();
}

void frmMain::KeepShownListDuringLoad(int stoppedEntry, const QString &label24)
{
    KeptList kept;
    kept.listFile = CurrentListFile;
    kept.rootPrefix = RootPrefix;
    kept.fromZip = m_listFromZip;
    kept.folderItem = CurrentFolderItem;
    kept.folders = Label1->text();
    kept.files = Label4->text();
    kept.bytes = Label6->text();
    kept.label24 = label24;
    kept.term = TXT1->text();
    kept.filter = Combo1->currentText();
    kept.viewPageEnabled = SSTab1->isTabEnabled(1);
    kept.page = SSTab1->currentIndex();
    kept.reloadEnabled = mnuReload->isEnabled();
    kept.stoppedEntry = stoppedEntry;
    m_keepForNextLoad = std::move(kept);
}

// The list kept for a load that was stopped: shown as it was, from the file
// it came from; the load's counters go.
void frmMain::RestoreKeptList()
{
    const KeptList kept = std::move(*m_kept);
    m_kept.reset();
    m_lastLoadKeptShown = true;
    CurrentListFile = kept.listFile;
    RootPrefix = kept.rootPrefix;
    m_listFromZip = kept.fromZip;
    CurrentFolderItem = kept.folderItem;
    Label1->setText(kept.folders);
    Label4->setText(kept.files);
    Label6->setText(kept.bytes);
    Label24->setText(kept.label24);
    TXT1->setText(kept.term);
    Combo1->setCurrentText(kept.filter);
    mnuReload->setEnabled(kept.reloadEnabled);
    SSTab1->setTabEnabled(1, kept.viewPageEnabled);
    SSTab1->setCurrentIndex(kept.page);
    Label8->setText(caption(kept.stoppedEntry));
}

void frmMain::FinishStoppedLoad()
{
    setLoadingState(false);
    if (m_kept) {
        RestoreKeptList();
        return;
    }
    CurrentFolderItem = -1;
    RootPrefix.clear();
    CurrentListFile.clear();
    ClearViews();
    ZeroOpenPageCounters();
    Label8->clear();
    Label22->clear();
    Label23->clear();
    SSTab1->setTabEnabled(1, false);
    SSTab1->setCurrentIndex(0);
}

void frmMain::showLoadProgress(const LoadProgress &progress)
{
    if (!m_loadThread)
        return; // a late report of a load that has ended
    // The counters change only once a line has been read, so an empty list
    // leaves the previous values standing.
    if (progress.lines > 0) {
        ShowNumberText(Label4, [this, n = progress.lines] { return formatCountShown(n); });
        ShowNumberText(Label6,
                       [this, n = progress.total] { return formatCount(n, numberLocale()); });
        ShowNumberText(Label1, [this, n = progress.folders] { return formatCountShown(n); });
    }
    if (progress.phase == LoadProgress::Phase::LinesRead)
        Label8->setText(caption(34));
    else if (progress.phase == LoadProgress::Phase::SortingLines)
        Label8->setText(caption(35));
    const int value = barValue(progress);
    if (value > m_loadProgressShown) {
        m_loadProgressShown = value;
        LoadProgressBar->setValue(value);
    }
}

void frmMain::finishLoad(LoadedList list)
{
    if (list.lineCount > 0) {
        ShowNumberText(Label4, [this, n = list.lineCount] { return formatCountShown(n); });
        ShowNumberText(Label6,
                       [this, n = list.totalSize] { return formatCount(n, numberLocale()); });
        ShowNumberText(Label1, [this, n = list.folderCount] { return formatCountShown(n); });
    }
    RootPrefix = list.rootPrefixAfter(RootPrefix);
    const QString readError = list.error;
    m_kept.reset();

    // A list kept while this one loaded goes now, grid and details first.
    CurrentFolderItem = -1;
    ClearFileGrid();
    ClearShownList();
    m_folderTreeModel->beginTreeChange();
    releaseInBackground(m_loadedList);
    m_loadedList = std::move(list);
    applyStagedFolderTotals();
    m_folderTreeModel->endTreeChange();
    if (m_loadedList.SftTree1.count() > 0)
        SftTree1->expand(m_folderTreeModel->indexOf(0));

    setLoadingState(false);
    Label8->clear();
    ShowListInTitle();
    m_prompts.beep();
    SSTab1->setTabEnabled(1, true);
    SSTab1->setCurrentIndex(1);
    ShowNumberText(Label22, [this, n = m_loadedList.lineCount] { return formatCountShown(n); });
    ShowNumberText(Label23, [this, n = m_loadedList.totalSize] { return formatSizeShown(n); });

    if (m_loadedList.changedWhileRead) {
        m_prompts.warning(this,
                          langText(70) + u"\n\n"_s + QDir::toNativeSeparators(CurrentListFile),
                          errorTitle(), false);
    } else if (m_loadedList.fileFound && !readError.isEmpty()) {
        // Only lines that were read can be shown: say so only when there are any.
        m_prompts.warning(this,
                          ReadFailureText(CurrentListFile, readError, m_loadedList.lineCount > 0),
                          errorTitle(), false);
    }
}

void frmMain::ClearViews()
{
    ClearFileGrid();
    ClearShownList();
    m_folderTreeModel->beginTreeChange();
    releaseInBackground(m_loadedList);
    applyStagedFolderTotals();
    m_folderTreeModel->endTreeChange();
}

// While a list loads, nothing may start that reads or replaces it: the open
// page, the searches and both menus are disabled, and get back afterwards
// the state they had.
void frmMain::setLoadingState(bool loading)
{
    if (loading) {
        const QList<QObject *> locked = {Frame2, Frame4, Frame6, mnuMenu->menuAction(),
                                         mnuLan->menuAction()};
        m_enabledBeforeLoad.clear();
        for (QObject *object : locked) {
            bool enabled = false;
            if (auto *w = qobject_cast<QWidget *>(object)) {
                // The widget's own setting, not the one it inherits from a
                // disabled tab page.
                enabled = !w->testAttribute(Qt::WA_ForceDisabled);
                w->setEnabled(false);
            } else if (auto *a = qobject_cast<QAction *>(object)) {
                // A hidden action reads as disabled; its own setting is
                // taken to be enabled (the menus are only ever locked here
                // and by the open command).
                enabled = a->isEnabled() || !a->isVisible();
                a->setEnabled(false);
            }
            m_enabledBeforeLoad.push_back({object, enabled});
        }
        m_loadProgressShown = 0;
        LoadProgressBar->setValue(0);
        LoadProgressBar->show();
        if (LoadStopButton) {
            LoadStopButton->setEnabled(true);
            LoadStopButton->show();
        }
        QApplication::setOverrideCursor(Qt::BusyCursor);
    } else {
        for (const SavedEnabled &saved : m_enabledBeforeLoad) {
            if (auto *w = qobject_cast<QWidget *>(saved.object))
                w->setEnabled(saved.enabled);
            else if (auto *a = qobject_cast<QAction *>(saved.object))
                a->setEnabled(saved.enabled);
        }
        m_enabledBeforeLoad.clear();
        LoadProgressBar->hide();
        if (LoadStopButton)
            LoadStopButton->hide();
        QApplication::restoreOverrideCursor();
    }
}

} // namespace corvane
