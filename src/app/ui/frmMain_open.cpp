// The open command (OpenController) and the lab's notes of the opened archive
// (ZipNotesController) in the window: their controls, their wiring, and the
// window's slots that forward to them.

#include "KeptList.h"
#include "OpenController.h"
#include "SearchController.h"
#include "ZipNotesController.h"
#include "frmMain.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QMenu>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

void frmMain::setupOpenCommand()
{
    m_controllers.open =
        new OpenController(*this, *m_session, *m_lock,
                           {m_ui.SSTab1, m_ui.Label8, m_ui.Frame3, m_ui.iGrid3, m_ui.Label9,
                            m_ui.ProgressBar1, m_ui.TXT1, m_ui.mnuReload},
                           this);
    connect(m_controllers.open, &OpenController::loadRequested, this,
            [this](const QString &path) { LoadListFile(path, ListSession::LoadKind::Opened); });
    connect(m_controllers.open, &OpenController::countersCleared, this,
            &frmMain::ZeroOpenPageCounters);
    // The search is set up after the open command.
    connect(m_controllers.open, &OpenController::openedListShown, this,
            [this] { m_controllers.search->setDateRangeFromList(today()); });
    connect(m_controllers.open, &OpenController::reloadStarting, this, [this](bool keepShown) {
        if (keepShown)
            m_keptList->keep(LangEntry::ReloadStopped, m_ui.Label24->text());
        m_controllers.search->rememberFolderForReload();
    });
}

void frmMain::Command2_Click()
{
    m_controllers.open->openWithDialog();
}

void frmMain::mnuReload_Click()
{
    if (!isSearching())
        m_controllers.open->reload();
}

void frmMain::iGrid3_DblClick(int row, int col)
{
    Q_UNUSED(col);
    m_controllers.open->chooseMember(row);
}

void frmMain::OpenListFromCommandLine(const QString &path)
{
    m_controllers.open->openFromCommandLine(path);
}

void frmMain::setupZipNotes()
{
    m_ui.NotesFrame = new QGroupBox(m_ui.Frame2);
    m_ui.NotesFrame->setObjectName(u"NotesFrame"_s);
    auto *layout = new QVBoxLayout(m_ui.NotesFrame);
    m_ui.NotesHint = new QLabel(m_ui.NotesFrame);
    m_ui.NotesHint->setObjectName(u"NotesHint"_s);
    m_ui.NotesHint->setWordWrap(true);
    m_ui.NotesHint->setTextFormat(Qt::PlainText);
    layout->addWidget(m_ui.NotesHint);
    m_ui.NotesList = new QListView(m_ui.NotesFrame);
    m_ui.NotesList->setObjectName(u"NotesList"_s);
    m_ui.NotesList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const int rowHeight = m_ui.NotesList->fontMetrics().height() + 4;
    m_ui.NotesList->setMinimumHeight(3 * rowHeight + 6);
    m_controllers.zipNotes = new ZipNotesController(
        *this, {m_ui.NotesFrame, m_ui.NotesHint, m_ui.NotesList}, this, this);
    layout->addWidget(m_ui.NotesList, 1);
    m_ui.NotesFrame->hide();
    // Beside the summary and the member grid, in the open page's free right
    // half: the left column keeps its room.
    if (auto *frame2 = qobject_cast<QBoxLayout *>(m_ui.Frame2->layout())) {
        auto *rightColumn = new QVBoxLayout;
        rightColumn->addWidget(m_ui.NotesFrame, 1);
        rightColumn->addStretch(0);
        frame2->insertLayout(1, rightColumn, 1);
    }
    connect(m_controllers.open, &OpenController::notesCleared, m_controllers.zipNotes,
            &ZipNotesController::clear);
    connect(m_controllers.open, &OpenController::notesListed, m_controllers.zipNotes,
            &ZipNotesController::setNotes);
}

} // namespace corvane
