#pragma once

// The open command ("Open File List", Command2), Reload (mnuReload), the
// choice of a list in the zip member grid (iGrid3) and a list opened from
// outside (the command line, a drop, a recent list): all of them go through
// the same decisions (listfile/OpenCommand).
//
// Drives: SSTab1 (the view page off while nothing is loaded, the open page
// shown), Label8 (the open page's status line), Frame3 and iGrid3 (the
// archive's lists, with its model and Enter), Label9 (the note about entries
// not offered), ProgressBar1 (unpacking), TXT1 (while Reload runs) and
// mnuReload. The open command holds the lock's Opening reason while it asks,
// lists an archive or unpacks a member.
//
// Sends: loadRequested(path) for the list to load (the window loads it as
// opened and calls listShown() when it is in); countersCleared() when the
// open page's counters go to zero; listOpening(path, fromZip) just before
// that load; openedListShown() once such a list is shown; reloadStarting()
// when Reload begins, before anything changed; notesCleared() and
// notesListed() for the archive's notes.

#include "CommandLock.h"
#include "ListSession.h"
#include "WindowContext.h"
#include "zip/ZipArchive.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class QAbstractItemModel;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QStandardItemModel;
class QTabWidget;
class QTableView;

namespace corvane {

namespace zip {
class ZipMemberModel;
} // namespace zip

struct OpenWidgets
{
    QTabWidget *SSTab1 = nullptr;
    QLabel *Label8 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QTableView *iGrid3 = nullptr;
    QLabel *Label9 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QLineEdit *TXT1 = nullptr;
    QAction *mnuReload = nullptr;
};

class OpenController : public QObject
{
    Q_OBJECT

public:
    OpenController(WindowContext &context, ListSession &session, CommandLock &lock,
                   OpenWidgets widgets, QObject *parent = nullptr);

    // Command2: the open dialog, then the chosen file.
    void openWithDialog();
    // Reload: the opened list again, without asking (the caller makes sure
    // no search runs).
    void reload();
    // iGrid3's row (from 1) chosen: that member is unpacked and loaded.
    void chooseMember(int row);
    // A list named on the command line: as if the user had chosen it.
    void openFromCommandLine(const QString &path);
    // path (absolute) as if it had been chosen in the open dialog.
    void openFile(const QString &path);
    // A list this controller asked to load is in (LoadKind::Opened).
    void listShown();

    // The member grid with no archive (the window's start).
    void showNoMembers();
    // The member grid's header in the language in use.
    void retranslate();

    // The member grid's rows (created on first use and put under iGrid3).
    zip::ZipMemberModel *zipMemberModel();
    // The archive the member grid lists; empty before a zip was opened.
    QString zipArchivePath() const { return m_zipPath; }
    // Where the members of that archive are unpacked (one folder per archive).
    QString memberFolder() const;
    // CurrentListFile was taken out of zipArchivePath().
    bool listFromZip() const { return m_listFromZip; }
    // A stopped load gives back the list shown before it, and where it came from.
    void restoreListFromZip(bool fromZip) { m_listFromZip = fromZip; }
    // The member, as the archive names it, that was unpacked to path;
    // nothing when none was.
    std::optional<QString> memberNameOf(const QString &path) const;
    // With nothing loaded: the member grid's current row (or its first row),
    // else the archive's name, else empty.
    QString offeredListName() const;

Q_SIGNALS:
    void loadRequested(const QString &path);
    void countersCleared();
    void listOpening(const QString &path, bool fromZip);
    void openedListShown();
    // keepShown: the list shown stays while the reload runs.
    void reloadStarting(bool keepShown);
    void notesCleared();
    void notesListed(const QString &zipPath, const QList<corvane::zip::ZipMember> &notes);

private:
    void runOpenCommand(bool askForFile);
    void openChosenFile(const QString &path);
    void openZipArchive(const QString &zipPath);
    zip::ZipListing listZipMembers(const QString &zipPath);
    zip::ExtractResult extractMember(const zip::ZipMember &member);
    void loadOpenedList(const QString &path, bool fromZip, bool keepShown = false);
    void setRunning(bool running);
    void showZipNote();
    void setMemberGridModel(QAbstractItemModel *model);
    void layoutMemberGrid();
    // Extraction and loading decisions (OpenDecisions.cpp).
    bool confirmListShape(const QString &path);
    bool confirmBigMember(const zip::ZipMember &member);
    void warn(const QString &text, bool systemModal);

    WindowContext &m_context;
    ListSession &m_session;
    CommandLock &m_lock;
    OpenWidgets m_w;
    QStandardItemModel *m_memberGridPlaceholder;
    QAbstractItemModel *m_memberGridModel = nullptr;
    zip::ZipMemberModel *m_zipMembers = nullptr;
    QString m_zipPath;          // the archive of the member grid
    QString m_zipNote;          // Label9's note about entries not offered
    bool m_listFromZip = false; // CurrentListFile was taken out of m_zipPath
};

} // namespace corvane
