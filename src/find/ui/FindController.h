#pragma once

// Narrowing the shown list as the user types in the Term box (TXT1).
//
// After a short pause each change runs a find over the list in memory on a
// worker (FindQuery, runFind); the tree then shows only the folders holding
// matches, with their counts, the grid only the matches of the folder shown,
// the legend the matches' statuses (narrowed). A change abandons the pass
// still running, and a query that only grows looks at the previous matches
// alone. Esc, or the box emptied, brings the whole list back on the folder
// that was shown when the narrowing began (widened). Words the query cannot
// read are marked in the box; its tooltip says why. Enter and "Search" still
// run the search of the list file, as before.

#include "browse/FolderListing.h"
#include "browse/ui/RecoveryLegend.h"
#include "find/FindFigures.h"
#include "find/FindPass.h"
#include "find/FindQuery.h"
#include "util/BackgroundJob.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <vector>

class QLabel;
class QLineEdit;

namespace corvane {

struct LoadedList;
class ListSession;
class WindowContext;

struct FindWidgets
{
    QLineEdit *TXT1 = nullptr;   // the Term box
    QLabel *FindCount = nullptr; // the matches and their bytes, beside it
    QLabel *FindHint = nullptr;  // the query's words, below it
};

// What a narrowed list shows, of the list that was shown when its pass ran.
struct FindView : public ListingFilter
{
    FindMatches matches;
    std::vector<qint32> perItem;         // the matches below every folder tree item
    std::vector<StatusFigure> perStatus; // by the list's status
    // Where the folders' lines stand, of the list searched (kept for the next pass).
    std::shared_ptr<const FolderStretches> stretches;
    bool keepsLine(qint32 line) const override { return matches.contains(line); }
    bool keepsFolder(int item) const override
    {
        return item >= 0 && size_t(item) < perItem.size() && perItem[size_t(item)] > 0;
    }
};

class FindController : public QObject
{
    Q_OBJECT
public:
    FindController(WindowContext &context, ListSession &session, const FindWidgets &widgets,
                   QObject *parent = nullptr);
    ~FindController() override;

    // Narrowed: the tree and the grid show matches only.
    bool isNarrowed() const { return m_view != nullptr; }
    // The whole list back and the box emptied (Esc).
    void widen();
    // The pause after a keystroke before a pass starts (ms).
    void setPause(int ms) { m_pause.setInterval(ms); }
    // A pass is waiting for the pause or running.
    bool isBusy() const { return m_pause.isActive() || m_passRunning; }
    void retranslate();

Q_SIGNALS:
    // The list shown narrowed to view (a new view for every pass).
    void narrowed(std::shared_ptr<const corvane::FindView> view);
    // The whole list again, on folder item (-1: as it is).
    void widened(int item);

private:
    void textEdited();
    void startPass();
    void passDone(std::shared_ptr<FindView> view, const FindQuery &query);
    void cancelPending();
    void dropView(int item);
    void listAboutToGo();
    void listReplaced();
    void markProblems(const FindQuery &query);
    void showCount();
    QString problemText(FindProblem problem) const;
    QString syntaxText() const;

    WindowContext &m_context;
    ListSession &m_session;
    FindWidgets m_w;
    QTimer m_pause;
    BackgroundJob m_job;
    FindQuery m_query; // of m_view
    std::shared_ptr<const FindView> m_view;
    // Of the list shown: found once, after the list came in or by the first pass.
    std::shared_ptr<const FolderStretches> m_stretches;
    QString m_stretchesPrefix; // the root prefix they were found with
    int m_folderBefore = -1;
    bool m_passRunning = false;
};

} // namespace corvane
