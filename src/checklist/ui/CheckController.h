#pragma once

// "Check my files...": the customer's own list of what matters (pasted, read
// from a file or dropped, one entry a line) checked against the opened list,
// in a window of its own beside the main one. The check reads the list file
// on a worker thread (progress and Stop); each entry gets its verdict, its
// matches and its best match. A click on a row asks for its matches to be
// shown as a search result, a double-click also for the best match's folder;
// "Add to basket" and "Add all found to basket" ask for the matches to be
// chosen. "Save results..." writes the rows as CSV. The entries are kept per
// list (by its SHA-256) beside its basket and come back with the list.
//
// Signals:
//   matchesRequested(entries, addToBasket, bestPath)  show the lines any of
//       entries matches; then choose them all (addToBasket) or show the
//       folder of bestPath (when not empty)

#include "CheckResultsModel.h"
#include "report/RecoveryReport.h"

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <optional>

class QAction;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableView;

namespace corvane {

class BackgroundJob;
class ListSession;
class WindowContext;
struct SearchProgress;

struct CheckWidgets
{
    QAction *mnuCheck = nullptr; // "Check my files..." in "Menu"
};

class CheckController : public QObject
{
    Q_OBJECT

public:
    CheckController(WindowContext &context, ListSession &session, const CheckWidgets &widgets,
                    QObject *parent = nullptr);
    ~CheckController() override;

    // mnuCheck: the check's window, built when first asked for.
    void showCheck();
    QDialog *dialog() const { return m_dialog; }

    // The entries' box.
    QString entriesText() const;
    void setEntriesText(const QString &text);
    // "Open file..." asks which; a drop names it. False (and said) when the
    // file cannot be read as a list of entries.
    void openEntriesFile();
    bool readEntriesFile(const QString &path);

    // "Check": the entries in the box against the opened list.
    void runCheck();
    void stop();
    bool isChecking() const;
    bool waitForCheck(int timeoutMs); // tests
    const CheckResultsModel &results() const { return *m_model; }
    // The results of the last check of the opened list, in the language in
    // use, for the recovery report; none before a check.
    std::optional<ReportCheck> reportCheck() const;

    // The rows' actions (rows from 0).
    void showMatchesOf(int row);
    void openBestFolderOf(int row);
    void addRowToBasket(int row);
    void addAllFoundToBasket();
    void saveResults();

    // The opened list's SHA-256: its kept entries come back (into an empty
    // box), and the entries checked meanwhile are kept under it.
    void listFingerprintKnown(const QString &sha256);
    // Another list was opened: its results are not this one's.
    void listOpened();

    void retranslate();

Q_SIGNALS:
    void matchesRequested(const QStringList &entries, bool addToBasket, const QString &bestPath);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static constexpr int ProgressSteps = 1000;

    void buildDialog();
    void showProgress(const SearchProgress &progress);
    void finishCheck(const QStringList &entries, const CheckOutcome &outcome);
    void showSummary();
    void updateButtons();
    int currentRow() const;
    void keepEntries();

    WindowContext &m_context;
    ListSession &m_session;
    CheckWidgets m_w;
    CheckResultsModel *m_model = nullptr;
    QPointer<QDialog> m_dialog;
    QLabel *m_hint = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QPushButton *m_openFile = nullptr;
    QPushButton *m_run = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_stop = nullptr;
    QLabel *m_summary = nullptr;
    QTableView *m_table = nullptr;
    QPushButton *m_showMatches = nullptr;
    QPushButton *m_addToBasket = nullptr;
    QPushButton *m_addAllFound = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_close = nullptr;

    QString m_sha;         // the opened list's; empty while unknown
    QStringList m_toKeep;  // checked before the SHA-256 was known
    QString m_checkedList; // the list file the results are of
    QString m_pendingText; // set before the window was built
    // Last, so that it stops and waits for its run before the rest goes.
    BackgroundJob *m_job = nullptr;
};

} // namespace corvane
