#pragma once

// "Compare with another list...": the opened list (OLD, unless swapped)
// against another list file the user chooses (NEW), in a window of its own
// beside the main one (of a zip archive, the list its member grid offers
// first). The other list is read and the two compared on worker
// threads, with progress and Stop. The window shows the summary (added,
// removed, status and size changes, how many became good or damaged), the
// folders of NEW with a difference below them (each with its counts,
// coloured by its most frequent change), the differences of the folder
// picked, a filter for one kind of change, and saves the differences shown
// as CSV or as a list in the lab's format. "Browse the new list" asks the
// main window to open NEW as any list is opened (openRequested).

#include "CompareController.h"

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QStandardItemModel;
class QTableView;
class QTreeView;

namespace corvane {

class BackgroundJob;
class ListSession;
class WindowContext;

class CompareWindow : public QObject
{
    Q_OBJECT

public:
    CompareWindow(WindowContext &context, ListSession &session, QAction *mnuCompare,
                  QObject *parent = nullptr);
    ~CompareWindow() override;

    // mnuCompare: the window, and the other list asked for when none is set.
    void showCompare();
    QDialog *dialog() const { return m_dialog; }
    CompareController &controller() const { return *m_compare; }
    // The folders with a difference below them (item of NEW's tree in
    // Qt::UserRole).
    QStandardItemModel *folderModel() const { return m_folders; }

    // "Choose the other list...": asks which; compareWith reads path and
    // compares the opened list with it.
    void chooseOtherList();
    void compareWith(const QString &path);
    void swapLists();
    void setFilterRow(int row); // the filter box's rows, from 0
    void saveDifferences(DifferenceFormat format);
    bool isBusy() const;
    bool waitUntilDone(int timeoutMs); // tests

    void retranslate();

Q_SIGNALS:
    void openRequested(const QString &path);

private:
    void buildDialog();
    void showComparison();
    void fillFolders();
    void showSummary();
    void showNames();
    void listAboutToGo();
    QWidget *parentWidget() const;

    WindowContext &m_context;
    ListSession &m_session;
    QAction *m_action;
    QPointer<QDialog> m_dialog;
    QLabel *m_oldName = nullptr;
    QLabel *m_newName = nullptr;
    QPushButton *m_choose = nullptr;
    QPushButton *m_swap = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_stop = nullptr;
    QLabel *m_summary = nullptr;
    QLabel *m_foldersTitle = nullptr;
    QTreeView *m_tree = nullptr;
    QTableView *m_grid = nullptr;
    QLabel *m_showLabel = nullptr;
    QComboBox *m_filter = nullptr;
    QPushButton *m_saveCsv = nullptr;
    QPushButton *m_saveList = nullptr;
    QPushButton *m_browseNew = nullptr;
    QPushButton *m_close = nullptr;
    QStandardItemModel *m_folders = nullptr;
    CompareController *m_compare = nullptr;
    QString m_oldPath; // the files of the lists compared, OLD first
    QString m_newPath;
    QString m_oldMember; // the list in the zip m_oldPath or m_newPath, when it is one
    QString m_newMember;
    // Last, so that it stops and waits for its run before the rest goes.
    BackgroundJob *m_reader = nullptr;
};

} // namespace corvane
