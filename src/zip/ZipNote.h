#pragma once

// The lab's notes: ".txt" and ".log" entries of an archive, read straight from
// it as text for a person to read. Nothing is unpacked to disk.

#include <QByteArrayView>
#include <QString>

namespace corvane::zip {

// What is read of one note at most: a note is a few lines; a runaway log is
// shown up to here.
inline constexpr qint64 NoteReadLimit = 4 * 1024 * 1024;

struct NoteText
{
    QString text;
    QString error;    // set when the note cannot be read
    bool cut = false; // only the first NoteReadLimit bytes (or the limit asked) are in text
    qint64 size = -1; // the note's whole size in bytes, when known
};

// Note bytes as text: UTF-16LE, UTF-16BE, UTF-8 or Windows-1252 told from the
// bytes as the lists are, line ends CR LF, LF or CR made LF. cut: the bytes
// end in the middle of the note, so a character split there is dropped.
QString decodeNoteBytes(QByteArrayView bytes, bool cut = false);

// Entry `index` of the archive, at most maxBytes of it. shownName: as for
// readZipMember, the name it was listed under (empty: not checked).
NoteText readZipNote(const QString &zipPath, qint64 index, const QString &shownName = {},
                     qint64 maxBytes = NoteReadLimit);

} // namespace corvane::zip
