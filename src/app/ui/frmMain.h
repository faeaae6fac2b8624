#pragma once

// The main window of Corvane: the composition root. It owns the controls
// (MainWindowControls, built by its build() and each concern's setup),
// the list session, the command lock and one controller per concern
// (WindowControllers), wires them to each other in frmMain_<concern>.cpp,
// runs start-up (Form_Load) and quitting, and forwards its handlers to the
// controllers in one line. No controller knows another.
//
// LoadListFile(path, kind) starts a load and returns at once (false while one
// runs); the session reads the list on a worker thread, swaps it in whole and
// says loaded(kind); the window then emits listLoaded(). Callers empty the
// views with ClearViews() first.

#include "ListSession.h"
#include "MainWindowControls.h"
#include "WindowControllers.h"
#include "WindowSettings.h"
#include "WindowWords.h"
#include "app/language/LanguageTable.h"
#include "listfile/ListLoader.h"
#include "listfile/StateFile.h"

#include <QDate>
#include <QLocale>
#include <QMainWindow>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QAbstractItemModel;
class QLabel;
class QStandardItemModel;

namespace corvane {

class CommandLock;
class FileGridColumns;
class FolderTreeModel;
class KeptList;

class frmMain : public QMainWindow, public WindowWords
{
    Q_OBJECT

public:
    using Settings = WindowSettings;

    // Builds the window and runs its load (Form_Load): the window is ready to
    // be shown when the constructor returns. prompts must outlive the window.
    frmMain(Prompts &prompts, Settings settings, QWidget *parent = nullptr);
    ~frmMain() override;

    // The list shown and the state that goes with it (CurrentListFile,
    // RootPrefix, CurrentFolderItem).
    ListSession &session() const { return *m_session; }
    const LoadedList &loadedList() const { return m_session->loadedList(); }
    QString programFolder() const { return m_settings.programFolder; }
    const WindowControllers &controllers() const { return m_controllers; }

    // The rest of the controllers' context (WindowContext).
    QWidget *promptParent() override { return this; }
    QString dataFolder() const override;
    // Said once a run, after whatever runs now (the desktop controller's).
    void ReportIgnoredStateFile(const QString &path, StateFileProblem problem) const override;

    // kind: what the session tells the listeners of this load; as: the
    // search result the window wrote itself is taken as UTF-16LE.
    bool LoadListFile(const QString &path,
                      ListSession::LoadKind kind = ListSession::LoadKind::Plain,
                      ListFileEncoding as = ListFileEncoding::Recognise);
    void ClearViews();
    bool isLoading() const { return m_session->isLoading(); }
    void LoadLanguage(int language);
    void setFileGridModel(QAbstractItemModel *model); // the window takes no ownership
    QAbstractItemModel *fileGridModel() const { return m_fileGridModel; }
    FolderTreeModel *folderTreeModel() const { return m_folderTreeModel; }
    // The file grid's column widths (content sizes, the user's own widths).
    FileGridColumns *fileGridColumns() const { return m_fileGridColumns; }

    // A list named on the command line: opened as if the user had chosen it;
    // a path that is missing, a folder or unreadable gives a message and the
    // window stays empty.
    void OpenListFromCommandLine(const QString &path);

    // After the window has closed (its state saved in closeEvent): a list
    // being saved is written to its end, loads and searches are told to stop.
    // The program may then end without taking the window down piece by piece.
    void prepareForExit();

Q_SIGNALS:
    void listLoaded();
    void languageChanged(int language);

public Q_SLOTS:
    // Menus.
    void mnuExit_Click();
    void mnuShowLan_Click();
    void mnuReload_Click();
    void mnuEN_Click() { LoadLanguage(LanguageEnglish); }
    void mnuPT_Click() { LoadLanguage(LanguagePortuguese); }
    void mnuGerman_Click() { LoadLanguage(LanguageGerman); }
    void mnuFrench_Click() { LoadLanguage(LanguageFrench); }
    void mnuSE_Click() { LoadLanguage(LanguageSwedish); }
    void mnuNL_Click() { LoadLanguage(LanguageDutch); }

    // The open command and the zip member choice (frmMain_open.cpp).
    void Command2_Click();
    void iGrid3_DblClick(int row, int col);

    // The searches (frmMain_search.cpp).
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

    // Browsing (frmMain_browse.cpp). Rows and columns count from 1.
    void SftTree1_ItemClick(int itemIndex);
    void iGrid2_CurCellChange(int row, int col);
    void iGrid2_DblClick(int row, int col);
    void SSTab1_Click(int previousTab);

    // The approval (a click on lblEmail or Image2) and "Save list as...",
    // which writes the shown list on a worker thread (frmMain_approval.cpp).
    void lblEmail_Click();
    void Image2_Click() { lblEmail_Click(); }
    void mnuSaveList_Click();

    // The lab link.
    void lblLink_Click();
    void lblLink_MouseMove();
    void Frame7_MouseMove();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // frmMain_layout.cpp
    void buildControls();
    void connectControls();
    void LayoutFileGrid();

    // frmMain.cpp
    void Form_Load();
    QDate today() const;

    // frmMain_language.cpp
    bool applyLanguageTexts(int language);

    // frmMain_load.cpp
    void connectSession();
    void showLoadProgress(const LoadProgress &progress);
    void finishLoad(ListSession::LoadKind kind);
    void setLoadingState(bool loading);
    // Stop beside the load bar, and Esc: the load is given up and the window
    // shows empty views, as after a cancelled open, unless the list shown
    // was kept for that load (KeptList).
    void StopLoad();
    void FinishStoppedLoad();

    // frmMain_shown.cpp
    void setupShownTexts();  // once, after setupBrowsing
    void ClearShownList();   // ClearViews: nothing of the old list stays
    void RetranslateShown(); // after LoadLanguage
    void UpdateWindowTitle();
    void SetDetailsHint(LangEntry entry);
    void ZeroOpenPageCounters();
    void ShowListInTitle(); // after a load: the list's name in the title

    // The wiring of each concern, in the order Form_Load runs them.
    void setupOpenCommand(); // once, after buildControls
    void setupZipNotes();
    void setupBrowsing(); // once, after Form_Load
    void setupDesktop();
    void setupApproval();
    void setupSearch();
    // A search runs on a worker thread from the click until its result is
    // loaded; Esc or SearchStop gives it up and leaves the list shown.
    bool isSearching() const;
    void StopSearch();
    void setupOverview();
    void setupBasket();   // after setupBrowsing and before setupApproval
    void setupCheck();    // after setupBasket and setupSearch
    void setupKinds();    // after setupCheck
    void setupMap();      // after setupBrowsing and setupDesktop
    void setupCompare();  // after setupKinds
    void setupFind();     // after setupBrowsing and setupOverview
    void setupKeyboard(); // last: every control is there

    Settings m_settings;
    MainWindowControls m_ui;
    bool m_languageLoaded = false; // the start-up load has run
    bool m_exitConfirmed = false;
    int m_shownTab = 0;
    int m_loadProgressShown = 0;
    LangEntry m_detailsHintEntry = LangEntry::DetailsHint;
    QString m_titleListName; // empty while no list is shown

    FolderTreeModel *m_folderTreeModel = nullptr;
    QAbstractItemModel *m_fileGridModel = nullptr;
    QStandardItemModel *m_fileGridPlaceholder = nullptr;
    FileGridColumns *m_fileGridColumns = nullptr;

    // Child objects of the window.
    ListSession *m_session = nullptr;
    CommandLock *m_lock = nullptr;
    WindowControllers m_controllers;
    // The list shown, kept while a reload or a search result loads.
    std::unique_ptr<KeptList> m_keptList;
};

} // namespace corvane
