// The approval e-mail (a click on lblEmail or its picture Image2) and
// "Save list as..." (mnuSaveList), which writes the list that is shown so the
// customer can send a narrowed list to the lab.

#include "CommandLock.h"
#include "OpenController.h"
#include "approval/ApprovalMail.h"
#include "approval/ui/ApprovalMessageDialog.h"
#include "frmMain.h"
#include "listfile/ListSaver.h"
#include "listfile/OpenCommand.h"
#include "util/BackgroundJob.h"
#include "zip/ZipArchive.h"
#include "zip/ZipMemberModel.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QTableView>
#include <QThread>

#include <functional>
#include <memory>

using namespace Qt::Literals::StringLiterals;

static void initApprovalResources()
{
    Q_INIT_RESOURCE(frmMain_approval);
}

namespace corvane {

namespace {

// The proposed name's suffix as one safe piece of a file name.
QString fileNameSuffix(QString suffix)
{
    for (QChar &c : suffix) {
        if (c.unicode() < 0x20 || c == u'/' || c == u'\\' || c == u':' || c == u'*' || c == u'?' ||
            c == u'"' || c == u'<' || c == u'>' || c == u'|')
            c = u'_';
    }
    return suffix.left(40);
}

// A click (left button pressed and released over it) on a label.
class LabelClicks : public QObject
{
public:
    LabelClicks(QLabel *label, std::function<void()> clicked)
        : QObject(label), m_label(label), m_clicked(std::move(clicked))
    {
        label->installEventFilter(this);
        label->setCursor(Qt::PointingHandCursor);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_label && event->type() == QEvent::MouseButtonRelease) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton &&
                m_label->rect().contains(mouse->position().toPoint()))
                m_clicked();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QLabel *m_label;
    std::function<void()> m_clicked;
};

// Why a save failed, in the words of entry `text` picks.
QString saveFailureReason(const SaveListResult &result,
                          const std::function<QString(LangEntry)> &text)
{
    switch (result.reason) {
    case SaveListResult::Reason::DiskFull:
        return text(LangEntry::SaveDiskFull);
    case SaveListResult::Reason::NotRegularFile:
        return text(LangEntry::SaveNotRegularFile);
    case SaveListResult::Reason::Folder:
        return text(LangEntry::SaveIsFolder);
    case SaveListResult::Reason::BrokenLink:
        return text(LangEntry::SaveBrokenLink);
    case SaveListResult::Reason::NoFolder:
        return text(LangEntry::SaveNoFolder);
    case SaveListResult::Reason::ReadOnly:
        return text(LangEntry::SaveNotPermitted);
    case SaveListResult::Reason::None:
    case SaveListResult::Reason::Other:
        break;
    }
    return text(LangEntry::SaveSystemReported).arg(result.error);
}

} // namespace

bool frmMain::isSaving() const
{
    return m_saveJob && m_saveJob->isRunning();
}

void frmMain::setupApproval()
{
    m_saveJob = new BackgroundJob(u"ListSaver"_s, this);
    initApprovalResources();
    Image2->setPixmap(QPixmap(u":/corvane/icons/mail-32.png"_s));
    Image2->setAlignment(Qt::AlignCenter);
    new LabelClicks(lblEmail, [this] { lblEmail_Click(); });
    new LabelClicks(Image2, [this] { Image2_Click(); });

    mnuSaveList = mnuMenu->addAction(langText(LangEntry::SaveListAs));
    mnuSaveList->setObjectName(u"mnuSaveList"_s);
    mnuMenu->insertAction(mnuB1, mnuSaveList); // above the separator before "Exit"
    connect(mnuSaveList, &QAction::triggered, this, &frmMain::mnuSaveList_Click);

    connect(this, &frmMain::listLoaded, this, &frmMain::updateApprovalControls);
    connect(this, &frmMain::languageChanged, this, &frmMain::applyApprovalTexts);
    applyApprovalTexts();
    updateApprovalControls();
}

// The save entry is there while a list is shown, the prompt while it holds
// a line: there is nothing to approve in an empty list.
void frmMain::updateApprovalControls()
{
    const bool shown = loadedList().fileFound;
    const bool approvable = shown && loadedList().lineCount > 0;
    lblEmail->setVisible(approvable);
    Image2->setVisible(approvable);
    mnuSaveList->setEnabled(shown && !isSaving());
}

void frmMain::applyApprovalTexts()
{
    const auto text = [this](LangEntry entry) { return langText(entry); };
    mnuSaveList->setText(text(LangEntry::SaveListAs));
    if (auto *dialog = findChild<ApprovalMessageDialog *>()) {
        ApprovalMessageDialog::Texts texts{text(LangEntry::ApprovalDialogTitle),
                                           {},
                                           text(LangEntry::MailTo),
                                           text(LangEntry::MailSubject),
                                           text(LangEntry::MailMessage),
                                           text(LangEntry::CopyAll),
                                           text(LangEntry::Close),
                                           text(LangEntry::CopiedToClipboard)};
        // The intro says what became of the hand-off; keep which one it was.
        const bool failed = dialog->property("handoffFailed").toBool();
        texts.intro = text(failed ? LangEntry::MailNotHandedOver : LangEntry::MailHandedOver);
        dialog->setTexts(texts);
    }
}

void frmMain::RememberApprovalName(const QString &path, bool fromZip)
{
    m_approvalSource = QFileInfo(path).fileName();
    if (!fromZip)
        return;
    if (const std::optional<QString> member = m_open->memberNameOf(path))
        m_approvalSource = *member;
}

// The list shown is named: the member when it came out of the zip, otherwise
// the file that was opened; a search result keeps the name of the list it
// was cut from. With nothing loaded, the member grid's current row (or its
// first row), else the archive's name, else nothing.
QString frmMain::ApprovalListName() const
{
    QString name;
    if (!m_session->CurrentListFile().isEmpty()) {
        name = m_approvalSource.isEmpty() ? QFileInfo(m_session->CurrentListFile()).fileName()
                                          : m_approvalSource;
    } else {
        name = m_open->offeredListName();
    }
    return approvalListName(name);
}

void frmMain::lblEmail_Click()
{
    // One message at a time: a quick second click would open a second one.
    if (m_mailHandoffPending)
        return;
    m_mailHandoffPending = true;
    const ApprovalMessage message = buildApprovalMessage(ApprovalListName());
    QPointer<frmMain> self(this);
    m_prompts.openMailUrl(message.url, [self, message](Prompts::MailHandoff outcome) {
        if (!self)
            return;
        self->m_mailHandoffPending = false;
        const auto text = [&self](LangEntry entry) { return self->langText(entry); };
        const bool failed = outcome == Prompts::MailHandoff::Failed;
        if (failed)
            self->m_prompts.message(self, text(LangEntry::NoMailProgram),
                                    self->fixedWord(LangEntry::NoMailProgramTitle,
                                                    u"Unable to connect to email client."_s),
                                    false);
        if (!self)
            return;
        // Whatever the desktop did, the message can be read and copied.
        ApprovalMessageDialog::Texts texts{
            text(LangEntry::ApprovalDialogTitle),
            text(failed ? LangEntry::MailNotHandedOver : LangEntry::MailHandedOver),
            text(LangEntry::MailTo),
            text(LangEntry::MailSubject),
            text(LangEntry::MailMessage),
            text(LangEntry::CopyAll),
            text(LangEntry::Close),
            text(LangEntry::CopiedToClipboard)};
        auto *dialog = self->findChild<ApprovalMessageDialog *>();
        if (!dialog) {
            frmMain *window = self.data();
            dialog = new ApprovalMessageDialog(
                message, texts,
                [window](const QString &plain) { window->m_prompts.setClipboardText(plain); },
                window);
        } else {
            dialog->setTexts(texts);
            dialog->setMessage(message, texts.intro);
        }
        dialog->setProperty("handoffFailed", failed);
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
    });
}

void frmMain::mnuSaveList_Click()
{
    if (isLoading() || isSaving() || !loadedList().fileFound)
        return;
    const auto text = [this](LangEntry entry) { return langText(entry); };
    QString base = QFileInfo(m_session->CurrentListFile()).completeBaseName();
    if (base.isEmpty())
        base = u"list"_s;
    const QString start =
        QDir(dialogStartFolder(dataFolder()))
            .filePath(base +
                      fileNameSuffix(fixedWord(LangEntry::SelectionSuffix, u"-selection"_s)) +
                      u".csv"_s);
    QString title = text(LangEntry::SaveListAs);
    while (title.endsWith(u'.'))
        title.chop(1);
    const QString path =
        m_prompts.saveFile(this, title, start, text(LangEntry::FileListsFilter) + u" (*.csv)"_s);
    if (path.isEmpty())
        return;
    // Never over the open list, the archive it came from or the search
    // result that is shown.
    const QStringList keep = {m_session->CurrentListFile(), m_open->zipArchivePath(),
                              QDir(dataFolder()).filePath(u"tFile.csv"_s)};
    // The worker writes its own copy of the store (the bytes are shared, not
    // copied), so nothing the window does meanwhile can pull them away. The
    // window waits for the write to end before the program quits (the job).
    mnuSaveList->setEnabled(false);
    auto busy = std::make_shared<BusyPointer>();
    m_saveJob->start(
        [store = loadedList().iGrid1, path, keep](const JobRun &) mutable {
            SaveListResult result = saveListFile(store, path, keep);
            store = LineStore();
            return result;
        },
        [this, path, text, busy](const SaveListResult &result) mutable {
            busy.reset();
            updateApprovalControls();
            const QString shown = QDir::toNativeSeparators(path);
            switch (result.outcome) {
            case SaveListResult::Outcome::Saved:
                m_prompts.message(
                    this, text(LangEntry::ListSaved).arg(shown, formatCountShown(result.lines)),
                    u"Corvane"_s, false);
                return;
            case SaveListResult::Outcome::WouldReplaceOpenFile:
                m_prompts.warning(this, text(LangEntry::SaveOverOpenList).arg(shown), errorTitle(),
                                  false);
                return;
            case SaveListResult::Outcome::Failed:
                m_prompts.warning(
                    this, text(LangEntry::SaveFailed).arg(shown, saveFailureReason(result, text)),
                    errorTitle(), false);
                return;
            }
        });
}

} // namespace corvane
