#pragma once

// The window on a desktop. Drives: the window itself (lists dropped on it,
// its icon, its size and place, its palette followed), the text boxes in it
// (a drop there opens the list instead of typing its path), mnuRecent (built
// here, under mnuMenu before mnuShowLan: the lists opened last),
// TreeGridSplitter and the header of iGrid2 with its FileGridColumns (sizes,
// widths and sort remembered from run to run), and lblEmail, Label25 and
// lblLink (their own colours kept readable on the palette). Command2 and
// mnuMenu are only read: a list may be opened while both are enabled.
//
// Sends: openRequested(path) for a list dropped on the window or picked from
// mnuRecent, its folder already kept in LastFolder.inc (the window hands it
// to the open command's decisions); commandLineOpenRequested(path) for the
// first list named on the command line.
//
// The window's size, place, splitter and file grid columns are kept in the
// settings file, the lists opened last in the data folder; with no settings
// file nothing of either is remembered.

#include "app/language/LangEntry.h"
#include "listfile/StateFile.h"

#include <QList>
#include <QObject>
#include <QRect>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QTableView;
class QWidget;

namespace corvane {

class FileGridColumns;
class ListSession;
class WindowContext;

struct DesktopWidgets
{
    QWidget *window = nullptr; // frmMain
    QPushButton *Command2 = nullptr;
    QMenu *mnuMenu = nullptr;
    QAction *mnuShowLan = nullptr; // mnuRecent goes just before it
    QSplitter *TreeGridSplitter = nullptr;
    QTableView *iGrid2 = nullptr;
    FileGridColumns *fileGridColumns = nullptr; // iGrid2's widths
    QLabel *lblEmail = nullptr;
    QLabel *Label25 = nullptr;
    QLabel *lblLink = nullptr;
};

struct DesktopSettings
{
    // Where the lists opened last and the unpacked archives are (empty: not
    // created until first use, as the window's data folder).
    QString dataFolder;
    // The window's state (empty: nothing is remembered from run to run).
    QString settingsFile;
    // The area a window may take on each screen, the primary one first
    // (empty: the screens' own available geometry).
    std::function<QList<QRect>()> screens;
};

class DesktopController : public QObject
{
    Q_OBJECT

public:
    // Takes drops for the window, builds mnuRecent with the lists read from
    // the data folder, and gives the window its size, place and columns:
    // the default fitted to the screen, then what the last run left.
    DesktopController(WindowContext &context, ListSession &session, const DesktopWidgets &widgets,
                      DesktopSettings settings, QObject *parent = nullptr);

    // -- opening from outside -------------------------------------------------
    // True while nothing (a load, a search, the open command) keeps the
    // open command from starting.
    bool canOpenList() const;
    // Opens the first local file of a drop; false when the drop was refused.
    bool OpenDroppedFiles(const QList<QUrl> &urls);
    // "corvane FILE...": the first is opened, the others named in a message.
    void OpenListsFromCommandLine(const QStringList &paths);

    // -- the lists opened last ------------------------------------------------
    QMenu *mnuRecent() const { return m_mnuRecent; }
    QStringList recentLists() const { return m_recentLists; }
    void OpenRecentList(int index); // 0 is the newest
    void ClearRecentLists();
    // A list that came in (chosen, dropped, named, picked; a zip as itself)
    // goes first on the lists.
    void rememberRecentList(const QString &path);
    // mnuRecent in the language in use.
    void retranslate();

    // -- the window as it was left --------------------------------------------
    void saveWindowState() const;
    void restoreWindowState();
    // The file grid's column widths as the last run left them, one a column
    // (empty when none were remembered).
    QList<int> rememberedColumnWidths() const { return m_rememberedColumnWidths; }
    // The settings file as it is now (reported when it must be left alone):
    // read only on None, written only on None or Missing.
    StateFileProblem CheckSettingsFile() const;
    // The area a window may take on each screen, the primary one first.
    QList<QRect> availableScreens() const;
    // Colours of the labels that have their own made readable on the palette.
    void followPalette();

    // One of the program's own files found to be what it must not be (a
    // link, a pipe, a folder, far too large): left alone, and said once a run
    // in a message shown after whatever runs now. Problems None and Missing
    // say nothing.
    void ReportIgnoredStateFile(const QString &path, StateFileProblem problem) const;

Q_SIGNALS:
    void openRequested(const QString &path);
    void commandLineOpenRequested(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString textOr(LangEntry entry, const QString &english) const;
    void fitToScreen();
    void rebuildRecentMenu();
    bool remembers() const;
    void saveRecentLists();
    void OpenFromOutside(const QString &path);

    WindowContext &m_context;
    ListSession &m_session;
    DesktopWidgets m_w;
    DesktopSettings m_settings;
    QMenu *m_mnuRecent = nullptr; // a child of mnuMenu
    QStringList m_recentLists;
    QList<int> m_rememberedColumnWidths;
    mutable QSet<QString> m_reportedStateFiles;
};

} // namespace corvane
