#pragma once

// "Files by kind..." and the recovery report. The kinds of the folder shown
// in the tree (and of all folders below it) in a window of its own beside
// the main one: one row per kind with its files, size, files per status
// class and a bar of the classes, sortable by any column; a click on a
// number asks for those files to be shown (filesRequested), as a filter of
// the list shown. "Save report..." writes the report of the opened list as
// PDF, HTML or CSV on a worker thread; "Print report..." prints it.
//
// Signals:
//   filesRequested(keyBelowRoot, kind, statusClass)  show the files of kind
//       below the folder with that key (empty: "Root"); statusClass -1: of
//       any class, else a StatusClass

#include "KindsModel.h"
#include "report/RecoveryReport.h"

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QAction;
class QLabel;
class QPushButton;
class QTableView;

namespace corvane {

class BackgroundJob;
class ListSession;
class WindowContext;

struct KindsWidgets
{
    QAction *mnuKinds = nullptr;       // "Files by kind..." in "Menu"
    QAction *mnuReport = nullptr;      // "Save report..."
    QAction *mnuPrintReport = nullptr; // "Print report..."
};

// What the report takes from the rest of the window, asked when it is made.
struct ReportSources
{
    std::function<QString()> zipArchivePath; // the archive the opened list came from; empty if none
    std::function<std::optional<ReportBasket>()> basket;
    std::function<std::optional<ReportCheck>()> check;
    std::function<QString()> approvalSubject;
};

class KindsController : public QObject
{
    Q_OBJECT

public:
    KindsController(WindowContext &context, ListSession &session, const KindsWidgets &widgets,
                    ReportSources sources, QObject *parent = nullptr);
    ~KindsController() override;

    // mnuKinds: the window, built when first asked for.
    void showKinds();
    QDialog *dialog() const { return m_dialog; }
    const KindsModel &model() const { return *m_model; }

    // The folder the tree shows (its item); the view follows it.
    void followFolder(int item);
    int shownFolder() const { return m_item; }
    // A click on a cell (row and column from 0).
    void showFilesOf(int row, int column);

    // The opened list's SHA-256, once known.
    void listFingerprintKnown(const QString &sha256);

    void saveReport();
    void printReport();
    bool isWritingReport() const;
    bool waitForReport(int timeoutMs); // tests

    void retranslate();

Q_SIGNALS:
    void filesRequested(const QByteArray &keyBelowRoot, corvane::FileKind kind, int statusClass);

private:
    void buildDialog();
    void listReplaced();
    void listAboutToGo();
    void refresh();
    ReportTexts texts() const;
    ReportListInfo listInfo() const;
    // Where its messages go: its window while shown, else the main one.
    QWidget *promptParent() const;
    // True when a list is open; else says so.
    bool hasListOrSays() const;
    void sayNoList() const;
    // Asks for the report of the opened list on the worker, then done(report)
    // on the window's thread; false (and said) when no list is open.
    bool startReport(std::function<RecoveryReport(RecoveryReport, const std::atomic<bool> *)> work,
                     std::function<void(const RecoveryReport &)> done);

    WindowContext &m_context;
    ListSession &m_session;
    KindsWidgets m_w;
    ReportSources m_sources;
    KindsModel *m_model = nullptr;
    QPointer<QDialog> m_dialog;
    QLabel *m_hint = nullptr;
    QTableView *m_table = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_close = nullptr;
    int m_item = 0;
    QString m_sha;        // of the opened list; empty while unknown
    QDateTime m_opened;   // when the opened list was opened
    QString m_openedFile; // the list m_sha and m_opened are of
    // Last, so that it stops and waits for its run before the rest goes.
    BackgroundJob *m_job = nullptr;
};

} // namespace corvane
