// The lab's notes: the ".txt" and ".log" members of the opened archive are
// listed on the open page; a double-click or Enter reads one straight from
// the archive (nothing is unpacked) and shows it, read-only, in a window of
// the program.

#include "NoteViewer.h"
#include "frmMain.h"
#include "listfile/SizeText.h"
#include "util/PlainText.h"
#include "zip/ZipArchive.h"
#include "zip/ZipNote.h"

#include <QApplication>
#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QStandardItemModel>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

constexpr int EntryIndexRole = Qt::UserRole + 1;

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
    NotesFrame->setTitle(caption(LangEntry::NotesTitle));
    NotesHint->setText(caption(LangEntry::NotesHint));
}

void frmMain::ClearZipNotes()
{
    if (!m_zipNotes)
        return;
    m_zipNotes->clear();
    m_zipNotesArchive.clear();
    NotesFrame->hide();
}

void frmMain::SetZipNotes(const QString &zipPath, const QList<zip::ZipMember> &notes)
{
    if (!m_zipNotes)
        return;
    m_zipNotes->clear();
    m_zipNotesArchive = zipPath;
    // One insertion for the whole list: a delivery may hold thousands of notes.
    QList<QStandardItem *> items;
    items.reserve(notes.size());
    for (const zip::ZipMember &note : notes) {
        // The full name inside the archive: "one/readme.txt" and
        // "two/readme.txt" are two notes.
        auto *item = new QStandardItem(note.name);
        item->setData(note.index, EntryIndexRole);
        item->setToolTip(plainToolTip(note.name));
        item->setEditable(false);
        items.append(item);
    }
    if (!items.isEmpty())
        m_zipNotes->invisibleRootItem()->appendRows(items);
    NotesFrame->setVisible(!items.isEmpty());
}

void frmMain::OpenZipNote(int row)
{
    if (!m_zipNotes || row < 0 || row >= m_zipNotes->rowCount())
        return;
    const QString name = m_zipNotes->item(row)->text();
    const qint64 index = m_zipNotes->item(row)->data(EntryIndexRole).toLongLong();
    // At most NoteReadLimit bytes are inflated: a moment, even for a huge note.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const zip::NoteText note = zip::readZipNote(m_zipNotesArchive, index, name);
    QApplication::restoreOverrideCursor();
    if (!note.error.isEmpty()) {
        m_prompts.warning(this, langText(LangEntry::NoteUnreadable).arg(name, note.error),
                          errorTitle(), false);
        return;
    }
    QString notice;
    if (note.cut) {
        const auto shown = ByteTotal::fromBytes(zip::NoteReadLimit);
        const auto whole = ByteTotal::fromBytes(note.size);
        notice = langText(LangEntry::NoteShownInPart)
                     .arg(formatSizeShown(shown.value_or(ByteTotal())),
                          formatSizeShown(whole.value_or(ByteTotal())));
    }
    auto *viewer =
        new NoteViewer(name + u" - "_s + caption(LangEntry::ProgramName), note.text, this, notice);
    viewer->show();
}

} // namespace corvane
