// The open command, Reload, the zip member choice and a list opened from
// outside: all of them go through the same decisions (listfile/OpenCommand).

#include "OpenController.h"

#include "OpenMessages.h"
#include "listfile/OpenCommand.h"
#include "zip/ZipMemberModel.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QStandardItemModel>
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

OpenController::OpenController(WindowContext &context, ListSession &session, CommandLock &lock,
                               OpenWidgets widgets, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_session(session)
    , m_lock(lock)
    , m_w(widgets)
    , m_memberGridPlaceholder(new QStandardItemModel(0, 1, this))
{
    m_memberGridPlaceholder->setObjectName(u"iGrid3PlaceholderModel"_s);
}

zip::ZipMemberModel *OpenController::zipMemberModel()
{
    if (!m_zipMembers) {
        m_zipMembers = new zip::ZipMemberModel(this);
        m_zipMembers->setObjectName(u"iGrid3Model"_s);
        setMemberGridModel(m_zipMembers);
        new MemberGridKeys(m_w.iGrid3, [this](int row) { chooseMember(row); });
    }
    return m_zipMembers;
}

void OpenController::showNoMembers()
{
    setMemberGridModel(m_memberGridPlaceholder);
}

void OpenController::setMemberGridModel(QAbstractItemModel *model)
{
    m_memberGridModel = model ? model : m_memberGridPlaceholder;
    m_w.iGrid3->setModel(m_memberGridModel);
    layoutMemberGrid();
}

// The zip member grid: one column, header 31, 320 pixels wide.
void OpenController::layoutMemberGrid()
{
    QAbstractItemModel *model = m_memberGridModel;
    if (!model)
        return;
    if (model->columnCount() > 0)
        model->setHeaderData(0, Qt::Horizontal, m_context.caption(LangEntry::MemberGridHeader));
    m_w.iGrid3->setColumnWidth(0, 320);
    m_w.iGrid3->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_w.iGrid3->horizontalHeader()->setStretchLastSection(false);
}

void OpenController::retranslate()
{
    // The member grid's header follows the language as well, like the file
    // grid's.
    if (m_memberGridModel && m_memberGridModel->columnCount() >= 1)
        m_memberGridModel->setHeaderData(0, Qt::Horizontal,
                                         m_context.caption(LangEntry::MemberGridHeader));
}

void OpenController::warn(const QString &text, bool systemModal)
{
    m_context.prompts().warning(m_context.promptParent(), text, m_context.errorTitle(),
                                systemModal);
}

// Frame2 and the top menu are off while the command runs; every way out
// turns them on again.
void OpenController::setRunning(bool running)
{
    if (running)
        m_lock.hold(CommandLock::Reason::Opening);
    else
        m_lock.release(CommandLock::Reason::Opening);
}

void OpenController::openWithDialog()
{
    runOpenCommand(true);
}

void OpenController::runOpenCommand(bool askForFile)
{
    if (m_session.isLoading())
        return;
    QString path = m_session.CurrentListFile();
    setRunning(true);
    if (askForFile) {
        const QString dataFolder = m_context.dataFolder();
        const QString lastFolderFile =
            QDir(dataFolder).filePath(QString::fromUtf16(LastFolderFileName));
        StateFileProblem problem = StateFileProblem::None;
        const QString startFolder = dialogStartFolder(m_context.dataFolder(), &problem);
        m_context.ReportIgnoredStateFile(lastFolderFile, problem);
        path = m_context.prompts().openFile(m_context.promptParent(), u"Select File List"_s,
                                            startFolder, u"File Lists (*.csv;*.zip)"_s);
        if (path.isEmpty()) {
            // Cancel: the list on screen stays as it was.
            setRunning(false);
            m_w.Label8->clear();
            return;
        }
        writeLastFolder(m_context.dataFolder(), path, &problem);
        m_context.ReportIgnoredStateFile(lastFolderFile, problem);
    }
    openChosenFile(QFileInfo(path).absoluteFilePath());
}

// From the chosen file on: a message for what cannot be opened (the window
// keeps what it shows), a zip through its member list, a plain list loaded.
void OpenController::openChosenFile(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    QString readError;
    switch (classifyChosenFile(path, &readError)) {
    case ChosenFile::Missing:
        warn(m_context.langText(LangEntry::ListNotFound) + u"\n\n"_s + shown, true);
        setRunning(false);
        return;
    case ChosenFile::NotAFile:
        warn(m_context.langText(LangEntry::NotAListFolderOrDevice).arg(shown), true);
        setRunning(false);
        return;
    case ChosenFile::Unreadable:
        warn(readFailureText(m_context, path, readError, false), true);
        setRunning(false);
        return;
    case ChosenFile::Empty:
        warn(m_context.langText(LangEntry::ListFileEmpty).arg(shown), false);
        loadOpenedList(path, false);
        return;
    case ChosenFile::PlainList:
        if (!confirmListShape(path)) {
            setRunning(false);
            return;
        }
        loadOpenedList(path, false);
        return;
    case ChosenFile::Zip:
        openZipArchive(path);
        return;
    }
}

zip::ZipListing OpenController::listZipMembers(const QString &zipPath)
{
    BusyPointer busy;
    zip::ZipMemberModel *model = zipMemberModel();
    model->clear();
    zip::ZipListing listing = zip::listZipMembers(
        zipPath, [model](const zip::ZipMember &member) { model->appendMember(member); });
    layoutMemberGrid();
    return listing;
}

void OpenController::openZipArchive(const QString &zipPath)
{
    m_w.Label8->setText(m_context.langText(LangEntry::ReadingZip));
    m_w.Frame3->hide();
    Q_EMIT notesCleared();
    m_zipNote.clear();
    m_w.Label9->clear();
    const zip::ZipListing listing = listZipMembers(zipPath);
    if (listing.error == zip::ZipError::NotZip) {
        // Only its first letters looked like a zip: a plain list after all.
        m_w.Label8->clear();
        zipMemberModel()->clear();
        if (!confirmListShape(zipPath)) {
            setRunning(false);
            return;
        }
        loadOpenedList(zipPath, false);
        return;
    }
    if (!listing.ok()) {
        m_w.Label8->clear();
        warn(zipListingFailureText(m_context, zipPath, int(listing.error), listing.errorText),
             true);
        setRunning(false);
        return;
    }
    m_zipPath = zipPath;
    if (listing.unsafeSkipped > 0)
        m_zipNote = m_context.langText(LangEntry::ZipEntriesNotOffered).arg(listing.unsafeSkipped);

    const ZipOpenPlan plan = planZipOpen(listing.members);
    // The notes are read from the archive when one is opened; one that
    // cannot be read at all is not offered.
    Q_EMIT notesListed(zipPath, plan.notes);
    const bool noteMessage = !plan.unreadableNotes.isEmpty();
    if (noteMessage)
        m_w.Label8->setText(m_context.langText(LangEntry::ZipNoteNotUnpacked)
                                .arg(plan.unreadableNotes.last().name));
    zipMemberModel()->setMembers(plan.rows);
    layoutMemberGrid();

    switch (plan.next) {
    case ZipOpenPlan::Next::NoList:
        m_w.Label8->clear();
        warn(m_context.langText(LangEntry::ZipHoldsNoList).arg(QDir::toNativeSeparators(zipPath)),
             true);
        showZipNote();
        setRunning(false);
        return;
    case ZipOpenPlan::Next::ShowMemberGrid:
        // Nothing is loaded until a member is chosen.
        m_session.setRootPrefix({});
        m_session.clear();
        Q_EMIT countersCleared();
        m_session.setCurrentListFile({});
        m_listFromZip = false;
        m_w.SSTab1->setTabEnabled(1, false);
        if (!noteMessage)
            m_w.Label8->clear();
        m_w.Frame3->show();
        showZipNote();
        setRunning(false);
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
        if (!confirmBigMember(single)) {
            m_w.Label8->clear();
            setRunning(false);
            return;
        }
        result = extractMember(single);
    }
    if (!result.ok()) {
        m_w.Label8->clear();
        warn(extractionFailureText(m_context, result), true);
        setRunning(false);
        return;
    }
    if (!confirmListShape(result.targetPath)) {
        m_w.Label8->clear();
        setRunning(false);
        return;
    }
    loadOpenedList(result.targetPath, true);
}

zip::ExtractResult OpenController::extractMember(const zip::ZipMember &member)
{
    BusyPointer busy;
    m_w.ProgressBar1->setRange(0, 100);
    m_w.ProgressBar1->setValue(0);
    m_w.ProgressBar1->show();
    zip::ExtractCallbacks callbacks;
    callbacks.dataFolder = m_context.dataFolder();
    int shownPercent = -1;
    callbacks.progress = [this, &shownPercent](double percent) {
        const int value = int(percent);
        if (value == shownPercent)
            return;
        shownPercent = value;
        m_w.ProgressBar1->setValue(value);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    callbacks.message = [this](int number, const QString &) {
        // The status line leads with what happened; the box that follows
        // gives the details.
        if (number != 0) {
            zip::ExtractResult failed;
            failed.error = zip::ZipError(number);
            m_w.Label8->setText(extractionFailureText(m_context, failed));
        }
    };
    zip::ExtractResult result =
        zip::extractZipMember(m_zipPath, member.index, memberFolder(), callbacks);
    m_w.ProgressBar1->hide();
    return result;
}

// Steps common to every list that is loaded by the open command. keepShown:
// the list shown stays until the new one is in (a reload).
void OpenController::loadOpenedList(const QString &path, bool fromZip, bool keepShown)
{
    m_session.setRootPrefix({});
    if (!keepShown) {
        m_session.clear();
        Q_EMIT countersCleared();
    }
    m_session.setCurrentListFile(path);
    m_listFromZip = fromZip;
    if (!fromZip)
        Q_EMIT notesCleared();
    Q_EMIT listOpening(path, fromZip);
    m_w.Label8->setText(m_context.langText(LangEntry::LoadingList));
    m_w.ProgressBar1->hide();
    if (!fromZip || zipMemberModel()->rowCount() <= 1)
        m_w.Frame3->hide();
    // The loader keeps its own lock; give it the open page's controls enabled.
    setRunning(false);
    Q_EMIT loadRequested(m_session.CurrentListFile());
}

void OpenController::listShown()
{
    m_w.SSTab1->setFocus();
    setRunning(false);
    Q_EMIT openedListShown();
    if (!m_session.loadedList().fileFound) {
        warn(m_context.langText(LangEntry::ListNotFound) + u"\n\n"_s +
                 QDir::toNativeSeparators(m_session.CurrentListFile()),
             true);
    } else if (m_listFromZip) {
        m_w.Label8->setText(m_context.langText(LangEntry::LoadedFromZip));
    }
}

void OpenController::showZipNote()
{
    m_w.Label9->setText(m_zipNote);
    m_w.Label9->setVisible(!m_zipNote.isEmpty());
}

void OpenController::reload()
{
    if (m_session.isLoading())
        return;
    // The opened list again, without asking; the list shown stays until it
    // is in, and stays as it was when the reload is stopped.
    const bool inPlace =
        !m_session.CurrentListFile().isEmpty() && QFileInfo(m_session.CurrentListFile()).isFile();
    Q_EMIT reloadStarting(inPlace);
    QPalette hidden = m_w.TXT1->palette();
    hidden.setColor(QPalette::Text, Qt::white);
    m_w.TXT1->setPalette(hidden);
    m_w.TXT1->setText(u"*.*"_s);
    m_w.SSTab1->setCurrentIndex(0);
    m_w.Label8->setText(m_context.fixedWord(LangEntry::ClearingOldList, u"Clearing old list..."_s));
    Q_EMIT countersCleared();
    m_w.SSTab1->setTabEnabled(1, false);

    if (inPlace) {
        setRunning(true);
        loadOpenedList(m_session.CurrentListFile(), m_listFromZip, true);
    } else {
        // The list is gone: what is shown is stale, choose again.
        m_session.setRootPrefix({});
        m_session.clear();
        runOpenCommand(true);
    }

    m_w.TXT1->setText(QString());
    m_w.TXT1->setPalette(QPalette());
    m_w.mnuReload->setEnabled(false);
}

void OpenController::chooseMember(int row)
{
    if (m_session.isLoading() || !m_zipMembers)
        return;
    const zip::ZipMember *chosen = m_zipMembers->memberAt(row - 1);
    if (!chosen)
        return;
    const zip::ZipMember member = *chosen;
    const QString target = zip::memberTargetPath(memberFolder(), member);
    if (member.encrypted) {
        const zip::ExtractResult refused =
            zip::extractZipMember(m_zipPath, member.index, memberFolder());
        warn(extractionFailureText(m_context, refused), true);
        return;
    }
    // Chosen again: the copy unpacked before is used while the member's
    // bytes are unchanged (size and CRC-32 by the archive's directory), and
    // replaced without a question otherwise.
    const bool reuse = zip::reuseUnpackedCopy(m_zipPath, member, memberFolder());
    if (!reuse && !confirmBigMember(member))
        return;

    const bool viewPageEnabled = m_w.SSTab1->isTabEnabled(1);
    setRunning(true);
    zip::ExtractResult result;
    if (reuse) {
        result.targetPath = target;
    } else {
        m_w.Label9->setText(m_context.langText(LangEntry::ReadingZip));
        m_w.Label9->show();
        m_w.SSTab1->setTabEnabled(1, false);
        result = extractMember(member);
        showZipNote();
    }
    if (!result.ok()) {
        // Nothing changed: the list shown stays usable.
        m_w.SSTab1->setTabEnabled(1, viewPageEnabled);
        setRunning(false);
        warn(extractionFailureText(m_context, result), true);
        return;
    }
    if (!confirmListShape(result.targetPath)) {
        m_w.SSTab1->setTabEnabled(1, viewPageEnabled);
        setRunning(false);
        return;
    }
    m_w.SSTab1->setCurrentIndex(0);
    loadOpenedList(result.targetPath, true);
}

void OpenController::openFromCommandLine(const QString &path)
{
    if (m_session.isLoading())
        return;
    setRunning(true);
    openChosenFile(QFileInfo(path).absoluteFilePath());
}

void OpenController::openFile(const QString &path)
{
    setRunning(true);
    openChosenFile(path);
}

} // namespace corvane
