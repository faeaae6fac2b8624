#pragma once

// The program's own files in the per-user folders (the folder of the last
// list, the recent lists and terms, the settings, unpacked archive members):
// read and written here only. Whatever is found at such a name that is not a
// plain file of ours (a link planted there, a pipe, a device, a folder, a
// file far larger than the feature ever writes) is left alone: never read,
// never written through, and the caller is told why.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace corvane {

enum class StateFileProblem {
    None,       // read or written
    Missing,    // nothing there (reading only; a writer creates it)
    Link,       // a symbolic link at the name
    NotRegular, // a folder, a pipe, a device, a socket
    TooLarge,   // more bytes than the feature keeps
    Failed,     // the system refused (error says why)
};

struct StateFileRead
{
    QByteArray bytes;
    StateFileProblem problem = StateFileProblem::None;
    QString error; // the system's words for Failed
    bool ok() const { return problem == StateFileProblem::None; }
};

// At most maxBytes of the file at path; the whole file or nothing. Never
// blocks on a pipe and never follows a link at the last component.
StateFileRead readStateFile(const QString &path, qint64 maxBytes);

// What lies at path, looked at without following a link, for a file another
// library reads and writes itself (the settings): None for a regular file of
// at most maxBytes, Missing, or why it must be left alone.
StateFileProblem checkStateFile(const QString &path, qint64 maxBytes, QString *error = nullptr);

// Replaces the file at path with bytes: refused when a link or anything but
// a regular file is there. The bytes go to a new temporary file (mode 0600)
// in the same folder, written whole and synced, then renamed over the name;
// on any failure the temporary is removed and the old file stays.
StateFileProblem writeStateFile(const QString &path, QByteArrayView bytes,
                                QString *error = nullptr);

// Creates base (and what leads to it) when missing, then each folder of
// relative below it ("archives/list-1a2b"), mode 0700. Every folder below base
// must be a real folder (not a link) owned by the user running the program;
// base itself must be a folder. Empty relative: base only. False with error
// naming the folder and why.
bool ensureStateFolder(const QString &base, const QString &relative, QString *error = nullptr);

} // namespace corvane
