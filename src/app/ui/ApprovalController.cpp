#include "ApprovalController.h"

#include "CommandLock.h"
#include "ListSaveReport.h"
#include "ListSession.h"
#include "WindowContext.h"
#include "approval/ApprovalMail.h"
#include "approval/ui/ApprovalMessageDialog.h"
#include "listfile/ListSaver.h"
#include "listfile/OpenCommand.h"
#include "util/BackgroundJob.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

#include <memory>

using namespace Qt::Literals::StringLiterals;

static void initApprovalResources()
{
    Q_INIT_RESOURCE(frmMain_approval);
}

namespace corvane {

namespace {

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

// The dialog's texts; its intro says what became of the hand-off.
ApprovalMessageDialog::Texts dialogTexts(const WindowContext &context, bool handoffFailed)
{
    const auto text = [&context](LangEntry entry) { return context.langText(entry); };
    return {text(LangEntry::ApprovalDialogTitle),
            text(handoffFailed ? LangEntry::MailNotHandedOver : LangEntry::MailHandedOver),
            text(LangEntry::MailTo),
            text(LangEntry::MailSubject),
            text(LangEntry::MailMessage),
            text(LangEntry::CopyAll),
            text(LangEntry::Close),
            text(LangEntry::CopiedToClipboard)};
}

} // namespace

ApprovalController::ApprovalController(WindowContext &context, ListSession &session,
                                       const ApprovalWidgets &widgets, ApprovalSources sources,
                                       QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_session(session)
    , m_widgets(widgets)
    , m_sources(std::move(sources))
    , m_saveJob(new BackgroundJob(u"ListSaver"_s, this))
{
    initApprovalResources();
    m_widgets.Image2->setPixmap(QPixmap(u":/corvane/icons/mail-32.png"_s));
    m_widgets.Image2->setAlignment(Qt::AlignCenter);
    new LabelClicks(m_widgets.lblEmail, [this] { Q_EMIT lblEmailClicked(); });
    new LabelClicks(m_widgets.Image2, [this] { Q_EMIT Image2Clicked(); });
    retranslate();
    updateControls();
}

bool ApprovalController::isSaving() const
{
    return m_saveJob->isRunning();
}

void ApprovalController::finishSaving()
{
    m_saveJob->waitForAll();
}

// The save entry is there while a list is shown, the prompt while it holds
// a line: there is nothing to approve in an empty list.
void ApprovalController::updateControls()
{
    const bool shown = m_session.loadedList().fileFound;
    const bool approvable = shown && m_session.loadedList().lineCount > 0;
    m_widgets.lblEmail->setVisible(approvable);
    m_widgets.Image2->setVisible(approvable);
    m_widgets.mnuSaveList->setEnabled(shown && !isSaving());
}

void ApprovalController::retranslate()
{
    m_widgets.mnuSaveList->setText(m_context.langText(LangEntry::SaveListAs));
    if (m_dialog)
        m_dialog->setTexts(dialogTexts(m_context, m_dialogHandoffFailed));
}

void ApprovalController::rememberListName(const QString &path, bool fromZip)
{
    m_listSource = QFileInfo(path).fileName();
    if (!fromZip)
        return;
    if (const std::optional<QString> member = m_sources.memberNameOf(path))
        m_listSource = *member;
}

// The list shown is named: the member when it came out of the zip, otherwise
// the file that was opened; a search result keeps the name of the list it
// was cut from. With nothing loaded, the member grid's current row (or its
// first row), else the archive's name, else nothing.
QString ApprovalController::listName() const
{
    QString name;
    if (!m_session.CurrentListFile().isEmpty()) {
        name = m_listSource.isEmpty() ? QFileInfo(m_session.CurrentListFile()).fileName()
                                      : m_listSource;
    } else {
        name = m_sources.offeredListName();
    }
    return approvalListName(name);
}

void ApprovalController::sendApproval()
{
    // One message at a time: a quick second click would open a second one.
    if (m_mailHandoffPending)
        return;
    m_mailHandoffPending = true;
    const ApprovalMessage message = buildApprovalMessage(
        listName(), approvalAddress(), m_sources.bodyNote ? m_sources.bodyNote() : QString());
    QPointer<ApprovalController> self(this);
    m_context.prompts().openMailUrl(message.url, [self, message](Prompts::MailHandoff outcome) {
        if (!self)
            return;
        self->m_mailHandoffPending = false;
        const bool failed = outcome == Prompts::MailHandoff::Failed;
        if (failed) {
            WindowContext &context = self->m_context;
            context.prompts().message(context.promptParent(),
                                      context.langText(LangEntry::NoMailProgram),
                                      context.fixedWord(LangEntry::NoMailProgramTitle,
                                                        u"Unable to connect to email client."_s),
                                      false);
        }
        if (!self)
            return;
        // Whatever the desktop did, the message can be read and copied.
        self->showMessageDialog(message, failed);
    });
}

void ApprovalController::showMessageDialog(const ApprovalMessage &message, bool handoffFailed)
{
    const ApprovalMessageDialog::Texts texts = dialogTexts(m_context, handoffFailed);
    if (!m_dialog) {
        Prompts &prompts = m_context.prompts();
        m_dialog = new ApprovalMessageDialog(
            message, texts, [&prompts](const QString &plain) { prompts.setClipboardText(plain); },
            m_context.promptParent());
    } else {
        m_dialog->setTexts(texts);
        m_dialog->setMessage(message, texts.intro);
    }
    m_dialogHandoffFailed = handoffFailed;
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

void ApprovalController::saveList()
{
    if (m_session.isLoading() || isSaving() || !m_session.loadedList().fileFound)
        return;
    WindowContext &context = m_context;
    const auto text = [&context](LangEntry entry) { return context.langText(entry); };
    QString base = QFileInfo(m_session.CurrentListFile()).completeBaseName();
    if (base.isEmpty())
        base = u"list"_s;
    const QString dataFolder = context.dataFolder();
    const QString start = QDir(dialogStartFolder(dataFolder))
                              .filePath(base +
                                        fileNameSuffix(context.fixedWord(LangEntry::SelectionSuffix,
                                                                         u"-selection"_s)) +
                                        u".csv"_s);
    QString title = text(LangEntry::SaveListAs);
    while (title.endsWith(u'.'))
        title.chop(1);
    const QString path = context.prompts().saveFile(
        context.promptParent(), title, start, text(LangEntry::FileListsFilter) + u" (*.csv)"_s);
    if (path.isEmpty())
        return;
    // Never over the open list, the archive it came from or the search
    // result that is shown.
    const QStringList keep = {m_session.CurrentListFile(), m_sources.zipArchivePath(),
                              QDir(dataFolder).filePath(u"tFile.csv"_s)};
    // The worker writes its own copy of the store (the bytes are shared, not
    // copied), so nothing the window does meanwhile can pull them away. The
    // window waits for the write to end before the program quits (the job).
    m_widgets.mnuSaveList->setEnabled(false);
    auto busy = std::make_shared<BusyPointer>();
    m_saveJob->start(
        [store = m_session.loadedList().iGrid1, path, keep](const JobRun &) mutable {
            SaveListResult result = saveListFile(store, path, keep);
            store = LineStore();
            return result;
        },
        [this, path, busy](const SaveListResult &result) mutable {
            busy.reset();
            updateControls();
            reportListSave(m_context, path, result);
        });
}

} // namespace corvane
