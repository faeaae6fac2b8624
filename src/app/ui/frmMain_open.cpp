// The open command (OpenController) and the lab's notes of the opened archive
// (ZipNotesController) in the window: their controls, their wiring, and the
// window's slots that forward to them.

#include "OpenController.h"
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
    m_open = new OpenController(
        *this, *m_session, *m_lock,
        {SSTab1, Label8, Frame3, iGrid3, Label9, ProgressBar1, TXT1, mnuReload}, this);
    connect(m_open, &OpenController::loadRequested, this,
            [this](const QString &path) { LoadListFile(path, ListSession::LoadKind::Opened); });
    connect(m_open, &OpenController::countersCleared, this, &frmMain::ZeroOpenPageCounters);
    connect(m_open, &OpenController::openedListShown, this, &frmMain::SetDateRangeFromList);
    connect(m_open, &OpenController::reloadStarting, this, [this](bool keepShown) {
        if (keepShown)
            KeepShownListDuringLoad(LangEntry::ReloadStopped, Label24->text());
        RememberFolderForReload();
    });
}

void frmMain::Command2_Click()
{
    m_open->openWithDialog();
}

void frmMain::mnuReload_Click()
{
    if (!isSearching())
        m_open->reload();
}

void frmMain::iGrid3_DblClick(int row, int col)
{
    Q_UNUSED(col);
    m_open->chooseMember(row);
}

void frmMain::OpenListFromCommandLine(const QString &path)
{
    m_open->openFromCommandLine(path);
}

void frmMain::setupZipNotes()
{
    NotesFrame = new QGroupBox(Frame2);
    NotesFrame->setObjectName(u"NotesFrame"_s);
    auto *layout = new QVBoxLayout(NotesFrame);
    NotesHint = new QLabel(NotesFrame);
    NotesHint->setObjectName(u"NotesHint"_s);
    NotesHint->setWordWrap(true);
    NotesHint->setTextFormat(Qt::PlainText);
    layout->addWidget(NotesHint);
    NotesList = new QListView(NotesFrame);
    NotesList->setObjectName(u"NotesList"_s);
    NotesList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const int rowHeight = NotesList->fontMetrics().height() + 4;
    NotesList->setMinimumHeight(3 * rowHeight + 6);
    m_zipNotes = new ZipNotesController(*this, {NotesFrame, NotesHint, NotesList}, this, this);
    layout->addWidget(NotesList, 1);
    NotesFrame->hide();
    // Beside the summary and the member grid, in the open page's free right
    // half: the left column keeps its room.
    if (auto *frame2 = qobject_cast<QBoxLayout *>(Frame2->layout())) {
        auto *rightColumn = new QVBoxLayout;
        rightColumn->addWidget(NotesFrame, 1);
        rightColumn->addStretch(0);
        frame2->insertLayout(1, rightColumn, 1);
    }
    connect(m_open, &OpenController::notesCleared, m_zipNotes, &ZipNotesController::clear);
    connect(m_open, &OpenController::notesListed, m_zipNotes, &ZipNotesController::setNotes);
}

void frmMain::RetranslateZipNotes()
{
    if (m_zipNotes)
        m_zipNotes->retranslate();
}

} // namespace corvane
