#pragma once

// The lab's notes of the opened archive: drives NotesFrame (shown while the
// archive has notes), NotesHint and NotesList (one row a ".txt" or ".log"
// member, by its full name in the archive). A double-click or Enter on a row
// reads that note straight from the archive (nothing is unpacked) and shows
// it, read-only, in a NoteViewer. It sends no signals.

#include "WindowContext.h"

#include <QList>
#include <QObject>
#include <QString>

class QGroupBox;
class QLabel;
class QListView;
class QStandardItemModel;

namespace corvane {

namespace zip {
struct ZipMember;
} // namespace zip

struct ZipNotesWidgets
{
    QGroupBox *NotesFrame = nullptr;
    QLabel *NotesHint = nullptr;
    QListView *NotesList = nullptr;
};

class ZipNotesController : public QObject
{
    Q_OBJECT

public:
    // The viewers are child windows of viewerParent.
    ZipNotesController(WindowContext &context, ZipNotesWidgets widgets, QWidget *viewerParent,
                       QObject *parent = nullptr);

    // The notes of the archive at zipPath (empty: the frame hides).
    void setNotes(const QString &zipPath, const QList<zip::ZipMember> &notes);
    void clear();
    // Reads the note of row (from 0) and shows it; a row out of range does nothing.
    void openNote(int row);
    void retranslate();

private:
    WindowContext &m_context;
    ZipNotesWidgets m_w;
    QWidget *m_viewerParent;
    QStandardItemModel *m_notes;
    QString m_archive; // the archive the listed notes are read from
};

} // namespace corvane
