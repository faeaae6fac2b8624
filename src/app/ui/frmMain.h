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
//                        OverviewController, DesktopController,
//                        ApprovalController, BasketController and
//                        CheckController
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
#include "status/FileKinds.h"

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
class BasketController;
class CheckController;
class KindsController;
class MapController;
class FindController;
class CompareWindow;
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
    const LoadedList &loadedList() const { return m_session->loadedList(); }
    QString programFolder() const { return m_settings.programFolder; }

    // -- the window's context for its controllers (WindowContext) -----------
    QString langText(LangEntry entry) const override;
    QString caption(LangEntry entry) const override;
    QString fixedWord(LangEntry entry, const QString &english) const override;
    QWidget *promptParent() override { return this; }
    int currentLanguage() const override { return m_language; }
    const QLocale &userLocale() const override { return m_settings.locale; }
    Prompts &prompts() const override { return m_prompts; }
    QString dataFolder() const override;
    // Counts and sizes as the language in use writes them; the user's own
    // locale where it speaks that language (frmMain_numbers.cpp).
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
    // Said once a run, after whatever runs now (the desktop controller's).
    void ReportIgnoredStateFile(const QString &path, StateFileProblem problem) const override;

    // -- loading, languages, models -------------------------------------------
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

    // -- the controllers, one per concern --------------------------------------
    OpenController &openController() const { return *m_open; }
    ZipNotesController &zipNotesController() const { return *m_zipNotes; }
    BrowseController &browseController() const;
    SearchController &searchController() const { return *m_search; }
    OverviewController &overviewController() const;
    DesktopController &desktopController() const;
    ApprovalController &approvalController() const;
    KeyboardController &keyboardController() const;
    BasketController &basketController() const;
    CheckController &checkController() const;
    KindsController &kindsController() const;
    MapController &mapController() const;
    FindController &findController() const;
    CompareWindow &compareWindow() const;

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
    void markLanguageInMenu(int language);

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
    void RetranslateZipNotes();
    void setupBrowsing(); // once, after Form_Load
    void ClearFileGrid();
    void setupDesktop();
    void setupApproval();
    void setupSearch();
    // A search runs on a worker thread from the click until its result is
    // loaded; Esc or SearchStop gives it up and leaves the list shown.
    bool isSearching() const;
    void StopSearch();
    void setupOverview();
    RecoveryLegend *recoveryLegend() const;
    void showFolderTotals(); // the session's, in the tree and the legend
    void setupBasket();      // after setupBrowsing and before setupApproval
    void setupCheck();       // after setupBasket and setupSearch
    // The matches of a check's entries, shown as a search result; then
    // chosen (addToBasket) or the folder of bestPath shown.
    void ShowCheckMatches(const QStringList &entries, bool addToBasket, const QString &bestPath);
    void FinishCheckMatches();
    void setupKinds();   // after setupCheck
    void setupMap();     // after setupBrowsing and setupDesktop
    void setupCompare(); // after setupKinds
    void setupFind();    // after setupBrowsing and setupOverview
    // The tree open down to item and item picked in it and shown.
    void revealFolder(int item);
    // The files of kind below the folder of keyBelowRoot (of statusClass
    // unless -1), shown as a filter of the list.
    void ShowKindFiles(const QByteArray &keyBelowRoot, FileKind kind, int statusClass);
    void setupKeyboard(); // last: every control is there

    Prompts &m_prompts;
    Settings m_settings;
    MainWindowControls m_ui;
    QStringList m_langText;
    int m_language = 0;
    bool m_languageLoaded = false; // the start-up load has run
    QActionGroup *m_languageGroup = nullptr;
    bool m_exitConfirmed = false;
    int m_shownTab = 0;
    int m_loadProgressShown = 0;
    LangEntry m_detailsHintEntry = LangEntry::DetailsHint;
    QString m_titleListName;   // empty while no list is shown
    NumberTexts m_numberTexts; // rewritten by RetranslateShown

    FolderTreeModel *m_folderTreeModel = nullptr;
    QAbstractItemModel *m_fileGridModel = nullptr;
    QStandardItemModel *m_fileGridPlaceholder = nullptr;
    FileGridColumns *m_fileGridColumns = nullptr;

    // Child objects of the window.
    ListSession *m_session = nullptr;
    CommandLock *m_lock = nullptr;
    OpenController *m_open = nullptr;
    ZipNotesController *m_zipNotes = nullptr;
    BrowseController *m_browse = nullptr;
    SearchController *m_search = nullptr;
    OverviewController *m_overview = nullptr;
    DesktopController *m_desktop = nullptr;
    ApprovalController *m_approval = nullptr;
    KeyboardController *m_keys = nullptr;
    BasketController *m_basket = nullptr;
    CheckController *m_check = nullptr;
    KindsController *m_kinds = nullptr;
    MapController *m_map = nullptr;
    FindController *m_find = nullptr;
    CompareWindow *m_compare = nullptr;
    // The matches of a check shown (or being searched) and what follows.
    struct CheckShown
    {
        QStringList entries;
        bool addToBasket = false;
        QString bestPath;
    } m_checkShown;
    bool m_checkSearching = false;
    // The list shown, kept while a reload or a search result loads.
    std::unique_ptr<KeptList> m_keptList;
};

} // namespace corvane
