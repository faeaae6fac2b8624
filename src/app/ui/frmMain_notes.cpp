// The lab's notes: the ".txt" and ".log" members taken out of the opened
// archive are listed on the open page; a double-click or Enter shows one,
// read-only, in a window of the program.

#include "NoteViewer.h"
#include "frmMain.h"
#include "util/PlainText.h"

#include <QBoxLayout>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QStandardItemModel>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

constexpr int NotesTitleEntry = 54;
constexpr int NotesHintEntry = 55;
constexpr int NoteUnreadableEntry = 56;
constexpr int PathRole = Qt::UserRole + 1;

} // namespace

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
    m_zipNotes = new QStandardItemModel(this);
    m_zipNotes->setObjectName(u"NotesListModel"_s);
    NotesList->setModel(m_zipNotes);
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
    // Activated: a double-click, or Enter on the current note.
    connect(NotesList, &QAbstractItemView::activated, this,
            [this](const QModelIndex &index) { OpenZipNote(index.row()); });
    RetranslateZipNotes();
}

void frmMain::RetranslateZipNotes()
{
    if (!NotesFrame)
        return;
    NotesFrame->setTitle(caption(NotesTitleEntry));
    NotesHint->setText(caption(NotesHintEntry));
}

void frmMain::ClearZipNotes()
{
    if (!m_zipNotes)
        return;
    m_zipNotes->clear();
    NotesFrame->hide();
}

void frmMain::AddZipNote(const QString &name, const QString &extractedPath)
{
    if (!m_zipNotes)
        return;
    auto *item = new QStandardItem(name);
    item->setData(extractedPath, PathRole);
    item->setToolTip(plainToolTip(QDir::toNativeSeparators(extractedPath)));
    item->setEditable(false);
    m_zipNotes->appendRow(item);
    NotesFrame->show();
}

QStringList frmMain::zipNoteFiles() const
{
    QStringList files;
    for (int r = 0; m_zipNotes && r < m_zipNotes->rowCount(); ++r)
        files.append(m_zipNotes->item(r)->data(PathRole).toString());
    return files;
}

void frmMain::OpenZipNote(int row)
{
    if (!m_zipNotes || row < 0 || row >= m_zipNotes->rowCount())
        return;
    const QString name = m_zipNotes->item(row)->text();
    const QString path = m_zipNotes->item(row)->data(PathRole).toString();
    const NoteText note = readNoteFile(path);
    if (!note.error.isEmpty()) {
        m_prompts.warning(this, langText(NoteUnreadableEntry).arg(name, note.error), u"Error"_s,
                          false);
        return;
    }
    auto *viewer = new NoteViewer(name + u" - "_s + caption(40), note.text, this);
    viewer->show();
}

} // namespace corvane
