// The lab's notes: the ".txt" and ".log" members of the opened archive.

#include "ZipNotesController.h"

#include "NoteViewer.h"
#include "listfile/SizeText.h"
#include "util/PlainText.h"
#include "zip/ZipArchive.h"
#include "zip/ZipNote.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QStandardItemModel>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

constexpr int EntryIndexRole = Qt::UserRole + 1;

} // namespace

ZipNotesController::ZipNotesController(WindowContext &context, ZipNotesWidgets widgets,
                                       QWidget *viewerParent, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_w(widgets)
    , m_viewerParent(viewerParent)
    , m_notes(new QStandardItemModel(this))
{
    m_notes->setObjectName(u"NotesListModel"_s);
    m_w.NotesList->setModel(m_notes);
    // Activated: a double-click, or Enter on the current note.
    connect(m_w.NotesList, &QAbstractItemView::activated, this,
            [this](const QModelIndex &index) { openNote(index.row()); });
    retranslate();
}

void ZipNotesController::retranslate()
{
    m_w.NotesFrame->setTitle(m_context.caption(LangEntry::NotesTitle));
    m_w.NotesHint->setText(m_context.caption(LangEntry::NotesHint));
}

void ZipNotesController::clear()
{
    m_notes->clear();
    m_archive.clear();
    m_w.NotesFrame->hide();
}

void ZipNotesController::setNotes(const QString &zipPath, const QList<zip::ZipMember> &notes)
{
    m_notes->clear();
    m_archive = zipPath;
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
        m_notes->invisibleRootItem()->appendRows(items);
    m_w.NotesFrame->setVisible(!items.isEmpty());
}

void ZipNotesController::openNote(int row)
{
    if (row < 0 || row >= m_notes->rowCount())
        return;
    const QString name = m_notes->item(row)->text();
    const qint64 index = m_notes->item(row)->data(EntryIndexRole).toLongLong();
    // At most NoteReadLimit bytes are inflated: a moment, even for a huge note.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const zip::NoteText note = zip::readZipNote(m_archive, index, name);
    QApplication::restoreOverrideCursor();
    if (!note.error.isEmpty()) {
        m_context.prompts().warning(
            m_context.promptParent(),
            m_context.langText(LangEntry::NoteUnreadable).arg(name, note.error),
            m_context.errorTitle(), false);
        return;
    }
    QString notice;
    if (note.cut) {
        const auto shown = ByteTotal::fromBytes(zip::NoteReadLimit);
        const auto whole = ByteTotal::fromBytes(note.size);
        notice = m_context.langText(LangEntry::NoteShownInPart)
                     .arg(m_context.formatSizeShown(shown.value_or(ByteTotal())),
                          m_context.formatSizeShown(whole.value_or(ByteTotal())));
    }
    auto *viewer = new NoteViewer(name + u" - "_s + m_context.caption(LangEntry::ProgramName),
                                  note.text, m_viewerParent, notice);
    viewer->show();
}

} // namespace corvane
