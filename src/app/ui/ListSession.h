#pragma once

// The list the window works on: the state its parts share, and its loads.
//
// CurrentListFile (the opened list), RootPrefix (the folder its paths start
// with), CurrentFolderItem (the folder shown), the loaded list (line store,
// folder tree) and its folder totals live here, owned by the main window;
// everything else reads them from here. load() reads a list on a worker
// thread and swaps it in whole; clear() lets the list go. Both tell what
// they do through signals, in this order:
//   aboutToReplace(incoming)  the views let go of the old list (incoming is
//                             the new one, or nullptr when clear() empties)
//   replaced()                the new list and its totals are in place
//   loaded(kind)              a load has ended with its list shown
// and stopped(kind) when a load was given up (stop(), or the loader gave up):
// the list shown before it stays in place. progress() comes while a load
// runs, only for the load that runs now.
//
// While a search result is shown, the list it was cut from (the opened list)
// stays in memory beside it: the restore basket's choice, its figures and the
// restore list are of the opened list's lines. Another load of any other kind
// and clear() let it go.

#include "listfile/FolderTotals.h"
#include "listfile/ListLoader.h"
#include "util/BackgroundJob.h"

#include <QObject>
#include <QString>

#include <functional>

namespace corvane {

class ListSession : public QObject
{
    Q_OBJECT

public:
    enum class LoadKind {
        Opened,       // by the open command: chosen, Reload, a drop, a recent list
        SearchResult, // the result file of a search
        Plain,        // a list loaded with nothing around the load
    };
    Q_ENUM(LoadKind)
    using Loader = std::function<LoadedList(const QString &, const LoadOptions &)>;

    // loader: what reads a list on the worker thread (empty: loadList).
    explicit ListSession(Loader loader, QObject *parent = nullptr);

    const QString &CurrentListFile() const { return m_currentListFile; }
    const QString &RootPrefix() const { return m_rootPrefix; }
    qint32 CurrentFolderItem() const { return m_currentFolderItem; }
    void setCurrentListFile(const QString &path) { m_currentListFile = path; }
    void setRootPrefix(const QString &prefix) { m_rootPrefix = prefix; }
    void setCurrentFolderItem(qint32 item) { m_currentFolderItem = item; }

    const LoadedList &loadedList() const { return m_list; }
    // The list the open command opened: the loaded list itself, or the one a
    // shown search result was cut from.
    const LoadedList &openedList() const { return m_showsResult ? m_opened : m_list; }
    bool showsSearchResult() const { return m_showsResult; }
    const FolderTotals &folderTotals() const { return m_list.totals; }

    // Starts reading path and returns at once; false while a load runs.
    // options.stop and options.progress are the session's own.
    bool load(const QString &path, LoadKind kind, LoadOptions options);
    bool isLoading() const { return m_job.isRunning(); }
    LoadKind loadKind() const { return m_kind; }
    // Gives up the running load at once: stopped() comes before this returns
    // and whatever the loader still hands back is thrown away.
    void stop();
    // Tells the running load to stop, and nothing more (the program ends).
    void askToStop() { m_job.stop(); }
    // The list goes (freed on a pool thread); the names above stay as set.
    void clear();

Q_SIGNALS:
    void progress(const corvane::LoadProgress &progress);
    void aboutToReplace(const corvane::LoadedList *incoming);
    void replaced();
    void loaded(corvane::ListSession::LoadKind kind);
    void stopped(corvane::ListSession::LoadKind kind);

private:
    void finish(LoadedList list);
    void swapIn(LoadedList &&list, bool announce);

    Loader m_loader;
    BackgroundJob m_job;
    LoadKind m_kind = LoadKind::Opened;
    QString m_currentListFile;
    QString m_rootPrefix;
    qint32 m_currentFolderItem = -1;
    LoadedList m_list;
    LoadedList m_opened; // while m_showsResult
    bool m_showsResult = false;
};

} // namespace corvane
