// The open command (Command2, "Open File List"), Reload (mnuReload), the
// choice of a list in the zip member grid (iGrid3), and a list named on the
// command line: all four go through the same decisions (listfile/OpenCommand).

#include "CommandLock.h"
#include "frmMain.h"
#include "listfile/OpenCommand.h"
#include "zip/ZipArchive.h"
#include "zip/ZipMemberModel.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTabWidget>
#include <QTableView>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// Enter in the member grid chooses the current row, like a double-click.
class MemberGridKeys : public QObject
{
public:
    MemberGridKeys(QTableView *grid, std::function<void(int row)> choose)
        : QObject(grid), m_grid(grid), m_choose(std::move(choose))
    {
        grid->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_grid && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
                m_grid->currentIndex().isValid()) {
                m_choose(m_grid->currentIndex().row() + 1);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QTableView *m_grid;
    std::function<void(int row)> m_choose;
};

} // namespace

zip::ZipMemberModel *frmMain::zipMemberModel()
{
    if (!m_zipMembers) {
        m_zipMembers = new zip::ZipMemberModel(this);
        m_zipMembers->setObjectName(u"iGrid3Model"_s);
        setMemberGridModel(m_zipMembers);
        new MemberGridKeys(iGrid3, [this](int row) { iGrid3_DblClick(row, 1); });
    }
    return m_zipMembers;
}

// Frame2 and the top menu are off while the command runs; every way out
// turns them on again.
void frmMain::SetOpenCommandRunning(bool running)
{
    if (running)
        m_lock->hold(CommandLock::Reason::Opening);
    else
        m_lock->release(CommandLock::Reason::Opening);
}

void frmMain::Command2_Click()
{
    RunOpenCommand(true);
}

void frmMain::RunOpenCommand(bool askForFile)
{
    if (isLoading())
        return;
    QString path = m_session->CurrentListFile();
    SetOpenCommandRunning(true);
    if (askForFile) {
        const QString lastFolderFile =
            QDir(dataFolder()).filePath(QString::fromUtf16(LastFolderFileName));
        StateFileProblem problem = StateFileProblem::None;
        const QString startFolder = dialogStartFolder(dataFolder(), &problem);
        ReportIgnoredStateFile(lastFolderFile, problem);
        path = m_prompts.openFile(this, u"Select File List"_s, startFolder,
                                  u"File Lists (*.csv;*.zip)"_s);
        if (path.isEmpty()) {
            // Cancel: the list on screen stays as it was.
            SetOpenCommandRunning(false);
            Label8->clear();
            return;
        }
        writeLastFolder(dataFolder(), path, &problem);
        ReportIgnoredStateFile(lastFolderFile, problem);
    }
    OpenChosenFile(QFileInfo(path).absoluteFilePath());
}

// From the chosen file on: a message for what cannot be opened (the window
// keeps what it shows), a zip through its member list, a plain list loaded.
void frmMain::OpenChosenFile(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    QString readError;
    switch (classifyChosenFile(path, &readError)) {
    case ChosenFile::Missing:
        m_prompts.warning(this, langText(LangEntry::ListNotFound) + u"\n\n"_s + shown, errorTitle(),
                          true);
        SetOpenCommandRunning(false);
        return;
    case ChosenFile::NotAFile:
        m_prompts.warning(this, langText(LangEntry::NotAListFolderOrDevice).arg(shown),
                          errorTitle(), true);
        SetOpenCommandRunning(false);
        return;
    case ChosenFile::Unreadable:
        m_prompts.warning(this, ReadFailureText(path, readError, false), errorTitle(), true);
        SetOpenCommandRunning(false);
        return;
    case ChosenFile::Empty:
        m_prompts.warning(this, langText(LangEntry::ListFileEmpty).arg(shown), errorTitle(), false);
        LoadOpenedList(path, false);
        return;
    case ChosenFile::PlainList:
        if (!ConfirmListShape(path)) {
            SetOpenCommandRunning(false);
            return;
        }
        LoadOpenedList(path, false);
        return;
    case ChosenFile::Zip:
        OpenZipArchive(path);
        return;
    }
}

zip::ZipListing frmMain::ListZipMembers(const QString &zipPath)
{
    BusyPointer busy;
    zip::ZipMemberModel *model = zipMemberModel();
    model->clear();
    const zip::ZipListing listing = zip::listZipMembers(
        zipPath, [model](const zip::ZipMember &member) { model->appendMember(member); });
    LayoutMemberGrid();
    return listing;
}

void frmMain::OpenZipArchive(const QString &zipPath)
{
    Label8->setText(langText(LangEntry::ReadingZip));
    Frame3->hide();
    ClearZipNotes();
    m_zipNote.clear();
    Label9->clear();
    const zip::ZipListing listing = ListZipMembers(zipPath);
    if (listing.error == zip::ZipError::NotZip) {
        // Only its first letters looked like a zip: a plain list after all.
        Label8->clear();
        zipMemberModel()->clear();
        if (!ConfirmListShape(zipPath)) {
            SetOpenCommandRunning(false);
            return;
        }
        LoadOpenedList(zipPath, false);
        return;
    }
    if (!listing.ok()) {
        Label8->clear();
        m_prompts.warning(this,
                          ZipListingFailureText(zipPath, int(listing.error), listing.errorText),
                          errorTitle(), true);
        SetOpenCommandRunning(false);
        return;
    }
    m_zipPath = zipPath;
    if (listing.unsafeSkipped > 0)
        m_zipNote = langText(LangEntry::ZipEntriesNotOffered).arg(listing.unsafeSkipped);

    const ZipOpenPlan plan = planZipOpen(listing.members);
    // The notes are read from the archive when one is opened; one that
    // cannot be read at all is not offered.
    SetZipNotes(zipPath, plan.notes);
    const bool noteMessage = !plan.unreadableNotes.isEmpty();
    if (noteMessage)
        Label8->setText(
            langText(LangEntry::ZipNoteNotUnpacked).arg(plan.unreadableNotes.last().name));
    zipMemberModel()->setMembers(plan.rows);
    LayoutMemberGrid();

    switch (plan.next) {
    case ZipOpenPlan::Next::NoList:
        Label8->clear();
        m_prompts.warning(
            this, langText(LangEntry::ZipHoldsNoList).arg(QDir::toNativeSeparators(zipPath)),
            errorTitle(), true);
        ShowZipNote();
        SetOpenCommandRunning(false);
        return;
    case ZipOpenPlan::Next::ShowMemberGrid:
        // Nothing is loaded until a member is chosen.
        m_session->setRootPrefix({});
        ClearViews();
        ZeroOpenPageCounters();
        m_session->setCurrentListFile({});
        m_listFromZip = false;
        SSTab1->setTabEnabled(1, false);
        if (!noteMessage)
            Label8->clear();
        Frame3->show();
        ShowZipNote();
        SetOpenCommandRunning(false);
        return;
    case ZipOpenPlan::Next::LoadSingleMember:
        break;
    }

    // The same member of this archive unpacked before is used as it is while
    // its bytes are unchanged, and replaced without a question otherwise; a
    // very big one asks first.
    const zip::ZipMember &single = plan.rows.first();
    zip::ExtractResult result;
    if (zip::reuseUnpackedCopy(zipPath, single, memberFolder())) {
        result.targetPath = zip::memberTargetPath(memberFolder(), single);
    } else {
        if (!ConfirmBigMember(single)) {
            Label8->clear();
            SetOpenCommandRunning(false);
            return;
        }
        result = ExtractMember(single);
    }
    if (!result.ok()) {
        Label8->clear();
        m_prompts.warning(this, ExtractionFailureText(result), errorTitle(), true);
        SetOpenCommandRunning(false);
        return;
    }
    if (!ConfirmListShape(result.targetPath)) {
        Label8->clear();
        SetOpenCommandRunning(false);
        return;
    }
    LoadOpenedList(result.targetPath, true);
}

zip::ExtractResult frmMain::ExtractMember(const zip::ZipMember &member)
{
    BusyPointer busy;
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    zip::ExtractCallbacks callbacks;
    callbacks.dataFolder = dataFolder();
    int shownPercent = -1;
    callbacks.progress = [this, &shownPercent](double percent) {
        const int value = int(percent);
        if (value == shownPercent)
            return;
        shownPercent = value;
        ProgressBar1->setValue(value);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    callbacks.message = [this](int number, const QString &) {
        // The status line leads with what happened; the box that follows
        // gives the details.
        if (number != 0) {
            zip::ExtractResult failed;
            failed.error = zip::ZipError(number);
            Label8->setText(ExtractionFailureText(failed));
        }
    };
    zip::ExtractResult result =
        zip::extractZipMember(m_zipPath, member.index, memberFolder(), callbacks);
    ProgressBar1->hide();
    return result;
}

// Steps common to every list that is loaded by the open command. keepShown:
// the list shown stays until the new one is in (a reload).
void frmMain::LoadOpenedList(const QString &path, bool fromZip, bool keepShown)
{
    m_session->setRootPrefix({});
    if (!keepShown) {
        ClearViews();
        ZeroOpenPageCounters();
    }
    m_session->setCurrentListFile(path);
    m_listFromZip = fromZip;
    if (!fromZip)
        ClearZipNotes();
    RememberApprovalName(path, fromZip);
    Label8->setText(langText(LangEntry::LoadingList));
    ProgressBar1->hide();
    if (!fromZip)
        Frame3->hide();
    else if (zipMemberModel()->rowCount() <= 1)
        Frame3->hide();
    // The loader keeps its own lock; give it the open page's controls enabled.
    SetOpenCommandRunning(false);
    if (!LoadListFile(m_session->CurrentListFile(), ListSession::LoadKind::Opened))
        SetOpenCommandRunning(false);
}

void frmMain::OpenedListShown()
{
    SSTab1->setFocus();
    SetOpenCommandRunning(false);
    SetDateRangeFromList();
    if (!loadedList().fileFound) {
        m_prompts.warning(this,
                          langText(LangEntry::ListNotFound) + u"\n\n"_s +
                              QDir::toNativeSeparators(m_session->CurrentListFile()),
                          errorTitle(), true);
    } else if (m_listFromZip) {
        Label8->setText(langText(LangEntry::LoadedFromZip));
    }
}

void frmMain::ShowZipNote()
{
    Label9->setText(m_zipNote);
    Label9->setVisible(!m_zipNote.isEmpty());
}

void frmMain::mnuReload_Click()
{
    if (isLoading() || isSearching())
        return;
    // The opened list again, without asking; the list shown stays until it
    // is in, and stays as it was when the reload is stopped.
    const bool inPlace =
        !m_session->CurrentListFile().isEmpty() && QFileInfo(m_session->CurrentListFile()).isFile();
    if (inPlace)
        KeepShownListDuringLoad(LangEntry::ReloadStopped, Label24->text());
    RememberFolderForReload();
    QPalette hidden = TXT1->palette();
    hidden.setColor(QPalette::Text, Qt::white);
    TXT1->setPalette(hidden);
    TXT1->setText(u"*.*"_s);
    SSTab1->setCurrentIndex(0);
    Label8->setText(fixedWord(LangEntry::ClearingOldList, u"Clearing old list..."_s));
    ZeroOpenPageCounters();
    SSTab1->setTabEnabled(1, false);

    if (inPlace) {
        SetOpenCommandRunning(true);
        LoadOpenedList(m_session->CurrentListFile(), m_listFromZip, true);
    } else {
        // The list is gone: what is shown is stale, choose again.
        m_session->setRootPrefix({});
        ClearViews();
        RunOpenCommand(true);
    }

    TXT1->setText(QString());
    TXT1->setPalette(QPalette());
    mnuReload->setEnabled(false);
}

void frmMain::iGrid3_DblClick(int row, int col)
{
    Q_UNUSED(col);
    if (isLoading() || !m_zipMembers)
        return;
    const zip::ZipMember *chosen = m_zipMembers->memberAt(row - 1);
    if (!chosen)
        return;
    const zip::ZipMember member = *chosen;
    const QString target = zip::memberTargetPath(memberFolder(), member);
    if (member.encrypted) {
        const zip::ExtractResult refused =
            zip::extractZipMember(m_zipPath, member.index, memberFolder());
        m_prompts.warning(this, ExtractionFailureText(refused), errorTitle(), true);
        return;
    }
    // Chosen again: the copy unpacked before is used while the member's
    // bytes are unchanged (size and CRC-32 by the archive's directory), and
    // replaced without a question otherwise.
    const bool reuse = zip::reuseUnpackedCopy(m_zipPath, member, memberFolder());
    if (!reuse && !ConfirmBigMember(member))
        return;

    const bool viewPageEnabled = SSTab1->isTabEnabled(1);
    SetOpenCommandRunning(true);
    zip::ExtractResult result;
    if (reuse) {
        result.targetPath = target;
    } else {
        Label9->setText(langText(LangEntry::ReadingZip));
        Label9->show();
        SSTab1->setTabEnabled(1, false);
        result = ExtractMember(member);
        ShowZipNote();
    }
    if (!result.ok()) {
        // Nothing changed: the list shown stays usable.
        SSTab1->setTabEnabled(1, viewPageEnabled);
        SetOpenCommandRunning(false);
        m_prompts.warning(this, ExtractionFailureText(result), errorTitle(), true);
        return;
    }
    if (!ConfirmListShape(result.targetPath)) {
        SSTab1->setTabEnabled(1, viewPageEnabled);
        SetOpenCommandRunning(false);
        return;
    }
    SSTab1->setCurrentIndex(0);
    LoadOpenedList(result.targetPath, true);
}

void frmMain::OpenListFromCommandLine(const QString &path)
{
    if (isLoading())
        return;
    SetOpenCommandRunning(true);
    OpenChosenFile(QFileInfo(path).absoluteFilePath());
}

} // namespace corvane
