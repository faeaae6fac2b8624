#pragma once

// The searches of the view page: the term search (Command3, Enter in TXT1,
// the recent terms offered below TXT1), the date search (Command4 over
// DTPicker1 and DTPicker2, DateHint below them while one cannot be read) and
// the preset filter (Command5 over Combo1 and the status words of the list
// opened). A search re-reads the opened list on a worker thread and writes
// its matches to the result file in the data folder; SearchProgressBar and
// SearchStop show while it runs, Label24 counts the matches and Label8 says
// what happens. The commands that would read or replace the list are held
// off meanwhile (CommandLock::Reason::Searching).
//
// Signals:
//   loadResultRequested(path, label24Before)  the result is written: load it
//       as the search result (UTF-16LE), keeping the list shown until it is
//       in; stopped, Label24 shows label24Before again
//   showFolderRequested(item)  a folder to show in the grid (the first one
//       with matches after a result, the folder shown before a reload)
//   reloadRequested()  "(Reload)" was picked in Combo1 and run

#include "ListSession.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QDate;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStringListModel;

namespace corvane {

class CommandLock;
class DatePicker;
class WindowContext;
class LineCriterion;
struct SearchOutcome;
struct SearchProgress;

// The controls the searches drive.
struct SearchWidgets
{
    QLineEdit *TXT1 = nullptr;    // the search term
    QComboBox *Combo1 = nullptr;  // the preset filter's status words
    QLabel *Label24 = nullptr;    // the count of matches
    QLabel *Label8 = nullptr;     // what the window does now
    QAction *mnuReload = nullptr; // enabled by a term search or a filter
    QProgressBar *SearchProgressBar = nullptr;
    QPushButton *SearchStop = nullptr;
    DatePicker *DTPicker1 = nullptr; // From
    DatePicker *DTPicker2 = nullptr; // To
    QLabel *Label11 = nullptr;       // the pickers' captions, naming them in DateHint
    QLabel *Label13 = nullptr;
    QLabel *DateHint = nullptr;
};

// The pickers' start-up range: "To" is today; "From" is 366 days back when
// the year is divisible by 4, else 365 (plain divisibility: 2100 counts too).
void setSearchDateRange(DatePicker *from, DatePicker *to, const QDate &today);

class SearchController : public QObject
{
    Q_OBJECT

public:
    SearchController(WindowContext &context, ListSession &session, CommandLock &lock,
                     const SearchWidgets &widgets, QObject *parent = nullptr);

    // The last ten search terms, newest first, as kept in RecentTerms.txt in
    // dataFolder (read once at start-up; the folder is not created for it).
    void readRecentTerms(const QString &dataFolder);
    QStringList recentTerms() const;

    // A search runs from the click until its result file is written.
    bool isSearching() const;
    // Gives the running search up: the list shown stays as it was.
    void stop();

    void runTermSearch();   // Command3, Enter in TXT1
    void runDateSearch();   // Command4
    void runPresetFilter(); // Command5
    // The lines another feature picks (the matches of a check's entries),
    // searched and shown as a search result; the term box is cleared. False
    // while a search or a load runs.
    bool runPickedLines(const std::shared_ptr<LineCriterion> &criterion);
    // The preset filter with one status word (a legend row's click): Combo1
    // is set to it, offered in its list when it is not yet, and run.
    void runPresetFilterFor(const QString &status);

    // Reload: the folder shown now is shown again after the reload.
    void rememberFolderForReload();
    // A load has ended (stopped: given up; keptShown: it was stopped and the
    // list shown before it stayed): a search result is shown with its
    // criteria, any other list starts with none.
    void listLoadEnded(ListSession::LoadKind kind, bool stopped, bool keptShown);

    // After the open command loaded a list: the pickers take the list's
    // earliest and latest date, or the start-up range from today when none
    // of its dates can be read.
    void setDateRangeFromList(const QDate &today);
    // Before the date search: true when both pickers read as dates; else the
    // unreadable ones are marked and a message says why nothing is searched.
    bool checkSearchDates();

    // The texts of the language in use: SearchStop, Combo1's own entries
    // and counts, the pickers' date format and hints.
    void retranslate();

Q_SIGNALS:
    void loadResultRequested(const QString &path, const QString &label24Before);
    void showFolderRequested(int item);
    void reloadRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Kind { Term, Date, Filter, Picked };

    void start(Kind kind, const std::shared_ptr<LineCriterion> &criterion);
    void finish(Kind kind, const SearchOutcome &outcome, const QString &resultPath);
    void resultShown();
    void lock(bool on);
    void showProgress(const SearchProgress &progress);
    QString countText(Kind kind, qint64 count) const;
    void showCount(Kind kind, qint64 count);
    void restoreCount();
    void applyFilterLanguage();
    void addRecentTerm(const QString &term);
    void collectListWords();
    void fillCombo(const QList<std::pair<QString, qint64>> &words);
    // SearchController_dates.cpp
    void setupDatePickers();
    void applyDatePickerLanguage();
    void showDateHint();

    WindowContext &m_context;
    ListSession &m_session;
    CommandLock &m_lock;
    SearchWidgets m_w;
    QStringListModel *m_recent = nullptr;
    bool m_restoreFolder = false;
    QStringList m_folderNames;
    QString m_noFilter;
    QString m_reload;
    QString m_label24Before;
    std::function<QString()> m_countBefore; // Label24's count in any language
    Kind m_kind = Kind::Term;
    // Last, so that they stop and wait for their runs before the rest goes.
    BackgroundJob m_job;   // the search
    BackgroundJob m_words; // the status words of the list opened
};

} // namespace corvane
