#pragma once

// The main window of Corvane: the composition root. It owns the controls
// (MainWindowControls, built by frmMain_layout.cpp and each concern's setup),
// the list session, the command lock and one controller per concern, wires
// them to each other, runs start-up (Form_Load) and quitting, and forwards
// its handlers to the controllers in one line. No controller knows another.
//
//   frmMain.cpp          construction, Form_Load, quitting, the lab link
//   frmMain_layout.cpp   the controls, their layouts and the menus
//   frmMain_language.cpp LoadLanguage, the languages menu, Qt's translations
//   frmMain_load.cpp     LoadListFile, ClearViews, progress, the busy state
//   frmMain_shown.cpp    the title, the counters, a list kept during a load
//   frmMain_numbers.cpp  counts and sizes in the language in use
//   frmMain_keys.cpp     the keyboard (KeyboardController)
//   frmMain_<concern>.cpp the wiring of OpenController (+ZipNotesController),
//                        BrowseController, SearchController,
//                        OverviewController, DesktopController and
//                        ApprovalController
//
// LoadListFile(path, kind) starts a load and returns at once (false while one
// runs); the session reads the list on a worker thread, swaps it in whole and
// says loaded(kind); the window then emits listLoaded(). Callers empty the
// views with ClearViews() first.

#include "ListSession.h"
#include "MainWindowControls.h"
#include "NumberTexts.h"
#include "Prompts.h"
#include "WindowContext.h"
#include "WindowSettings.h"
#include "app/language/LangEntry.h"
#include "app/language/LanguageTable.h"
#include "listfile/ListLoader.h"
#include "listfile/SizeText.h"
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
class QActionGroup;
class QLabel;
class QStandardItemModel;

namespace corvane {

class ApprovalController;
class CommandLock;
class DesktopController;
class FolderTreeModel;
class BrowseController;
class FileGridColumns;
class KeptList;
class KeyboardController;
class SearchController;
class OverviewController;
class RecoveryLegend;

class OpenController;
class ZipNotesController;

class frmMain : public QMainWindow, public WindowContext
{
    Q_OBJECT

public:
    using Settings = WindowSettings;

    // Builds the window and runs its load (Form_Load): the window is ready to
    // be shown when the constructor returns. prompts must outlive the window.
    frmMain(Prompts &prompts, Settings settings, QWidget *parent = nullptr);
    ~frmMain() override;

    // -- shared state ---------------------------------------------------------
    // The entries of the language in use, one a LangEntry (read with langText).
    const QStringList &LangText() const { return m_langText; }
    // The list shown and the state that goes with it (CurrentListFile,
    // RootPrefix, CurrentFolderItem).
    ListSession &session() const { return *m_session; }

    // -- the window's context for its controllers (WindowContext) -----------
    QString langText(LangEntry entry) const override;
    QString caption(LangEntry entry) const override;
    QString fixedWord(LangEntry entry, const QString &english) const override;
    QWidget *promptParent() override { return this; }
    const LoadedList &loadedList() const { return m_session->loadedList(); }
    int currentLanguage() const override { return m_language; }
    const QLocale &userLocale() const override { return m_settings.locale; }
    Prompts &prompts() const override { return m_prompts; }
    QString programFolder() const { return m_settings.programFolder; }
    QString dataFolder() const override;

    // -- loading --------------------------------------------------------------
    // kind: what the session tells the listeners of this load; as: the
    // search result the window wrote itself is taken as UTF-16LE.
    bool LoadListFile(const QString &path,
                      ListSession::LoadKind kind = ListSession::LoadKind::Plain,
                      ListFileEncoding as = ListFileEncoding::Recognise);
    void ClearViews();
    bool isLoading() const { return m_session->isLoading(); }

    // -- languages ------------------------------------------------------------
    void LoadLanguage(int language);

    // -- models ---------------------------------------------------------------
    void setFileGridModel(QAbstractItemModel *model); // the window takes no ownership
    QAbstractItemModel *fileGridModel() const { return m_fileGridModel; }
    FolderTreeModel *folderTreeModel() const { return m_folderTreeModel; }

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

    // The searches (their own helpers).
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

    // Browsing (frmMain_browse.cpp). Rows and columns count from 1.
    void SftTree1_ItemClick(int itemIndex);
    void iGrid2_CurCellChange(int row, int col);
    void iGrid2_DblClick(int row, int col);
    void SSTab1_Click(int previousTab);

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
    void buildOpenPage();
    void buildViewPage();
    void buildMenus();
    void connectControls();
    void LayoutFileGrid();

    // frmMain.cpp
    void Form_Load();
    QDate today() const;

    // frmMain_language.cpp
    bool applyLanguageTexts(int language);
    void applyQtTranslations(int language);
    bool languageMenuShown() const;

    // frmMain_load.cpp
    void connectSession();
    void showLoadProgress(const LoadProgress &progress);
    void finishLoad(ListSession::LoadKind kind);
    void setLoadingState(bool loading);

    Prompts &m_prompts;
    Settings m_settings;
    MainWindowControls m_ui;
    QStringList m_langText;
    ListSession *m_session = nullptr; // a child object of the window
    CommandLock *m_lock = nullptr;    // a child object of the window
    int m_language = 0;
    bool m_exitConfirmed = false;
    int m_shownTab = 0;

    FolderTreeModel *m_folderTreeModel = nullptr;
    QAbstractItemModel *m_fileGridModel = nullptr;
    QStandardItemModel *m_fileGridPlaceholder = nullptr;

    int m_loadProgressShown = 0;

    // ---- browsing (frmMain_browse.cpp, BrowseController) ----------------------
public:
    BrowseController &browseController() const;

private:
    void setupBrowsing(); // once, after Form_Load
    void ClearFileGrid();
    BrowseController *m_browse = nullptr; // a child object of the window
    // ---- end of browsing -----------------------------------------------------

    // ---- searches (SearchController, wired in frmMain_search.cpp) ---------------
public:
    SearchController &searchController() const { return *m_search; }

private:
    void setupSearch();
    // A search runs on a worker thread from the click until its result is
    // loaded; Esc or SearchStop gives it up and leaves the list shown.
    bool isSearching() const;
    void StopSearch();
    SearchController *m_search = nullptr; // a child object of the window
    // ---- end of searches -------------------------------------------------------
    // ---- recovery overview (frmMain_overview.cpp, OverviewController) --------
public:
    OverviewController &overviewController() const;

private:
    void setupOverview();
    RecoveryLegend *recoveryLegend() const;
    void showFolderTotals();                  // the session's, in the tree and the legend
    OverviewController *m_overview = nullptr; // a child object of the window
    // ---- end of the recovery overview ---------------------------------------

    // ---- open command and zip members (frmMain_open.cpp) ---------------------
public:
    OpenController &openController() const { return *m_open; }
    ZipNotesController &zipNotesController() const { return *m_zipNotes; }

private:
    void setupOpenCommand();          // once, after buildControls
    OpenController *m_open = nullptr; // a child object of the window
    // ---- end of the open command's block --------------------------------------

    // ---- what the window shows of the list and the language (frmMain_shown.cpp) ----
public:
    // The file grid's column widths (content sizes, the user's own widths).
    FileGridColumns *fileGridColumns() const { return m_fileGridColumns; }

private:
    // Stop beside the load bar, and Esc: the load is given up and the window
    // shows empty views, as after a cancelled open, unless the list shown
    // was kept for that load (below).
    void StopLoad();
    void setupShownTexts();  // once, after setupBrowsing
    void ClearShownList();   // ClearViews: nothing of the old list stays
    void RetranslateShown(); // after LoadLanguage
    void UpdateWindowTitle();
    void SetDetailsHint(LangEntry entry);
    void ZeroOpenPageCounters();
    void FinishStoppedLoad();
    void ShowListInTitle(); // after a load: the list's name in the title
    void setupZipNotes();
    void RetranslateZipNotes();
    LangEntry m_detailsHintEntry = LangEntry::DetailsHint;
    QString m_titleListName; // empty while no list is shown
    FileGridColumns *m_fileGridColumns = nullptr;
    ZipNotesController *m_zipNotes = nullptr; // a child object of the window
    // The list shown, kept while a reload or a search result loads.
    std::unique_ptr<KeptList> m_keptList;
    // ---- end of what the window shows ------------------------------------------
    // ---- the desktop (DesktopController, wired in frmMain_desktop.cpp) --------
    // Lists dropped on the window or named on the command line go through the
    // open command's decisions; "Menu" offers the lists opened last; the
    // window's size, place, splitter and file grid columns are remembered in
    // Settings::settingsFile.
public:
    DesktopController &desktopController() const;
    // Said once a run, after whatever runs now (the controller's).
    void ReportIgnoredStateFile(const QString &path, StateFileProblem problem) const override;

private:
    void setupDesktop();
    DesktopController *m_desktop = nullptr; // a child object of the window
    // ---- end of the desktop block ------------------------------------------------
    // ---- approval e-mail and saving the shown list (frmMain_approval.cpp) -----
public:
    // The approval: a click on lblEmail or Image2.
    void lblEmail_Click();
    void Image2_Click() { lblEmail_Click(); }
    // Starts writing the shown list on a worker thread and returns at once.
    void mnuSaveList_Click();
    ApprovalController &approvalController() const;

private:
    void setupApproval();                     // once, after Form_Load
    ApprovalController *m_approval = nullptr; // a child object of the window
    // ---- end of the approval block --------------------------------------------

    // ---- the keyboard (KeyboardController, wired in frmMain_keys.cpp) -----------
    // Tab moves between the controls of the page shown (never within a grid),
    // in the order the controller's tabOrder() gives; the menu opens on F10,
    // Alt alone or its mnemonic; Enter presses the focused button; the
    // approval prompt is reached and pressed from the keyboard like a button.
public:
    KeyboardController &keyboardController() const;

private:
    void setupKeyboard();                 // last: every control is there
    KeyboardController *m_keys = nullptr; // a child object of the window
    // ---- end of the keyboard block ----------------------------------------------

    // ---- the number format (frmMain_numbers.cpp, NumberTexts) -------------------
public:
    // Counts and sizes as the language in use writes them; the user's own
    // locale where it speaks that language.
    QLocale numberLocale() const override;
    SizeUnits sizeUnits() const override;
    QString formatCountShown(qint64 value) const override;
    QString formatSizeShown(ByteTotal size) const override;
    // The labels that show numbers, written anew after a language change.
    void ShowNumberText(QLabel *label, std::function<QString()> text) override;
    std::function<QString()> numberTextOf(QLabel *label) const override;
    // The titles of the message boxes that report a failure.
    QString errorTitle() const override;
    QString systemErrorTitle() const override;

private:
    void markLanguageInMenu(int language);
    QActionGroup *m_languageGroup = nullptr;
    bool m_languageLoaded = false; // the start-up load has run
    NumberTexts m_numberTexts;     // rewritten by RetranslateShown
    // ---- end of the number format ----------------------------------------------
};

} // namespace corvane
