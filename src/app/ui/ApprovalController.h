#pragma once

// The approval e-mail and "Save list as...": drives lblEmail (the prompt)
// and Image2 (its mail picture), shown while the list shown holds a line and
// clicked with the left button; the approval message dialog (one at a time,
// a child of the prompts' parent) that shows the message the mail program
// was handed; and mnuSaveList, enabled while a list is shown and no save
// runs. A save writes the shown list on a worker thread and reports its
// outcome in a message; the window waits for it before the program ends.
//
// Sends: lblEmailClicked() and Image2Clicked() when the prompt or its
// picture is clicked (the window's handlers then call sendApproval()).

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QAction;
class QLabel;

namespace corvane {

class ApprovalMessageDialog;
class BackgroundJob;
class ListSession;
class WindowContext;
struct ApprovalMessage;

struct ApprovalWidgets
{
    QLabel *lblEmail = nullptr;
    QLabel *Image2 = nullptr;
    QAction *mnuSaveList = nullptr; // "Save list as...", under "Menu"
};

// What the approval needs to know of the lists the open command opened.
struct ApprovalSources
{
    // The member, as the archive names it, that was unpacked to a path;
    // nothing when none was.
    std::function<std::optional<QString>(const QString &)> memberNameOf;
    // With nothing loaded: the member grid's current row (or its first
    // row), else the archive's name, else empty.
    std::function<QString()> offeredListName;
    // The archive the member grid lists; empty before a zip was opened.
    std::function<QString()> zipArchivePath;
    // A paragraph the approval's body adds (what the restore basket holds);
    // empty, or no function: the body is the fixed text alone.
    std::function<QString()> bodyNote;
};

class ApprovalController : public QObject
{
    Q_OBJECT

public:
    ApprovalController(WindowContext &context, ListSession &session, const ApprovalWidgets &widgets,
                       ApprovalSources sources, QObject *parent = nullptr);

    // The approval message handed to the mail program, then shown in the
    // dialog whatever the mail program did; a click while the hand-off
    // runs is ignored.
    void sendApproval();
    // Asks where to save the shown list, then writes it on a worker thread
    // and returns at once; isSaving() is true until the outcome is reported.
    void saveList();
    bool isSaving() const;
    // A save that runs is written to its end (the program is about to end).
    void finishSaving();

    // The short name the approval's subject gives the shown list.
    QString listName() const;
    // For each list the open command loads (not for a search result): the
    // name the approval will give it.
    void rememberListName(const QString &path, bool fromZip);

    // After a load: what the list shown allows.
    void updateControls();
    // The menu entry and an open dialog in the language in use.
    void retranslate();

Q_SIGNALS:
    void lblEmailClicked();
    void Image2Clicked();

private:
    void showMessageDialog(const ApprovalMessage &message, bool handoffFailed);

    WindowContext &m_context;
    ListSession &m_session;
    ApprovalWidgets m_widgets;
    ApprovalSources m_sources;
    BackgroundJob *m_saveJob = nullptr; // a child object
    QPointer<ApprovalMessageDialog> m_dialog;
    bool m_dialogHandoffFailed = false; // what the dialog's intro says became of the hand-off
    QString m_listSource;               // file or member name of the list opened last
    bool m_mailHandoffPending = false;  // a second click waits for the first
};

} // namespace corvane
